#pragma once
// A file written under a temporary name beside its final one and moved over it only when it is
// complete and on disk, the move itself flushed through the folder: a write that fails midway
// (disk full, no permission) leaves a file already there as it was, and after a crash the file is
// either the old one or the new one. Errors throw std::runtime_error with the file's name and the
// system's reason.

#include <string>
#include <string_view>

class ReplacingFile {
public:
    // Creates the temporary file. `nameForMessages` is the name the error texts show. A path that
    // is a link replaces the file it leads to and keeps the link.
    ReplacingFile(const std::string& path, std::string nameForMessages);
    // Removes the temporary file unless the new file was put in place.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void Write(std::string_view bytes);
    // Puts the complete file on disk under its final name.
    void Commit();

private:
    [[noreturn]] void Fail(const char* what, int error);
    void FlushFolder();

    std::string target_;
    std::string temp_;
    std::string name_;
    int fd_ = -1;
};
