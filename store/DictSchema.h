#pragma once
// What the table file holds and how a connection orders it: the word collation, registered on
// every connection before it touches the table, and the statements that make the table.

struct sqlite3;

// The collation of both indexes: single-byte a-z folded, two-byte characters compared whole. A
// query that orders or compares words without naming it scans and sorts instead of using the index.
#define DICT_COLLATION "GBK_NOCASE"
// The words in the indexes' order, for WHERE and ORDER BY clauses that use an index.
#define DICT_WORD_ORDER "word COLLATE " DICT_COLLATION

void RegisterWordCollation(sqlite3* db);

// The table of words; IDindex is its integer primary key.
extern const char* const kCreateWordTableSql;
// The two indexes as the table is made with them. A fill of an empty table drops them and makes
// them again before it commits, inside its one transaction: sorting all words once costs far less
// than placing a million words one by one.
extern const char* const kCreateIndexesSql;
extern const char* const kDropIndexesSql;
