#include "app/StatusLine.h"

#include <QLabel>
#include <QTimer>

StatusLine::StatusLine(QLabel& label, QTimer& timer) : QObject(&label), label_(label), timer_(timer)
{
    connect(&timer_, &QTimer::timeout, this, [this] {
        timer_.stop();
        SetText(QStringLiteral("完成"));
    });
}

void StatusLine::Show(const QString& message)
{
    SetText(message);
    label_.repaint();
    if (!timer_.isActive())
        timer_.start();
}

void StatusLine::SetText(const QString& text)
{
    label_.setText(text);
    label_.adjustSize();
}
