#include "ui/skin/ZYForm.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

TZYForm::TZYForm(QWidget* form) : QWidget(form)
{
    setObjectName(QStringLiteral("ZYForm1"));
    setGeometry(form->rect());
    lower();
    form->installEventFilter(this);
}

void TZYForm::DragWindow(QPoint pressedAt)
{
    QWidget* form = window();
    if (form->windowHandle() && form->windowHandle()->startSystemMove())
        return;
    draggingByHand_ = true;
    grabOffset_ = pressedAt - form->frameGeometry().topLeft();
    // The press may have landed on another control (the title), which then gets the moves.
    qApp->installEventFilter(this);
}

bool TZYForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    const bool mouse = event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (draggingByHand_ && mouse && widget && widget->window() == window())
        return FollowHand(*static_cast<QMouseEvent*>(event));
    return false;
}

bool TZYForm::FollowHand(const QMouseEvent& event)
{
    if (event.type() == QEvent::MouseMove) {
        window()->move(event.globalPosition().toPoint() - grabOffset_);
    } else {
        draggingByHand_ = false;
        qApp->removeEventFilter(this);
    }
    return true;
}

void TZYForm::paintEvent(QPaintEvent*)
{
    // A plain band and frame where the picture skin will go.
    QPainter painter(this);
    QLinearGradient band(0, 0, 0, kCaptionBand);
    band.setColorAt(0, QColor(60, 120, 200));
    band.setColorAt(1, QColor(30, 80, 160));
    painter.fillRect(QRect(0, 0, width(), kCaptionBand), band);
    painter.setPen(QColor(30, 80, 160));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TZYForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->position().y() < kCaptionBand)
        DragWindow(event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}
