#include "wordlist/JsonEntryPicker.h"

#include "wordlist/JsonReader.h"

#include <utility>

// A value at the top is no array.
bool JsonEntryPicker::Value()
{
    if (depth_ == 0) {
        end = WordListEnd::NotArray;
        return false;
    }
    return true;
}

bool JsonEntryPicker::String(std::string& text)
{
    if (depth_ == 2 && key_ == KeyIs::Name) {
        word_ = std::move(text);
        hasName_ = true;
    } else if (depth_ == 2 && key_ == KeyIs::Trans) {
        trans_ = std::move(text);
    } else if (depth_ == 3 && inTrans_) {
        if (!trans_.empty())
            trans_ += "\r\n";
        trans_ += text;
    }
    return Value();
}

bool JsonEntryPicker::Key(const std::string& name)
{
    if (depth_ == 2)
        key_ = name == "name" ? KeyIs::Name : name == "trans" ? KeyIs::Trans : KeyIs::Other;
    return true;
}

bool JsonEntryPicker::Open(bool object, std::uint64_t line)
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
        line_ = line;
        hasName_ = false;
        word_.clear();
        trans_.clear();
        key_ = KeyIs::Other;
    }
    if (depth_ == 3 && inElement_ && key_ == KeyIs::Trans) {
        inTrans_ = !object;
        trans_.clear();
    }
    return true;
}

bool JsonEntryPicker::Close()
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
