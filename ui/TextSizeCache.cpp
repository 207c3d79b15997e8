#include "ui/TextSizeCache.h"

#include <QApplication>
#include <QWidget>

namespace {

// Enough for the texts of many recent fillings of a list; the cache starts afresh beyond it.
constexpr qsizetype kMaxTexts = 8192;

} // namespace

QSize TextSizeCache::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    // Rows with a picture, a check box or a font of their own, and wrapped texts, whose size depends
    // on the width offered, are measured as they come.
    constexpr auto kMeasuredAlways = QStyleOptionViewItem::HasDecoration |
                                     QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::WrapText;
    if (item.features & kMeasuredAlways || index.data(Qt::FontRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    if (item.font != font_ || style != style_ || item.features != features_ || sizes_.size() >= kMaxTexts) {
        sizes_.clear();
        font_ = item.font;
        style_ = style;
        features_ = item.features;
    }
    auto found = sizes_.constFind(item.text);
    if (found == sizes_.constEnd())
        found = sizes_.insert(item.text, QStyledItemDelegate::sizeHint(option, index));
    return *found;
}
