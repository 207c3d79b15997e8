#pragma once
// The graded word lists that come with the program: lists.tsv in their folder names each list's
// file, its title and its number of words (UTF-8, one list a line, in the order they are offered).

#include <string>
#include <vector>

struct GradedList {
    std::string file;  // the list's file, in the folder
    std::string title; // GBK
    int words = 0;
};

// The lists `folder`/lists.tsv names; none when it is missing or unreadable. A line that is not a
// file, a title and a number is passed over.
std::vector<GradedList> ReadGradedLists(const std::string& folder);

// `folder`/lists.tsv, the file that names them.
std::string GradedListsIndex(const std::string& folder);
