#pragma once
// A file written without a name (or, where the file system cannot do that, under a temporary name)
// beside its final one and moved over it only when it is complete and on disk, the move itself
// flushed through the folder: a write that fails midway (disk full, no permission) leaves a file
// already there as it was, after a crash the file is either the old one or the new one, and a
// kill while it is written leaves nothing behind (killed in the instant between its passing name
// and its final one, it leaves the passing name, which the file's next replacement clears). Errors
// throw std::runtime_error with the file's name and the system's reason.

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
    // `folderIsOurs`: no other commit in the folder runs until this one ends.
    void NameNamelessFile(bool folderIsOurs);

    std::string target_;
    std::string temp_; // the file's name until it takes the target's; empty while it has none
    std::string name_;
    int fd_ = -1;
};
