#include "study/LearningStatistics.h"

#include "store/DictTable.h"
#include "store/ReviewStore.h"
#include "study/ReviewSchedule.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kDays = LearningFigures::kDays;
constexpr int kWeek = 7;
constexpr std::int64_t kEver = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

void Add(Retention& retention, const AnswerCounts& counts)
{
    retention.answers += counts.toReviews;
    retention.remembered += counts.remembered;
}

} // namespace

LearningFigures LearningStatistics::Gather(std::int64_t now)
{
    LearningFigures figures;
    // Day by day: a day with a change of the clocks is not 24 hours long.
    for (int i = 0; i < kDays; ++i) {
        figures.pastDays[i] = ReviewDayStart(now, i - (kDays - 1));
        figures.comingDays[i] = ReviewDayStart(now, i);
    }
    figures.hasHistory = reviews_.HasAnswers();
    for (int i = 0; i < kDays; ++i) {
        const std::int64_t end = i + 1 < kDays ? figures.pastDays[i + 1] : ReviewDayStart(now, 1);
        const AnswerCounts counts = reviews_.CountAnswers(figures.pastDays[i], end);
        figures.answers[i] = counts.byRating;
        // The true retention: how often a word the schedule thought known was still known.
        Add(figures.lastMonth, counts);
        if (i >= kDays - kWeek)
            Add(figures.lastWeek, counts);
    }

    int cards = 0;
    for (const ReviewState state : {ReviewState::Learning, ReviewState::Review, ReviewState::Relearning}) {
        const int inState = reviews_.CountCards(state, kEver, kNever);
        figures.learningReviewRelearning[static_cast<std::size_t>(state) - 1] = inState;
        cards += inState;
        // Today's with those overdue.
        for (int i = 0; i < kDays; ++i) {
            const std::int64_t end = i + 1 < kDays ? figures.comingDays[i + 1] : ReviewDayStart(now, kDays);
            figures.due[i] += reviews_.CountCards(state, i == 0 ? kEver : figures.comingDays[i], end);
        }
    }
    // Every card belongs to a stored word: the maintenance page forgets a deleted word's card.
    figures.newWords = std::max(0, table_.RecordCount() - cards);
    figures.errorBook = errorBook_.Words();
    return figures;
}
