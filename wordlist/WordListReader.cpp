#include "wordlist/WordListReader.h"

#include "wordlist/DelimitedReader.h"
#include "wordlist/JsonReader.h"
#include "wordlist/OwnFormatReader.h"

std::unique_ptr<WordListReader> MakeWordListReader(WordListFileKind kind, WordListEncoding encoding,
                                                   WordListWidths widths)
{
    switch (kind) {
    case WordListFileKind::Tsv:
        return std::make_unique<DelimitedReader>(kTabSeparated, widths, encoding);
    case WordListFileKind::Csv:
        return std::make_unique<DelimitedReader>(kCommaSeparated, widths, encoding);
    case WordListFileKind::Json:
        return std::make_unique<JsonReader>(widths, encoding);
    default:
        return std::make_unique<OwnFormatReader>(widths, encoding);
    }
}
