#pragma once
// The one way the program opens a connection to a table file. The program defines no trigger or
// view, so none that a file holds may ever run: a word table from elsewhere is data, never code.

#include <memory>
#include <string>

struct sqlite3;

// What a connection may do with the file and the log files beside it.
enum class TableAccess {
    Create,    // makes the file when it is missing, then as ReadWrite
    ReadWrite, // reads and writes (reads alone where the system refuses writing); the last such
               // connection to close removes the log files
    ReadOnly,  // reads through the log files beside the file, which hold what a running or ended
               // program has not yet moved into it; makes them where they are missing
    Immutable, // reads the file alone and writes nothing anywhere, not even a log file
};

struct TableConnectionCloser {
    void operator()(sqlite3* db) const;
};
using TableConnection = std::unique_ptr<sqlite3, TableConnectionCloser>;

// A connection to `path` with the file's triggers and views switched off, its schema untrusted,
// defensive mode on, the word collation registered and the table's patience with other programs'
// locks. Throws DictError.
TableConnection OpenTableConnection(const std::string& path, TableAccess access);
