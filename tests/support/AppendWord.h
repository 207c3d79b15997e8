#pragma once
// A record added to a table as the maintenance page adds one.

#include "store/DictTable.h"

#include <string>

inline void AppendWord(TDictTable& table, const std::string& word, const std::string& interpret)
{
    table.Append();
    table.SetFieldByName("word", word);
    table.SetFieldByName("interpret", interpret);
    table.Post();
}
