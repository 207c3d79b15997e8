#pragma once
// A label that shows an explanation of several lines as it is (never as markup), its lines spaced
// so that Chinese glyphs never overlap the line above, and placed by the label's alignment.

#include <QLabel>

class TExplanationLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
