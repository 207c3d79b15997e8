#pragma once
// Merges the entries of an import into the table: new words are added, a word whose explanation
// differs is asked about, and after three equal answers in a row the user is offered that answer
// for every later duplicate of the import.

#include "store/StoredWordDigest.h"
#include "study/MainView.h"
#include "study/StudyContext.h"
#include "wordlist/WordListFormat.h"

#include <functional>
#include <optional>
#include <string>

// What the merge did with one entry.
enum class MergeResult {
    Added,
    Updated,
    Unchanged, // the table holds it as it is
    Declined,  // the user kept the stored explanation (否)
    Cancelled, // the user cancelled the import (取消)
};

class ImportMerge {
public:
    // `beforeAsking` makes what is stored so far durable before the user is asked.
    ImportMerge(const StudyContext& c, StoredWordDigest* digest, std::function<void()> beforeAsking)
        : c_(c), digest_(digest), beforeAsking_(std::move(beforeAsking))
    {
    }

    // An entry that the digest knows the table holds unchanged is passed over without a seek.
    MergeResult Store(const WordListEntry& entry);
    // After the file's last entry: the import ends on that entry's record, as a seek per entry
    // would have left it.
    void Finish();

private:
    Answer Ask(const WordListEntry& entry, const std::string& stored);

    const StudyContext& c_;
    StoredWordDigest* digest_;
    std::function<void()> beforeAsking_;
    std::optional<Answer> lastAnswer_;
    int run_ = 0;                           // equal answers in a row, since the last offer
    std::optional<Answer> forAll_;          // the answer the user chose for every later duplicate
    std::optional<std::string> passedOver_; // the last entry's word, when the digest passed it over
};
