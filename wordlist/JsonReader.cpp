#include "wordlist/JsonReader.h"

#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <cstddef>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

namespace {

// The file's bytes for the parser, one at a time, in UTF-8 (a GBK file converted as it goes). It
// counts lines and offsets for the fault message, and ends the input early when a single token
// grows past the limit, which keeps the parser's token buffer bounded.
class JsonBytes {
public:
    JsonBytes(const std::function<std::string_view()>& next, WordListEncoding encoding)
        : next_(next), encoding_(encoding)
    {
    }

    bool AtEnd()
    {
        if (tooLong_)
            return true;
        return at_ >= out_.size() && !Refill();
    }
    char Get() const { return out_[at_]; }
    void Advance()
    {
        Watch(out_[at_]);
        ++at_;
    }
    bool TooLong() const { return tooLong_; }
    WordListFault Where() const { return {line_, offset_}; }

private:
    bool Refill()
    {
        out_.clear();
        at_ = 0;
        while (out_.empty()) {
            if (in_.empty())
                in_ = next_();
            if (in_.empty())
                return false;
            if (encoding_ == WordListEncoding::Utf8) {
                out_.assign(in_);
                in_ = {};
            } else {
                ConvertGbk();
            }
        }
        return true;
    }
    // GBK to UTF-8 a character at a time; a lead byte at a piece's end waits for the next piece.
    void ConvertGbk()
    {
        std::size_t i = 0;
        for (; i < in_.size(); ++i) {
            const auto b = static_cast<unsigned char>(in_[i]);
            if (b < 0x80) {
                out_ += in_[i];
                continue;
            }
            std::string pair;
            if (!held_.empty()) {
                pair = held_ + in_[i];
                held_.clear();
            } else if (gbk::IsLead(b)) {
                if (i + 1 == in_.size()) {
                    held_ = in_[i];
                    continue;
                }
                pair = in_.substr(i, 2);
                ++i;
            } else {
                pair = in_[i];
            }
            out_ += gbk::ToUtf8(pair);
        }
        in_ = {};
        if (out_.empty() && !held_.empty()) {
            // The file ends on a lead byte: it is no character.
            std::string_view more = next_();
            if (more.empty()) {
                out_ = gbk::ToUtf8(held_);
                held_.clear();
            } else {
                in_ = more;
            }
        }
    }
    // Keeps the counts: a token is a string or a run of bytes outside strings that are neither
    // blanks nor structure.
    void Watch(char c)
    {
        ++offset_;
        if (c == '\n')
            ++line_;
        if (inString_) {
            if (escaped_)
                escaped_ = false;
            else if (c == '\\')
                escaped_ = true;
            else if (c == '"')
                inString_ = false;
            Count();
            return;
        }
        switch (c) {
        case '"':
            inString_ = true;
            run_ = 0;
            return;
        case '[':
        case ']':
        case '{':
        case '}':
        case ',':
        case ':':
        case ' ':
        case '\t':
        case '\r':
        case '\n':
            run_ = 0;
            return;
        default:
            Count();
        }
    }
    void Count()
    {
        if (++run_ > kJsonTokenLimit)
            tooLong_ = true;
    }

    const std::function<std::string_view()>& next_;
    WordListEncoding encoding_;
    std::string_view in_;
    std::string held_;
    std::string out_;
    std::size_t at_ = 0;
    std::size_t run_ = 0;
    bool inString_ = false;
    bool escaped_ = false;
    bool tooLong_ = false;
    std::uint64_t line_ = 1;
    std::uint64_t offset_ = 0;
};

class JsonByteIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    explicit JsonByteIterator(JsonBytes* bytes = nullptr) : bytes_(bytes) {}
    char operator*() const { return bytes_->Get(); }
    JsonByteIterator& operator++()
    {
        bytes_->Advance();
        return *this;
    }
    JsonByteIterator operator++(int)
    {
        JsonByteIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const JsonByteIterator& other) const { return AtEnd() == other.AtEnd(); }
    bool operator!=(const JsonByteIterator& other) const { return !(*this == other); }

private:
    bool AtEnd() const { return !bytes_ || bytes_->AtEnd(); }
    JsonBytes* bytes_;
};

using Json = nlohmann::json;

