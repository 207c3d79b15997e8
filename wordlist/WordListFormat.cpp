#include "wordlist/WordListFormat.h"

#include "wordlist/WordListLineScanner.h"

#include <algorithm>

namespace {

constexpr std::size_t kWordColumn = 20;
constexpr std::uint64_t kBlock = 128;

} // namespace

void AppendWordListLine(std::string& out, std::string_view word, std::string_view interpret)
{
    out.append(word);
    if (word.size() < kWordColumn)
        out.append(kWordColumn - word.size(), ' ');
    out.append("| ");
    out.append(interpret);
    out.append("\r\n");
}

WordListLine ClassifyWordListLine(std::string_view line)
{
    WordListLineScanner scanner;
    scanner.Add(line);
    WordListLine classified;
    scanner.Take(classified);
    return classified;
}

int WordListImportPercent(std::uint64_t examined, std::uint64_t fileSize)
{
    const std::uint64_t taken = std::min(fileSize, (examined + kBlock - 1) / kBlock * kBlock);
    const std::uint64_t fileBlocks = std::max<std::uint64_t>(1, fileSize / kBlock);
    return static_cast<int>(taken / kBlock * 100 / fileBlocks);
}
