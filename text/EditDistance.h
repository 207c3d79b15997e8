#pragma once
// How far apart two spellings are: the optimal string alignment distance, in which inserting,
// deleting or replacing a byte and swapping two neighbouring bytes each count one edit. The texts
// are compared as given; fold them first to compare letters without case.

#include <string_view>

// The distance, or `limit` + 1 for any distance above `limit`: the count stops there, so a far
// pair costs a few rows of the count, not all of them.
int EditDistance(std::string_view a, std::string_view b, int limit);
