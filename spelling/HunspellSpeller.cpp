#include "spelling/HunspellSpeller.h"

#include "platform/SharedLibrary.h"

#include <algorithm>
#include <filesystem>
#include <hunspell/hunspell.h>
#include <utility>

namespace {

// The speller library's functions, loaded with the first question.
struct Library {
    decltype(&Hunspell_create) create = nullptr;
    decltype(&Hunspell_destroy) destroy = nullptr;
    decltype(&Hunspell_suggest) suggest = nullptr;
    decltype(&Hunspell_free_list) free_list = nullptr;
};

// Null when the library or one of its functions is missing: every answer is empty then.
const Library* TheLibrary()
{
    return LoadedOnce<Library>("libhunspell-1.7.so.0", [](const SharedLibrary& found, Library& library) {
        return found.Find(library.create, "Hunspell_create") &&
               found.Find(library.destroy, "Hunspell_destroy") &&
               found.Find(library.suggest, "Hunspell_suggest") &&
               found.Find(library.free_list, "Hunspell_free_list");
    });
}

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
        const Library* library = TheLibrary();
        if (library && std::filesystem::is_regular_file(aff, error) &&
            std::filesystem::is_regular_file(dic, error))
            hunspell_ = {library->create(aff.c_str(), dic.c_str()), library->destroy};
    }
    if (!hunspell_)
        return {};
    char** list = nullptr;
    const int count = TheLibrary()->suggest(hunspell_.get(), &list, word.c_str());
    std::vector<std::string> spellings(list, list + std::max(count, 0));
    TheLibrary()->free_list(hunspell_.get(), &list, count);
    std::erase_if(spellings, [](const std::string& spelling) { return !IsAscii(spelling); });
    return spellings;
}
