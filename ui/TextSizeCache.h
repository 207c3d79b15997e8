#pragma once
// An item delegate for lists of plain texts that remembers the size it measured for each text: the
// list lays out every row whenever its items change, and measuring a text (shaping its glyphs)
// costs far more than looking it up again.

#include <QFont>
#include <QHash>
#include <QSize>
#include <QStyledItemDelegate>

class QStyle;

class TextSizeCache : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // The sizes hold for one font and style; another starts afresh.
    mutable QFont font_;
    mutable const QStyle* style_ = nullptr;
    mutable QHash<QString, QSize> sizes_;
};
