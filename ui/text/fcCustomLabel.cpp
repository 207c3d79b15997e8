#include "ui/text/fcCustomLabel.h"

#include "ui/text/TextArithmetic.h"

#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

TfcCustomLabel::TfcCustomLabel(QWidget* parent)
    : QWidget(parent), textOptions_(std::make_unique<TfcCaptionText>(TfcText::Owner{
                           [this] { update(); },
                           [this] { TextLayoutChanged(); },
                           [this] { return IsEnabledForText(); },
                           [this] { return font(); },
                           [this] { return palette().color(QPalette::Normal, QPalette::WindowText); },
                       }))
{
    setAttribute(Qt::WA_OpaquePaintEvent); // not transparent
    resize(65, 17);
}

TfcCustomLabel::~TfcCustomLabel() = default;

void TfcCustomLabel::SetTextOptions(const TfcCaptionText& value)
{
    textOptions_->Assign(value);
    AdjustBounds();
    update();
}

void TfcCustomLabel::SetCaption(const QString& value)
{
    if (value == Caption())
        return;
    textOptions_->SetText(value);
    setAccessibleName(StripAccelerators(value));
    GrabAccelerator();
    AdjustBounds();
    update();
}

void TfcCustomLabel::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
    update();
}

bool TfcCustomLabel::Transparent() const
{
    return !testAttribute(Qt::WA_OpaquePaintEvent);
}

void TfcCustomLabel::SetTransparent(bool value)
{
    if (value == Transparent())
        return;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    update();
}

void TfcCustomLabel::SetFocusControl(QWidget* value)
{
    focusControl_ = value;
    GrabAccelerator();
}

void TfcCustomLabel::Loaded()
{
    AdjustBounds();
}

void TfcCustomLabel::AdjustBounds()
{
    if (!autoSize_)
        return;
    textOptions_->SetAreaRect(rect()); // word wrap measures at the label's width
    const QRect text = textOptions_->CalcRect(true);
    int left = x();
    if (textOptions_->Alignment() == TAlignment::taRightJustify)
        left += width() - text.width();
    setGeometry(left, y(), text.width(), text.height());
}

void TfcCustomLabel::TextLayoutChanged()
{
    GrabAccelerator(); // the options may have turned accelerators on or off
    AdjustBounds();
}

void TfcCustomLabel::GrabAccelerator()
{
    if (acceleratorId_ != 0)
        releaseShortcut(acceleratorId_);
    acceleratorId_ = 0;
    if (!focusControl_ || !(textOptions_->Options() & TfcTextOption::toShowAccel))
        return;
    const QKeySequence accelerator = QKeySequence::mnemonic(Caption());
    if (!accelerator.isEmpty())
        acceleratorId_ = grabShortcut(accelerator);
}

bool TfcCustomLabel::DialogChar()
{
    if (!focusControl_ || !isEnabled() || !(textOptions_->Options() & TfcTextOption::toShowAccel))
        return false;
    if (!focusControl_->isEnabled() || !focusControl_->isVisible() ||
        focusControl_->focusPolicy() == Qt::NoFocus)
        return false;
    focusControl_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

bool TfcCustomLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && acceleratorId_ != 0 &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == acceleratorId_) {
        DialogChar();
        return true;
    }
    return QWidget::event(event);
}

void TfcCustomLabel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

void TfcCustomLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!Transparent())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    textOptions_->SetAreaRect(rect());
    textOptions_->Draw(painter);
}

void TfcCustomLabel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MouseEnter();
}

void TfcCustomLabel::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeave();
}

void TfcCustomLabel::MouseEnter()
{
    emit OnMouseEnter();
}

void TfcCustomLabel::MouseLeave()
{
    emit OnMouseLeave();
}

bool TfcCustomLabel::IsEnabledForText() const
{
    return isEnabled();
}

void TfcCustomLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit OnClick();
}

void TfcCustomLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click is the double-click alone: no press handling runs for it.
    event->ignore();
    if (event->button() == Qt::LeftButton)
        emit OnDblClick();
}
