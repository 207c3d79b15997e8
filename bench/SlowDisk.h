#pragma once
// A disk whose flush takes 10 ms longer, for as long as this object lives: the durable changes of
// the window's thread must not wait for it.

#include "store/TableFlusher.h"

#include <chrono>
#include <thread>
#include <unistd.h>

class SlowDisk {
public:
    SlowDisk()
        : diskFlush_(TableFlusher::SetFileFlush([](int fd) {
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
              ::fdatasync(fd);
          }))
    {
    }
    ~SlowDisk() { TableFlusher::SetFileFlush(diskFlush_); }
    SlowDisk(const SlowDisk&) = delete;
    SlowDisk& operator=(const SlowDisk&) = delete;

private:
    TableFlusher::FileFlush diskFlush_;
};
