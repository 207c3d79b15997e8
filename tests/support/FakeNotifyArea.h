#pragma once
// A notification area that records what the tray component sends it and lets the test click the
// icon, move the pointer and make the area come or go.

#include "ui/skin/NotifyArea.h"

#include <ostream>
#include <vector>

struct Sent {
    TNotifyCommand command;
    QString tip;
    qint64 icon; // cache key; 0 for no icon
    bool operator==(const Sent&) const = default;
};

inline void PrintTo(const Sent& sent, std::ostream* out)
{
    static const char* const names[] = {"Add", "Modify", "Delete"};
    *out << names[static_cast<int>(sent.command)] << " \"" << sent.tip.toStdString() << "\" " << sent.icon;
}

class FakeNotifyArea : public TNotifyArea {
public:
    void Send(TNotifyCommand command, const TNotifyIconData& data) override
    {
        log->push_back({command, data.Tip, data.Icon.isNull() ? 0 : data.Icon.cacheKey()});
    }
    bool IsAvailable() const override { return available; }
    QPoint CursorPos() const override { return cursor; }
    QRect WorkArea() const override { return {0, 0, 1280, 1000}; }

    void Click(std::uint32_t mouseMessage) { emit Notified(mouseMessage); }
    void SetAvailable(bool now)
    {
        available = now;
        emit AvailabilityChanged(now);
    }

    std::vector<Sent>* log = nullptr; // the test's, so it outlives the area
    bool available = true;
    QPoint cursor{600, 500};
};
