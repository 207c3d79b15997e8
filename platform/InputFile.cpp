#include "platform/InputFile.h"

#include "platform/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

int OpenForReading(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

// Bytes read, 0 at the end, -1 on an error other than an interrupting signal.
ssize_t ReadSome(int fd, char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

InputFile::InputFile(const std::string& path, std::string nameForMessages) : name_(std::move(nameForMessages))
{
    fd_ = OpenForReading(path);
    if (fd_ < 0)
        throw FileError("Cannot open file", name_, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        throw FileError("Cannot open file", name_, error);
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
}

InputFile::~InputFile()
{
    ::close(fd_);
}

std::string_view InputFile::Read(std::vector<char>& buffer)
{
    const ssize_t n = ReadSome(fd_, buffer.data(), buffer.size());
    if (n < 0)
        throw FileError("Cannot read file", name_, errno);
    return std::string_view(buffer.data(), static_cast<std::size_t>(n));
}

WholeFile ReadWholeFile(const std::string& path, std::string& text)
{
    const int fd = OpenForReading(path);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? WholeFile::Missing : WholeFile::Unreadable;
    char buffer[4096];
    ssize_t n;
    while ((n = ReadSome(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return n == 0 ? WholeFile::Read : WholeFile::Unreadable;
}
