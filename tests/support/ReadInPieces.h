#pragma once
// Feeds a word-list reader a file's bytes in pieces of a given size, as the import does, and hands
// each entry it completes to `take`.

#include "wordlist/WordListFormat.h"

#include <optional>
#include <string_view>

template <class Reader, class Take>
void ReadInPieces(Reader& reader, std::string_view bytes, std::size_t pieceSize, Take take)
{
    std::optional<WordListEntry> completed;
    for (std::size_t at = 0; !reader.Ended(); at += pieceSize) {
        if (at >= bytes.size())
            reader.Finish();
        else
            reader.Feed(bytes.substr(at, pieceSize));
        while (reader.ReadLine(completed))
            if (completed)
                take(*completed);
    }
}
