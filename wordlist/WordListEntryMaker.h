#pragma once
// Turns a word and an explanation as a file holds them into the entry the table stores, converted
// to GBK and fitted to the table's widths, and notes each entry that was left out or changed on
// the way, so that the import can report it.
//
// The program's own format keeps its old rules: both texts are cut to their widths, and an entry
// of a UTF-8 file whose stored part would hold a character GBK cannot hold is left out.
// The lists of other tools are kept as the learner brought them:
// - a word is stored exactly or not at all: one that does not fit its field, holds a character GBK
//   cannot hold, or holds a line break or a tab, is left out, never cut and never merged into
//   another word; a word that is empty once trimmed is no word;
// - an explanation keeps every sense GBK can hold: a character GBK cannot hold (or bytes that are
//   no character) is stored as "〓" and the entry counted as altered; one longer than its field is
//   cut at a character boundary and counted as cut;
// - every line break (CR, LF or both) is stored as CR LF, and no other control character is
//   stored.

#include "wordlist/WordListEncoding.h"
#include "wordlist/WordListFormat.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The table's field widths in bytes, which a file's texts are fitted to; by default any length.
struct WordListWidths {
    std::size_t word = std::string::npos;
    std::size_t interpret = std::string::npos;
};

enum class EntryRules { Own, Faithful };

// What happened to an entry that was not stored exactly as read.
enum class EntryNote {
    // left out
    NoWord,            // an explanation without a word
    NoExplanation,     // a word without an explanation
    WordTooLong,       // the word does not fit its field
    WordNotGbk,        // the word holds a character GBK cannot hold, or bytes that are no character
    WordBreaks,        // the word holds a line break or a tab
    ExplanationNotGbk, // own format: the stored part of the explanation holds such a character
    // stored, changed
    Altered, // characters GBK cannot hold were stored as "〓"
    Cut,     // the explanation was cut to its field
    WordCut, // own format: the word was cut to its field
};
bool LeavesOut(EntryNote note);

// One noted entry, with its texts as read, in UTF-8, for the report file.
struct WordListNote {
    std::uint64_t line = 0;
    std::string word;
    std::string interpret;
    EntryNote note;
};
using WordListNoteSink = std::function<void(const WordListNote& note)>;

class WordListEntryMaker {
public:
    WordListEntryMaker(WordListWidths widths, WordListEncoding encoding, EntryRules rules);

    // How many bytes of a file's text are enough to know the stored text of `width` bytes and
    // whether it was cut or does not fit: readers keep no more than this of any one text.
    static std::size_t GatherLimit(std::size_t width, WordListEncoding encoding);
    // For a word of the other tools' lists, which is stored whole or left out: enough to show in the
    // report one that does not fit.
    static std::size_t WordGatherLimit(std::size_t width, WordListEncoding encoding);

    // The stored entry of the file's `line`; nothing when it is left out, or when both texts are
    // empty (or, in the own format, either of them).
    std::optional<WordListEntry> Make(std::string_view word, std::string_view interpret,
                                      std::uint64_t line = 0);
    // Each noted entry is handed to `sink` as it is made.
    void OnNote(WordListNoteSink sink) { sink_ = std::move(sink); }

    // How many entries were left out, altered and cut, each with the first one's word (GBK, '?'
    // for a character GBK cannot hold).
    struct Tally {
        std::uint64_t count = 0;
        std::string first;
    };
    const Tally& LeftOut() const { return leftOut_; }
    const Tally& Altered() const { return altered_; }
    const Tally& Cut() const { return cut_; }
    // Entries made, and words without an explanation: a file of words alone is a plain word list.
    std::uint64_t Made() const { return made_; }
    std::uint64_t WordsWithoutExplanation() const { return withoutExplanation_; }
    void CountWordWithoutExplanation() { ++withoutExplanation_; }

private:
    std::optional<WordListEntry> MakeOwn(std::string_view word, std::string_view interpret,
                                         std::uint64_t line);
    std::optional<WordListEntry> MakeFaithful(std::string_view word, std::string_view interpret,
                                              std::uint64_t line);
    std::optional<std::string> OwnStored(std::string_view text, std::size_t width, bool& cut) const;
    // The explanation in GBK with stand-ins; how many characters were replaced.
    std::size_t ToGbk(std::string_view text, std::string& out) const;
    void Note(EntryNote note, std::string_view word, std::string_view interpret, std::uint64_t line);

    WordListWidths widths_;
    WordListEncoding encoding_;
    EntryRules rules_;
    WordListNoteSink sink_;
    Tally leftOut_;
    Tally altered_;
    Tally cut_;
    std::uint64_t made_ = 0;
    std::uint64_t withoutExplanation_ = 0;
};
