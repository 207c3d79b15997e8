#pragma once
// Reading files: a file read piece by piece (an import) and a small file read whole (a registry
// key). Reads interrupted by a signal are taken up again.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class InputFile {
public:
    // Opens the file for reading. `nameForMessages` is the name the error texts show; failures
    // throw std::runtime_error with it and the system's reason. Only a regular file is opened: a
    // device, a pipe or a folder is refused.
    InputFile(const std::string& path, std::string nameForMessages);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The size when the file was opened.
    std::uint64_t Size() const { return size_; }
    // The next bytes into `buffer`; an empty view at the end of the file.
    std::string_view Read(std::vector<char>& buffer);
    // Back to the first byte.
    void Rewind();

private:
    std::string name_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

enum class WholeFile { Missing, Unreadable, Read };

// Settings and titles files hold a few lines: one larger than this is not theirs, and reading it
// whole at every start and close would cost its size in memory and time.
constexpr std::size_t kSmallFileLimit = 1 << 20;

// Appends the file's bytes to `text`. Missing when neither the file nor its folder exists;
// Unreadable when it exists but cannot be read to its end (no permission, an I/O error), is not a
// regular file (a folder, a device, a pipe) or holds more than `maxBytes` bytes.
WholeFile ReadWholeFile(const std::string& path, std::string& text, std::size_t maxBytes);
