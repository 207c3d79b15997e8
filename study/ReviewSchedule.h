#pragma once
// What the drill asks next while 间隔复习 is on: first the words whose (re)learning step is due,
// then the words in review that are due, the least likely to be recalled first, then words never
// reviewed, in word order from the drill's position, up to the day's limit. When nothing else is
// left, a word waiting for its step comes back ahead of it once a few other words were asked. A
// day starts at 04:00 local time, as flash-card learners count it.

#include "store/ReviewCard.h"

#include <queue>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class ReviewStore;
class TDictTable;

// The start of the review day `days` days after the one `now` falls in, in Unix seconds.
std::int64_t ReviewDayStart(std::int64_t now, int days = 0);

class ReviewSchedule {
public:
    ReviewSchedule(TDictTable& table, ReviewStore& store) : table_(table), store_(store) {}

    enum class Pick {
        Word,    // the table is on the word to ask
        Waiting, // words wait for their steps, and none may be asked yet
        Done,    // nothing is left today
    };
    // Chooses the next word, at most `newWordsPerDay` of them new today.
    Pick Next(std::int64_t now, int newWordsPerDay);
    // Records the answer to `word` (as the table holds it) given at `now`; on disk when it returns.
    void Rate(const std::string& word, ReviewRating rating, std::int64_t now);
    // The words still to ask today, as the last choice found them.
    int WordsLeft(int newWordsPerDay) const;

    // New words are taken from `word` on.
    void NewWordsFrom(std::string word) { newFrom_ = std::move(word); }
    bool HasNewWordsPosition() const { return !newFrom_.empty(); }
    // What is kept of the table is found again at the next choice (another day, changed settings).
    void Restart() { nextDay_ = 0; }

private:
    struct Due {
        double retrievability;
        std::int64_t due;
        std::string word;
        bool operator>(const Due& other) const;
    };
    void Refresh(std::int64_t now);
    // Moves the table to the card's word; a card whose word left the table is forgotten.
    bool Seek(const std::string& word);
    bool SeekDueReview(std::int64_t now);
    bool SeekNewWord(int newWordsPerDay);
    bool MayComeBack(const std::string& word) const;

    TDictTable& table_;
    ReviewStore& store_;
    std::int64_t day_ = 0; // the review day found out, until nextDay_; nextDay_ 0: none yet
    std::int64_t nextDay_ = 0;
    int newToday_ = 0; // new words answered today
    bool noNewWords_ = false;
    std::string newFrom_;
    // Review cards found due, the least likely to be recalled on top, and how many are still to ask.
    std::priority_queue<Due, std::vector<Due>, std::greater<>> due_;
    int dueCount_ = 0;
    std::int64_t loadedUpTo_ = 0; // cards due until then are in due_
    int steps_ = 0;               // cards in a step
    int forgotten_ = 0;           // the store's forgotten words counted in
    // Words chosen so far, and the number of the choice at which each word was last rated.
    int chosen_ = 0;
    std::unordered_map<std::string, int> ratedAt_; // folded word
};
