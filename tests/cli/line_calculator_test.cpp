#include "cli/line_calculator.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "calc/x87.h"
#include "reference/exact_comparison.h"

namespace tarnel::cli {
namespace {

constexpr const char* kStartup = "0.01\t0.02\t0.03\t0.001\t0.6";
constexpr const char* kStartupResults = "229.2\t0.4593\t0.0008033\tГотов ...\t\t";

// A reference that fails on its first evaluation and works from then on.
int evaluations = 0;
template <typename Error>
long double FailingOnce(long double r1, long double r2, long double h) {
  if (evaluations++ == 0) {
    throw Error("a stand-in failure");
  }
  return reference::ExactPerTurnSquaredAtUnitRadius(r1, r2, h);
}

std::string ExactColumnsOfStartup() {
  CommandLine options;
  options.exact = true;
  LineCalculator calculator(options);
  std::string out;
  calculator.Append(kStartup, out);
  return out.substr(std::string(kStartupResults).size());
}

class LineCalculatorExactTest : public testing::Test {
 protected:
  void SetUp() override { fpu::SetWorkingMode(); }
};

// A winding the reference cannot evaluate is NA, and the next line is
// calculated as usual.
TEST_F(LineCalculatorExactTest, AnEvaluationThatFailsIsNotAvailable) {
  CommandLine options;
  options.exact = true;
  evaluations = 0;
  LineCalculator calculator(options, FailingOnce<std::runtime_error>);
  std::string out;
  calculator.Append(kStartup, out);
  calculator.Append(kStartup, out);
  EXPECT_EQ(out, std::string(kStartupResults) + "NA\tNA\n" + kStartupResults +
                     ExactColumnsOfStartup());
}

// A logic_error is a fault of the program: it is not hidden as NA.
TEST_F(LineCalculatorExactTest, AFaultOfTheProgramIsRaised) {
  CommandLine options;
  options.exact = true;
  evaluations = 0;
  LineCalculator calculator(options, FailingOnce<std::logic_error>);
  std::string out;
  EXPECT_THROW(calculator.Append(kStartup, out), std::logic_error);
}

}  // namespace
}  // namespace tarnel::cli
