#pragma once
// An error of the word table: the engine's own text for the standard error report, with the
// engine's result code and the table file where known, so the report can say what to do.

#include <stdexcept>
#include <string>

struct sqlite3;

// What went wrong with the table file, as far as what the user can do about it depends on it.
enum class DictTrouble {
    None,          // the program's own error, or an engine error no advice fits
    Foreign,       // a file that is not the program's table
    Damaged,       // not a database, or a damaged one
    Locked,        // another program holds a lock on it
    ReadOnly,      // the file or its folder cannot be written
    Full,          // the disk is full
    InputOutput,   // the system failed to read or write it
    Unopenable,    // it cannot be opened (permissions, a missing folder)
    FolderNotMade, // the table's folder could not be made
    TableNotMade,  // the first run could not make the table
};

// The trouble an engine result code (primary or extended) stands for.
DictTrouble TroubleOfEngineCode(int code);

class DictError : public std::runtime_error {
public:
    // `code` is the engine's extended result code, 0 for an error of the program's own.
    explicit DictError(const std::string& text, int code = 0, std::string file = {});
    // The connection's last error, from the engine's text, code and file. `file` stands in when the
    // connection has none (it failed to open).
    static DictError OfConnection(sqlite3* db, const std::string& file = {});

    int Code() const { return code_; }
    // The table file's full name; empty when not known.
    const std::string& File() const { return file_; }
    DictTrouble Trouble() const { return TroubleOfEngineCode(code_); }

private:
    int code_;
    std::string file_;
};
