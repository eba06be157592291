#include "design/monotone_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

namespace tarnel::design {
namespace {

using Outcome = SearchResult::Outcome;

// Synthetic rising functions on [0, 1], each with its root (where it has
// one in the range) and what the search must do on it.
struct SearchCase {
  const char* name;
  std::optional<long double> (*g)(long double u);
  long double start;
  long double startSlope;
  int maxEvaluations;
  Outcome outcome;
  long double root;     // kFound: the u expected, to 1e-6
  int mostEvaluations;  // the evaluations it may take at most
};

void PrintTo(const SearchCase& value, std::ostream* out) {
  *out << value.name;
}

const SearchCase kCases[] = {
    // A straight line from a far start: the first step on the start slope
    // lands on it.
    {"Line", [](long double u) -> std::optional<long double> { return u - 0.3L; }, 0.9L, 1, 60,
     Outcome::kFound, 0.3L, 2},
    // A curve whose start slope is wrong by a factor of ten: the secant
    // takes over after one step.
    {"Curve", [](long double u) -> std::optional<long double> { return std::expm1(3 * u) - 1; },
     0.05L, 30, 60, Outcome::kFound, std::log(2.0L) / 3, 12},
    // A triple root stalls the secant, which shrinks the gap by a constant
    // factor only: bisection takes over and still finds it.
    {"Stall",
     [](long double u) -> std::optional<long double> {
       const long double x = u - 0.3L;
       return x * x * x;
     },
     0.9L, 3, 60, Outcome::kFound, 0.3L, 50},
    // Flat up to 0.8, where the secant has no slope: steps on the start
    // slope cross the stretch, and the root beyond it is found.
    {"FlatStretch",
     [](long double u) -> std::optional<long double> { return u < 0.8L ? -1.0L : 10 * (u - 0.9L); },
     0.1L, 1, 60, Outcome::kFound, 0.9L, 20},
    // The root beyond either end: the end is evaluated and named.
    {"BeyondTheHighEnd", [](long double u) -> std::optional<long double> { return u - 2; }, 0.5L, 1,
     60, Outcome::kAboveRange, 0, 3},
    {"BeyondTheLowEnd", [](long double u) -> std::optional<long double> { return u + 1; }, 0.5L, 1,
     60, Outcome::kBelowRange, 0, 3},
    // The budget ends the search, with no point near enough.
    {"Budget",
     [](long double u) -> std::optional<long double> {
       const long double x = u - 0.3L;
       return x * x * x;
     },
     0.9L, 3, 5, Outcome::kNotFound, 0, 5},
    {"NotEvaluated",
     [](long double u) -> std::optional<long double> {
       return u < 0.5L ? std::optional<long double>(u - 0.4L) : std::nullopt;
     },
     0.1L, 0.01L, 60, Outcome::kNotEvaluated, 0, 2},
};

class SearchTest : public testing::TestWithParam<SearchCase> {};

TEST_P(SearchTest, FindsTheRootOrSaysWhyNot) {
  const SearchCase& c = GetParam();
  SearchSetup setup;
  setup.low = 0;
  setup.high = 1;
  setup.start = c.start;
  setup.startSlope = c.startSlope;
  setup.stopGap = 1e-18L;
  setup.acceptGap = 1e-12L;
  setup.maxEvaluations = c.maxEvaluations;
  int calls = 0;
  const SearchResult result = FindRisingRoot(
      [&](long double u) {
        ++calls;
        return c.g(u);
      },
      setup);
  EXPECT_EQ(result.outcome, c.outcome);
  EXPECT_EQ(result.evaluations, calls);
  EXPECT_LE(result.evaluations, c.mostEvaluations);
  if (c.outcome == Outcome::kFound) {
    EXPECT_NEAR(static_cast<double>(result.u), static_cast<double>(c.root), 1e-6);
  }
}

INSTANTIATE_TEST_SUITE_P(Functions, SearchTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnel::design
