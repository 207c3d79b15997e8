#include "wordlist/JsonReader.h"

#include "wordlist/CheckedJsonReading.h"
#include "wordlist/JsonParsing.h"
#include "wordlist/JsonShapeCheck.h"

// The parser hands out UTF-8 whatever the file's encoding.
JsonReader::JsonReader(WordListWidths widths, WordListEncoding encoding)
    : WordListReader(widths, WordListEncoding::Utf8, EntryRules::Faithful), encoding_(encoding)
{
}

WordListReadResult JsonReader::Read(const WordListPieces& file, const WordListEntrySink& entry)
{
    // A quick look tells most files whole; any other is parsed through for its fault first.
    JsonShapeCheck shape(kJsonTokenLimit, kJsonDepthLimit);
    if (encoding_ == WordListEncoding::Utf8) {
        for (std::string_view piece; shape.Feed(piece = file.next()) && !piece.empty();) {
        }
        file.rewind();
    }
    const bool whole = shape.Whole();
    if (!whole) {
        const WordListReadResult check = ParseJson(
            file.next, encoding_, [](std::string_view, std::string_view, std::uint64_t) { return true; });
        if (check.end != WordListEnd::Read)
            return check;
        file.rewind();
    }
    examined_ = 0;
    const auto next = [&] {
        const std::string_view piece = file.next();
        examined_ += piece.size();
        return piece;
    };
    const auto made = [&](std::string_view word, std::string_view interpret, std::uint64_t line) {
        const auto entryMade = entries_.Make(word, interpret, line);
        if (entryMade && !entry(*entryMade))
            return false;
        if (file.advanced)
            file.advanced();
        return true;
    };
    // A file the quick look told whole needs no parser: its bytes are read as they stand.
    return whole ? ReadCheckedJson(next, made) : ParseJson(next, encoding_, made);
}
