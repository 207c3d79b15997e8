#pragma once
// The spaced review's record in two tables of its own in the word table's file: ReviewCard, where
// each reviewed word stands in the schedule, and ReviewLog, every answer with the card as it was
// before. Words are keyed as the word index orders them, so a word an import renamed in letter case
// keeps its card.

#include "store/ReviewCard.h"

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

// One answer of the log, as the statistics read it.
struct LoggedAnswer {
    std::int64_t review; // when it was given
    ReviewRating rating;
    ReviewState state; // the card's state before it
};

class ReviewStore {
public:
    explicit ReviewStore(TDictTable& table) : table_(table) {}

    // False when the file holds a table or index of the review's names that this program did not
    // make; nothing of the review is then written, altered or dropped. Missing tables are usable:
    // the first answer creates both.
    bool Usable();

    // The word's card; nothing while the word was never reviewed.
    std::optional<ReviewCard> Card(std::string_view word);
    // One answer given at after.lastReview: the card becomes `after`, and the log gains the answer
    // with the card `before` it. One durable transaction, done when the call returns.
    void Record(std::string_view word, const ReviewCard& before, ReviewRating rating,
                const ReviewCard& after);
    // The word's card and its answers go, in one durable transaction.
    void Forget(std::string_view word);

    int CardCount();
    // The cards in a (re)learning step, the one due first first.
    std::vector<StoredCard> Steps();
    // The cards in review that fall due after `after` and at or before `upTo`.
    void VisitDueReviews(std::int64_t after, std::int64_t upTo,
                         const std::function<void(StoredCard&&)>& visit);
    // The first word of the word table at or after `from` in word order that has no card; the
    // words past the end are followed by the first ones. Nothing when every word has one.
    std::optional<std::string> FirstNewWord(std::string_view from);
    // How many words were answered for the first time at or after `since`.
    int CountNewSince(std::int64_t since);

    bool HasAnswers();
    // Every answer given at or after `since`.
    void VisitAnswersSince(std::int64_t since, const std::function<void(const LoggedAnswer&)>& visit);
    // Every card's state and when it is due.
    void VisitCards(const std::function<void(ReviewState state, std::int64_t due)>& visit);

private:
    enum class Shape { Unknown, Absent, Ours, Foreign };
    // The connection, with the review tables' shape found out once for it.
    sqlite3* Connection();
    // The tables exist in our shape, created when `create` and absent; false when they cannot be used.
    bool Ready(bool create);

    TDictTable& table_;
    sqlite3* checked_ = nullptr; // the connection whose shape `shape_` is
    Shape shape_ = Shape::Unknown;
};
