#pragma once
// A JSON word list read through the JSON library's SAX parser, a piece at a time (a GBK file
// converted to UTF-8 as it goes): it finds any fault and where it lies. A single string or number
// longer than kJsonTokenLimit ends the reading as a fault, which keeps the parser's memory bounded.

#include "wordlist/JsonEntryPicker.h"
#include "wordlist/WordListEncoding.h"
#include "wordlist/WordListReader.h"

#include <functional>
#include <string_view>

// One pass through the file; `entry` receives each word and explanation in UTF-8, uncut.
WordListReadResult ParseJson(const std::function<std::string_view()>& next, WordListEncoding encoding,
                             const JsonEntryPicker::Entry& entry);
