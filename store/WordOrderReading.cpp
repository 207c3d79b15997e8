#include "store/WordOrderReading.h"

#include "store/DictError.h"
#include "store/DictSchema.h"
#include "store/SqliteStatement.h"
#include "store/TableConnection.h"

#include <algorithm>
#include <malloc.h>
#include <string>
#include <utility>

namespace {

// The meanwhile callback is called after this many rows of the passes that give nothing.
constexpr int kRowsPerLook = 256;

// A read-only connection of its own, in one read transaction: every pass sees the table as it
// stood when the reading began, whatever the window changes meanwhile through the table's own.
class Snapshot {
public:
    explicit Snapshot(const std::string& path) : db_(OpenTableConnection(path, TableAccess::ReadOnly))
    {
        ExecuteSql(db_.get(), "BEGIN");
    }

    sqlite3* Db() const { return db_.get(); }

private:
    TableConnection db_;
};

// A window's texts, in blocks that never move: growing copies nothing and never holds the texts
// twice, as one string that doubled would.
class WindowTexts {
public:
    // Keeps `word` followed by `interpret`; where they are stays valid until Clear.
    const char* Add(std::string_view word, std::string_view interpret)
    {
        const std::size_t size = word.size() + interpret.size();
        if (used_ == blocks_.size() || blocks_[used_].capacity() - blocks_[used_].size() < size) {
            // On to an empty block: the records already kept must not move.
            if (used_ < blocks_.size() && !blocks_[used_].empty())
                ++used_;
            if (used_ == blocks_.size())
                blocks_.emplace_back();
            blocks_[used_].reserve(std::max(kBlockBytes, size));
        }
        std::string& block = blocks_[used_];
        const std::size_t at = block.size();
        block.append(word).append(interpret);
        return block.data() + at;
    }
    void Clear()
    {
        for (std::string& block : blocks_)
            block.clear();
        used_ = 0;
    }

private:
    static constexpr std::size_t kBlockBytes = 1 << 20;
    std::vector<std::string> blocks_;
    std::size_t used_ = 0;
};

// Where a window's record lies in the window's texts.
struct Slot {
    const char* at = nullptr;
    std::uint32_t wordBytes = 0;
    std::uint32_t interpretBytes = 0;
};

bool ReadWindows(const std::string& path,
                 const std::function<bool(std::string_view word, std::string_view interpret)>& visit,
                 const std::function<bool()>& meanwhile, std::size_t windowRecords,
                 std::size_t expectedRecords)
{
    const Snapshot snapshot(path);
    int rows = 0;
    const auto look = [&] { return ++rows % kRowsPerLook != 0 || meanwhile(); };

    std::vector<std::int64_t> order;
    order.reserve(expectedRecords);
    SqliteStatement ids(snapshot.Db(), "SELECT ID FROM DORori ORDER BY " DICT_WORD_ORDER ", ID");
    while (ids.Step()) {
        order.push_back(ids.Integer(0));
        if (!look())
            return false;
    }

    SqliteStatement stored(snapshot.Db(),
                           "SELECT ID, word, interpret FROM DORori WHERE ID BETWEEN ?1 AND ?2 ORDER BY ID");
    // The window's IDs in stored order, each with its place in the window.
    std::vector<std::pair<std::int64_t, std::size_t>> byId;
    std::vector<Slot> slots;
    WindowTexts texts;
    for (std::size_t first = 0; first < order.size(); first += windowRecords) {
        const std::size_t count = std::min(windowRecords, order.size() - first);
        byId.clear();
        for (std::size_t i = 0; i < count; ++i)
            byId.emplace_back(order[first + i], i);
        std::sort(byId.begin(), byId.end());
        slots.assign(count, Slot{});
        texts.Clear();

        // Only the stored records from the window's first ID to its last are read.
        stored.Reset().Bind(1, byId.front().first).Bind(2, byId.back().first);
        std::size_t next = 0;
        while (next < count && stored.Step()) {
            if (!look())
                return false;
            const std::int64_t id = stored.Integer(0);
            if (id < byId[next].first)
                continue; // a record of another window
            if (id > byId[next].first)
                throw DictError("A record went missing while the table was read");
            const std::string_view word = stored.TextView(1);
            const std::string_view interpret = stored.TextView(2);
            slots[byId[next].second] = {texts.Add(word, interpret), static_cast<std::uint32_t>(word.size()),
                                        static_cast<std::uint32_t>(interpret.size())};
            ++next;
        }
        if (next < count)
            throw DictError("A record went missing while the table was read");
        for (const Slot& slot : slots)
            if (!visit(std::string_view(slot.at, slot.wordBytes),
                       std::string_view(slot.at + slot.wordBytes, slot.interpretBytes)))
                return false;
    }
    return true;
}

} // namespace

bool ReadTableInWordOrder(const std::string& path,
                          const std::function<bool(std::string_view word, std::string_view interpret)>& visit,
                          const std::function<bool()>& meanwhile, std::size_t windowRecords,
                          std::size_t expectedRecords)
{
    // A window holds one record at the least: the reading always moves on.
    const bool complete =
        ReadWindows(path, visit, meanwhile, std::max<std::size_t>(windowRecords, 1), expectedRecords);
    // The windows' memory goes back to the system, not only to the heap.
    malloc_trim(0);
    return complete;
}
