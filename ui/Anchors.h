#pragma once
// Keeps a child's distances to the edges of its parent that it is anchored to, as the parent
// resizes. The distances are those of the child's geometry in a parent of the given size. A control
// anchored to neither edge of a direction keeps its centre at the same proportion.

#include <QObject>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

class Anchors : public QObject {
public:
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8, All = 15 };

    explicit Anchors(QObject* parent = nullptr) : QObject(parent) {}
    void Attach(QWidget* child, int edges, QSize parentSize);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Anchored {
        QWidget* child;
        int edges;
        QRect design; // the child's geometry in a parent of parentSize
        QSize parentSize;
    };
    std::vector<Anchored> anchored_;
};
