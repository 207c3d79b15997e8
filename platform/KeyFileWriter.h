#pragma once
// Puts the registry's key files in place on a thread of its own, so that saving a key never makes
// the window wait for the disk. While a writer lives, a save writes the complete new file beside
// the key at once (failures to create or write it are reported to the caller, as a save without a
// writer reports them) and hands it over; the thread flushes it to disk, moves it over the key and
// flushes the folder, so the key on disk is always whole, the old one or a new one. Of several
// saves of one key waiting, only the newest is put in place. Until it is, readers of the key get
// the newest content handed over.
// Without a writer, saves are put in place by the caller itself before they return.
//
// The writer waits for every save handed over before it ends; the close sequence waits for it
// earlier, and so learns of a failure the thread met. A writer made held puts nothing in place
// until it is released (the window is on the screen by then), until a wait or until it ends.

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class ReplacingFile;

class KeyFileWriter {
public:
    enum class Start { Writing, Held };
    explicit KeyFileWriter(Start start = Start::Writing);
    ~KeyFileWriter();
    KeyFileWriter(const KeyFileWriter&) = delete;
    KeyFileWriter& operator=(const KeyFileWriter&) = delete;

    // Puts `file`, which holds `content` and replaces `path`, in place: on the writer's thread when
    // a writer lives, else here (its failures then throw here).
    static void Save(const std::string& path, std::unique_ptr<ReplacingFile> file, std::string content);
    // The content last handed over for `path` and not yet in place (or never put in place, after a
    // failure), if any.
    static std::optional<std::string> Pending(const std::string& path);
    // Waits until every save handed over has been tried; throws the first failure since the last
    // wait (std::runtime_error with the file's name and the system's reason).
    static void WaitForAll();
    // Lets a held writer put its saves in place.
    void Release();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, std::unique_ptr<ReplacingFile>> queued_; // not yet started, by path
    std::map<std::string, std::string> pending_; // the newest content not yet in place, by path
    int writing_ = 0;                            // saves started and not yet done
    std::optional<std::string> failure_;
    bool held_;
    bool ending_ = false;
    std::thread thread_;
};
