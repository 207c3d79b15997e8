#pragma once
// Word tables with a spaced review's history for the benchmarks: `cards` words spread over the
// table, each answered ten times in the 400 days before kBenchReviewNow as the scheduler would have
// them (one answer in eight forgotten), so that a table of 100k cards holds 1M answers.

#include <cstddef>
#include <cstdint>
#include <string>

// 2026-12-09 10:00 UTC, the moment the benchmarks review at.
constexpr std::int64_t kBenchReviewNow = 1796810400;
constexpr int kBenchAnswersPerCard = 10;

// Path of BenchTablePath(words) with that history; built on first use and kept between runs.
std::string BenchReviewTablePath(std::size_t words, std::size_t cards);
// A fresh private copy of it, named after `use`, for benchmarks that change it.
std::string FreshBenchReviewCopy(std::size_t words, std::size_t cards, const std::string& use);
