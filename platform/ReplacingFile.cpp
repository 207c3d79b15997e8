#include "platform/ReplacingFile.h"

#include "platform/FileError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr char kNameLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// The name a complete file passes through between having none and taking the target's, where
// commits in the folder take turns.
constexpr char kPassingSuffix[] = ".replacing";

// The folder of the file being put in place, open while it is; closed on every way out.
class OpenFolder {
public:
    explicit OpenFolder(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)), error_(fd_ < 0 ? errno : 0)
    {
    }
    ~OpenFolder()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // False where the file system has no such locks (some network file systems), or where the
    // folder stays locked for a second: a commit holds its turn for milliseconds, and a lock held
    // longer is no commit's to wait for.
    bool TakeTurn()
    {
        for (int attempt = 0; fd_ >= 0 && attempt < 1000; ++attempt) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
                return true;
            if (errno != EWOULDBLOCK && errno != EINTR)
                return false;
            ::usleep(1000);
        }
        return false;
    }
    // 0 once the folder's entries are on disk, else the reason they may not be.
    int Flush() const
    {
        if (fd_ < 0)
            return error_;
        return ::fsync(fd_) == 0 ? 0 : errno;
    }

private:
    int fd_;
    int error_;
};

std::string FolderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// An open file without a name in `folder`, or -1 where the file system cannot make one or the
// process cannot give it a name later (no /proc).
int OpenNameless(const std::string& folder)
{
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& path, std::string nameForMessages)
    : target_(path), name_(std::move(nameForMessages))
{
    // A name that is a link: replace the file it leads to and keep the link.
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto resolved = std::filesystem::canonical(path, error);
        if (!error)
            target_ = resolved.string();
    }
    // A file without a name, where the file system has them: a kill while it is written leaves
    // nothing behind. Elsewhere a named temporary file beside the target.
    fd_ = OpenNameless(FolderOf(target_));
    if (fd_ < 0) {
        temp_ = target_ + ".XXXXXX";
        fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    }
    if (fd_ < 0) {
        temp_.clear();
        Fail("Cannot create file", errno);
    }
    // The new file gets the old one's permissions, or those of a newly created file.
    struct stat old {};
    mode_t mode;
    if (::stat(target_.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd_, mode) != 0)
        Fail("Cannot create file", errno);
}

ReplacingFile::~ReplacingFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
}

void ReplacingFile::Fail(const char* what, int error)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
    throw FileError(what, name_, error);
}

void ReplacingFile::Write(std::string_view bytes)
{
    if (fd_ < 0)
        throw std::logic_error("ReplacingFile: write after the end");
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail("Cannot write file", errno);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void ReplacingFile::Commit()
{
    if (fd_ < 0)
        throw std::logic_error("ReplacingFile: committed twice");
    // Complete on disk before it takes the old file's name.
    if (::fsync(fd_) != 0)
        Fail("Cannot write file", errno);
    OpenFolder folder(FolderOf(target_));
    if (temp_.empty())
        NameNamelessFile(folder.TakeTurn());
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        Fail("Cannot write file", errno);
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        Fail("Cannot write file", errno);
    temp_.clear();
    // The new file is in place; only its name may not yet be safe from a crash.
    if (const int error = folder.Flush())
        Fail("Cannot flush the folder of file", error);
}

void ReplacingFile::NameNamelessFile(bool folderIsOurs)
{
    // The complete file gets a passing name beside the target, then takes the target's name.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    const auto giveName = [&](const std::string& name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    if (folderIsOurs) {
        // No other commit is between naming and moving now: a file under the passing name was left
        // by a writer killed there, and goes.
        std::string name = target_ + kPassingSuffix;
        if (::unlink(name.c_str()) != 0 && errno != ENOENT)
            Fail("Cannot write file", errno);
        if (!giveName(name))
            Fail("Cannot write file", errno);
        temp_ = std::move(name);
        return;
    }
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target_ + ".";
        for (int i = 0; i < 6; ++i)
            name += kNameLetters[random() % (sizeof kNameLetters - 1)];
        if (giveName(name)) {
            temp_ = std::move(name);
            return;
        }
        if (errno != EEXIST)
            Fail("Cannot write file", errno);
    }
    Fail("Cannot write file", EEXIST);
}
