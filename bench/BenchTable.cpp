#include "bench/BenchTable.h"

#include "bench/WordListGenerator.h"
#include "dict/DictTable.h"

#include <filesystem>

std::string BenchTablePath(std::size_t words)
{
    const std::string path = "/tmp/dorori-bench-" + std::to_string(words) + ".db";
    if (std::filesystem::exists(path))
        return path;
    const std::string building = path + ".building";
    std::filesystem::remove(building);
    TDictTable::CreateTable(building);
    {
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
    }
    std::filesystem::rename(building, path);
    return path;
}

std::string FreshBenchTableCopy(std::size_t words, const std::string& use)
{
    const std::string copy = "/tmp/dorori-bench-" + use + "-" + std::to_string(words) + ".db";
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(copy + suffix);
    std::filesystem::copy_file(BenchTablePath(words), copy);
    return copy;
}
