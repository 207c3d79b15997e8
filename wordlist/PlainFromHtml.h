#pragma once
// The text of one field of a flash-card or spreadsheet list, made plain as it is read a byte at a
// time: <br>, <br/> and the boundaries of <div> blocks become CR LF, other tags are removed, and
// the entities &nbsp; &amp; &lt; &gt; &quot; and &#NNN; are decoded. A "<" that starts no tag
// (no letter, "/" or "!" after it) and an "&" that starts no known entity stay as they are. The
// text is trimmed as an entry of the own format is, and only its first `keep` bytes are kept, so
// a field of any length costs bounded memory.

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
    enum class State { Text, TagStart, Tag, Entity };
    void Emit(std::string_view text);
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
};
