#include "study/ReviewSchedule.h"

#include "store/DictTable.h"
#include "store/ReviewStore.h"
#include "study/FsrsScheduler.h"
#include "text/GbkText.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <tuple>

namespace {

constexpr int kDayStartHour = 4;
// A word waiting for its step comes back ahead of it only after this many other words.
constexpr int kOtherWordsBetween = 3;

bool InStep(const ReviewCard& card)
{
    return card.state == ReviewState::Learning || card.state == ReviewState::Relearning;
}

} // namespace

std::int64_t ReviewDayStart(std::int64_t now, int days)
{
    const auto time = static_cast<std::time_t>(now);
    std::tm local{};
    localtime_r(&time, &local);
    // Before 04:00 the day that began yesterday goes on. mktime brings the day of the month back
    // into range and finds the hour's offset on days when the clocks change.
    local.tm_mday += days - (local.tm_hour < kDayStartHour ? 1 : 0);
    local.tm_hour = kDayStartHour;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
}

bool ReviewSchedule::Due::operator>(const Due& other) const
{
    return std::tie(retrievability, due, word) > std::tie(other.retrievability, other.due, other.word);
}

void ReviewSchedule::Refresh(std::int64_t now)
{
    // A clock set back finds again what it would have found then; a word forgotten meanwhile (deleted
    // on the maintenance page) leaves the counts.
    if (now < day_ || now >= nextDay_ || now < loadedUpTo_ || store_.Forgotten() != forgotten_) {
        day_ = ReviewDayStart(now);
        nextDay_ = ReviewDayStart(now, 1);
        forgotten_ = store_.Forgotten();
        newToday_ = store_.CountNewSince(day_);
        steps_ = store_.CountSteps();
        noNewWords_ = false;
        due_ = {};
        dueCount_ = 0;
        loadedUpTo_ = std::numeric_limits<std::int64_t>::min();
    }
    if (now > loadedUpTo_) {
        store_.VisitDueReviews(loadedUpTo_, now, [&](StoredCard&& card) {
            due_.push({FsrsScheduler::Retrievability(card.card, now), card.card.due, std::move(card.word)});
            ++dueCount_;
        });
        loadedUpTo_ = now;
    }
}

bool ReviewSchedule::Seek(const std::string& word)
{
    if (table_.SeekExact(word))
        return true;
    store_.Forget(word);
    return false;
}

bool ReviewSchedule::SeekDueReview(std::int64_t now)
{
    // The word on top stays there until it is rated, so that a word left unanswered comes again;
    // a word rated since, or no longer due, is dropped when it comes up.
    while (!due_.empty()) {
        const Due& top = due_.top();
        const auto card = store_.Card(top.word);
        if (card && card->state == ReviewState::Review && card->due <= now && Seek(top.word))
            return true;
        due_.pop();
    }
    return false;
}

bool ReviewSchedule::SeekNewWord(int newWordsPerDay)
{
    if (noNewWords_ || newToday_ >= newWordsPerDay)
        return false;
    const auto word = store_.FirstNewWord(newFrom_);
    noNewWords_ = !word;
    if (!word || !table_.SeekExact(*word))
        return false;
    newFrom_ = *word;
    return true;
}

bool ReviewSchedule::MayComeBack(const std::string& word) const
{
    const auto rated = ratedAt_.find(gbk::UpperCase(word));
    return rated == ratedAt_.end() || chosen_ - rated->second > kOtherWordsBetween;
}

ReviewSchedule::Pick ReviewSchedule::Next(std::int64_t now, int newWordsPerDay)
{
    ++chosen_;
    Refresh(now);
    while (const auto step = store_.FirstDueStep(now)) {
        if (Seek(step->word))
            return Pick::Word;
    }
    if (SeekDueReview(now) || SeekNewWord(newWordsPerDay))
        return Pick::Word;
    const std::vector<StoredCard> waiting = store_.StepsAfter(now);
    for (const StoredCard& step : waiting) {
        if (MayComeBack(step.word) && Seek(step.word))
            return Pick::Word;
    }
    return waiting.empty() ? Pick::Done : Pick::Waiting;
}

void ReviewSchedule::Rate(const std::string& word, ReviewRating rating, std::int64_t now)
{
    const ReviewCard before = store_.Card(word).value_or(ReviewCard{});
    // A clock set back cannot date an answer before the last one: it counts as given with that one.
    const std::int64_t at = std::max({now, before.lastReview, store_.LatestAnswer()});
    const ReviewCard after = FsrsScheduler::Next(before, at, rating);
    store_.Record(word, before, rating, after);
    if (before.state == ReviewState::New)
        ++newToday_;
    steps_ += (InStep(after) ? 1 : 0) - (InStep(before) ? 1 : 0);
    // A review counted due is answered; one found due again later is counted again.
    if (before.state == ReviewState::Review && before.due <= loadedUpTo_)
        --dueCount_;
    ratedAt_[gbk::UpperCase(word)] = chosen_;
}

int ReviewSchedule::WordsLeft(int newWordsPerDay) const
{
    const int newLeft = noNewWords_ ? 0 : std::max(0, newWordsPerDay - newToday_);
    return steps_ + dueCount_ + newLeft;
}
