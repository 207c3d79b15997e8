#pragma once
// Generated word tables for benchmarks, built once per size and kept under /tmp between runs.

#include <cstddef>
#include <string>

// Path of a table holding GenerateWordList(words); built on first use.
std::string BenchTablePath(std::size_t words);

// A fresh private copy of that table, named after `use`, for benchmarks that change the table.
std::string FreshBenchTableCopy(std::size_t words, const std::string& use);
