#include "wordlist/WordListWriter.h"

#include "text/GbkCodec.h"
#include "wordlist/ColumnNames.h"
#include "wordlist/WordListFormat.h"

#include <vector>

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

void AppendEntity(std::string& out, unsigned char byte)
{
    out += "&#" + std::to_string(byte) + ';';
}

// A field of a tab-separated or CSV list, in UTF-8, as their readers make it plain again: "&", "<"
// and ">" as entities, a backslash before "n" too (the readers take "\n" for a line break), and the
// blanks at either end (the readers trim the ones written as they are); every line break within
// as `lineBreak`. `quotes` writes double quotes as entities, for a format that has no quoting.
std::string HtmlField(std::string_view gbk, std::string_view lineBreak, bool quotes, bool escapeFirst = false)
{
    const std::string text = gbk::ToUtf8(gbk);
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    std::size_t last = text.size();
    while (last > first && IsBlank(text[last - 1]))
        --last;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool atEnd = i < first || i >= last;
        if ((c == '\r' || c == '\n') && !atEnd) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += lineBreak;
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (atEnd || (escapeFirst && i == first) || (quotes && c == '"') ||
                   (c == '\\' && i + 1 < text.size() && text[i + 1] == 'n') || c == '\t' ||
                   static_cast<unsigned char>(c) < 0x20) {
            AppendEntity(out, static_cast<unsigned char>(c));
        } else {
            out += c;
        }
    }
    return out;
}

class OwnWriter : public WordListWriter {
public:
    void Append(std::string& out, std::string_view word, std::string_view interpret) override
    {
        AppendWordListLine(out, word, interpret);
    }
};

class TabSeparatedWriter : public WordListWriter {
public:
    void Begin(std::string& out) override { out += "#separator:tab\n"; }
    void Append(std::string& out, std::string_view word, std::string_view interpret) override
    {
        // A first row that a reader would take for column names, or a "#" header line, is not.
        const std::string plainWord = gbk::ToUtf8(word);
        const bool looksLikeHeader =
            first_ && ColumnsNamedBy({plainWord, gbk::ToUtf8(interpret)}, WordListEncoding::Utf8).has_value();
        first_ = false;
        out += HtmlField(word, "<br>", true, looksLikeHeader || plainWord.starts_with('#'));
        out += '\t';
        out += HtmlField(interpret, "<br>", true);
        out += '\n';
    }

private:
    bool first_ = true;
};

class CommaSeparatedWriter : public WordListWriter {
public:
    void Begin(std::string& out) override { out += "word,translation\r\n"; }
    void Append(std::string& out, std::string_view word, std::string_view interpret) override
    {
        AppendQuoted(out, HtmlField(word, "\r\n", false));
        out += ',';
        AppendQuoted(out, HtmlField(interpret, "\r\n", false));
        out += "\r\n";
    }

private:
    // RFC 4180: a field with a delimiter, a line break or a quote goes in quotes, its quotes doubled.
    static void AppendQuoted(std::string& out, const std::string& field)
    {
        if (field.find_first_of(",\r\n\"") == std::string::npos) {
            out += field;
            return;
        }
        out += '"';
        for (const char c : field)
            out += c == '"' ? std::string("\"\"") : std::string(1, c);
        out += '"';
    }
};

class JsonWriter : public WordListWriter {
public:
    void Begin(std::string& out) override { out += '['; }
    void Append(std::string& out, std::string_view word, std::string_view interpret) override
    {
        out += first_ ? "\n" : ",\n";
        first_ = false;
        out += R"({"name": )";
        AppendString(out, gbk::ToUtf8(word));
        out += R"(, "trans": [)";
        const std::string text = gbk::ToUtf8(interpret);
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find("\r\n", start);
            AppendString(out, std::string_view(text).substr(start, end - start));
            if (end == std::string::npos)
                break;
            out += ", ";
            start = end + 2;
        }
        out += "]}";
    }
    void End(std::string& out) override { out += first_ ? "]\n" : "\n]\n"; }

private:
    static void AppendString(std::string& out, std::string_view text)
    {
        static constexpr char kHex[] = "0123456789abcdef";
        out += '"';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (byte < 0x20) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += c;
            }
        }
        out += '"';
    }

    bool first_ = true;
};

} // namespace

void WordListWriter::Begin(std::string&) {}

void WordListWriter::End(std::string&) {}

std::unique_ptr<WordListWriter> MakeWordListWriter(WordListFileKind kind)
{
    switch (kind) {
    case WordListFileKind::Tsv:
        return std::make_unique<TabSeparatedWriter>();
    case WordListFileKind::Csv:
        return std::make_unique<CommaSeparatedWriter>();
    case WordListFileKind::Json:
        return std::make_unique<JsonWriter>();
    default:
        return std::make_unique<OwnWriter>();
    }
}
