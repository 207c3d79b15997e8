#include "platform/InputFile.h"

#include "platform/FileError.h"
#include "text/GbkCodec.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Opening a pipe for reading would wait for a writer: nothing waits here, the kind of file is
// looked at once it is open.
int OpenWithoutWaiting(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

// What a file that is not a regular one is, in the words of the refusal.
const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "文件夹";
    if (S_ISFIFO(mode))
        return "管道";
    if (S_ISSOCK(mode))
        return "套接字";
    return "设备";
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
    fd_ = OpenWithoutWaiting(path);
    if (fd_ < 0)
        throw FileError("Cannot open file", name_, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        throw FileError("Cannot open file", name_, error);
    }
    // A device, a pipe or a folder chosen by mistake may never end: refused before any byte is read.
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        throw std::runtime_error(gbk::FromUtf8Lossy("文件 ") + name_ +
                                 gbk::FromUtf8Lossy(std::string(" 不是普通文件（它是") +
                                                    KindOf(info.st_mode) +
                                                    "），不能读取。\r\n请选择一个文本文件。"));
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

void InputFile::Rewind()
{
    if (::lseek(fd_, 0, SEEK_SET) < 0)
        throw FileError("Cannot read file", name_, errno);
}

WholeFile ReadWholeFile(const std::string& path, std::string& text, std::size_t maxBytes)
{
    const int fd = OpenWithoutWaiting(path);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? WholeFile::Missing : WholeFile::Unreadable;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return WholeFile::Unreadable;
    }
    const std::size_t start = text.size();
    char buffer[4096];
    ssize_t n = 0;
    // A file that grows while it is read is still held to the bound.
    while (text.size() - start <= maxBytes && (n = ReadSome(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return n == 0 && text.size() - start <= maxBytes ? WholeFile::Read : WholeFile::Unreadable;
}
