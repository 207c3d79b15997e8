#pragma once
// What the table file holds and how a connection orders it: the word collation, registered on
// every connection before it touches the table, and the creation of an empty table file.

#include "store/TableConnection.h"

#include <string>

struct sqlite3;

// The collation of both indexes: single-byte a-z folded, two-byte characters compared whole. A
// query that orders or compares words without naming it scans and sorts instead of using the index.
#define DICT_COLLATION "GBK_NOCASE"
// The words in the indexes' order, for WHERE and ORDER BY clauses that use an index.
#define DICT_WORD_ORDER "word COLLATE " DICT_COLLATION

void RegisterWordCollation(sqlite3* db);

// Creates an empty table file with its three indexes; an existing file is never touched, except
// one of zero bytes, which holds no words and is taken for a missing one.
void CreateDictTableFile(const std::string& path);
// True when CreateDictTableFile would make the file: nothing is there (or it cannot be looked at),
// or a file of zero bytes, which holds no words and is no table.
bool DictTableFileMissing(const std::string& path);

// The two indexes as the table is made with them. A fill of an empty table drops them and makes
// them again before it commits, inside its one transaction: sorting all words once costs far less
// than placing a million words one by one.
extern const char* const kCreateIndexesSql;
extern const char* const kDropIndexesSql;

// What a file at the table's place is, found out by reading alone: a file that is not the table is
// left exactly as it is.
enum class DictFileState {
    Missing,    // no file, or a file of zero bytes
    Table,      // a table file with the word table in it
    Foreign,    // a database without the word table or with a trigger or view (which the program
                // never makes), or not a file at all (a folder)
    Damaged,    // not a database, or a damaged one
    Locked,     // another program holds a lock on it
    Unopenable, // it cannot be opened or read (permissions, an I/O error)
};
struct DictFileCheck {
    DictFileState state;
    std::string detail; // the engine's or the system's own text, when not Missing or Table
    int code = 0;       // the engine's result code, when the engine refused
};
// The start's look may write: a read-only connection would leave the log files of a WAL table
// behind, where one that may write removes them as it closes. A check's must write nothing.
DictFileCheck CheckDictTableFile(const std::string& path, TableAccess access = TableAccess::ReadWrite);
