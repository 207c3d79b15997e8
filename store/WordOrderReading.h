#pragma once
// The reading of a whole table in word order (an export), from a snapshot of its own.
//
// The word index gives the records all over the file, and looking each one up by its ID from
// there descends the table's tree through pages no lookup before it warmed: at a million words
// that is nearly all of an export's time. The reading therefore walks the word index once for the
// IDs in word order, then reads the table in the order stored, which goes front to back, and keeps
// the records of one window of the word order at a time, given in word order when the window is
// complete: one window up to about 450,000 words, three at a million.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The records one window holds at once: at most 64 MiB of texts at their widest (25 + 125 bytes).
constexpr std::size_t kWordOrderWindowRecords = (64u << 20) / (25 + 125);

// Gives every record's word and explanation of the table file at `path` once in word order (equal
// words by ID), as the table stood when the reading began, on a read-only connection of its own.
// `meanwhile` is called every few hundred records read before they are given; either returning
// false stops the reading, and it returns false. The texts given last until `visit` returns.
// `expectedRecords` sizes the list of IDs.
bool ReadTableInWordOrder(const std::string& path,
                          const std::function<bool(std::string_view word, std::string_view interpret)>& visit,
                          const std::function<bool()>& meanwhile,
                          std::size_t windowRecords = kWordOrderWindowRecords,
                          std::size_t expectedRecords = 0);
