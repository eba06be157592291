#include "cli/parallel_lines.h"

#include <algorithm>
#include <cstddef>

#include "calc/extended.h"
#include "cli/parallel_tasks.h"

namespace tarnel::cli {
namespace {

// Below this many bytes per thread, starting a thread costs more than the
// lines it would take over (a line of the window's texts is 22 bytes and
// takes a few microseconds).
constexpr std::size_t kMinBytesPerThread = 4096;

void CalculateRun(std::string_view text, LineCalculator& calculator, std::string& out) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lineBreak = text.find('\n', start);
    const std::size_t end = lineBreak == std::string_view::npos ? text.size() : lineBreak;
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (line.size() > kMaxLineLength) {
      calculator.AppendTooLong(out);
    } else {
      calculator.Append(line, out);
    }
    start = end + 1;
  }
}

}  // namespace

void CalculateLines(std::string_view text, std::vector<LineWorker>& workers) {
  const std::size_t runs =
      std::max<std::size_t>(1, std::min(workers.size(), text.size() / kMinBytesPerThread));
  // Run j is text[bounds[j], bounds[j + 1]), each bound just after a line
  // break.
  std::vector<std::size_t> bounds(runs + 1, text.size());
  bounds[0] = 0;
  for (std::size_t j = 1; j < runs; ++j) {
    const std::size_t target = std::max(text.size() / runs * j, bounds[j - 1]);
    const std::size_t lineBreak = text.find('\n', target);
    bounds[j] = lineBreak == std::string_view::npos ? text.size() : lineBreak + 1;
  }
  for (auto& worker : workers) {
    worker.output.clear();
  }
  RunInParallel(runs, [&](std::size_t j) {
    if (j != 0) {
      // The floating-point mode belongs to each thread.
      fpu::SetWorkingMode();
    }
    CalculateRun(text.substr(bounds[j], bounds[j + 1] - bounds[j]), workers[j].calculator,
                 workers[j].output);
  });
}

}  // namespace tarnel::cli
