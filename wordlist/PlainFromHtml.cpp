#include "wordlist/PlainFromHtml.h"

#include "text/GbkCodec.h"
#include "text/Utf8.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::size_t kNameKeep = 12; // longer than any tag name or entity looked for

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void PlainFromHtml::Emit(std::string_view text, bool literal)
{
    if (text_.empty()) {
        while (literal && !text.empty() && static_cast<unsigned char>(text.front()) <= 0x20)
            text.remove_prefix(1);
        breakDue_ = false; // a block boundary before any text makes no line
    }
    if (text.empty())
        return;
    if (breakDue_) {
        breakDue_ = false;
        Keep("\r\n");
    }
    Keep(text);
}

void PlainFromHtml::Keep(std::string_view text)
{
    if (text_.size() < keep_)
        text_.append(text.substr(0, keep_ - text_.size()));
}

void PlainFromHtml::AddRun(std::string_view run)
{
    while (!run.empty()) {
        if (state_ != State::Text) {
            Add(run.front());
            run.remove_prefix(1);
            continue;
        }
        const std::size_t markup = std::min({run.find('<'), run.find('&'), run.find('\\')});
        Emit(run.substr(0, markup));
        if (markup == std::string_view::npos)
            return;
        Add(run[markup]);
        run.remove_prefix(markup + 1);
    }
}

void PlainFromHtml::Add(char byte)
{
    switch (state_) {
    case State::Text:
        if (byte == '<')
            state_ = State::TagStart;
        else if (byte == '&')
            state_ = State::Entity;
        else if (byte == '\\')
            state_ = State::Backslash;
        else
            Emit({&byte, 1});
        return;
    case State::Backslash:
        state_ = State::Text;
        if (byte == 'n') {
            Emit("\r\n");
        } else {
            Emit("\\");
            Add(byte);
        }
        return;
    case State::TagStart:
        if (IsLetter(byte) || byte == '/' || byte == '!') {
            state_ = State::Tag;
            Add(byte);
        } else {
            state_ = State::Text;
            Emit("<");
            Add(byte);
        }
        return;
    case State::Tag:
        if (byte == '>') {
            EndTag();
            return;
        }
        // The name runs from a leading "/" to the first blank or "/" after it.
        if (name_.empty() && byte == '/' && !nameDone_) {
            name_ += '/';
        } else if (!nameDone_ && (IsLetter(byte) || (byte >= '0' && byte <= '9'))) {
            if (name_.size() < kNameKeep)
                name_ += Lower(byte);
        } else {
            nameDone_ = true;
        }
        return;
    case State::Entity:
        if (byte == ';') {
            EndEntity();
        } else if (name_.size() < kNameKeep &&
                   (IsLetter(byte) || (byte >= '0' && byte <= '9') || byte == '#')) {
            name_ += byte;
        } else {
            // No entity after all: what was held back is text.
            const std::string held = "&" + name_;
            name_.clear();
            state_ = State::Text;
            Emit(held);
            Add(byte);
        }
        return;
    }
}

void PlainFromHtml::EndTag()
{
    if (name_ == "br")
        Emit("\r\n");
    else if (name_ == "div" || name_ == "/div")
        breakDue_ = true;
    name_.clear();
    nameDone_ = false;
    state_ = State::Text;
}

void PlainFromHtml::EndEntity()
{
    std::string decoded;
    if (name_ == "nbsp")
        decoded = " "; // GBK holds no no-break space; a plain one keeps the words apart
    else if (name_ == "amp")
        decoded = "&";
    else if (name_ == "lt")
        decoded = "<";
    else if (name_ == "gt")
        decoded = ">";
    else if (name_ == "quot")
        decoded = "\"";
    else if (name_.size() > 1 && name_[0] == '#') {
        unsigned code = 0;
        const char* end = name_.data() + name_.size();
        const auto [at, error] = std::from_chars(name_.data() + 1, end, code);
        if (error == std::errc() && at == end && code > 0 && code <= 0x10FFFF &&
            (code < 0xD800 || code > 0xDFFF)) {
            decoded = utf8::Encode(code);
            if (encoding_ == WordListEncoding::Gbk && code >= 0x80)
                decoded = gbk::FromUtf8(decoded).value_or("\xFF");
        }
    }
    if (decoded.empty())
        decoded = "&" + name_ + ";";
    name_.clear();
    state_ = State::Text;
    Emit(decoded, false);
    kept_ = text_.size();
}

std::string_view PlainFromHtml::Text()
{
    if (state_ == State::TagStart)
        Emit("<");
    else if (state_ == State::Entity)
        Emit("&" + name_);
    else if (state_ == State::Backslash)
        Emit("\\");
    state_ = State::Text;
    name_.clear();
    while (text_.size() > kept_ && static_cast<unsigned char>(text_.back()) <= 0x20)
        text_.pop_back();
    return text_;
}

void PlainFromHtml::Clear()
{
    text_.clear();
    kept_ = 0;
    name_.clear();
    nameDone_ = false;
    breakDue_ = false;
    state_ = State::Text;
}
