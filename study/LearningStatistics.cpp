#include "study/LearningStatistics.h"

#include "store/DictTable.h"
#include "store/ReviewStore.h"
#include "study/ReviewSchedule.h"

#include <algorithm>

namespace {

constexpr int kDays = LearningFigures::kDays;
constexpr int kWeek = 7;

// The day of `starts` (the starts of days in order, the last one ending at `end`) that `time`
// falls in; -1 outside them.
int DayOf(const std::array<std::int64_t, kDays>& starts, std::int64_t end, std::int64_t time)
{
    if (time < starts.front() || time >= end)
        return -1;
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), time) - starts.begin()) - 1;
}

void Count(Retention& retention, bool remembered)
{
    ++retention.answers;
    retention.remembered += remembered ? 1 : 0;
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
    const std::int64_t tomorrow = ReviewDayStart(now, 1);
    const std::int64_t lastWeek = figures.pastDays[kDays - kWeek];

    figures.hasHistory = reviews_.HasAnswers();
    reviews_.VisitAnswersSince(figures.pastDays.front(), [&](const LoggedAnswer& answer) {
        const int day = DayOf(figures.pastDays, tomorrow, answer.review);
        const int rating = static_cast<int>(answer.rating);
        if (day < 0 || rating < 1 || rating > 4)
            return;
        ++figures.answers[day][rating - 1];
        // The true retention: how often a word the schedule thought known was still known.
        if (answer.state != ReviewState::Review)
            return;
        const bool remembered = answer.rating != ReviewRating::Again;
        Count(figures.lastMonth, remembered);
        if (answer.review >= lastWeek)
            Count(figures.lastWeek, remembered);
    });

    int cards = 0;
    const std::int64_t end = ReviewDayStart(now, kDays);
    reviews_.VisitCards([&](ReviewState state, std::int64_t due) {
        ++cards;
        const int index = static_cast<int>(state) - 1;
        if (index >= 0 && index < 3)
            ++figures.learningReviewRelearning[index];
        const int day = due < figures.comingDays.front() ? 0 : DayOf(figures.comingDays, end, due);
        if (day >= 0)
            ++figures.due[day];
    });
    // Every card belongs to a stored word: the maintenance page forgets a deleted word's card.
    figures.newWords = std::max(0, table_.RecordCount() - cards);
    figures.errorBook = errorBook_.Words();
    return figures;
}
