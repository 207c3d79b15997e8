#pragma once
// A table in a temporary directory, a fake window and the page logic wired to both, as the main
// window wires them.

#include "store/DictTable.h"
#include "study/StudyPages.h"
#include "support/FakeView.h"
#include "support/RecordingSpeaker.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class StudyFixture : public ::testing::Test {
protected:
    StudyFixture();

    // Stores the words (with their explanations) and puts the table on the first one.
    void AddWords(const std::vector<std::pair<std::string, std::string>>& words);
    // The word of the current record.
    std::string CurrentWord() const { return table.FieldByName("word"); }

    TempDir dir;
    TDictTable table;
    FakeView view;
    RecordingSpeaker speaker;
    std::unique_ptr<StudyPages> pages;
};
