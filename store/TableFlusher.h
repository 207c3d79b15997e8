#pragma once
// The table's changes reach the disk on a thread of their own. A commit writes its pages into the
// log file beside the table and returns: from then on a killed program loses nothing, and this
// thread flushes the log to the disk right after, so that within a second a power cut loses
// nothing either. The window's thread never waits for the disk. Once the log has grown, the
// thread also moves its pages into the table file (a checkpoint) through a connection of its own,
// opened only for that.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class TableFlusher {
public:
    // How a file reaches the disk; benchmarks slow it down to see that no one waits for it.
    // Returns the flush it replaces.
    using FileFlush = std::function<void(int fd)>;
    static FileFlush SetFileFlush(FileFlush flush);

    explicit TableFlusher(std::string tablePath);
    // Flushes what was committed, then ends.
    ~TableFlusher();
    TableFlusher(const TableFlusher&) = delete;
    TableFlusher& operator=(const TableFlusher&) = delete;

    // A commit left `logPages` pages in the log.
    void Committed(int logPages);
    // Waits until everything committed so far is on the disk.
    void WaitUntilFlushed();

private:
    void Run();
    void FlushLog();
    void Checkpoint();

    std::string path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t committed_ = 0; // commits so far
    std::uint64_t flushed_ = 0;   // of them, on the disk
    int logPages_ = 0;
    bool ending_ = false;
    std::thread thread_;
};
