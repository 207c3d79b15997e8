#include "wordlist/WordListLineSplitter.h"

#include <cstring>

namespace {

constexpr char kEndOfFile = 0x1A;

} // namespace

void WordListLineSplitter::Feed(std::string_view piece)
{
    pieceStart_ += piece_.size();
    piece_ = piece;
    position_ = 0;
}

void WordListLineSplitter::Finish()
{
    finished_ = true;
}

std::optional<WordListLinePart> WordListLineSplitter::Next()
{
    if (ended_)
        return std::nullopt;
    if (skipLf_) {
        if (position_ < piece_.size()) {
            if (piece_[position_] == '\n')
                ++position_;
            skipLf_ = false;
        } else if (!finished_) {
            return std::nullopt;
        } else {
            skipLf_ = false;
        }
    }
    const char* begin = piece_.data() + position_;
    const std::size_t rest = piece_.size() - position_;
    const auto* cr = rest ? static_cast<const char*>(std::memchr(begin, '\r', rest)) : nullptr;
    const std::size_t length = cr ? static_cast<std::size_t>(cr - begin) : rest;
    if (const auto* mark =
            length ? static_cast<const char*>(std::memchr(begin, kEndOfFile, length)) : nullptr) {
        const std::size_t end = position_ + static_cast<std::size_t>(mark - begin);
        return LastPart(end, pieceStart_ + end + 1);
    }
    if (!cr) {
        if (finished_)
            return LastPart(piece_.size(), pieceStart_ + piece_.size());
        if (rest == 0)
            return std::nullopt;
        position_ = piece_.size();
        lineStarted_ = true;
        return WordListLinePart{std::string_view(begin, rest), false};
    }
    position_ += length + 1;
    skipLf_ = true;
    lineStarted_ = false;
    examined_ = pieceStart_ + position_ + 1;
    return WordListLinePart{std::string_view(begin, length), true};
}

std::optional<WordListLinePart> WordListLineSplitter::LastPart(std::size_t end, std::uint64_t examined)
{
    ended_ = true;
    const std::string_view bytes = piece_.substr(position_, end - position_);
    position_ = piece_.size();
    // An empty last line (the file ends with CR, or is empty) is no line.
    if (bytes.empty() && !lineStarted_)
        return std::nullopt;
    examined_ = examined;
    return WordListLinePart{bytes, true};
}
