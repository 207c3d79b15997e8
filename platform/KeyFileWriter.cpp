#include "platform/KeyFileWriter.h"

#include "platform/ReplacingFile.h"

#include <stdexcept>
#include <utility>

namespace {

// The writer living now, if any; saves and readers reach it through this.
std::mutex currentMutex;
KeyFileWriter* current = nullptr;

} // namespace

KeyFileWriter::KeyFileWriter(Start start) : held_(start == Start::Held)
{
    std::lock_guard lock(currentMutex);
    if (current)
        throw std::logic_error("A key file writer lives already");
    thread_ = std::thread([this] { Run(); });
    current = this;
}

KeyFileWriter::~KeyFileWriter()
{
    {
        std::lock_guard lock(currentMutex);
        current = nullptr;
    }
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join(); // after every save still queued
}

void KeyFileWriter::Save(const std::string& path, std::unique_ptr<ReplacingFile> file, std::string content)
{
    std::unique_lock currentLock(currentMutex);
    KeyFileWriter* writer = current;
    if (!writer) {
        currentLock.unlock();
        file->Commit();
        return;
    }
    // A newer save of the key supersedes one that has not started: its file goes without a trace.
    std::unique_ptr<ReplacingFile> superseded;
    {
        std::lock_guard lock(writer->mutex_);
        std::unique_ptr<ReplacingFile>& waiting = writer->queued_[path];
        superseded = std::move(waiting);
        waiting = std::move(file);
        writer->pending_[path] = std::move(content);
    }
    writer->changed_.notify_all();
}

std::optional<std::string> KeyFileWriter::Pending(const std::string& path)
{
    std::lock_guard currentLock(currentMutex);
    if (!current)
        return std::nullopt;
    std::lock_guard lock(current->mutex_);
    const auto found = current->pending_.find(path);
    if (found == current->pending_.end())
        return std::nullopt;
    return found->second;
}

void KeyFileWriter::WaitForAll()
{
    std::lock_guard currentLock(currentMutex);
    if (!current)
        return;
    std::unique_lock lock(current->mutex_);
    current->held_ = false;
    current->changed_.notify_all();
    current->changed_.wait(lock,
                           [writer = current] { return writer->queued_.empty() && writer->writing_ == 0; });
    if (auto failure = std::exchange(current->failure_, std::nullopt))
        throw std::runtime_error(*failure);
}

void KeyFileWriter::Release()
{
    {
        std::lock_guard lock(mutex_);
        held_ = false;
    }
    changed_.notify_all();
}

void KeyFileWriter::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || (!held_ && !queued_.empty()); });
        if (queued_.empty())
            return;
        auto save = queued_.extract(queued_.begin());
        ++writing_;
        lock.unlock();
        std::optional<std::string> failure;
        try {
            save.mapped()->Commit();
        } catch (const std::exception& error) {
            failure = error.what();
        }
        save.mapped().reset();
        lock.lock();
        --writing_;
        // After a failure the content stays pending: readers still see what was saved, and the
        // next save of the key, made from it, tries again.
        if (failure && !failure_)
            failure_ = std::move(failure);
        else if (!failure && !queued_.contains(save.key()))
            pending_.erase(save.key());
        changed_.notify_all();
    }
}
