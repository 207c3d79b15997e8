#pragma once
// Typed values (text and signed 32-bit numbers) kept per key, in place of the system registry.
//
// Where a key lives: the key path is split at '\'; empty parts and a leading "SOFTWARE" (any case)
// are dropped; the remaining parts but the last are folders and the last is a file "<last>.reg",
// all under the user's configuration folder ($XDG_CONFIG_HOME when it is an absolute path, else
// $HOME/.config):
//     \SOFTWARE\ZYSOFT\DoRori  ->  <config>/ZYSOFT/DoRori.reg
// Parts keep their spelling (file names are case-sensitive); a path with no part left, or a part
// that is "." or ".." or holds '/' or a byte below 0x20, cannot be opened. Paths with and without
// the leading '\' name the same key: there is no current key to be relative to.
//
// The file is GBK text, one value per line, LF line ends; lines starting with '#' are comments:
//     string QueryWord=apple
//     integer D_R_W_C=20
// In names and texts the bytes '\', LF, CR and TAB are written \\ \n \r \t; other bytes below
// 0x20, 0x7F, 0xFF and a GBK lead byte not followed by a valid second byte are written \xHH; in a
// name '=' is written \x3D. Everything else, GBK characters included, is written as it is, so the
// file stays readable and every byte string, NUL included, comes back exactly.
//
// Value names compare without case (single-byte a-z), as in the registry; a rewritten value keeps
// the spelling it was first written with.
//
// Reading a value as the wrong type (a number as text or text as a number) gives nothing, just as
// a missing value does; ValueExists still reports true for it, since the value is there.
//
// A key file that cannot be read or parsed, or that is larger than kSmallFileLimit (1 MB), opens
// as an empty key. It is never overwritten: before the first write it is kept under the name
// "<file>.unreadable" (or "<file>.unreadable.2", ... when that is taken), so the values in it can
// still be recovered by hand; the rewritten key keeps its permissions.
//
// Every write saves the whole key to a temporary file beside it, flushes it to disk and renames it
// over the old file, so the key on disk is always either the old or the new one. Write failures
// throw std::runtime_error with the system's reason. While a KeyFileWriter lives, the flush and the
// rename are its thread's work, and keys are read as last saved.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class Registry {
public:
    // Opens the key, closing any key open before. Without canCreate a missing key is not opened;
    // with it the folders and an empty key file are created. False when the key cannot be opened
    // or created.
    bool OpenKey(const std::string& keyPath, bool canCreate);
    // The file that holds the key; nothing when the path names no key.
    static std::optional<std::filesystem::path> KeyFile(std::string_view keyPath);
    void CloseKey();

    bool ValueExists(std::string_view name) const;
    std::optional<std::string> ReadString(std::string_view name) const;
    std::optional<std::int32_t> ReadInteger(std::string_view name) const;

    // Throw std::logic_error when no key is open, std::runtime_error when the key cannot be saved.
    void WriteString(std::string_view name, std::string_view value);
    void WriteInteger(std::string_view name, std::int32_t value);

private:
    using Data = std::variant<std::string, std::int32_t>;
    struct Value {
        std::string name;
        Data data;
    };

    void Write(std::string_view name, Data data);
    static std::vector<Value>::const_iterator Find(const std::vector<Value>& values, std::string_view name);
    static void Put(std::vector<Value>& values, std::string_view name, Data data);
    static bool Parse(std::string_view text, std::vector<Value>& values);
    static std::string Format(const std::string& keyPath, const std::vector<Value>& values);

    std::filesystem::path file_;
    std::string keyPath_;
    std::vector<Value> values_;
    bool open_ = false;
    bool setAside_ = false; // the file on disk could not be read: move it away before writing
};
