#include "ui/text/fcTitleLabel.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>

TfcTitleLabel::TfcTitleLabel(QWidget* parent) : TfcLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true); // every move over the title reaches the frame, not only drags
    QFont titleFont(QStringLiteral("宋体"));
    titleFont.setPointSize(11);
    titleFont.setBold(true);
    setFont(titleFont);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    TextOptions().SetAlignment(TAlignment::taCenter);
    TextOptions().SetStyle(TfcLabelStyle::fclsOutline);
    TextOptions().SetVAlignment(TfcVAlignment::vaTop);
    SetTransparent(true);
}

void TfcTitleLabel::Loaded()
{
    TfcLabel::Loaded();
    if (QWidget* form = parentWidget()) {
        // A filter sees the resize before the form's own handler, which stays in place.
        form->installEventFilter(this);
        OwnerResized();
    }
}

bool TfcTitleLabel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        OwnerResized();
    return TfcLabel::eventFilter(watched, event);
}

void TfcTitleLabel::OwnerResized()
{
    // On a form narrower than the title, the title starts at the form's left edge, so that its
    // beginning stays readable.
    move(std::max(0, (parentWidget()->width() - width()) / 2), y());
}

void TfcTitleLabel::mouseMoveEvent(QMouseEvent* event)
{
    TfcLabel::mouseMoveEvent(event);
    if (!masterCtrl_)
        return;
    FMasterPoint = masterCtrl_->mapFromGlobal(event->globalPosition()).toPoint();
    ForwardToMaster(QEvent::MouseMove, FMasterPoint, Qt::NoButton, *event);
    event->accept();
}

void TfcTitleLabel::mousePressEvent(QMouseEvent* event)
{
    TfcLabel::mousePressEvent(event);
    if (!masterCtrl_ || event->button() != Qt::LeftButton)
        return;
    ForwardToMaster(QEvent::MouseButtonPress, FMasterPoint, Qt::LeftButton, *event);
    event->accept();
}

void TfcTitleLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    TfcLabel::mouseDoubleClickEvent(event);
    if (!masterCtrl_ || event->button() != Qt::LeftButton)
        return;
    const QPoint at = masterCtrl_->mapFromGlobal(event->globalPosition()).toPoint();
    ForwardToMaster(QEvent::MouseButtonDblClick, at, Qt::LeftButton, *event);
    event->accept();
}

void TfcTitleLabel::ForwardToMaster(QEvent::Type type, QPoint at, Qt::MouseButton button,
                                    const QMouseEvent& cause)
{
    QMouseEvent forwarded(type, at, masterCtrl_->mapToGlobal(QPointF(at)), button, cause.buttons(),
                          cause.modifiers());
    QCoreApplication::sendEvent(masterCtrl_, &forwarded);
}
