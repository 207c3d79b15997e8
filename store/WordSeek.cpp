#include "store/WordSeek.h"

#include "store/DictTable.h"
#include "text/GbkText.h"

bool Seek_Word_Record(TDictTable& table, std::string_view text)
{
    const std::string key = gbk::Trim(text);
    // SeekExact leaves the nearest following word current when it finds nothing.
    return table.SeekExact(key);
}

int RecNoOfWord(TDictTable& table, std::string_view text)
{
    const TDictTable::Bookmark noted = table.GetBookmark();
    table.SeekNearest(text);
    const int result = table.RecNo();
    table.GotoBookmark(noted);
    return result;
}
