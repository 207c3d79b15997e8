#include "platform/Registry.h"

#include "platform/FileError.h"
#include "platform/InputFile.h"
#include "platform/KeyFileWriter.h"
#include "platform/ReplacingFile.h"
#include "platform/XdgFolders.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// True when text[i] and text[i + 1] form one GBK character, which is written and read whole: its
// second byte may be '\' and must not start an escape.
bool IsPair(std::string_view text, std::size_t i)
{
    return gbk::IsLead(text[i]) && i + 1 < text.size() && gbk::IsTrail(text[i + 1]);
}

std::string Escape(std::string_view bytes, bool isName)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char b = bytes[i];
        if (IsPair(bytes, i)) {
            out += bytes.substr(i++, 2);
        } else if (b == '\\') {
            out += "\\\\";
        } else if (b == '\n') {
            out += "\\n";
        } else if (b == '\r') {
            out += "\\r";
        } else if (b == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b == 0x7F || b == 0xFF || gbk::IsLead(b) || (isName && b == '=')) {
            // A lone lead byte written as it is would swallow the byte after it when read back.
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsPair(text, i)) {
            out += text.substr(i++, 2);
            continue;
        }
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            unsigned value = 0;
            const char* digits = text.data() + i + 1;
            if (i + 2 >= text.size() || std::from_chars(digits, digits + 2, value, 16).ptr != digits + 2)
                return std::nullopt;
            out += static_cast<char>(value);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

// Every write replaces the whole key, so the key on disk is always either the old or the new one.
// The new file is written here; a writer, where one lives, puts it in place.
void SaveAtomically(const fs::path& file, std::string text)
{
    auto replacement = std::make_unique<ReplacingFile>(file.string(), gbk::FromUtf8Lossy(file.string()));
    replacement->Write(text);
    KeyFileWriter::Save(file.string(), std::move(replacement), std::move(text));
}

// The key as saved last: content handed to the writer and not yet in place comes first.
WholeFile ReadKeyFile(const fs::path& file, std::string& text)
{
    if (auto pending = KeyFileWriter::Pending(file.string())) {
        text = std::move(*pending);
        return WholeFile::Read;
    }
    return ReadWholeFile(file.string(), text, kSmallFileLimit);
}

// Keeps a key file that could not be read under a name not yet taken. A second name for it leaves
// the file in place until the rewritten key replaces it, so the new file takes its permissions.
void SetAside(const fs::path& file)
{
    fs::path target = file.string() + ".unreadable";
    std::error_code ignored;
    for (int n = 2; fs::exists(fs::symlink_status(target, ignored)); ++n)
        target = file.string() + ".unreadable." + std::to_string(n);
    if (::linkat(AT_FDCWD, file.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0 || errno == ENOENT)
        return;
    if (::rename(file.c_str(), target.c_str()) != 0 && errno != ENOENT)
        throw FileError("Cannot keep aside the unreadable", gbk::FromUtf8Lossy(file.string()), errno);
}

} // namespace

std::optional<fs::path> Registry::KeyFile(std::string_view keyPath)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= keyPath.size();) {
        if (i == keyPath.size() || keyPath[i] == '\\') {
            if (i > start)
                parts.emplace_back(keyPath.substr(start, i - start));
            start = ++i;
        } else {
            i += gbk::IsLeadByte(keyPath, i) ? 2 : 1; // '\' can be a second byte
        }
    }
    if (!parts.empty() && gbk::EqualNoCase(parts.front(), "SOFTWARE"))
        parts.erase(parts.begin());
    if (parts.empty())
        return std::nullopt;
    for (const std::string& part : parts) {
        const bool unsafe = std::any_of(part.begin(), part.end(), [](char c) {
            return c == '/' || static_cast<unsigned char>(c) < 0x20;
        });
        if (unsafe || part == "." || part == "..")
            return std::nullopt;
    }
    auto file = ConfigFolder();
    if (!file)
        return std::nullopt;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        *file /= parts[i];
    return *file / (parts.back() + ".reg");
}

