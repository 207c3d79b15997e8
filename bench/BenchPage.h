#pragma once
// One page's logic over a table and the tests' fake window (or one derived from it), as the page
// benchmarks drive it. The fake window does not dispatch changes: a benchmark calls the change
// handler itself.

#include "store/DictTable.h"
#include "store/ErrorBook.h"
#include "store/ReviewStore.h"
#include "study/FormState.h"
#include "study/StudyContext.h"
#include "support/FakeView.h"

#include <string>
#include <type_traits>

template <class Logic, class View = FakeView> struct BenchPage {
    // The table is left closed, for a benchmark that opens it itself.
    BenchPage() = default;
    explicit BenchPage(const std::string& tablePath) { table.Open(tablePath); }

    TDictTable table;
    FormState state;
    View view;
    ErrorBook errorBook{table};
    ReviewStore reviews{table};
    Logic logic{Make()};

private:
    // The pages that keep the error book and the review in step with the table are given them.
    Logic Make()
    {
        if constexpr (std::is_constructible_v<Logic, StudyContext, ErrorBook&, ReviewStore&>)
            return Logic({table, state, view}, errorBook, reviews);
        else
            return Logic({table, state, view});
    }
};
