#pragma once
// The two seeks every feature positions the table with.

#include <string_view>

class TDictTable;

// Trims the text, seeks the exact word, else the nearest following one; true when the word
// itself was found.
bool Seek_Word_Record(TDictTable& table, std::string_view text);

// The record number of the nearest word to `text` (untrimmed, no exact step); the current record
// is the same before and after.
int RecNoOfWord(TDictTable& table, std::string_view text);
