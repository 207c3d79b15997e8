#pragma once
// A quick look through a UTF-8 JSON file, before its entries are read, that tells a file the
// parser surely reads through: one array, nothing after it but blanks, strings of valid UTF-8
// with valid escapes, numbers and literals as JSON writes them, nesting and single values within
// the reader's limits. It reads each byte once and keeps no text, so it costs a small part of a
// parse. Whatever it is not sure of (a fault, a lone surrogate escape, anything unusual) is left
// to the parser, which then finds the fault and where it lies.

#include <cstddef>
#include <string_view>
#include <vector>

class JsonShapeCheck {
public:
    JsonShapeCheck(std::size_t tokenLimit, int depthLimit) : tokenLimit_(tokenLimit), depthLimit_(depthLimit)
    {
    }

    // The file's next piece; false once the file is no longer surely whole.
    bool Feed(std::string_view piece);
    // After the last piece: true when the file is surely one whole array.
    bool Whole() const;

private:
    enum class Expect {
        FirstValue,   // the file's start: an array
        Value,        // after "[" or ",", or ":"
        ValueOrClose, // just after "["
        Key,          // after "," in an object
        KeyOrClose,   // just after "{"
        Colon,
        CommaOrClose,
        Done, // the array has closed: blanks only
    };
    enum class Token { None, String, Escape, Hex, Number, Literal };

    bool Step(unsigned char byte);
    bool StartValue(unsigned char byte);
    bool EndValue();
    bool StringByte(unsigned char byte);
    bool NumberByte(unsigned char byte, bool& ended);

    std::size_t tokenLimit_;
    int depthLimit_;
    std::vector<char> open_; // "[" and "{" still open
    Expect expect_ = Expect::FirstValue;
    Token token_ = Token::None;
    bool key_ = false;       // the string being read is a key
    std::size_t length_ = 0; // of the token being read
    int due_ = 0;            // UTF-8 continuation bytes still due in a string
    unsigned char low_ = 0x80;
    unsigned char high_ = 0xBF;
    int hex_ = 0;              // hex digits of a \u escape still due
    unsigned code_ = 0;        // the escape's code unit
    int number_ = 0;           // where a number is in its grammar (see NumberByte)
    std::string_view literal_; // what a literal still has to spell
    std::size_t mark_ = 0;     // bytes of a UTF-8 byte-order mark at the file's start, which the parser skips
    bool sure_ = true;
};