// Picks the entries out of the parser's events; any other shape of element is passed over.
class EntryEvents : public nlohmann::json_sax<Json> {
public:
    EntryEvents(const std::function<bool(std::string_view, std::string_view, std::uint64_t)>& entry,
                const JsonBytes& bytes)
        : entry_(entry), bytes_(bytes)
    {
    }

    WordListEnd end = WordListEnd::Read;

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool string(string_t& text) override
    {
        if (depth_ == 2 && key_ == Key::Name) {
            word_ = std::move(text);
            hasName_ = true;
        } else if (depth_ == 2 && key_ == Key::Trans) {
            trans_ = std::move(text);
        } else if (depth_ == 3 && inTrans_) {
            if (!trans_.empty())
                trans_ += "\r\n";
            trans_ += text;
        }
        return Value();
    }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool key(string_t& name) override
    {
        if (depth_ == 2)
            key_ = name == "name" ? Key::Name : name == "trans" ? Key::Trans : Key::Other;
        return true;
    }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override
    {
        if (end == WordListEnd::Read)
            end = WordListEnd::Broken;
        return false;
    }

private:
    enum class Key { Other, Name, Trans };

    // A value at the top is no array.
    bool Value()
    {
        if (depth_ == 0) {
            end = WordListEnd::NotArray;
            return false;
        }
        return true;
    }
    bool Open(bool object)
    {
        if (depth_ == 0 && object) {
            end = WordListEnd::NotArray;
            return false;
        }
        if (++depth_ > kJsonDepthLimit) {
            end = WordListEnd::TooDeep;
            return false;
        }
        if (depth_ == 2 && object) {
            inElement_ = true;
            line_ = bytes_.Where().line;
            hasName_ = false;
            word_.clear();
            trans_.clear();
            key_ = Key::Other;
        }
        if (depth_ == 3 && inElement_ && key_ == Key::Trans) {
            inTrans_ = !object;
            trans_.clear();
        }
        return true;
    }
    bool Close()
    {
        if (depth_ == 3)
            inTrans_ = false;
        if (depth_ == 2 && inElement_) {
            inElement_ = false;
            if (hasName_ && !entry_(word_, trans_, line_)) {
                end = WordListEnd::Stopped;
                return false;
            }
        }
        --depth_;
        return true;
    }

    const std::function<bool(std::string_view, std::string_view, std::uint64_t)>& entry_;
    const JsonBytes& bytes_;
    std::uint64_t line_ = 0; // where the element being read began
    int depth_ = 0;
    bool inElement_ = false;
    bool inTrans_ = false;
    bool hasName_ = false;
    Key key_ = Key::Other;
    std::string word_;
    std::string trans_;
};

// One pass through the file; `entry` receives each word and explanation in UTF-8, uncut.
WordListReadResult
ParseJson(const std::function<std::string_view()>& next, WordListEncoding encoding,
          const std::function<bool(std::string_view, std::string_view, std::uint64_t)>& entry)
{
    JsonBytes bytes(next, encoding);
    EntryEvents events(entry, bytes);
    Json::sax_parse(JsonByteIterator(&bytes), JsonByteIterator(), &events);
    if (bytes.TooLong())
        events.end = WordListEnd::TooLong;
    return {events.end, bytes.Where()};
}

} // namespace

// The parser hands out UTF-8 whatever the file's encoding.
JsonReader::JsonReader(WordListWidths widths, WordListEncoding encoding)
    : WordListReader(widths, WordListEncoding::Utf8, EntryRules::Faithful), encoding_(encoding)
{
}

WordListReadResult JsonReader::Read(const WordListPieces& file, const WordListEntrySink& entry)
{
    const WordListReadResult check = ParseJson(
        file.next, encoding_, [](std::string_view, std::string_view, std::uint64_t) { return true; });
    if (check.end != WordListEnd::Read)
        return check;
    file.rewind();
    examined_ = 0;
    return ParseJson(
        [&] {
            const std::string_view piece = file.next();
            examined_ += piece.size();
            return piece;
        },
        encoding_,
        [&](std::string_view word, std::string_view interpret, std::uint64_t line) {
            const auto made = entries_.Make(word, interpret, line);
            if (made && !entry(*made))
                return false;
            if (file.advanced)
                file.advanced();
            return true;
        });
}
