#pragma once
// Read-only access to an ini file, following the rules of the system's private-profile reader:
// - "[name]" starts a section; "key=value" lines belong to the section above them; lines whose
//   first non-blank byte is ';' are comments; lines ending in LF or CR LF;
// - section and key names compare without case (single-byte a-z only, GBK characters as they are);
// - blanks (bytes 0x20 and below) around names and values are removed, then one pair of matching
//   surrounding quotes (" or ') is removed from the value;
// - a value is at most MaxValueBytes bytes, cut so that no two-byte character is split;
// - a missing file, section or key gives the default; a key present with an empty value gives "".
// The first matching key in the file wins. Bytes are GBK and pass through untouched.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

class IniFile {
public:
    // The reader's 2048-byte buffer keeps one byte for the terminating zero.
    static constexpr std::size_t MaxValueBytes = 2047;

    // Reads the whole file now; a file that cannot be read behaves as an empty one.
    explicit IniFile(const std::filesystem::path& path);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // The program's own ini file: its full path with the extension replaced by ".ini"
    // ("/opt/x/DoRori" -> "/opt/x/DoRori.ini", "DoRori.bin" -> "DoRori.ini").
    static std::filesystem::path PathForProgram(const std::filesystem::path& programFilePath);

private:
    std::string text_;
};
