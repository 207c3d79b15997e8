#include "ui/Memo.h"

#include "ui/ExplanationLines.h"

#include <QEvent>
#include <QTextBlockFormat>
#include <QTextCursor>

TMemo::TMemo(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    SpaceLines();
}

void TMemo::SetText(const QString& text)
{
    setPlainText(text);
    SpaceLines();
}

void TMemo::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        SpaceLines();
}

void TMemo::SpaceLines()
{
    QTextBlockFormat spacing;
    spacing.setLineHeight(ExplanationLineHeight(font()), QTextBlockFormat::MinimumHeight);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    // Not an edit of the user's: it cannot be undone and changes nothing they typed.
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    all.mergeBlockFormat(spacing);
    document()->setUndoRedoEnabled(undo);
}
