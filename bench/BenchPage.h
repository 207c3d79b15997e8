#pragma once
// One page's logic over a table and the tests' fake window (or one derived from it), as the page
// benchmarks drive it. The fake window does not dispatch changes: a benchmark calls the change
// handler itself.

#include "dict/DictTable.h"
#include "study/FormState.h"
#include "support/FakeView.h"

#include <string>

template <class Logic, class View = FakeView> struct BenchPage {
    // The table is left closed, for a benchmark that opens it itself.
    BenchPage() = default;
    explicit BenchPage(const std::string& tablePath) { table.Open(tablePath); }

    TDictTable table;
    FormState state;
    View view;
    Logic logic{{table, state, view}};
};
