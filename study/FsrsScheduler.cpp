#include "study/FsrsScheduler.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <stdexcept>

namespace {

// FSRS-6's default weights w0..w20, as ts-fsrs 5.4.2 ships them.
constexpr std::array<double, 21> kW = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                       0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                       1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kDecay = -kW[20];
constexpr double kRequestRetention = 0.9;
constexpr int kMaximumInterval = 36500;
constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500.0;

// (Re)learning steps in minutes. Every step ends within the day, so a card leaves its steps only for
// an interval the model computes; the reference's branch for steps of a day or more never runs.
constexpr std::array<int, 2> kLearningSteps = {1, 10};
constexpr std::array<int, 1> kRelearningSteps = {10};
constexpr int kMinutesPerDay = 1440;
static_assert(std::ranges::max(kLearningSteps) < kMinutesPerDay &&
              std::ranges::max(kRelearningSteps) < kMinutesPerDay);

constexpr std::int64_t kSecondsPerDay = 86400;

// The reference rounds as JavaScript's Math.round does: halves up, so -2.5 becomes -2.
double JsRound(double x)
{
    const double down = std::floor(x);
    return x - down >= 0.5 ? down + 1 : down;
}

// Nearly every value the reference computes is rounded to 8 decimals; the next step starts from that.
double Round8(double x)
{
    return JsRound(x * 1e8) / 1e8;
}

// Whole days in a span of seconds, rounded down also before 1970.
std::int64_t FloorDays(std::int64_t seconds)
{
    return seconds / kSecondsPerDay - (seconds % kSecondsPerDay < 0 ? 1 : 0);
}

double DecayFactor()
{
    return Round8(std::exp(std::pow(kDecay, -1) * std::log(0.9)) - 1.0);
}

double ForgettingCurve(double elapsedDays, double stability)
{
    return Round8(std::pow(1 + DecayFactor() * elapsedDays / stability, kDecay));
}

int NextInterval(double stability)
{
    const double modifier = Round8((std::pow(kRequestRetention, 1 / kDecay) - 1) / DecayFactor());
    return static_cast<int>(
        std::min(std::max(1.0, JsRound(stability * modifier)), static_cast<double>(kMaximumInterval)));
}

double InitDifficulty(int g)
{
    return Round8(kW[4] - std::exp((g - 1) * kW[5]) + 1);
}

// Towards the difficulty of a first Easy, which is not clamped to 1..10 here.
double NextDifficulty(double d, int g)
{
    const double delta = -kW[6] * (g - 3);
    const double damped = d + Round8(delta * (10 - d) / 9);
    return std::clamp(Round8(kW[7] * InitDifficulty(4) + (1 - kW[7]) * damped), 1.0, 10.0);
}

double RecallStability(double d, double s, double r, int g)
{
    const double hardPenalty = g == 2 ? kW[15] : 1;
    const double easyBonus = g == 4 ? kW[16] : 1;
    const double growth = std::exp(kW[8]) * (11 - d) * std::pow(s, -kW[9]) *
                          (std::exp((1 - r) * kW[10]) - 1) * hardPenalty * easyBonus;
    return Round8(std::clamp(s * (1 + growth), kMinStability, kMaxStability));
}

double ForgetStability(double d, double s, double r)
{
    const double afterFail = Round8(
        std::clamp(kW[11] * std::pow(d, -kW[12]) * (std::pow(s + 1, kW[13]) - 1) * std::exp((1 - r) * kW[14]),
                   kMinStability, kMaxStability));
    // At most the old stability over what a same-day Good multiplies by, so that relearning does not
    // leave a word stronger than it was before it was forgotten.
    return std::min(std::max(Round8(s / std::exp(kW[17] * kW[18])), kMinStability), afterFail);
}

// A second review on the same day: recall has not had time to fall, so only the rating counts.
double ShortTermStability(double s, int g)
{
    const double growth = std::pow(s, -kW[19]) * std::exp(kW[17] * (g - 3 + kW[18]));
    return Round8(std::clamp(s * (g >= 2 ? std::max(growth, 1.0) : growth), kMinStability, kMaxStability));
}

struct Memory {
    double difficulty;
    double stability;
};

Memory NextMemory(const ReviewCard& card, std::int64_t elapsedDays, ReviewRating rating)
{
    const int g = static_cast<int>(rating);
    const double d = card.difficulty;
    const double s = card.stability;
    if (elapsedDays < 0) {
        throw std::invalid_argument("a review dated before the card's last review");
    }
    if (d == 0 && s == 0) {
        return {std::clamp(InitDifficulty(g), 1.0, 10.0), std::max(kW[g - 1], 0.1)};
    }
    if (d < 1 || s < kMinStability) {
        throw std::invalid_argument("a card's memory state out of range");
    }
    const double r = ForgettingCurve(static_cast<double>(elapsedDays), s);
    const double stability = elapsedDays == 0 ? ShortTermStability(s, g)
                             : g == 1         ? ForgetStability(d, s, r)
                                              : RecallStability(d, s, r, g);
    return {NextDifficulty(d, g), stability};
}

// Where the rating leaves a card in its steps; no minutes means the card leaves them for review.
struct StepPlan {
    int minutes = 0;
    int nextStep = 0;
};

StepPlan PlanStep(ReviewState state, int step, ReviewRating rating)
{
    const bool relearning = state == ReviewState::Relearning || state == ReviewState::Review;
    const std::span<const int> steps = relearning ? std::span<const int>(kRelearningSteps) : kLearningSteps;
    const int count = static_cast<int>(steps.size());
    if (step >= count) {
        return {};
    }
    if (state == ReviewState::Review) {
        return rating == ReviewRating::Again ? StepPlan{steps[std::max(0, step)], 0} : StepPlan{};
    }
    switch (rating) {
    case ReviewRating::Again:
        return {steps[0], 0};
    case ReviewRating::Hard:
        // Halfway between the first two steps, whichever step the card is on; 1.5 times a lone step.
        return {static_cast<int>(JsRound(count == 1 ? steps[0] * 1.5 : (steps[0] + steps[1]) / 2.0)),
                std::max(0, step)};
    case ReviewRating::Good:
        if (step + 1 >= 0 && step + 1 < count) {
            return {steps[step + 1], step + 1};
        }
        return {};
    case ReviewRating::Easy:
        return {};
    }
    return {};
}

void ScheduleDays(ReviewCard& next, std::int64_t now, int days)
{
    next.state = ReviewState::Review;
    next.step = 0;
    next.scheduledDays = days;
    next.due = now + days * kSecondsPerDay;
}

void ApplySteps(ReviewCard& next, const ReviewCard& card, std::int64_t now, ReviewRating rating,
                ReviewState stepState)
{
    const StepPlan plan = PlanStep(card.state, card.step, rating);
    if (plan.minutes > 0) {
        next.state = stepState;
        next.step = plan.nextStep;
        next.scheduledDays = 0;
        next.due = now + plan.minutes * std::int64_t{60};
    } else {
        ScheduleDays(next, now, NextInterval(next.stability));
    }
}

} // namespace

