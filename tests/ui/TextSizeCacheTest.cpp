// The list delegate that remembers text sizes: every row measures as the style measures it, also
// after the list's font changes.
#include "ui/TextSizeCache.h"

#include <QListWidget>

#include <gtest/gtest.h>

namespace {

// Each row's size from the list's own delegate beside the size the plain delegate measures.
void ExpectStyleSizes(QListWidget& list, const char* when)
{
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.font = list.font();
    option.fontMetrics = QFontMetrics(list.font());
    const QStyledItemDelegate plain;
    for (int row = 0; row < list.count(); ++row) {
        const QModelIndex index = list.model()->index(row, 0);
        EXPECT_EQ(list.itemDelegate()->sizeHint(option, index), plain.sizeHint(option, index))
            << when << ": " << list.item(row)->text().toStdString();
    }
}

} // namespace

TEST(TextSizeCache, RowsMeasureAsTheStyleMeasuresThemBeforeAndAfterAFontChange)
{
    QListWidget list;
    list.setItemDelegate(new TextSizeCache(&list));
    // Repeated texts come from the cache; kerned pairs, Chinese and a line break measure differently.
    list.addItems({"abandon", "AVTo", "苹果", "apple 苹果", "two\nlines", "abandon", "", "AVTo"});
    ExpectStyleSizes(list, "measured");
    ExpectStyleSizes(list, "remembered");
    QFont larger = list.font();
    larger.setPixelSize(larger.pixelSize() > 0 ? larger.pixelSize() * 2 : 24);
    list.setFont(larger);
    ExpectStyleSizes(list, "after the font change");
}
