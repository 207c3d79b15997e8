#pragma once
// UTF-8 to GBK for many short texts (the entries of a word list): a call of iconv costs more than
// the characters of a short text, so every character of the Basic Multilingual Plane is converted
// by iconv once, into a table, and texts are then converted by looking their characters up.
// GBK holds no character beyond that plane.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Utf8ToGbkTable {
public:
    // The table of the process, made on first use.
    static const Utf8ToGbkTable& Get();

    // Appends the GBK bytes of the longest start of `utf8` that converts; true when that is all of
    // it (false at the first character GBK cannot hold or the first byte that is no valid UTF-8).
    bool Convert(std::string_view utf8, std::string& out) const;
    // Appends the GBK bytes of all of `utf8`, each character GBK cannot hold and each run of bytes
    // that is no valid UTF-8 written as `replacement`; returns how many were replaced.
    std::size_t ConvertReplacing(std::string_view utf8, std::string& out, std::string_view replacement) const;

private:
    Utf8ToGbkTable();

    // Per code point: 0 when GBK cannot hold it, below 0x100 a one-byte code, else two bytes.
    std::vector<std::uint16_t> codes_;
};
