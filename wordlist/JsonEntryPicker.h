#pragma once
// Picks a JSON word list's entries out of its events (values, keys, arrays and objects opened and
// closed, in the file's order), whoever reads the file: each element of the top array that is an
// object with a string "name" is an entry; its "trans" is a string as it is, or an array's strings
// joined by CR LF. Any other shape of element is passed over.

#include "wordlist/WordListReader.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class JsonEntryPicker {
public:
    // Receives each word, its explanation (UTF-8, uncut) and the line its element began on; false
    // stops the reading.
    using Entry = std::function<bool(std::string_view, std::string_view, std::uint64_t)>;

    explicit JsonEntryPicker(const Entry& entry) : entry_(entry) {}

    // Where the events ended the reading; Read while they did not.
    WordListEnd end = WordListEnd::Read;

    // Each false when the reading ends here (see `end`).
    bool Value();
    bool String(std::string& text);
    bool Key(const std::string& name);
    bool Open(bool object, std::uint64_t line);
    bool Close();

private:
    enum class KeyIs { Other, Name, Trans };

    const Entry& entry_;
    std::uint64_t line_ = 0; // where the element being read began
    int depth_ = 0;
    bool inElement_ = false;
    bool inTrans_ = false;
    bool hasName_ = false;
    KeyIs key_ = KeyIs::Other;
    std::string word_;
    std::string trans_;
};
