#pragma once
// A file written under a temporary name beside its final one and moved over it only when it is
// complete, so a write that fails midway (disk full, no permission) leaves a file already there as
// it was. Errors throw std::runtime_error with the system's reason and the file's name.

#include <string>
#include <string_view>

class ReplacingFile {
public:
    // Creates the temporary file. `nameForMessages` is the name the error texts show.
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

    std::string target_;
    std::string temp_;
    std::string name_;
    int fd_ = -1;
};
