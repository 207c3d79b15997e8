#pragma once
// The table file at its place, data/DORori.db in the folder TableFolder chose: what a file there is,
// found out by reading alone (a file that is not the table is left exactly as it is); the empty
// table made on the first run; and the opening at start, which makes the folder and the table when
// they are missing. What the user is told of a failure is the page logic's (study/ErrorReport).

#include "store/DictError.h"
#include "store/TableConnection.h"

#include <filesystem>
#include <string>

class TDictTable;

// folder/data/DORori.db
std::filesystem::path TablePath(const std::filesystem::path& folder);

enum class TableFileState {
    Missing,    // no file, or a file of zero bytes
    Table,      // a table file with the word table in it
    Foreign,    // a database without the word table or with a trigger or view (which the program
                // never makes), or not a file at all (a folder)
    Damaged,    // not a database, or a damaged one
    Locked,     // another program holds a lock on it
    Unopenable, // it cannot be opened or read (permissions, an I/O error)
};
struct TableFileLook {
    TableFileState state;
    std::string detail; // the engine's or the system's own text, when not Missing or Table
    int code = 0;       // the engine's result code, when the engine refused
};
// The start's look may write: a read-only connection would leave the log files of a WAL table
// behind, where one that may write removes them as it closes. A check's must write nothing. When
// the file is the table and `opened` is given, the connection the look read it through is handed
// over there instead of being closed.
TableFileLook LookAtTableFile(const std::string& path, TableAccess access = TableAccess::ReadWrite,
                              TableConnection* opened = nullptr);

// True when CreateTableFile would make the file: nothing is there (or it cannot be looked at), or a
// file of zero bytes, which holds no words and is no table. Finding out writes nothing.
bool TableFileMissing(const std::string& path);
// Creates an empty table file with its three indexes; an existing file is never touched, except
// one of zero bytes, which holds no words and is taken for a missing one.
void CreateTableFile(const std::string& path);

enum class OpenOutcome {
    Opened,
    TableMissing, // creation reported success, yet there is no table file: the program must end
    Failed,       // the table stays closed
};

struct OpenResult {
    OpenOutcome outcome;
    // When Failed, what kept the table closed: the trouble, the table file (or its folder, when
    // that could not be made) and the engine's or the system's own text.
    DictTrouble trouble = DictTrouble::None;
    std::filesystem::path path = {};
    std::string detail = {};
};

// Opens the table in `folder`, making the folder and an empty table first when they are missing.
OpenResult OpenOrCreateTable(const std::filesystem::path& folder, TDictTable& table);
// True when OpenOrCreateTable would first make the table (the first run).
bool TableToCreate(const std::filesystem::path& folder);
