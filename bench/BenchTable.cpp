#include "bench/BenchTable.h"

#include "store/DictTable.h"
#include "store/TableFile.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The files the engine may keep beside a table: its write-ahead log and its journal.
void RemoveEngineFiles(const std::string& path)
{
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        fs::remove(path + suffix);
}

// Reads the file through once per run, so the first repetition of a benchmark finds it in the
// system's file cache, as the later ones do, instead of waiting for the disk.
void ReadThroughOnce(const std::string& path)
{
    static std::set<std::string> read;
    if (!read.insert(path).second)
        return;
    std::ifstream file(path, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (file.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || file.gcount() > 0) {
    }
}

} // namespace

const std::vector<GeneratedWord>& BenchWords(std::size_t words)
{
    static std::map<std::size_t, std::vector<GeneratedWord>> generated;
    std::vector<GeneratedWord>& list = generated[words];
    if (list.empty())
        list = GenerateWordList(words);
    return list;
}

std::string CachedBenchFile(const std::string& name, const std::function<void(const std::string& path)>& make)
{
    const std::string path = "/tmp/dorori-bench-" + name;
    if (fs::exists(path)) {
        ReadThroughOnce(path);
        return path;
    }
    const std::string building = path + ".building";
    RemoveBenchTable(building);
    make(building);
    // A table made there is closed by now: its log is already in the file.
    RemoveEngineFiles(building);
    fs::rename(building, path);
    return path;
}

void BenchTableSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(10000)->Arg(100000)->Arg(1000000);
}

std::string BenchTablePath(std::size_t words)
{
    return CachedBenchFile(std::to_string(words) + ".db", [words](const std::string& building) {
        CreateTableFile(building);
        TDictTable table;
        table.Open(building);
        table.BeginBatch();
        for (const GeneratedWord& entry : GenerateWordList(words)) {
            table.Append();
            table.SetFieldByName("word", entry.word);
            table.SetFieldByName("interpret", entry.interpret);
            table.Post();
        }
        table.EndBatch();
    });
}

std::string FreshBenchTableCopy(std::size_t words, const std::string& use)
{
    const std::string copy = "/tmp/dorori-bench-" + use + "-" + std::to_string(words) + ".db";
    RemoveBenchTable(copy);
    fs::copy_file(BenchTablePath(words), copy);
    return copy;
}

void RemoveBenchTable(const std::string& path)
{
    fs::remove(path);
    RemoveEngineFiles(path);
}
