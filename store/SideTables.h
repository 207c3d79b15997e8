#pragma once
// The tables a feature keeps beside the words in the table's file, in the shape this program writes
// them: made together at the feature's first write, and never written, altered or dropped where the
// file holds anything else of their names (a foreign or an older file).

#include <span>

class TDictTable;
struct sqlite3;

struct SideTable {
    const char* type; // "table" or "index"
    const char* name;
    const char* sql; // as the engine keeps it in the schema
};

class SideTables {
public:
    SideTables(TDictTable& table, std::span<const SideTable> tables) : table_(table), tables_(tables) {}

    // The table's connection, the shape of these tables in its file found out once for it; null while
    // the table is closed.
    sqlite3* Connection();
    // False when the file holds anything of these names (a view, a name spelt in another case) that
    // this program did not make. Missing tables are usable: they are made when first written.
    bool Usable();
    // The tables are there in our shape, made in one transaction when `create` and missing; false when
    // they cannot be used.
    bool Ready(bool create);

private:
    enum class Shape { Unknown, Absent, Ours, Foreign };

    TDictTable& table_;
    std::span<const SideTable> tables_;
    sqlite3* checked_ = nullptr; // the connection whose file's shape `shape_` is
    Shape shape_ = Shape::Unknown;
};
