#include "wordlist/JsonParsing.h"

#include "text/GbkCodec.h"
#include "text/GbkText.h"
#include "wordlist/JsonEntryPicker.h"
#include "wordlist/JsonReader.h"

#include <cstddef>
#include <istream>
#include <nlohmann/json.hpp>
#include <streambuf>
#include <string>

namespace {

// The file's bytes for the parser, in UTF-8 (a GBK file converted as it goes), a piece at a time
// through a stream buffer, which the parser reads fastest. It ends the input early where a single
// token grows past the limit, which keeps the parser's token buffer bounded, and tells the line
// and offset the parser has read up to, for the fault message and the element's line.
class JsonInput : public std::streambuf {
public:
    JsonInput(const std::function<std::string_view()>& next, WordListEncoding encoding)
        : next_(next), encoding_(encoding)
    {
    }

    bool TooLong() const { return tooLong_ && gptr() == egptr(); }
    WordListFault Where()
    {
        CountLinesTo(gptr());
        return {line_, before_ + static_cast<std::uint64_t>(gptr() - eback())};
    }

protected:
    int_type underflow() override
    {
        if (tooLong_)
            return traits_type::eof();
        CountLinesTo(egptr());
        before_ += static_cast<std::uint64_t>(egptr() - eback());
        if (!Refill())
            return traits_type::eof();
        char* begin = out_.data();
        setg(begin, begin, begin + Watch(out_));
        counted_ = begin;
        return traits_type::to_int_type(*gptr());
    }

private:
    void CountLinesTo(const char* end)
    {
        for (; counted_ && counted_ < end; ++counted_)
            line_ += *counted_ == '\n';
    }
    bool Refill()
    {
        out_.clear();
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
    // How much of the new bytes the parser may have: all of them, or up to the byte with which a
    // token (a string, or a run of bytes outside strings that are neither blanks nor structure)
    // grows past the limit.
    std::size_t Watch(std::string_view bytes)
    {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            bool counts = true;
            if (inString_) {
                if (escaped_)
                    escaped_ = false;
                else if (c == '\\')
                    escaped_ = true;
                else if (c == '"')
                    inString_ = false;
            } else if (c == '"') {
                inString_ = true;
                run_ = 0;
                counts = false;
            } else if (c == '[' || c == ']' || c == '{' || c == '}' || c == ',' || c == ':' || c == ' ' ||
                       c == '\t' || c == '\r' || c == '\n') {
                run_ = 0;
                counts = false;
            }
            if (counts && ++run_ > kJsonTokenLimit) {
                tooLong_ = true;
                return i + 1;
            }
        }
        return bytes.size();
    }

    const std::function<std::string_view()>& next_;
    WordListEncoding encoding_;
    std::string_view in_;
    std::string held_;
    std::string out_;
    std::size_t run_ = 0;
    bool inString_ = false;
    bool escaped_ = false;
    bool tooLong_ = false;
    const char* counted_ = nullptr; // lines are counted up to here
    std::uint64_t line_ = 1;
    std::uint64_t before_ = 0; // the bytes of the buffers before this one
};

using Json = nlohmann::json;

// Hands the parser's events to the picker, with the line each one begins on.
class EntryEvents : public nlohmann::json_sax<Json> {
public:
    EntryEvents(JsonEntryPicker& picker, JsonInput& bytes) : picker_(picker), bytes_(bytes) {}

    bool null() override { return picker_.Value(); }
    bool boolean(bool) override { return picker_.Value(); }
    bool number_integer(number_integer_t) override { return picker_.Value(); }
    bool number_unsigned(number_unsigned_t) override { return picker_.Value(); }
    bool number_float(number_float_t, const string_t&) override { return picker_.Value(); }
    bool binary(binary_t&) override { return picker_.Value(); }
    bool string(string_t& text) override { return picker_.String(text); }
    bool start_object(std::size_t) override { return picker_.Open(true, bytes_.Where().line); }
    bool start_array(std::size_t) override { return picker_.Open(false, bytes_.Where().line); }
    bool key(string_t& name) override { return picker_.Key(name); }
    bool end_object() override { return picker_.Close(); }
    bool end_array() override { return picker_.Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override
    {
        if (picker_.end == WordListEnd::Read)
            picker_.end = WordListEnd::Broken;
        return false;
    }

private:
    JsonEntryPicker& picker_;
    JsonInput& bytes_;
};

} // namespace

WordListReadResult
ParseJson(const std::function<std::string_view()>& next, WordListEncoding encoding,
          const std::function<bool(std::string_view, std::string_view, std::uint64_t)>& entry)
{
    JsonInput bytes(next, encoding);
    std::istream stream(&bytes);
    JsonEntryPicker picker(entry);
    EntryEvents events(picker, bytes);
    Json::sax_parse(stream, &events);
    if (bytes.TooLong())
        picker.end = WordListEnd::TooLong;
    return {picker.end, bytes.Where()};
}
