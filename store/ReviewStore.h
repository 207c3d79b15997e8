#pragma once
// The spaced review's record in two tables of its own in the word table's file: ReviewCard, where
// each reviewed word stands in the schedule, and ReviewLog, every answer with the card as it was
// before, in the order given. Words are keyed as the word index orders them, so a word an import
// renamed in letter case keeps its card.

#include "store/ReviewCard.h"
#include "store/SideTables.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TDictTable;
struct sqlite3;

// A card with the word as the card keeps it.
struct StoredCard {
    std::string word;
    ReviewCard card;
};

// The answers given in a span of time, as the statistics count them.
struct AnswerCounts {
    std::array<int, 4> byRating{}; // Again to Easy
    int toReviews = 0;             // answers to words in review
    int remembered = 0;            // of them, rated above Again
};

class ReviewStore {
public:
    explicit ReviewStore(TDictTable& table);

    // False when the file holds a table or index of the review's names that this program did not
    // make; nothing of the review is then written, altered or dropped. Missing tables are usable:
    // the first answer creates both.
    bool Usable();

    // The word's card; nothing while the word was never reviewed.
    std::optional<ReviewCard> Card(std::string_view word);
    // One answer given at after.lastReview, which is not before the last answer logged (throws
    // std::invalid_argument otherwise): the card becomes `after`, and the log gains the answer with
    // the card `before` it. One durable transaction, done when the call returns.
    void Record(std::string_view word, const ReviewCard& before, ReviewRating rating,
                const ReviewCard& after);
    // When the last answer was given; 0 without any.
    std::int64_t LatestAnswer();
    // The word's card and its answers go, in one durable transaction.
    void Forget(std::string_view word);
    // How many words were forgotten through this object, for those who keep cards in memory.
    int Forgotten() const { return forgotten_; }

    int CardCount();
    // The card in a (re)learning step due first, when it is due at `now`.
    std::optional<StoredCard> FirstDueStep(std::int64_t now);
    // The cards in a (re)learning step not due yet at `now`, the one due first first.
    std::vector<StoredCard> StepsAfter(std::int64_t now);
    int CountSteps();
    // The cards in review that fall due after `after` and at or before `upTo`, with what their
    // recall needs: the card's state, due, stability and last review.
    void VisitDueReviews(std::int64_t after, std::int64_t upTo,
                         const std::function<void(StoredCard&&)>& visit);
    // The first word of the word table at or after `from` in word order that has no card; the
    // words past the end are followed by the first ones. Nothing when every word has one.
    std::optional<std::string> FirstNewWord(std::string_view from);
    // How many words were answered for the first time at or after `since`.
    int CountNewSince(std::int64_t since);

    bool HasAnswers();
    // The answers given at or after `from` and before `to`.
    AnswerCounts CountAnswers(std::int64_t from, std::int64_t to);
    // The cards in `state` falling due at or after `from` and before `to`.
    int CountCards(ReviewState state, std::int64_t from, std::int64_t to);

private:
    sqlite3* Connection() { return tables_.Connection(); }
    // The tables exist in our shape, created when `create` and absent; false when they cannot be used.
    bool Ready(bool create) { return tables_.Ready(create); }
    // The first row of the log given at or after `since`, or one past the last row.
    std::int64_t FirstRowSince(std::int64_t since);

    TDictTable& table_;
    SideTables tables_;
    int forgotten_ = 0;
};
