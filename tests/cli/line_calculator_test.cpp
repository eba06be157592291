#include "cli/line_calculator.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "calc/number_text.h"
#include "reference/exact_comparison.h"
#include "wire/wire_for_resistance.h"

namespace tarnel::cli {
namespace {

// A reference that fails on its first evaluation and works from then on.
int evaluations = 0;
template <typename Error>
long double FailingOnce(long double r1, long double r2, long double h) {
  if (evaluations++ == 0) {
    throw Error("a stand-in failure");
  }
  return reference::ExactPerTurnSquaredAtUnitRadius(r1, r2, h);
}

// A winding the reference cannot evaluate is NA and the next line is
// calculated as usual; a logic_error, a fault of the program, is not hidden.
TEST(LineCalculatorExact, NotAvailableOnlyForAnEvaluationThatFails) {
  const std::string line = "0.01\t0.02\t0.03\t0.001\t0.6";
  CommandLine options;
  options.exact = true;
  std::string expected;
  LineCalculator(options).Append(line, expected);
  // The line without its last two columns, the exact L and the deviation.
  const std::string results = expected.substr(0, expected.rfind('\t', expected.rfind('\t') - 1));
  evaluations = 0;
  LineCalculator failing(options, FailingOnce<std::runtime_error>);
  std::string out;
  failing.Append(line, out);
  failing.Append(line, out);
  EXPECT_EQ(out, results + "\tNA\tNA\n" + expected);
  evaluations = 0;
  EXPECT_THROW(LineCalculator(options, FailingOnce<std::logic_error>).Append(line, out),
               std::logic_error);
}

std::vector<std::string> ColumnsOf(const std::string& line) {
  std::vector<std::string> columns;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
    columns.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  columns.push_back(line.substr(start));
  return columns;
}

// A limit at the very resistance of the thinnest wire's best coil: the
// coil as written, its R1, R2 and H rounded, lies above it, so that wire
// is passed over for one whose written coil meets the limit, in R as
// printed and in full.
TEST(LineCalculatorOptimize, TheLimitHoldsOnTheWrittenCoil) {
  for (const bool full : {false, true}) {
    wire::WireLimitRequest request;
    request.coil.targetL = 1.5e-3L;
    request.family = wire::WireFamily::kAwgSingle;
    request.maxResistance = 3;
    const wire::WireForLimit solved = wire::FindWireForResistance(request);
    ASSERT_TRUE(solved.found);
    CommandLine options;
    options.optimize = true;
    options.full = full;
    options.maxResistance = solved.resistance;
    std::string out;
    LineCalculator(options).Append("?\t?\t?\tAWG:?:single\tlayered\t0.0015", out);
    const std::vector<std::string> columns = ColumnsOf(out.substr(0, out.size() - 1));
    ASSERT_GT(columns.size(), 6U) << out;
    // wire, R1, R2, H, N, R, L
    ASSERT_FALSE(columns[5].empty()) << out;
    EXPECT_LE(TextToNumber(columns[5], '.'), solved.resistance) << out;
    EXPECT_NE(columns[0], "AWG:" + solved.wire.size + ":single") << out;
  }
}

}  // namespace
}  // namespace tarnel::cli
