// The scheduler against the reference's own answers (data/fsrs_vectors.csv, made by
// scripts/make-fsrs-vectors.mjs), and the plain facts of the program's settings.
#include "study/FsrsScheduler.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kDay = 86400;

class Fields {
public:
    explicit Fields(const std::string& line) : line_(line)
    {
        for (std::size_t start = 0;;) {
            const std::size_t comma = line_.find(',', start);
            fields_.push_back(line_.substr(start, comma - start));
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
    }
    std::size_t Count() const { return fields_.size(); }
    template <typename T> T At(std::size_t i) const
    {
        T value{};
        const std::string& field = fields_.at(i);
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error != std::errc{} || end != field.data() + field.size()) {
            throw std::runtime_error("not a number: " + line_);
        }
        return value;
    }
    // The card in fields first..first+7: state, step, due, stability, difficulty, days, reps, lapses.
    ReviewCard Card(std::size_t first, std::int64_t lastReview) const
    {
        return {static_cast<ReviewState>(At<int>(first)),
                At<int>(first + 1),
                At<std::int64_t>(first + 2),
                At<double>(first + 3),
                At<double>(first + 4),
                At<int>(first + 5),
                At<int>(first + 6),
                At<int>(first + 7),
                lastReview};
    }

private:
    std::string line_;
    std::vector<std::string> fields_;
};

bool Near(double actual, double expected)
{
    return std::abs(actual - expected) <= 1e-6 * std::abs(expected);
}

TEST(FsrsSchedulerTest, ReplaysEveryReferenceSequence)
{
    std::ifstream file(DORORI_TEST_DATA "/fsrs_vectors.csv");
    ASSERT_TRUE(file) << "missing " DORORI_TEST_DATA "/fsrs_vectors.csv";
    ReviewCard card;
    int sequences = 0;
    int steps = 0;
    std::string line;
    for (int lineNo = 1; std::getline(file, line); ++lineNo) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const Fields f(line);
        if (line[0] == 'c') {
            ASSERT_EQ(f.Count(), 10u) << "line " << lineNo;
            card = f.Card(1, f.At<std::int64_t>(9));
            ++sequences;
            continue;
        }
        ASSERT_EQ(f.Count(), 11u) << "line " << lineNo;
        const std::int64_t now = f.At<std::int64_t>(1);
        const double retrievability = FsrsScheduler::Retrievability(card, now);
        card = FsrsScheduler::Next(card, now, static_cast<ReviewRating>(f.At<int>(0)));
        const ReviewCard want = f.Card(2, now);
        // The first difference stops the replay: every later step of its sequence would differ too.
        ASSERT_TRUE(card.state == want.state && card.step == want.step && card.due == want.due &&
                    card.scheduledDays == want.scheduledDays && card.reps == want.reps &&
                    card.lapses == want.lapses && card.lastReview == now &&
                    Near(card.stability, want.stability) && Near(card.difficulty, want.difficulty) &&
                    Near(retrievability, f.At<double>(10)))
            << "line " << lineNo << ": want " << line << "\n got state " << static_cast<int>(card.state)
            << " step " << card.step << " due " << card.due << " S " << card.stability << " D "
            << card.difficulty << " days " << card.scheduledDays << " reps " << card.reps << " lapses "
            << card.lapses << " R " << retrievability;
        ++steps;
    }
    // A truncated or empty file must not pass for a green replay.
    EXPECT_GE(sequences, 400);
    EXPECT_GE(steps, 8000);
}

// What the program's settings promise, which the reference's answers alone would not tell if they had
// been made with other settings.
TEST(FsrsSchedulerTest, StepsLapsesAndRecallFollowTheProgramsSettings)
{
    const std::int64_t t = 1'700'000'000;
    struct Row {
        const char* what;
        ReviewCard card;
        ReviewRating rating;
        ReviewState state;
        std::int64_t due;
        int lapses;
    };
    const ReviewCard fresh;
    const ReviewCard learning = FsrsScheduler::Next(fresh, t, ReviewRating::Good);
    const ReviewCard review{ReviewState::Review, 0, t, 10, 5, 10, 4, 1, t - 10 * kDay};
    const ReviewCard relearning = FsrsScheduler::Next(review, t, ReviewRating::Again);
    const Row rows[] = {
        {"new, Again: the first step", fresh, ReviewRating::Again, ReviewState::Learning, t + 60, 0},
        {"new, Hard: between the steps", fresh, ReviewRating::Hard, ReviewState::Learning, t + 360, 0},
        {"new, Good: the second step", fresh, ReviewRating::Good, ReviewState::Learning, t + 600, 0},
        {"new, Easy: w3 = 8.2956 days", fresh, ReviewRating::Easy, ReviewState::Review, t + 8 * kDay, 0},
        {"second step, Good: graduates", learning, ReviewRating::Good, ReviewState::Review, t + 2 * kDay, 0},
        {"review, Again: a lapse", review, ReviewRating::Again, ReviewState::Relearning, t + 600, 2},
        {"relearning, Hard: 1.5 steps", relearning, ReviewRating::Hard, ReviewState::Relearning, t + 900, 2},
    };
    for (const Row& row : rows) {
        const ReviewCard next = FsrsScheduler::Next(row.card, t, row.rating);
        EXPECT_EQ(next.state, row.state) << row.what;
        EXPECT_EQ(next.due, row.due) << row.what;
        EXPECT_EQ(next.lapses, row.lapses) << row.what;
        EXPECT_EQ(next.reps, row.card.reps + 1) << row.what;
    }
    // Stability is the time after which recall has fallen to the retention asked for.
    EXPECT_DOUBLE_EQ(FsrsScheduler::Retrievability(review, review.lastReview + 10 * kDay), 0.9);
    EXPECT_EQ(FsrsScheduler::Retrievability(fresh, t), 0);
    EXPECT_THROW(FsrsScheduler::Next(review, review.lastReview - kDay, ReviewRating::Good),
                 std::invalid_argument);
}

} // namespace
