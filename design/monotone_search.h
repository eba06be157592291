// The root of a rising function on a closed range, in few evaluations: a
// secant search from a warm start that keeps a bracket once it has one and
// falls back to bisection when the secant leaves it or stalls. A design
// runs it on ln(L / target) with each evaluation an exact inductance, so
// the evaluations are what it costs.
#pragma once

#include <functional>
#include <optional>

namespace tarnel::design {

// The function searched, rising in u; nothing where it cannot be evaluated.
using SearchedFunction = std::function<std::optional<long double>(long double u)>;

struct SearchSetup {
  long double low = 0;  // the range of u, both ends included
  long double high = 0;
  long double start = 0;       // the first u evaluated, clamped to the range
  long double startSlope = 1;  // the slope stepped on until two points give a secant
  long double stopGap = 0;     // a point with |g| within this is the root
  long double acceptGap = 0;   // once the range is exhausted, the best point within this is
  int maxEvaluations = 0;
};

struct SearchResult {
  enum class Outcome {
    kFound,         // `u` is the root
    kBelowRange,    // g(low) > 0: every u of the range lies above the root
    kAboveRange,    // g(high) < 0: every u lies below it
    kNotEvaluated,  // the function could not be evaluated at a point tried
    kNotFound,      // the budget or the precision of u ran out with no point near enough
  };
  Outcome outcome = Outcome::kNotFound;
  long double u = 0;
  int evaluations = 0;
};

SearchResult FindRisingRoot(const SearchedFunction& g, const SearchSetup& setup);

}  // namespace tarnel::design
