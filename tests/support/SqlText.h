#pragma once
// What the engine answers to a statement, as text, for tests that look into a table file.

#include <string>
#include <vector>

struct sqlite3;

// The column of every row `sql` gives; NULL as an empty text. A statement that fails gives no row.
std::vector<std::string> SqlColumn(sqlite3* db, const std::string& sql, int column = 0);
// The first column of the first row; empty without one.
std::string SqlText(sqlite3* db, const std::string& sql);
