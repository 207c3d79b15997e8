#include "ui/text/fcTitleLabel.h"

#include "ui/Fonts.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TfcTitleLabel::TfcTitleLabel(QWidget* parent) : TfcLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true); // every move over the title reaches the frame, not only drags
    QFont titleFont(FormFontFamily());
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

void TfcTitleLabel::SetCaptionButtons(QWidget* leftmost)
{
    if (captionButtons_)
        captionButtons_->removeEventFilter(this);
    captionButtons_ = leftmost;
    if (captionButtons_)
        captionButtons_->installEventFilter(this);
    if (parentWidget())
        OwnerResized();
}

bool TfcTitleLabel::eventFilter(QObject* watched, QEvent* event)
{
    // The buttons follow the form's right edge after the title has seen the resize.
    if ((watched == parentWidget() && event->type() == QEvent::Resize) ||
        (watched == captionButtons_ && event->type() == QEvent::Move))
        OwnerResized();
    return TfcLabel::eventFilter(watched, event);
}

void TfcTitleLabel::OwnerResized()
{
    // On a form narrower than the title, the title starts at the form's left edge, so that its
    // beginning stays readable.
    int left = std::max(0, (parentWidget()->width() - width()) / 2);
    if (captionButtons_)
        left = std::max(0, std::min(left, captionButtons_->x() - width()));
    move(left, y());
    update(); // the part cut off may have changed with the buttons
}

int TfcTitleLabel::Room() const
{
    return captionButtons_ ? std::min(width(), captionButtons_->x() - x()) : width();
}

void TfcTitleLabel::paintEvent(QPaintEvent* event)
{
    const int room = Room();
    if (room >= width()) {
        TfcLabel::paintEvent(event);
        return;
    }
    if (room <= 0)
        return;
    // The outline takes what the label is wider than its text; the rest holds the cut text.
    const QString caption = Caption();
    const int effects = width() - TextOptions().GetTextSize().width();
    const QFontMetrics metrics(TextOptions().GetLogFont(), this);
    TextOptions().SetText(metrics.elidedText(caption, Qt::ElideRight, room - effects));
    QPainter painter(this);
    const QRect band(0, 0, room, height());
    if (!Transparent())
        painter.fillRect(band, palette().color(QPalette::Window));
    TextOptions().SetAreaRect(band);
    TextOptions().Draw(painter);
    TextOptions().SetText(caption);
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
