#include "wordlist/CheckedJsonReading.h"

#include "text/Utf8.h"

#include <string>
#include <vector>

namespace {

int HexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// The bytes a piece at a time; a token may span pieces.
class CheckedJson {
public:
    explicit CheckedJson(JsonEntryPicker& picker) : picker_(picker) {}

    // False once the picker ends the reading.
    bool Feed(std::string_view piece)
    {
        for (std::size_t i = 0; i < piece.size();) {
            if (in_ == In::String) {
                // Most of a list is the text inside strings: a run at a time.
                const std::size_t start = i;
                while (i < piece.size() && piece[i] != '"' && piece[i] != '\\')
                    ++i;
                text_.append(piece, start, i - start);
                if (i == piece.size())
                    break;
            }
            at_ = before_ + i;
            if (!Step(piece[i++]))
                return false;
        }
        before_ += piece.size();
        return true;
    }

    WordListFault Where() const { return {line_, at_}; }

private:
    enum class In { Between, String, Escape, Hex, Scalar, Mark };

    bool Step(char c)
    {
        switch (in_) {
        case In::Mark: // the byte-order mark's three bytes, or none
            if (static_cast<unsigned char>(c) == 0xEF || static_cast<unsigned char>(c) == 0xBB)
                return true;
            if (static_cast<unsigned char>(c) == 0xBF) {
                in_ = In::Between;
                return true;
            }
            in_ = In::Between;
            return Between(c);
        case In::String:
            if (c == '\\') {
                in_ = In::Escape;
                return true;
            }
            in_ = In::Between;
            return StringEnded();
        case In::Escape:
            return Escaped(c);
        case In::Hex:
            code_ = code_ << 4 | static_cast<char32_t>(HexValue(c));
            if (--hex_ == 0) {
                text_ += utf8::Encode(code_); // no surrogate: the check leaves those to the parser
                in_ = In::String;
            }
            return true;
        case In::Scalar:
            if (c == ',' || c == ']' || c == '}' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                in_ = In::Between;
                return Between(c);
            }
            return true;
        case In::Between:
            return Between(c);
        }
        return true;
    }

    bool Between(char c)
    {
        switch (c) {
        case '\n':
            ++line_;
            return true;
        case ' ':
        case '\t':
        case '\r':
        case ':':
            return true;
        case ',':
            keyNext_ = open_.back() == '{';
            return true;
        case '[':
        case '{':
            open_.push_back(c);
            keyNext_ = c == '{';
            return picker_.Open(c == '{', line_);
        case ']':
        case '}':
            open_.pop_back();
            return picker_.Close();
        case '"':
            in_ = In::String;
            isKey_ = keyNext_;
            keyNext_ = false;
            text_.clear();
            return true;
        default: // a number or a literal
            in_ = In::Scalar;
            return picker_.Value();
        }
    }

    bool StringEnded()
    {
        if (isKey_)
            return picker_.Key(text_);
        return picker_.String(text_);
    }

    bool Escaped(char c)
    {
        in_ = In::String;
        switch (c) {
        case 'b':
            text_ += '\b';
            break;
        case 'f':
            text_ += '\f';
            break;
        case 'n':
            text_ += '\n';
            break;
        case 'r':
            text_ += '\r';
            break;
        case 't':
            text_ += '\t';
            break;
        case 'u':
            in_ = In::Hex;
            hex_ = 4;
            code_ = 0;
            break;
        default: // '"', '\\' and '/' stand for themselves
            text_ += c;
        }
        return true;
    }

    JsonEntryPicker& picker_;
    In in_ = In::Mark;
    std::vector<char> open_; // "[" and "{" still open
    bool keyNext_ = false;   // the next string is a key
    bool isKey_ = false;     // the string being read is
    std::string text_;
    int hex_ = 0;
    char32_t code_ = 0;
    std::uint64_t line_ = 1;
    std::uint64_t before_ = 0; // bytes of the pieces before this one
    std::uint64_t at_ = 0;     // the byte being read
};

} // namespace

WordListReadResult ReadCheckedJson(const std::function<std::string_view()>& next,
                                   const JsonEntryPicker::Entry& entry)
{
    JsonEntryPicker picker(entry);
    CheckedJson bytes(picker);
    for (std::string_view piece = next(); !piece.empty() && bytes.Feed(piece); piece = next()) {
    }
    return {picker.end, bytes.Where()};
}
