#pragma once
// The status line at the bottom of the main window: a message stays until the timer's next tick,
// then "完成" is shown again. A timer already running is not restarted, so a message gives way at
// the tick that the earlier message started.

#include <QObject>

class QLabel;
class QTimer;

class StatusLine : public QObject {
public:
    StatusLine(QLabel& label, QTimer& timer);

    void Show(const QString& message);

private:
    void SetText(const QString& text);

    QLabel& label_;
    QTimer& timer_;
};
