#include "bench/BenchReviews.h"

#include "bench/BenchTable.h"
#include "store/DictTable.h"
#include "store/ReviewStore.h"
#include "store/SqliteStatement.h"
#include "study/FsrsScheduler.h"

#include <queue>

#include <algorithm>
#include <filesystem>
#include <random>
#include <unordered_set>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kDay = 86400;

struct Learner {
    std::string word;
    ReviewCard card;
    int answers = 0;
};

} // namespace

std::string BenchReviewTablePath(std::size_t words, std::size_t cards)
{
    const std::string name = "spaced-" + std::to_string(words) + "-" + std::to_string(cards) + ".db";
    return CachedBenchFile(name, [&](const std::string& building) {
        fs::copy_file(BenchTablePath(words), building);
        TDictTable table;
        table.Open(building);
        // Every answer through the program's own store, in the order given, none of them flushed.
        ExecuteSql(table.Connection(), "PRAGMA synchronous = OFF");
        ReviewStore store(table);
        std::vector<Learner> learners;
        RandomBenchWords pick(words, 17);
        std::unordered_set<const GeneratedWord*> chosen;
        while (learners.size() < cards) {
            const GeneratedWord& word = pick.Next();
            if (chosen.insert(&word).second)
                learners.push_back({word.word, {}, 0});
        }
        // Each word's first answer in the 400 days before now, the next ones when due or, where the
        // rest would not fit before now, the rest spread evenly over the time left.
        std::mt19937 random(23);
        using Turn = std::pair<std::int64_t, std::size_t>;
        std::priority_queue<Turn, std::vector<Turn>, std::greater<>> turns;
        for (std::size_t i = 0; i < learners.size(); ++i)
            turns.push(
                {kBenchReviewNow - 400 * kDay + static_cast<std::int64_t>(random() % (390 * kDay)), i});
        while (!turns.empty()) {
            const auto [at, i] = turns.top();
            turns.pop();
            Learner& learner = learners[i];
            const ReviewRating rating = random() % 8 == 0 ? ReviewRating::Again : ReviewRating::Good;
            const ReviewCard before = learner.card;
            learner.card = FsrsScheduler::Next(before, at, rating);
            store.Record(learner.word, before, rating, learner.card);
            const int left = kBenchAnswersPerCard - ++learner.answers;
            if (left == 0)
                continue;
            const std::int64_t late = static_cast<std::int64_t>(random() % (2 * kDay));
            const std::int64_t share = (kBenchReviewNow - at) / (left + 1);
            turns.push({at + std::max<std::int64_t>(60, std::min(learner.card.due - at + late, share)), i});
        }
    });
}

std::string FreshBenchReviewCopy(std::size_t words, std::size_t cards, const std::string& use)
{
    const std::string copy = "/tmp/dorori-bench-" + use + "-" + std::to_string(words) + ".db";
    RemoveBenchTable(copy);
    fs::copy_file(BenchReviewTablePath(words, cards), copy);
    return copy;
}
