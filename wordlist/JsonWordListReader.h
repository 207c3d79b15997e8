#pragma once
// Reads a word list saved as a JSON array of objects, as typing-drill programs keep their chapters:
// each object's "name" is the word and its "trans" the explanation (an array's strings joined by
// CR LF, or a string as it is); other keys are ignored and an element without a string "name" is
// skipped. The file streams through a SAX parser in pieces, so memory stays bounded: a single
// string or number longer than kJsonTokenLimit, or nesting deeper than kJsonDepthLimit, ends the
// reading as a fault. A file that is not valid UTF-8 is read as GBK.

#include "wordlist/DelimitedWordListReader.h"
#include "wordlist/WordListEncoding.h"

#include <functional>
#include <string_view>

inline constexpr std::size_t kJsonTokenLimit = 1 << 20;
inline constexpr int kJsonDepthLimit = 64;

enum class JsonReadEnd { Read, Stopped, NotArray, Broken, TooDeep, TooLong };

struct JsonReadResult {
    JsonReadEnd end = JsonReadEnd::Read;
    WordListFault at; // where reading stopped, for a fault
};

// `next` hands out the file's next piece, an empty one at its end. `entry` receives each word and
// explanation in UTF-8, uncut; it returns false to stop the reading.
JsonReadResult ReadJsonWordList(const std::function<std::string_view()>& next, WordListEncoding encoding,
                                const std::function<bool(std::string_view, std::string_view)>& entry);
