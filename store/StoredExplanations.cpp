#include "store/StoredExplanations.h"

#include "store/SqliteStatement.h"
#include "text/GbkText.h"

#include <algorithm>

namespace {

// One of 64 bits for each two-byte character: a text holds another only when its set holds every
// bit of the other's. Single bytes (parts of speech, blanks, punctuation) would only fill the set.
std::uint64_t CharactersOf(std::string_view text)
{
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!gbk::IsLeadByte(text, i))
            continue;
        const std::uint32_t character =
            static_cast<unsigned char>(text[i]) << 8 | static_cast<unsigned char>(text[i + 1]);
        bits |= std::uint64_t{1} << ((character * 0x9E3779B1u) >> 26);
        ++i;
    }
    return bits;
}

} // namespace

void StoredExplanations::Make(sqlite3* db)
{
    Forget();
    made_ = true;
    try {
        // In ID order the table is read front to back, and the records come sorted by their IDs.
        SqliteStatement stored(db, "SELECT ID, word, interpret FROM DORori ORDER BY ID");
        while (stored.Step())
            Added(stored.Integer(0), stored.TextView(1), stored.TextView(2));
        // The room the growth left spare is a third of the whole at a million records.
        records_.shrink_to_fit();
        characters_.shrink_to_fit();
        bytes_.shrink_to_fit();
    } catch (...) {
        Forget();
        throw;
    }
}

void StoredExplanations::Forget()
{
    records_ = {};
    characters_ = {};
    bytes_ = {};
    unusedBytes_ = 0;
    made_ = false;
}

std::string_view StoredExplanations::Word(const Record& record) const
{
    return std::string_view(bytes_).substr(record.at, record.wordSize);
}

std::string_view StoredExplanations::Interpret(const Record& record) const
{
    return std::string_view(bytes_).substr(record.at + record.wordSize, record.interpretSize);
}

void StoredExplanations::Store(Record& record, std::string_view word, std::string_view interpret)
{
    record.at = bytes_.size();
    record.wordSize = static_cast<std::uint32_t>(word.size());
    record.interpretSize = static_cast<std::uint32_t>(interpret.size());
    bytes_.append(word);
    bytes_.append(interpret);
    characters_[static_cast<std::size_t>(&record - records_.data())] = CharactersOf(interpret);
}

void StoredExplanations::Added(std::int64_t id, std::string_view word, std::string_view interpret)
{
    if (!made_)
        return;
    // An ID below the last kept one is not the table's (it never reuses one): start again.
    if (!records_.empty() && id <= records_.back().id) {
        Forget();
        return;
    }
    records_.push_back({id, 0, 0, 0});
    characters_.push_back(0);
    Store(records_.back(), word, interpret);
}

StoredExplanations::Record* StoredExplanations::Find(std::int64_t id)
{
    const auto found =
        std::lower_bound(records_.begin(), records_.end(), id,
                         [](const Record& record, std::int64_t sought) { return record.id < sought; });
    return found != records_.end() && found->id == id ? &*found : nullptr;
}

void StoredExplanations::Changed(std::int64_t id, std::string_view word, std::string_view interpret)
{
    if (!made_)
        return;
    Record* record = Find(id);
    if (!record) {
        Forget();
        return;
    }
    unusedBytes_ += record->wordSize + record->interpretSize;
    Store(*record, word, interpret);
    Compact();
}

void StoredExplanations::Removed(std::int64_t id)
{
    if (!made_)
        return;
    Record* record = Find(id);
    if (!record)
        return;
    unusedBytes_ += record->wordSize + record->interpretSize;
    record->wordSize = record->interpretSize = 0;
    characters_[static_cast<std::size_t>(record - records_.data())] = 0;
    Compact();
}

void StoredExplanations::Compact()
{
    if (unusedBytes_ <= bytes_.size() / 2)
        return;
    std::string bytes;
    bytes.reserve(bytes_.size() - unusedBytes_);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        Record record = records_[i];
        if (record.wordSize == 0 && record.interpretSize == 0)
            continue;
        const std::string_view texts =
            std::string_view(bytes_).substr(record.at, record.wordSize + record.interpretSize);
        record.at = bytes.size();
        bytes.append(texts);
        characters_[kept] = characters_[i];
        records_[kept++] = record;
    }
    records_.resize(kept);
    characters_.resize(kept);
    bytes_ = std::move(bytes);
    unusedBytes_ = 0;
}

std::vector<ExplainedWord> StoredExplanations::Containing(std::string_view text, std::size_t most) const
{
    if (text.empty() || most == 0)
        return {};
    const std::uint64_t sought = CharactersOf(text);
    // The first `most` in word order so far, the last of them at the heap's top.
    const auto later = [this](const Record* a, const Record* b) {
        const int order = gbk::CompareNoCase(Word(*a), Word(*b));
        return order != 0 ? order < 0 : a->id < b->id;
    };
    std::vector<const Record*> first;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if ((characters_[i] & sought) != sought)
            continue;
        const Record* record = &records_[i];
        if (first.size() == most && !later(record, first.front()))
            continue;
        if (gbk::FindNoCase(Interpret(*record), text) == std::string_view::npos)
            continue;
        first.push_back(record);
        std::push_heap(first.begin(), first.end(), later);
        if (first.size() > most) {
            std::pop_heap(first.begin(), first.end(), later);
            first.pop_back();
        }
    }
    std::sort_heap(first.begin(), first.end(), later);
    std::vector<ExplainedWord> found;
    for (const Record* record : first)
        found.push_back({std::string(Word(*record)), std::string(Interpret(*record))});
    return found;
}
