#pragma once
// What the statistics window shows of the learner's progress: the answers of the last 30 review
// days by rating, the words falling due in the next 30, the share of words in review remembered in
// the last 7 and 30 days, how many words stand in each state, and the error book's words. Days are
// review days, from 04:00 to 04:00.

#include "store/ErrorBook.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ReviewStore;
class TDictTable;

struct Retention {
    int answers = 0;    // answers to words in review
    int remembered = 0; // of them, rated above Again
};

struct LearningFigures {
    static constexpr int kDays = 30;
    // The start of each review day shown: the last 30 up to today, then today and the 29 after it.
    std::array<std::int64_t, kDays> pastDays{};
    std::array<std::int64_t, kDays> comingDays{};
    // Answers a day by rating, Again to Easy; words falling due a day, today's with those overdue.
    std::array<std::array<int, 4>, kDays> answers{};
    std::array<int, kDays> due{};
    Retention lastWeek;
    Retention lastMonth;
    // Words never reviewed, and the reviewed ones by the state they are in.
    int newWords = 0;
    std::array<int, 3> learningReviewRelearning{};
    bool hasHistory = false;
    std::vector<MissedWord> errorBook;
};

class LearningStatistics {
public:
    LearningStatistics(TDictTable& table, ReviewStore& reviews, ErrorBook& errorBook)
        : table_(table), reviews_(reviews), errorBook_(errorBook)
    {
    }

    LearningFigures Gather(std::int64_t now);
    // The window's remove button: the word leaves the error book.
    void RemoveFromErrorBook(const std::string& word) { errorBook_.Forget(word); }

private:
    TDictTable& table_;
    ReviewStore& reviews_;
    ErrorBook& errorBook_;
};
