#include "cli/line_calculator.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "reference/exact_comparison.h"

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

}  // namespace
}  // namespace tarnel::cli
