#pragma once
// Reads a file's bytes with a word-list reader in pieces of given sizes, as the import does.

#include "wordlist/WordListReader.h"

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

struct ReadInPiecesResult {
    std::vector<WordListEntry> entries;
    WordListReadResult result;
};

// `pieceSize` gives each piece's size in turn; `eachPiece` is called before every piece is handed out.
inline ReadInPiecesResult ReadInPieces(WordListReader& reader, std::string_view bytes,
                                       const std::function<std::size_t()>& pieceSize,
                                       const std::function<void()>& eachPiece = {})
{
    ReadInPiecesResult read;
    std::size_t at = 0;
    const WordListPieces pieces{[&] {
                                    if (eachPiece)
                                        eachPiece();
                                    const std::string_view piece =
                                        bytes.substr(std::min(at, bytes.size()), pieceSize());
                                    at += piece.size();
                                    return piece;
                                },
                                [&] { at = 0; }};
    read.result = reader.Read(pieces, [&](const WordListEntry& entry) {
        read.entries.push_back(entry);
        return true;
    });
    return read;
}

inline ReadInPiecesResult ReadInPieces(WordListReader& reader, std::string_view bytes, std::size_t pieceSize)
{
    return ReadInPieces(reader, bytes, [pieceSize] { return pieceSize; });
}
