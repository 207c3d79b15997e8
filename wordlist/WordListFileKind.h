#pragma once
// Which reader a word-list file needs. Lists from other tools are told by their name's extension;
// flash-card programs also save tab-separated notes as .txt, which their first line gives away.

#include <string_view>

enum class WordListFileKind { Own, Tsv, Csv, Json };

// By the extension of the name's last component, letter case ignored; any other name is the
// program's own format.
WordListFileKind WordListFileKindByName(std::string_view path);

// True when the file's first bytes hold a first line that is exactly "#separator:tab" (after a
// UTF-8 byte-order mark, if any).
bool StartsAsTabSeparated(std::string_view firstBytes);
