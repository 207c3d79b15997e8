#pragma once
// One page's logic over an open table and the tests' fake window, as the page benchmarks drive it.
// The fake window does not dispatch changes: a benchmark calls the change handler itself.

#include "dict/DictTable.h"
#include "study/FormState.h"
#include "support/FakeView.h"

#include <string>

template <class Logic> struct BenchPage {
    explicit BenchPage(const std::string& tablePath) { table.Open(tablePath); }

    TDictTable table;
    FormState state;
    FakeView view;
    Logic logic{{table, state, view}};
};
