#include "design/monotone_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnel::design {
namespace {

struct Point {
  long double u = 0;
  long double g = 0;
};

// A step that shrinks |g| by less than this factor is slow; two slow steps
// in a row inside a bracket bisect it instead.
constexpr long double kSlowStepShrink = 4;
constexpr int kSlowStepsBeforeBisection = 2;

}  // namespace

SearchResult FindRisingRoot(const SearchedFunction& g, const SearchSetup& setup) {
  SearchResult result;
  auto finish = [&](SearchResult::Outcome outcome, long double u) {
    result.outcome = outcome;
    result.u = u;
    return result;
  };
  const long double low = setup.low;
  const long double high = setup.high;
  // The bracket: `below` has g under 0, `above` over it; until a point is
  // seen on a side, that side is the end of the range, unseen.
  Point below{low, 0};
  Point above{high, 0};
  bool belowSeen = false;
  bool aboveSeen = false;
  std::optional<Point> previous;
  Point best{0, std::numeric_limits<long double>::infinity()};
  int slowSteps = 0;

  long double u = std::clamp(setup.start, low, high);
  while (result.evaluations < setup.maxEvaluations) {
    ++result.evaluations;
    const std::optional<long double> gap = g(u);
    if (!gap) {
      return finish(SearchResult::Outcome::kNotEvaluated, u);
    }
    const Point point{u, *gap};
    if (std::fabs(point.g) <= setup.stopGap) {
      return finish(SearchResult::Outcome::kFound, u);
    }
    if (std::fabs(point.g) < std::fabs(best.g)) {
      best = point;
    }
    if (point.g < 0) {
      if (u == high) {
        return finish(SearchResult::Outcome::kAboveRange, u);
      }
      below = point;
      belowSeen = true;
    } else {
      if (u == low) {
        return finish(SearchResult::Outcome::kBelowRange, u);
      }
      above = point;
      aboveSeen = true;
    }

    long double next = 0;
    if (previous && (point.g - previous->g) / (u - previous->u) > 0) {
      next = u - point.g * (u - previous->u) / (point.g - previous->g);
    } else {
      next = u - point.g / setup.startSlope;
    }
    slowSteps = previous && std::fabs(point.g) > std::fabs(previous->g) / kSlowStepShrink
                    ? slowSteps + 1
                    : 0;
    if (belowSeen && aboveSeen) {
      // Inside a closed bracket: the secant while it keeps inside and keeps
      // shrinking the gap, else bisection.
      if (!(next > below.u && next < above.u) || slowSteps >= kSlowStepsBeforeBisection) {
        next = below.u / 2 + above.u / 2;
        slowSteps = 0;
      }
      if (next == below.u || next == above.u) {
        break;
      }
    } else {
      // An open side is tried at the end of the range once the step reaches
      // it: either the root lies beyond, or the bracket closes there.
      next = std::clamp(next, below.u, above.u);
      if (next == u) {
        break;
      }
    }
    previous = point;
    u = next;
  }
  // The bracket has shrunk to neighbouring numbers or the budget is spent:
  // the best point seen is as close as the search came.
  if (std::fabs(best.g) <= setup.acceptGap) {
    return finish(SearchResult::Outcome::kFound, best.u);
  }
  return finish(SearchResult::Outcome::kNotFound, best.u);
}

}  // namespace tarnel::design
