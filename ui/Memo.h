#pragma once
// A box of plain text over several lines (an explanation, shown or typed), its lines spaced so that
// Chinese glyphs never overlap the line above.

#include <QTextEdit>

class TMemo : public QTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    // The text as it is, never read as markup.
    void SetText(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    // New lines typed later take the spacing of the line they are made from.
    void SpaceLines();
};
