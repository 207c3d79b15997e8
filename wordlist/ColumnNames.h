#pragma once
// The columns of a tab-separated or comma-separated list that hold the word and the explanation,
// from a first row that names them: a dictionary export may hold a phonetic, a definition in
// English and a translation, and the explanation the learner wants is the Chinese one.

#include "wordlist/WordListEncoding.h"

#include <optional>
#include <string>
#include <vector>

struct WordListColumns {
    std::size_t word;
    std::size_t interpret;
};

// The columns a first row of `fields` names, matched without regard to letter case and blanks
// around them: a word column ("word", "单词", "term", "front", ...) and the best-named explanation
// column (a Chinese-named one or "translation"/"trans" ahead of "meaning", "back", "definition",
// ...; the first other column when none is named). Nothing when no field names a word column:
// then the row is an entry.
std::optional<WordListColumns> ColumnsNamedBy(const std::vector<std::string>& fields,
                                              WordListEncoding encoding);
