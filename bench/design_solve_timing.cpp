// tarnel-solve-timing: the time SolveForInductance takes for R2, H and D
// over a grid of shapes that covers the exact reference's accepted range up
// to its edges, beside the time of one exact evaluation of the same shapes.
// Each solve starts from the calculator's formula and aims at the exact L of
// the grid's winding, so it has the formula's error to make up. Prints, per
// unknown, the median and the slowest solve, the shape of the slowest, and
// the median ratio of a solve to one exact evaluation, all in the processor
// time of the thread (about the number of
// evaluations it needs).
//
// Usage: tarnel-solve-timing [repeats]   (fastest of `repeats`, 1 by default)
//        tarnel-solve-timing --lines COUNT [SEED]
//          prints COUNT random solvable lines for tarnel-calc --solve
//          (R1 R2 H D Lambda L, one of R2, H, D "?"), the same for the same
//          seed, over the shapes the reference accepts.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "bench/timing.h"
#include "calc/inductance.h"
#include "design/target_inductance.h"
#include "reference/exact_comparison.h"

namespace {

using tarnel::bench::Spaced;
using tarnel::bench::ThreadMilliseconds;

using tarnel::design::Design;
using tarnel::design::Unknown;
using tarnel::design::Winding;

// A winding of the given ratios around a mean radius of 1 m, of the thickest
// wire at half the limit.
Winding ShapeOf(long double lengthRatio, long double thicknessRatio) {
  Winding w;
  w.R1 = 1 - thicknessRatio;
  w.R2 = 1 + thicknessRatio;
  w.H = 2 * lengthRatio;
  w.D = std::min(w.H, w.R2 - w.R1) / 2;
  w.Lambda = 0.6L;
  return w;
}

long double ExactL(const Winding& w) {
  const auto inputs = tarnel::MakeFormulaInputs<long double>(w.R1, w.R2, w.H, w.D, w.Lambda);
  const auto c = tarnel::reference::CompareWithExact(w, inputs.TurnCount, 1.0L);
  return c.evaluated ? c.exactL : NAN;
}

int PrintLines(long count, unsigned long seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  auto logUniform = [&](long double low, long double high) {
    return low * std::pow(high / low, static_cast<long double>(unit(random)));
  };
  for (long i = 0; i < count; ++i) {
    const long double meanRadius = logUniform(1e-4L, 1e1L);
    Winding w = ShapeOf(logUniform(2e-7L, 5e5L), logUniform(2e-6L, 1));
    w.R1 *= meanRadius;
    w.R2 *= meanRadius;
    w.H *= meanRadius;
    w.D = std::min(w.H, w.R2 - w.R1) * logUniform(1e-3L, 0.9L);
    w.Lambda = 0.1L + 0.8L * static_cast<long double>(unit(random));
    const long double target = ExactL(w);
    std::array<char[40], 5> texts{};
    const std::array<long double, 5> values = {w.R1, w.R2, w.H, w.D, w.Lambda};
    for (std::size_t j = 0; j < values.size(); ++j) {
      std::snprintf(texts[j], sizeof texts[j], "%.12Lg", values[j]);
    }
    // The unknown in turn: R2, H, D.
    std::strcpy(texts[1 + i % 3], "?");
    std::printf("%s\t%s\t%s\t%s\t%s\t%.12Lg\n", texts[0], texts[1], texts[2], texts[3], texts[4],
                target);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--lines") == 0) {
    return PrintLines(std::atol(argv[2]), argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
  }
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  constexpr long double kInwards = 1e-9L;
  std::vector<long double> thicknessRatios = Spaced(1e-6L * (1 + kInwards), 1, 10);
  // Around the hole R1/R2 = 3e-3, where the reference is slowest.
  for (const long double innerRatio : {2.9e-3L, 3.01e-3L, 3.2e-3L}) {
    thicknessRatios.push_back((1 - innerRatio) / (1 + innerRatio));
  }
  std::vector<Winding> shapes;
  for (const long double lengthRatio : Spaced(1e-7L * (1 + kInwards), 1e6L * (1 - kInwards), 12)) {
    for (const long double thicknessRatio : thicknessRatios) {
      shapes.push_back(ShapeOf(lengthRatio, thicknessRatio));
    }
  }
  (void)ExactL(shapes.front());  // builds the reference's tables

  std::vector<double> evaluationTimes;
  for (const Winding& w : shapes) {
    double best = INFINITY;
    for (int r = 0; r < repeats; ++r) {
      const double start = ThreadMilliseconds();
      volatile long double L = ExactL(w);
      (void)L;
      best = std::min(best, ThreadMilliseconds() - start);
    }
    evaluationTimes.push_back(best);
  }
  std::vector<double> sortedEvaluations = evaluationTimes;
  std::sort(sortedEvaluations.begin(), sortedEvaluations.end());
  std::printf("shapes %zu, fastest of %d each\n", shapes.size(), repeats);
  std::printf("one exact evaluation: median %.3f ms, slowest %.3f ms\n",
              sortedEvaluations[sortedEvaluations.size() / 2], sortedEvaluations.back());

  int failures = 0;
  for (const Unknown unknown : {Unknown::kR2, Unknown::kH, Unknown::kD}) {
    const char* name = unknown == Unknown::kR2 ? "R2" : unknown == Unknown::kH ? "H" : "D";
    std::vector<double> times;
    std::vector<double> ratios;
    std::vector<int> counts;
    double slowest = 0;
    Winding slowestShape{};
    for (std::size_t i = 0; i < shapes.size(); ++i) {
      const Winding& w = shapes[i];
      const long double target = ExactL(w);
      double best = INFINITY;
      Design design;
      for (int r = 0; r < repeats; ++r) {
        const double start = ThreadMilliseconds();
        design = tarnel::design::SolveForInductance(w, unknown, target);
        best = std::min(best, ThreadMilliseconds() - start);
      }
      counts.push_back(design.exactEvaluations);
      if (design.outcome != Design::Outcome::kSolved) {
        ++failures;
        std::printf("%s not solved: R1 %.12Lg R2 %.12Lg H %.12Lg D %.12Lg: %s\n", name, w.R1, w.R2,
                    w.H, w.D, design.message.c_str());
      }
      times.push_back(best);
      ratios.push_back(best / evaluationTimes[i]);
      if (best > slowest) {
        slowest = best;
        slowestShape = w;
      }
    }
    std::sort(times.begin(), times.end());
    std::sort(ratios.begin(), ratios.end());
    std::sort(counts.begin(), counts.end());
    std::printf(
        "solve %-2s: median %.3f ms, slowest %.3f ms (R1 %.6Lg R2 %.6Lg H %.6Lg); solve / one "
        "evaluation: median %.2f, highest %.2f; exact evaluations: median %d, most %d\n",
        name, times[times.size() / 2], slowest, slowestShape.R1, slowestShape.R2, slowestShape.H,
        ratios[ratios.size() / 2], ratios.back(), counts[counts.size() / 2], counts.back());
  }
  return failures == 0 ? 0 : 1;
}
