#include "ui/skin/ZYMenuStyle.h"

#include "ui/skin/ZYMenu.h"

#include <QPainter>
#include <QStyleOptionMenuItem>
#include <qdrawutil.h>

namespace {

// The menu window's raised frame around the items.
constexpr int kFrameWidth = 2;

} // namespace

int TZYMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        return kFrameWidth;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int TZYMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    if (hint == SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QSize TZYMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    return menu_.MeasureMenuItem(item->text, item->menuItemType == QStyleOptionMenuItem::Separator, size);
}

void TZYMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item) {
        TZYMenuItem paint;
        paint.caption = item->text;
        paint.separator = item->menuItemType == QStyleOptionMenuItem::Separator;
        paint.enabled = item->state & State_Enabled;
        paint.selected = item->state & State_Selected;
        paint.rect = item->rect;
        paint.menuBottom = item->menuRect.y() + item->menuRect.height() - kFrameWidth;
        menu_.DrawMenuItem(*painter, paint);
    } else if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, menu_.MenuBarColor());
    } else {
        QProxyStyle::drawControl(element, option, painter, widget);
    }
}

void TZYMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    if (element == PE_PanelMenu)
        painter->fillRect(option->rect, menu_.MenuBarColor());
    else if (element == PE_FrameMenu)
        qDrawWinPanel(painter, option->rect, option->palette, false);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}
