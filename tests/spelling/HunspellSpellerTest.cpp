#include "spelling/HunspellSpeller.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

// The answers of a speller, as its thread hands them over.
class Answers {
public:
    HunspellSpeller::Answer Taker()
    {
        return [this](const std::string& word, std::vector<std::string> spellings) {
            const std::lock_guard lock(mutex_);
            answers_.emplace_back(word, std::move(spellings));
            came_.notify_one();
        };
    }
    // The next answer, waited for.
    std::pair<std::string, std::vector<std::string>> Next()
    {
        std::unique_lock lock(mutex_);
        came_.wait(lock, [this] { return answers_.size() > taken_; });
        return answers_[taken_++];
    }

private:
    std::mutex mutex_;
    std::condition_variable came_;
    std::vector<std::pair<std::string, std::vector<std::string>>> answers_;
    std::size_t taken_ = 0;
};

bool Holds(const std::vector<std::string>& spellings, const std::string& word)
{
    return std::find(spellings.begin(), spellings.end(), word) != spellings.end();
}

TEST(HunspellSpeller, AnswersFromTheDesktopsDictionaryAndEmptyWithoutIt)
{
    Answers answers;
    HunspellSpeller speller(answers.Taker());
    // Only text both encodings spell alike is asked: "苹果" in GBK is no word of it.
    speller.Ask("\xC6\xBB\xB9\xFB");
    speller.Ask("recieve");
    const auto [word, spellings] = answers.Next();
    EXPECT_EQ(word, "recieve");
    EXPECT_TRUE(Holds(spellings, "receive"));

    TempDir empty;
    Answers none;
    HunspellSpeller without(none.Taker(), empty.path().string());
    without.Ask("recieve");
    EXPECT_EQ(none.Next(), (std::pair<std::string, std::vector<std::string>>{"recieve", {}}));
}

} // namespace
