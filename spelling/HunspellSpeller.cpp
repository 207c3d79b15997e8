#include "spelling/HunspellSpeller.h"

#include <algorithm>
#include <filesystem>
#include <hunspell/hunspell.hxx>
#include <utility>

namespace {

// Longer texts are no stored word, and the speller's time grows with the length.
constexpr std::size_t kLongestWord = 25;

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

HunspellSpeller::HunspellSpeller(Answer answer, std::string folder)
    : answer_(std::move(answer)), folder_(std::move(folder))
{
}

HunspellSpeller::~HunspellSpeller()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void HunspellSpeller::Ask(const std::string& word)
{
    // The dictionary is UTF-8, which agrees with GBK on ASCII alone; no stored English word needs
    // more.
    if (word.empty() || word.size() > kLongestWord || !IsAscii(word))
        return;
    {
        const std::lock_guard lock(mutex_);
        pending_ = word;
        hasPending_ = true;
    }
    // Started with the first question: most starts never ask one.
    if (!thread_.joinable())
        thread_ = std::thread([this] { Run(); });
    wake_.notify_one();
}

void HunspellSpeller::Run()
{
    for (;;) {
        std::string word;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return hasPending_ || stopping_; });
            if (stopping_)
                return;
            word = std::move(pending_);
            hasPending_ = false;
        }
        answer_(word, Suggest(word));
    }
}

std::vector<std::string> HunspellSpeller::Suggest(const std::string& word)
{
    if (!std::exchange(looked_, true)) {
        const std::string aff = folder_ + "/en_US.aff";
        const std::string dic = folder_ + "/en_US.dic";
        std::error_code error;
        // Hunspell itself would only print a warning for a missing file.
        if (std::filesystem::is_regular_file(aff, error) && std::filesystem::is_regular_file(dic, error))
            hunspell_ = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    }
    if (!hunspell_)
        return {};
    std::vector<std::string> spellings = hunspell_->suggest(word);
    std::erase_if(spellings, [](const std::string& spelling) { return !IsAscii(spelling); });
    return spellings;
}
