#include "support/StudyFixture.h"

#include "store/TableFile.h"
#include "support/AppendWord.h"

#include <cstdlib>

StudyFixture::StudyFixture()
{
    // Registry values of the tests stay inside the temporary directory.
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    const std::string path = (dir / "DORori.db").string();
    CreateTableFile(path);
    table.Open(path);
    pages = std::make_unique<StudyPages>(
        table, view, StudyPaths{(dir / "DoRori.ini").string(), dir.path().string()}, speaker);
    view.onChange = [this](Control control) { pages->TextChanged(control); };
}

void StudyFixture::AddWords(const std::vector<std::pair<std::string, std::string>>& words)
{
    table.BeginBatch();
    for (const auto& [word, interpret] : words)
        AppendWord(table, word, interpret);
    table.EndBatch();
    table.First();
}
