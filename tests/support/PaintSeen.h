#pragma once
// Notes whether the widget it filters has painted itself, for tests and benchmarks that wait for
// a window's first paint.

#include <QEvent>
#include <QObject>

class PaintSeen : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};
