// One input line of tarnel-calc to its output line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "calc/calculation_request.h"
#include "cli/command_line.h"
#include "cli/wire_texts.h"
#include "reference/exact_comparison.h"

namespace tarnel::cli {

// The column names --header prints, with the line break.
std::string HeaderLine(const CommandLine& options);

// Calculates lines and appends their output lines to a buffer. It keeps its
// field texts from line to line so that a line of short texts allocates
// nothing. One calculator per thread.
class LineCalculator {
 public:
  // `exact` evaluates the reference for --exact and --solve (tests put a
  // stand-in there).
  explicit LineCalculator(
      const CommandLine& options,
      reference::PerTurnSquaredAtUnitRadius exact = reference::ExactPerTurnSquaredAtUnitRadius)
      : options_(options), exact_(exact) {}

  // Appends the output line, with its line break, of `line` (without its
  // line break) to `out`.
  void Append(std::string_view line, std::string& out);

  // Appends the output line of a line too long to be calculated: the
  // result columns empty, "line too long" as its error.
  void AppendTooLong(std::string& out);

  // Lines seen with other than five fields (six with --solve or --optimize).
  [[nodiscard]] std::size_t WrongFieldCountLines() const { return wrongFieldCountLines_; }
  // Lines answered "line too long".
  [[nodiscard]] std::size_t TooLongLines() const { return tooLongLines_; }

  // --solve and --optimize lines of the right field count that gave no
  // solved value.
  [[nodiscard]] std::size_t UnsolvedLines() const { return unsolvedLines_; }

 private:
  void AppendSolve(std::string_view line, std::string& out);
  void AppendOptimize(std::string_view line, std::string& out);
  // Runs the calculation on fields_ and appends its columns from N on.
  void AppendCalculation(std::string& out);
  // The columns from N on of a line that calculated nothing.
  void AppendNothing(const std::string& error, std::string& out) const;
  void AppendWinding(std::string& out) const;
  void AppendResult(const std::string& text, const std::optional<long double>& value,
                    std::string& out) const;
  void AppendExact(std::string& out) const;

  CommandLine options_;
  reference::PerTurnSquaredAtUnitRadius exact_;
  CalculationFields fields_;
  ComputedValues values_;
  std::optional<LineWire> lineWire_;  // the wire the line's D and Lambda named
  std::size_t wrongFieldCountLines_ = 0;
  std::size_t tooLongLines_ = 0;
  std::size_t unsolvedLines_ = 0;
};

}  // namespace tarnel::cli
