#include "dict/WordListLineSplitter.h"

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

std::optional<std::string_view> WordListLineSplitter::Next()
{
    if (partialHandedOut_) {
        partial_.clear();
        partialHandedOut_ = false;
    }
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
        return LastLine(end, pieceStart_ + end + 1);
    }
    if (!cr) {
        if (finished_)
            return LastLine(piece_.size(), pieceStart_ + piece_.size());
        partial_.append(begin, rest);
        position_ = piece_.size();
        return std::nullopt;
    }
    std::string_view line(begin, length);
    if (!partial_.empty()) {
        partial_.append(line);
        line = partial_;
        partialHandedOut_ = true;
    }
    position_ += length + 1;
    skipLf_ = true;
    examined_ = pieceStart_ + position_ + 1;
    return line;
}

std::optional<std::string_view> WordListLineSplitter::LastLine(std::size_t end, std::uint64_t examined)
{
    ended_ = true;
    std::string_view line = piece_.substr(position_, end - position_);
    position_ = piece_.size();
    if (!partial_.empty()) {
        partial_.append(line);
        line = partial_;
        partialHandedOut_ = true;
    }
    if (line.empty())
        return std::nullopt;
    examined_ = examined;
    return line;
}