ReviewCard FsrsScheduler::Next(const ReviewCard& card, std::int64_t now, ReviewRating rating)
{
    // Days between reviews are UTC calendar days, not spans of 24 hours: a review just after midnight
    // is a day later than one just before it, and no longer a same-day review.
    const std::int64_t elapsedDays = card.state != ReviewState::New && card.lastReview != 0
                                         ? FloorDays(now) - FloorDays(card.lastReview)
                                         : 0;
    const Memory memory = NextMemory(card, elapsedDays, rating);
    ReviewCard next = card;
    next.difficulty = memory.difficulty;
    next.stability = memory.stability;
    next.reps = card.reps + 1;
    next.lastReview = now;
    switch (card.state) {
    case ReviewState::New:
        ApplySteps(next, card, now, rating, ReviewState::Learning);
        break;
    case ReviewState::Learning:
    case ReviewState::Relearning:
        ApplySteps(next, card, now, rating, card.state);
        break;
    case ReviewState::Review:
        if (rating == ReviewRating::Again) {
            ApplySteps(next, card, now, rating, ReviewState::Relearning);
            ++next.lapses;
        } else {
            // Hard, Good and Easy stay in that order, each at least a day beyond the one before,
            // even where that passes the maximum interval.
            const auto interval = [&](ReviewRating r) {
                return NextInterval(NextMemory(card, elapsedDays, r).stability);
            };
            const int good = interval(ReviewRating::Good);
            const int hard = std::min(interval(ReviewRating::Hard), good);
            int days = std::max(good, hard + 1);
            if (rating == ReviewRating::Hard) {
                days = hard;
            } else if (rating == ReviewRating::Easy) {
                days = std::max(interval(ReviewRating::Easy), days + 1);
            }
            ScheduleDays(next, now, days);
        }
        break;
    }
    return next;
}

double FsrsScheduler::Retrievability(const ReviewCard& card, std::int64_t now)
{
    if (card.state == ReviewState::New) {
        return 0;
    }
    // Unlike a review's elapsed days, whole spans of 24 hours since the last review. The reference
    // reads the stability at 8 decimals here, which every card this scheduler makes already holds.
    const std::int64_t days = std::max<std::int64_t>(FloorDays(now - card.lastReview), 0);
    return ForgettingCurve(static_cast<double>(days), card.stability);
}
