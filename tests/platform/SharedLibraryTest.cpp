// A library opened when first needed: a missing library or function is an answer, never a crash.
#include "platform/SharedLibrary.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(SharedLibrary, FindsWhatIsThereAndAnswersNoForWhatIsNot)
{
    struct Row {
        const char* name;
        const char* library;
        const char* function;
        bool found;
    };
    const Row rows[] = {
        {"a function of a library on every system", "libc.so.6", "strlen", true},
        {"a function the library lacks", "libc.so.6", "no_such_function_here", false},
        {"a library that is not installed", "libno-such-library.so.7", "strlen", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const SharedLibrary library(row.library);
        decltype(&std::strlen) function = nullptr;
        EXPECT_EQ(library.Find(function, row.function), row.found);
        EXPECT_EQ(function != nullptr, row.found);
        if (function) {
            EXPECT_EQ(function("four"), 4u);
        }
    }
}
