#pragma once
// The statistics window: the learner's progress in the program's skin, opened from the command
// menu. Two plots of the spaced review (answers a day by rating over the last 30 days, words
// falling due a day over the next 30), the share remembered, the words by state, and the error
// book's words, each of which can be taken out of the book. Without any answer yet it says so
// where the plots would stand.

#include "study/LearningStatistics.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QToolButton;
class QTreeWidget;
class TZYButton;
class TZYForm;

class TFormStatistics : public QDialog {
    Q_OBJECT
public:
    // `removeWord` takes a word (GBK) out of the error book; false when it failed (it reports why),
    // and the word stays in the list.
    TFormStatistics(QWidget* owner, const LearningFigures& figures,
                    std::function<bool(const std::string&)> removeWord);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* MakeHistory(const LearningFigures& figures);
    QWidget* MakeSummary(const LearningFigures& figures);
    QWidget* MakeErrorBook(const LearningFigures& figures);
    void RemoveSelectedWord();

    std::function<bool(const std::string&)> removeWord_;
    TZYForm* frame_;
    QLabel* title_;
    QToolButton* close_;
    QTreeWidget* errorBook_ = nullptr;
    TZYButton* remove_ = nullptr;
};
