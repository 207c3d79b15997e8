#include "ui/TextSizeCache.h"

#include <QApplication>
#include <QWidget>

namespace {

// Enough for the texts of many recent fillings of a list; the cache starts afresh beyond it.
constexpr qsizetype kMaxTexts = 8192;

} // namespace

QSize TextSizeCache::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Rows with a picture, a check box, a font of their own or a value that is no text, and wrapped
    // texts, whose size depends on the width offered, are measured as they come.
    const QVariant display = index.data(Qt::DisplayRole);
    if (option.features & QStyleOptionViewItem::WrapText || display.typeId() != QMetaType::QString ||
        index.data(Qt::DecorationRole).isValid() || index.data(Qt::CheckStateRole).isValid() ||
        index.data(Qt::FontRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    if (option.font != font_ || style != style_ || sizes_.size() >= kMaxTexts) {
        sizes_.clear();
        font_ = option.font;
        style_ = style;
    }
    const QString text = display.toString();
    auto found = sizes_.constFind(text);
    if (found == sizes_.constEnd())
        found = sizes_.insert(text, QStyledItemDelegate::sizeHint(option, index));
    return *found;
}
