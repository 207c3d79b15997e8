// The spaced review at 1M words with 100k cards and 1M answers (bench/BenchReviews.h), through the
// page logic and the fake window: choosing the next word, when many reviews are due and when only
// steps and new words are left; the day's first choice, which finds every review due; an answer in
// the drill with its durable review, and how much the file grows a logged answer; and the figures
// of the statistics window.

#include "bench/BenchReviews.h"
#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "store/DictTable.h"
#include "store/ReviewStore.h"
#include "store/SqliteStatement.h"
#include "study/StudyPages.h"
#include "support/FakeView.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t kWords = 1000000;
constexpr std::size_t kCards = 100000;
// Ten seconds an answer: steps of a minute fall due among the choices.
constexpr std::int64_t kSecondsAnAnswer = 10;

// The pages over a private copy of the table, the drill scheduling with no limit of new words, its
// clock where the window says.
struct Window {
    TDictTable table;
    FakeView view;
    std::unique_ptr<StudyPages> pages;
    std::int64_t now = kBenchReviewNow;
};

std::unique_ptr<Window> MakeWindow(const std::string& use)
{
    auto window = std::make_unique<Window>();
    window->table.Open(FreshBenchReviewCopy(kWords, kCards, use));
    // The copy is written out first, so that the first durable answers do not wait for it.
    ::sync();
    window->pages =
        std::make_unique<StudyPages>(window->table, window->view, StudyPaths{"/nonexistent.ini", "/tmp"});
    window->pages->clock.now = [w = window.get()] { return w->now; };
    window->pages->state.DictationSchedule = true;
    window->pages->state.NewWordsPerDay = 9999;
    window->pages->schedule.NewWordsFrom(BenchWords(kWords)[kWords / 2].word);
    return window;
}

std::int64_t Count(TDictTable& table, const char* sql)
{
    SqliteStatement count(table.Connection(), sql);
    count.Step();
    return count.Integer(0);
}

// The next word after each answer, timed apart by what was chosen: a word with a card (a due review
// or a step) or a new one. Each choice is answered (not timed), one in eight forgotten.
void TimeChoices(benchmark::State& state, Window& window)
{
    ReviewSchedule& schedule = window.pages->schedule;
    ReviewStore& reviews = window.pages->reviews;
    schedule.Next(window.now, 9999); // the day's first choice, timed by BM_FirstChoiceOfTheDay
    std::mt19937 random(3);
    Latency reviewed;
    Latency fresh;
    for (auto _ : state) {
        schedule.Rate(window.table.FieldByName("word"),
                      random() % 8 == 0 ? ReviewRating::Again : ReviewRating::Good, window.now);
        window.now += kSecondsAnAnswer;
        const double seconds = Seconds([&] { schedule.Next(window.now, 9999); });
        (reviews.Card(window.table.FieldByName("word")) ? reviewed : fresh).Record(state, seconds);
    }

    reviewed.Report(state, "reviewed_");
    fresh.Report(state, "new_");
}

// At the moment the table was made for: thousands of reviews due.
void BM_NextWordManyDue(benchmark::State& state)
{
    const auto window = MakeWindow("spaced-choice");
    state.counters["due"] = static_cast<double>(
        Count(window->table, "SELECT count(*) FROM ReviewCard WHERE state = 2 AND due <= 1796810400"));
    TimeChoices(state, *window);
}

// The same day once every word due is answered: new words are chosen, and the steps of this sitting.
void BM_NextWordReviewsDone(benchmark::State& state)
{
    const auto window = MakeWindow("spaced-choice-new");
    ExecuteSql(window->table.Connection(), "UPDATE ReviewCard SET due = 1796896800");
    TimeChoices(state, *window);
}

// The first choice of a day (or after the settings were applied): every review due is found, its
// recall computed and put in order.
void BM_FirstChoiceOfTheDay(benchmark::State& state)
{
    const auto window = MakeWindow("spaced-first");
    ReviewSchedule& schedule = window->pages->schedule;
    Latency latency;
    for (auto _ : state) {
        schedule.Restart();
        latency.Time(state, [&] { schedule.Next(window->now, 9999); });
    }
    latency.Report(state);
}

// The table file's size as the engine counts it, what its log holds included.
std::int64_t FileSize(Window& window)
{
    return Count(window.table, "SELECT page_count * page_size FROM pragma_page_count, pragma_page_size");
}

// Enter in the answer box of the drill, the asked word typed or, one time in eight, a wrong one: the
// review recorded durably (a miss also in the error book), then the next word chosen and asked. A
// wrong answer is corrected before the next one, untimed.
void BM_AnswerWithItsReview(benchmark::State& state)
{
    const auto window = MakeWindow("spaced-answer");
    Dictation& drill = window->pages->dictation;
    window->view.SelectPage(PageDictation);
    window->pages->PageControl1Change();
    const std::int64_t sizeBefore = FileSize(*window);
    const std::int64_t answersBefore = Count(window->table, "SELECT count(*) FROM ReviewLog");
    std::mt19937 random(5);
    Latency latency;
    for (auto _ : state) {
        const bool right = random() % 8 != 0;
        window->view.texts[Control::Edit_Dictation] =
            right ? window->pages->state.DictationWord : "0-not-a-word";
        latency.Time(state, [&] { drill.Edit_DictationKeyDown(VK_RETURN); });
        if (!right) {
            window->view.texts[Control::Edit_Dictation] = window->pages->state.DictationWord;
            drill.Edit_DictationKeyDown(VK_RETURN);
        }
        window->now += kSecondsAnAnswer;
    }
    const std::int64_t logged = Count(window->table, "SELECT count(*) FROM ReviewLog") - answersBefore;
    if (logged != static_cast<std::int64_t>(state.iterations()))
        state.SkipWithError("an answer was not reviewed");
    state.counters["file_bytes_per_answer"] = static_cast<double>(FileSize(*window) - sizeBefore) /
                                              static_cast<double>(std::max<std::int64_t>(logged, 1));
    // The whole log of a million answers and more with its index, a row.
    state.counters["log_bytes_per_row"] =
        static_cast<double>(Count(
            window->table, "SELECT sum(pgsize) FROM dbstat WHERE name IN ('ReviewLog', 'ReviewLogWord')")) /
        static_cast<double>(Count(window->table, "SELECT count(*) FROM ReviewLog"));
    latency.Report(state);
}

// What the statistics window shows, gathered.
void BM_StatisticsFigures(benchmark::State& state)
{
    const auto window = MakeWindow("spaced-figures");
    Latency latency;
    for (auto _ : state)
        latency.Time(state, [&] { benchmark::DoNotOptimize(window->pages->statistics.Gather(window->now)); });
    latency.Report(state);
}

BENCHMARK(BM_NextWordManyDue)->Iterations(3000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextWordReviewsDone)->Iterations(3000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstChoiceOfTheDay)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnswerWithItsReview)->Iterations(5000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatisticsFigures)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
