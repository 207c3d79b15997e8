#pragma once
// A JSON word list that JsonShapeCheck told whole, read straight from its UTF-8 bytes: with every
// string, escape, number and bracket known good, no fault is left to find, and a pass costs a
// fraction of the parser's, which copies every byte it reads for its fault messages. It gives the
// picker the events the parser would, in the same order and with the same lines.

#include "wordlist/JsonEntryPicker.h"
#include "wordlist/WordListReader.h"

#include <functional>
#include <string_view>

WordListReadResult ReadCheckedJson(const std::function<std::string_view()>& next,
                                   const JsonEntryPicker::Entry& entry);
