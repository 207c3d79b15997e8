#include "ui/Anchors.h"

#include <QEvent>
#include <QWidget>

void Anchors::Attach(QWidget* child, int edges, QSize parentSize)
{
    anchored_.push_back({child, edges, child->geometry(), parentSize});
    child->parentWidget()->installEventFilter(this);
}

namespace {

// Position and length of one direction, from the design geometry and the parent's old and new lengths.
void Follow(bool nearEdge, bool farEdge, int designPos, int designLength, int oldParent, int newParent,
            int& pos, int& length)
{
    length = designLength;
    if (nearEdge && farEdge) {
        pos = designPos;
        length = designLength + newParent - oldParent;
    } else if (farEdge) {
        pos = designPos + newParent - oldParent;
    } else if (nearEdge) {
        pos = designPos;
    } else if (oldParent > 0) {
        const double centre = (designPos + designLength / 2.0) * newParent / oldParent;
        pos = static_cast<int>(centre - designLength / 2.0);
    } else {
        pos = designPos;
    }
}

} // namespace

bool Anchors::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Resize)
        return false;
    for (Anchored& a : anchored_) {
        QWidget* parent = a.child->parentWidget();
        if (parent != watched)
            continue;
        int x, width, y, height;
        Follow(a.edges & Left, a.edges & Right, a.design.x(), a.design.width(), a.parentSize.width(),
               parent->width(), x, width);
        Follow(a.edges & Top, a.edges & Bottom, a.design.y(), a.design.height(), a.parentSize.height(),
               parent->height(), y, height);
        a.child->setGeometry(x, y, width, height);
    }
    return false;
}
