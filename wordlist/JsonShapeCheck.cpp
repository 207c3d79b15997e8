#include "wordlist/JsonShapeCheck.h"

#include "text/Utf8.h"

namespace {

bool IsBlank(unsigned char byte)
{
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r';
}

bool IsDigit(unsigned char byte)
{
    return byte >= '0' && byte <= '9';
}

int HexValue(unsigned char byte)
{
    if (IsDigit(byte))
        return byte - '0';
    if (byte >= 'a' && byte <= 'f')
        return byte - 'a' + 10;
    if (byte >= 'A' && byte <= 'F')
        return byte - 'A' + 10;
    return -1;
}

// The places of a number's grammar: -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
enum NumberAt { kAfterMinus, kAfterZero, kInteger, kAfterPoint, kFraction, kAfterE, kAfterSign, kExponent };

bool MayEnd(int at)
{
    return at == kAfterZero || at == kInteger || at == kFraction || at == kExponent;
}

} // namespace

bool JsonShapeCheck::Feed(std::string_view piece)
{
    static constexpr std::string_view kMark = "\xEF\xBB\xBF";
    std::size_t i = 0;
    for (; mark_ < kMark.size() && i < piece.size() && piece[i] == kMark[mark_]; ++i)
        ++mark_;
    if (mark_ > 0 && mark_ < kMark.size() && i < piece.size())
        sure_ = false; // the start of a mark, and then something else
    if (i < piece.size())
        mark_ = kMark.size();
    while (sure_ && i < piece.size()) {
        // Most of a list is the text inside strings: whole characters go at once.
        if (token_ == Token::String && due_ == 0) {
            const std::size_t start = i;
            while (i < piece.size()) {
                const auto byte = static_cast<unsigned char>(piece[i]);
                const std::size_t length = byte >= 0x20 && byte != '"' && byte != '\\'
                                               ? (byte < 0x80 ? 1 : utf8::SequenceAt(piece, i))
                                               : 0;
                if (length == 0)
                    break;
                i += length;
            }
            length_ += i - start;
            if (length_ >= tokenLimit_)
                sure_ = false;
            if (i == piece.size() || !sure_)
                break;
        }
        sure_ = Step(static_cast<unsigned char>(piece[i++]));
    }
    return sure_;
}

bool JsonShapeCheck::Whole() const
{
    return sure_ && expect_ == Expect::Done && token_ == Token::None;
}

bool JsonShapeCheck::Step(unsigned char byte)
{
    switch (token_) {
    case Token::String:
    case Token::Escape:
    case Token::Hex:
        return StringByte(byte);
    case Token::Literal:
        if (byte != static_cast<unsigned char>(literal_.front()))
            return false;
        literal_.remove_prefix(1);
        if (literal_.empty()) {
            token_ = Token::None;
            return EndValue();
        }
        return true;
    case Token::Number: {
        bool ended = false;
        if (!NumberByte(byte, ended))
            return false;
        if (!ended)
            return true;
        token_ = Token::None;
        if (!EndValue())
            return false;
        break; // the byte after the number is read as such
    }
    case Token::None:
        break;
    }
    if (IsBlank(byte))
        return true;
    switch (expect_) {
    case Expect::FirstValue:
        return byte == '[' && StartValue(byte);
    case Expect::Value:
        return StartValue(byte);
    case Expect::ValueOrClose:
        if (byte == ']') {
            open_.pop_back();
            return EndValue();
        }
        return StartValue(byte);
    case Expect::KeyOrClose:
        if (byte == '}') {
            open_.pop_back();
            return EndValue();
        }
        [[fallthrough]];
    case Expect::Key:
        if (byte != '"')
            return false;
        token_ = Token::String;
        key_ = true;
        length_ = 0;
        return true;
    case Expect::Colon:
        expect_ = Expect::Value;
        return byte == ':';
    case Expect::CommaOrClose:
        if (byte == ',') {
            expect_ = open_.back() == '[' ? Expect::Value : Expect::Key;
            return true;
        }
        if ((byte == ']' && open_.back() == '[') || (byte == '}' && open_.back() == '{')) {
            open_.pop_back();
            return EndValue();
        }
        return false;
    case Expect::Done:
        return false;
    }
    return false;
}

