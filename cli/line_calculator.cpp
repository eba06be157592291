#include "line_calculator.h"

#include <array>
#include <cstdio>

#include "errors.h"
#include "exact_comparison.h"

namespace tarnel::cli {
namespace {

constexpr std::size_t kFieldCount = 5;

// printf output of a long double, with `mark` for the C locale's ".".
void AppendPrinted(const char* format, long double value, char mark, std::string& out) {
  std::array<char, 64> buffer{};
  const int length = std::snprintf(buffer.data(), buffer.size(), format, value);
  const std::size_t start = out.size();
  out.append(buffer.data(), static_cast<std::size_t>(length));
  if (mark != '.') {
    for (std::size_t i = start; i < out.size(); ++i) {
      if (out[i] == '.') {
        out[i] = mark;
      }
    }
  }
}

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

void LineCalculator::AppendTooLong(std::string& out) {
  ++tooLongLines_;
  out += "\t\t\t\tline too long";
  if (options_.exact) {
    out += "\t\t";
  }
  out += '\n';
}

void LineCalculator::AppendResult(const std::string& text, const std::optional<long double>& value,
                                  std::string& out) const {
  if (options_.full && value) {
    AppendPrinted("%.20Le", *value, '.', out);
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
  AppendPrinted("%.9Le", comparison.exactL, options_.mark, out);
  out += '\t';
  AppendPrinted("%.3Le", comparison.deviation, options_.mark, out);
}

}  // namespace tarnel::cli
