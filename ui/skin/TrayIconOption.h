#pragma once
// What the tray icon shows in one state: a tip and an icon. The program sets the icon; a null
// icon means none yet, and an option without one is never sent to the notification area.

#include <QIcon>
#include <QString>

class TTrayIconOption {
public:
    const QString& Hint() const { return hint_; }
    // Only stores the text: the shown tip changes when the option is next applied.
    void SetHint(const QString& hint)
    {
        if (hint != hint_)
            hint_ = hint;
    }

    QIcon Icon;

private:
    QString hint_;
};
