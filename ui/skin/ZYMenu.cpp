#include "ui/skin/ZYMenu.h"

#include "ui/skin/AcceleratorText.h"
#include "ui/skin/ZYMenuStyle.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kSeparatorHeight = 3;
const QColor kSeparatorShadow{128, 128, 128};

} // namespace

TZYMenu::TZYMenu(QObject* owner) : QObject(owner), style_(new TZYMenuStyle(*this))
{
    style_->setParent(this);
    if (const auto* form = qobject_cast<QWidget*>(owner); form && form->isWindow()) {
        FMenuTextFont = {form->font(), form->palette().color(QPalette::WindowText)};
        FMenuTextFontHL = {form->font(), QColor(255, 0, 0)};
    }
}

void TZYMenu::Loaded()
{
    if (FZYPopupMenu)
        HookMenu(FZYPopupMenu);
    if (FZYMainMenu)
        HookMenu(FZYMainMenu);
}

void TZYMenu::HookMenu(QMenu* menu)
{
    // A menu that is its own submenu somewhere below is hooked once.
    if (menu->style() == style_)
        return;
    menu->setStyle(style_);
    for (const QAction* action : menu->actions()) {
        if (QMenu* submenu = action->menu())
            HookMenu(submenu);
    }
}

void TZYMenu::HookMenu(QMenuBar* menuBar)
{
    for (const QAction* action : menuBar->actions()) {
        if (QMenu* dropDown = action->menu())
            HookMenu(dropDown);
    }
}

QSize TZYMenu::MeasureMenuItem(const QString& caption, bool separator, QSize computed) const
{
    if (separator)
        return {computed.width(), kSeparatorHeight};
    // The '&' is measured although it is never drawn.
    const QFontMetrics metrics(FMenuTextFont.font);
    return {FLPicture.width() + metrics.horizontalAdvance(caption) + FMenuBarWidthExt + FMenuTextIndent,
            metrics.height() + FMenuBarHeightExt};
}

void TZYMenu::DrawMenuItem(QPainter& painter, const TZYMenuItem& item) const
{
    painter.save();
    const QRect& r = item.rect;
    const int pictureWidth = FLPicture.width();
    DrawSidePicture(painter, item);

    const QRect bar = r.adjusted(pictureWidth, 0, 0, 0);
    // An empty caption under the pointer has nothing to highlight.
    const bool highlighted = item.selected && !item.caption.isEmpty();
    const TZYMenuFont& face = highlighted ? FMenuTextFontHL : FMenuTextFont;
    if (highlighted)
        DrawHighlightBar(painter, bar);
    else
        painter.fillRect(bar, FMenuBarColor);

    if (item.separator) {
        painter.fillRect(QRect(bar.left(), r.top() + 1, bar.width(), 1), kSeparatorShadow);
        painter.fillRect(QRect(bar.left(), r.top() + 2, bar.width(), 1), Qt::white);
        painter.restore();
        return;
    }

    painter.setFont(face.font);
    const int x = bar.left() + FMenuTextIndent;
    const int y = (r.top() + r.top() + r.height() - QFontMetrics(face.font).height()) / 2;
    QColor color = face.color;
    if (!item.enabled) {
        // On the gradient the white copies would only blur the caption.
        if (!item.selected) {
            painter.setPen(Qt::white);
            DrawAcceleratorText(painter, x + 1, y + 1, item.caption);
            DrawAcceleratorText(painter, x + 2, y + 2, item.caption);
        }
        color = FMenuTextDisabledColor;
    }
    painter.setPen(color);
    DrawAcceleratorText(painter, x, y, item.caption);
    painter.restore();
}

void TZYMenu::DrawHighlightBar(QPainter& painter, const QRect& rect) const
{
    const int count = FGradualCount;
    // The step is rounded up so that the bands always reach the right edge.
    const int step = static_cast<int>(static_cast<double>(rect.width()) / count) + 1;
    const int red = FMenuBarColorHL.red();
    const int green = FMenuBarColorHL.green();
    const int blue = FMenuBarColorHL.blue();
    // The smallest channel ramps; ties go to red, then green.
    const bool rampRed = red <= blue && red <= green;
    const bool rampGreen = !rampRed && green <= blue && green <= red;
    for (int i = 0; i <= count; ++i) {
        const QRect band = QRect(rect.left() + i * step, rect.top(), step, rect.height()).intersected(rect);
        if (band.isEmpty())
            break;
        // The last band's 256 wraps to 0, as a byte does; it lies past the edge anyway.
        const int ramp = (i * 256 / count) & 0xFF;
        const QColor color = rampRed     ? QColor(ramp, green, blue)
                             : rampGreen ? QColor(red, ramp, blue)
                                         : QColor(red, green, ramp);
        painter.fillRect(band, color);
    }
}

void TZYMenu::DrawSidePicture(QPainter& painter, const TZYMenuItem& item) const
{
    const int width = FLPicture.width();
    if (width <= 0)
        return;
    const QRect& r = item.rect;
    // The picture's bottom row lies on the menu's last row; each item shows its own slice of it.
    int sourceTop = FLPicture.height() + r.top() - item.menuBottom;
    int top = r.top();
    int rows = r.height();
    if (sourceTop < 0) {
        // A menu taller than its picture: the rows above the picture continue its top row.
        const int above = std::min(-sourceTop, rows);
        painter.drawImage(QRect(r.left(), top, width, above), FLPicture, QRect(0, 0, width, 1));
        top += above;
        rows -= above;
        sourceTop = 0;
    }
    if (rows > 0)
        painter.drawImage(QPoint(r.left(), top), FLPicture, QRect(0, sourceTop, width, rows));
}
