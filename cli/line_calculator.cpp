#include "line_calculator.h"

#include <array>

#include "errors.h"
#include "exact_comparison.h"
#include "number_text.h"

namespace tarnel::cli {
namespace {

constexpr std::size_t kFieldCount = 5;

}  // namespace

std::string HeaderLine(const CommandLine& options) {
  std::string header = "N\tR\tL\tMessage\tError";
  if (options.exact) {
    header += "\tExactL\tDeviation";
  }
  header += '\n';
  return header;
}

void LineCalculator::Append(std::string_view line, std::string& out) {
  std::array<std::string*, kFieldCount> inputs = {&fields_.edR1, &fields_.edR2, &fields_.edH,
                                                  &fields_.edD, &fields_.edLambda};
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
    if (count < kFieldCount) {
      inputs[count]->assign(line.data() + start, end - start);
    }
    ++count;
    if (tab == std::string_view::npos) {
      break;
    }
    start = tab + 1;
  }
  if (count != kFieldCount) {
    ++wrongFieldCountLines_;
    out += "\t\t\t\texpected 5 fields, got ";
    out += std::to_string(count);
    if (options_.exact) {
      out += "\t\t";
    }
    out += '\n';
    return;
  }

  fields_.edMessage = kReadyMessage;
  const char* errorClass = nullptr;
  std::string errorMessage;
  try {
    RunCalculation(fields_, &values_);
  } catch (const Exception& e) {
    errorClass = e.ClassName();
    errorMessage = e.Message();
  }
  AppendResult(fields_.edN, values_.N, out);
  out += '\t';
  AppendResult(fields_.edR, values_.R, out);
  out += '\t';
  AppendResult(fields_.edL, values_.L, out);
  out += '\t';
  out += fields_.edMessage;
  out += '\t';
  if (errorClass != nullptr) {
    out += errorClass;
    out += ": ";
    out += errorMessage;
  }
  if (options_.exact) {
    out += '\t';
    AppendExact(out);
  }
  out += '\n';
}

void LineCalculator::AppendResult(const std::string& text, const std::optional<long double>& value,
                                  std::string& out) const {
  if (options_.full && value) {
    out += FormatNumber(*value, CScientificFormat(21, '.'));
  } else {
    out += text;
  }
}

// The exact L and the deviation, tab-separated; both empty without an L.
void LineCalculator::AppendExact(std::string& out) const {
  if (!values_.L) {
    out += '\t';
    return;
  }
  // A calculation that wrote L hands back the radii and the height it read.
  const reference::ExactComparison comparison =
      reference::CompareWithExact(*values_.R1, *values_.R2, *values_.H, *values_.N, *values_.L);
  if (!comparison.evaluated) {
    out += "NA\tNA";
    return;
  }
  out += FormatNumber(comparison.exactL, CScientificFormat(10, options_.mark));
  out += '\t';
  out += FormatNumber(comparison.deviation, CScientificFormat(4, options_.mark));
}

}  // namespace tarnel::cli
