#pragma once
// What an import did, said in one message at its end: how many entries were added, updated, left
// alone, declined (answered 否), left out, altered and cut, each with its first example, where a
// cancelled import stopped, and the report file that lists every entry left out or changed with
// its line, its texts as read and the reason. The report file is UTF-8 text beside the imported
// file, or beside the table when that folder cannot be written; a report that cannot be written
// is said in the message, and nothing of the import is lost for it.

#include "study/ImportMerge.h"
#include "wordlist/WordListEncoding.h"
#include "wordlist/WordListEntryMaker.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class ReplacingFile;

class ImportReport {
public:
    // `path`: the imported file; `tableFolder`: the folder of the table, where the report goes when
    // it cannot lie beside the file.
    ImportReport(std::string path, std::string tableFolder, WordListEncoding encoding, WordListWidths widths);
    ~ImportReport();
    ImportReport(const ImportReport&) = delete;
    ImportReport& operator=(const ImportReport&) = delete;

    void Note(const WordListNote& note);
    void Merged(MergeResult result, const std::string& word);

    // Puts the report file in place, if any entry was noted.
    void Finish();
    // The end message (GBK). `cancelledAt`: the entry at which the user cancelled the import.
    std::string Message(const WordListEntryMaker& entries, const WordListEntry* cancelledAt) const;
    // A file in which no entry was found: the message that says so, or nothing when it had entries.
    std::optional<std::string> NothingFound(const WordListEntryMaker& entries) const;
    // For the own format, which keeps silent when nothing was left out or cut.
    static bool WorthSaying(const WordListEntryMaker& entries);

private:
    void OpenFile();

    std::string path_;
    std::string tableFolder_;
    WordListEncoding encoding_;
    WordListWidths widths_;
    std::unique_ptr<ReplacingFile> file_;
    std::string written_; // the report file's full name, once written
    std::string failure_; // why it could not be written
    bool opened_ = false;
    struct Tally {
        std::uint64_t count = 0;
        std::string first;
    };
    Tally added_, updated_, unchanged_, declined_;
};
