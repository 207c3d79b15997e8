#pragma once
// Cuts the bytes of a word-list file into lines: a CR ends a line and an LF right after it is
// skipped; an LF alone stays part of its line; a byte 0x1A ends the file as its end would; the last
// line needs no line end. The file may come in pieces of any size. A line is handed out in parts,
// in place and never gathered: one that lies within a piece comes as one part, one that spans
// pieces as one part per piece, so a line of any length (a file without CR) costs no memory.

#include <cstdint>
#include <optional>
#include <string_view>

// A part of a line; the last part of each line ends it.
struct WordListLinePart {
    std::string_view bytes;
    bool endsLine = false;
};

class WordListLineSplitter {
public:
    // The next piece of the file, once every part of the pieces before has been taken. The piece
    // must stay alive until Next returns nothing.
    void Feed(std::string_view piece);
    // No bytes follow: what is left is the last line.
    void Finish();
    // The next part of a line, valid until the next call; nothing when more bytes are needed or the
    // file has ended.
    std::optional<WordListLinePart> Next();
    // True once the file has ended (0x1A, or its end after Finish) and every line has been taken.
    bool Ended() const { return ended_; }
    // The bytes of the file looked at for the lines ended so far: a line ended by CR counts the byte
    // after the CR too (the one looked at for an LF), which may lie beyond a file's end.
    std::uint64_t Examined() const { return examined_; }

private:
    std::optional<WordListLinePart> LastPart(std::size_t end, std::uint64_t examined);

    std::string_view piece_;
    std::size_t position_ = 0;
    std::uint64_t pieceStart_ = 0; // offset of piece_ in the file
    bool lineStarted_ = false;     // a part of the current line has been handed out
    bool skipLf_ = false;
    bool finished_ = false;
    bool ended_ = false;
    std::uint64_t examined_ = 0;
};