bool JsonShapeCheck::StartValue(unsigned char byte)
{
    length_ = 0;
    switch (byte) {
    case '[':
    case '{':
        open_.push_back(static_cast<char>(byte));
        expect_ = byte == '[' ? Expect::ValueOrClose : Expect::KeyOrClose;
        return static_cast<int>(open_.size()) <= depthLimit_;
    case '"':
        token_ = Token::String;
        key_ = false;
        return true;
    case 't':
        literal_ = "rue";
        break;
    case 'f':
        literal_ = "alse";
        break;
    case 'n':
        literal_ = "ull";
        break;
    default:
        if (byte != '-' && !IsDigit(byte))
            return false;
        token_ = Token::Number;
        number_ = byte == '-' ? kAfterMinus : byte == '0' ? kAfterZero : kInteger;
        length_ = 1;
        return true;
    }
    token_ = Token::Literal;
    return true;
}

bool JsonShapeCheck::EndValue()
{
    expect_ = open_.empty() ? Expect::Done : Expect::CommaOrClose;
    return true;
}

bool JsonShapeCheck::StringByte(unsigned char byte)
{
    if (++length_ >= tokenLimit_)
        return false;
    if (token_ == Token::Escape) {
        if (byte == 'u') {
            token_ = Token::Hex;
            hex_ = 4;
            code_ = 0;
            return true;
        }
        token_ = Token::String;
        return byte == '"' || byte == '\\' || byte == '/' || byte == 'b' || byte == 'f' || byte == 'n' ||
               byte == 'r' || byte == 't';
    }
    if (token_ == Token::Hex) {
        const int value = HexValue(byte);
        if (value < 0)
            return false;
        code_ = code_ << 4 | static_cast<unsigned>(value);
        if (--hex_ > 0)
            return true;
        token_ = Token::String;
        return code_ < 0xD800 || code_ > 0xDFFF; // surrogate pairs are left to the parser
    }
    if (due_ > 0) {
        if (byte < low_ || byte > high_)
            return false;
        --due_;
        low_ = 0x80;
        high_ = 0xBF;
        return true;
    }
    if (byte == '"') {
        token_ = Token::None;
        if (key_) {
            expect_ = Expect::Colon;
            return true;
        }
        return EndValue();
    }
    if (byte == '\\') {
        token_ = Token::Escape;
        return true;
    }
    if (byte < 0x20)
        return false;
    if (byte >= 0x80) {
        const utf8::Lead lead = utf8::LeadOf(byte);
        due_ = lead.due;
        low_ = lead.low;
        high_ = lead.high;
        return lead.due > 0;
    }
    return true;
}

bool JsonShapeCheck::NumberByte(unsigned char byte, bool& ended)
{
    if (++length_ >= tokenLimit_)
        return false;
    const bool digit = IsDigit(byte);
    switch (number_) {
    case kAfterMinus:
        number_ = byte == '0' ? kAfterZero : kInteger;
        return digit;
    case kAfterZero:
    case kInteger:
        if (digit && number_ == kInteger)
            return true;
        if (byte == '.') {
            number_ = kAfterPoint;
            return true;
        }
        break;
    case kAfterPoint:
        number_ = kFraction;
        return digit;
    case kFraction:
        if (digit)
            return true;
        break;
    case kAfterE:
        number_ = kAfterSign;
        if (byte == '+' || byte == '-')
            return true;
        number_ = kExponent;
        return digit;
    case kAfterSign:
        number_ = kExponent;
        return digit;
    case kExponent:
        if (digit)
            return true;
        break;
    }
    if ((byte == 'e' || byte == 'E') &&
        (number_ == kAfterZero || number_ == kInteger || number_ == kFraction)) {
        number_ = kAfterE;
        return true;
    }
    // Anything else ends a number that may end here, and is read as what it is.
    ended = MayEnd(number_) && !digit;
    return ended;
}