bool Registry::OpenKey(const std::string& keyPath, bool canCreate)
{
    CloseKey();
    const auto file = KeyFile(keyPath);
    if (!file)
        return false;
    std::string text;
    switch (ReadKeyFile(*file, text)) {
    case WholeFile::Missing: {
        if (!canCreate)
            return false;
        std::error_code error;
        fs::create_directories(file->parent_path(), error);
        if (error)
            return false;
        try {
            SaveAtomically(*file, Format(keyPath, values_));
        } catch (const std::runtime_error&) {
            return false;
        }
        break;
    }
    case WholeFile::Unreadable:
        setAside_ = true;
        break;
    case WholeFile::Read:
        if (!Parse(text, values_)) {
            values_.clear();
            setAside_ = true;
        }
        break;
    }
    file_ = *file;
    keyPath_ = keyPath;
    open_ = true;
    return true;
}

void Registry::CloseKey()
{
    file_.clear();
    keyPath_.clear();
    values_.clear();
    open_ = false;
    setAside_ = false;
}

bool Registry::ValueExists(std::string_view name) const
{
    return Find(values_, name) != values_.end();
}

std::optional<std::string> Registry::ReadString(std::string_view name) const
{
    const auto value = Find(values_, name);
    if (value == values_.end() || !std::holds_alternative<std::string>(value->data))
        return std::nullopt;
    return std::get<std::string>(value->data);
}

std::optional<std::int32_t> Registry::ReadInteger(std::string_view name) const
{
    const auto value = Find(values_, name);
    if (value == values_.end() || !std::holds_alternative<std::int32_t>(value->data))
        return std::nullopt;
    return std::get<std::int32_t>(value->data);
}

void Registry::WriteString(std::string_view name, std::string_view value)
{
    Write(name, std::string(value));
}

void Registry::WriteInteger(std::string_view name, std::int32_t value)
{
    Write(name, value);
}

void Registry::Write(std::string_view name, Data data)
{
    if (!open_)
        throw std::logic_error("No registry key is open");
    // Writing a value again unchanged leaves the key file alone: each save is a wait for the disk.
    const auto stored = Find(values_, name);
    if (!setAside_ && stored != values_.end() && stored->data == data)
        return;
    // The values in memory change only once they are on disk.
    std::vector<Value> values = values_;
    Put(values, name, std::move(data));
    if (setAside_) {
        SetAside(file_);
        setAside_ = false;
    }
    SaveAtomically(file_, Format(keyPath_, values));
    values_ = std::move(values);
}

std::vector<Registry::Value>::const_iterator Registry::Find(const std::vector<Value>& values,
                                                            std::string_view name)
{
    return std::find_if(values.begin(), values.end(),
                        [name](const Value& value) { return gbk::EqualNoCase(value.name, name); });
}

void Registry::Put(std::vector<Value>& values, std::string_view name, Data data)
{
    const auto found = Find(values, name);
    if (found == values.end())
        values.push_back({std::string(name), std::move(data)});
    else
        values[static_cast<std::size_t>(found - values.begin())].data = std::move(data);
}

bool Registry::Parse(std::string_view text, std::vector<Value>& values)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') // an edit that left a CR LF line end
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t space = line.find(' ');
        const std::size_t equals = line.find('=', space);
        if (equals == std::string_view::npos)
            return false;
        const std::string_view type = line.substr(0, space);
        const std::string_view data = line.substr(equals + 1);
        const auto name = Unescape(line.substr(space + 1, equals - space - 1));
        if (!name)
            return false;
        if (type == "string") {
            auto textValue = Unescape(data);
            if (!textValue)
                return false;
            Put(values, *name, std::move(*textValue));
        } else if (type == "integer") {
            std::int32_t number = 0;
            const auto [last, error] = std::from_chars(data.data(), data.data() + data.size(), number);
            if (error != std::errc() || last != data.data() + data.size())
                return false;
            Put(values, *name, number);
        } else {
            return false;
        }
    }
    return true;
}

std::string Registry::Format(const std::string& keyPath, const std::vector<Value>& values)
{
    // An opened key path holds no control bytes, so it fits on the comment line as it is.
    std::string text = "# Registry key " + keyPath +
                       "\n# One value a line: string NAME=TEXT or integer NAME=NUMBER;"
                       " \\\\ \\n \\r \\t \\xHH stand for single bytes.\n";
    for (const Value& value : values) {
        if (const auto* textValue = std::get_if<std::string>(&value.data))
            text += "string " + Escape(value.name, true) + "=" + Escape(*textValue, false) + "\n";
        else
            text += "integer " + Escape(value.name, true) + "=" +
                    std::to_string(std::get<std::int32_t>(value.data)) + "\n";
    }
    return text;
}
