// Spreads the lines of a block of input over threads, one calculator each,
// so that the output keeps the input's order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/line_calculator.h"

namespace tarnel::cli {

// The longest line, without its line break, that is calculated; a longer one
// is answered "line too long" and never held in memory whole.
constexpr std::size_t kMaxLineLength = std::size_t{1} << 20;

// What one thread works on. Each starts on a cache line of its own: two
// threads writing the same line (a string's length beside another's) would
// slow each other at every line they calculate.
struct alignas(64) LineWorker {
  explicit LineWorker(const CommandLine& options) : calculator(options) {}

  LineCalculator calculator;
  std::string output;
};

// Calculates the lines of `text`, each ended by a line break except perhaps
// the last, on up to `workers.size()` threads. Worker j takes the j-th run
// of lines and writes their output lines into its output, which is cleared
// first; the outputs in worker order are the output of `text`. A line longer
// than kMaxLineLength is answered "line too long". Throws what RunInParallel
// (parallel_tasks.h) throws.
void CalculateLines(std::string_view text, std::vector<LineWorker>& workers);

}  // namespace tarnel::cli
