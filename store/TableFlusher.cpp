#include "store/TableFlusher.h"

#include "store/TableConnection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// The log's pages past which they are moved into the table file: the engine's own default.
constexpr int kCheckpointPages = 1000;

// The flush in use, set by benchmarks while flusher threads may be running. Made at its first use:
// a benchmark's child process does its work while the globals are still being made.
std::mutex flushMutex;
TableFlusher::FileFlush& FileFlushInUse()
{
    static TableFlusher::FileFlush flush = [](int fd) { ::fdatasync(fd); };
    return flush;
}

void FlushFile(int fd)
{
    TableFlusher::FileFlush flush;
    {
        const std::lock_guard lock(flushMutex);
        flush = FileFlushInUse();
    }
    flush(fd);
}

} // namespace

TableFlusher::FileFlush TableFlusher::SetFileFlush(FileFlush flush)
{
    const std::lock_guard lock(flushMutex);
    std::swap(FileFlushInUse(), flush);
    return flush;
}

TableFlusher::TableFlusher(std::string tablePath) : path_(std::move(tablePath)), thread_([this] { Run(); }) {}

TableFlusher::~TableFlusher()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void TableFlusher::Committed(int logPages)
{
    {
        const std::lock_guard lock(mutex_);
        ++committed_;
        logPages_ = logPages;
    }
    changed_.notify_all();
}

void TableFlusher::WaitUntilFlushed()
{
    std::unique_lock lock(mutex_);
    const std::uint64_t target = committed_;
    changed_.wait(lock, [&] { return flushed_ >= target; });
}

void TableFlusher::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || committed_ > flushed_; });
        if (committed_ == flushed_)
            return; // ending, and everything is on the disk
        const std::uint64_t target = committed_;
        const bool checkpoint = logPages_ >= kCheckpointPages;
        lock.unlock();
        FlushLog();
        if (checkpoint)
            Checkpoint();
        lock.lock();
        flushed_ = target;
        changed_.notify_all();
    }
}

void TableFlusher::FlushLog()
{
    // Without a log (its pages already moved over), the table file holds everything.
    int fd = ::open((path_ + "-wal").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    FlushFile(fd);
    ::close(fd);
}

void TableFlusher::Checkpoint()
{
    // A connection held open would keep a fill from writing the table file directly.
    try {
        const TableConnection db = OpenTableConnection(path_, TableAccess::ReadWrite);
        sqlite3_wal_checkpoint_v2(db.get(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    } catch (const std::exception&) {
        // The next commit tries again; the log keeps every page meanwhile.
    }
}
