#pragma once
// The text of one field of a flash-card or spreadsheet list, made plain as it is read a byte at a
// time: <br>, <br/>, the boundaries of <div> blocks and the two characters "\n" become CR LF,
// other tags are removed, and the entities &nbsp; &amp; &lt; &gt; &quot; and &#NNN; are decoded.
// A "<" that starts no tag (no letter, "/" or "!" after it) and an "&" that starts no known entity
// stay as they are. The blanks at both ends of the field are removed, but not those an entity
// wrote; only the first `keep` bytes are kept, so a field of any length costs bounded memory.
// In a GBK field, an entity of a character GBK cannot hold is written as the byte 0xFF, which no
// GBK text holds, so that the entry maker stores and counts it as a character GBK cannot hold.

#include "wordlist/WordListEncoding.h"

#include <string>
#include <string_view>

class PlainFromHtml {
public:
    PlainFromHtml(WordListEncoding encoding, std::size_t keep) : encoding_(encoding), keep_(keep) {}

    void Add(char byte);
    // Bytes of the field that hold no line break: the same as adding them one by one.
    void AddRun(std::string_view run);
    // The field's plain text, valid until Clear, which makes the object ready for the next field.
    std::string_view Text();
    void Clear();

private:
    enum class State { Text, TagStart, Tag, Entity, Backslash };
    // `literal` text loses its blanks at the field's start; an entity's never does.
    void Emit(std::string_view text, bool literal = true);
    void Keep(std::string_view text);
    void EndTag();
    void EndEntity();

    WordListEncoding encoding_;
    std::size_t keep_;
    State state_ = State::Text;
    std::string text_;
    std::string name_; // the tag's name or the entity's body, cut short
    bool nameDone_ = false;
    bool breakDue_ = false; // a block began or ended after some text
    std::size_t kept_ = 0;  // the text up to here ends in what an entity wrote, blanks included
};
