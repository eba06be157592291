// tarnel-exact-timing: the time CompareWithExact takes per winding over a
// grid of shapes that covers its accepted range up to the edges, each at the
// sizes 1 m, 1e-200 m and 1e200 m. Prints the first evaluation (which builds
// the tables), the median and the slowest in wall-clock time, the shape of
// the slowest, and the slowest in this thread's processor time.
//
// Usage: tarnel-exact-timing [repeats]   (each winding is timed `repeats`
// times, 3 by default, and its fastest time kept, so that a moment of load
// from elsewhere on the machine does not count as the reference's cost)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "bench/timing.h"
#include "reference/exact_comparison.h"

namespace {

using tarnel::bench::Clock;
using tarnel::bench::Milliseconds;
using tarnel::bench::Spaced;
using tarnel::bench::ThreadMilliseconds;

struct Shape {
  long double lengthRatio;     // H / (R1 + R2)
  long double thicknessRatio;  // (R2 - R1) / (R1 + R2)
  long double size;            // the mean radius, metres
};

struct Timing {
  double wall;       // ms
  double processor;  // ms
};

Timing TimeOnce(const Shape& w, bool& evaluated) {
  tarnel::Winding winding;
  winding.R1 = w.size * (1 - w.thicknessRatio);
  winding.R2 = w.size * (1 + w.thicknessRatio);
  winding.H = w.size * 2 * w.lengthRatio;
  const double processorStart = ThreadMilliseconds();
  const auto start = Clock::now();
  const tarnel::reference::ExactComparison c =
      tarnel::reference::CompareWithExact(winding, 100, w.size * 1e-4L);
  const auto stop = Clock::now();
  const double processorStop = ThreadMilliseconds();
  evaluated = c.evaluated;
  return {Milliseconds(stop - start), processorStop - processorStart};
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  // The edges themselves, moved inwards by a few roundings so that the
  // lengths built from them do not fall just outside.
  constexpr long double kInwards = 1e-9L;
  std::vector<long double> thicknessRatios = Spaced(1e-6L * (1 + kInwards), 1, 25);
  // Holes where the integral is taken furthest out: small ones, either side
  // of R1/R2 = 3.6e-11, below which the inner radius is left out beyond the
  // far cut-off, and either side of R1/R2 = 36/(12 pi), below which part of
  // the oscillating range has the inner radius below its large-x form.
  for (const long double innerRatio :
       {3e-3L, 1e-3L, 1e-9L, 3.5e-11L, 3.7e-11L, 1e-15L, 0.95L, 0.96L}) {
    thicknessRatios.push_back((1 - innerRatio) / (1 + innerRatio));
  }
  std::vector<Shape> windings;
  for (const long double size : {1.0L, 1e-200L, 1e200L}) {
    for (const long double lengthRatio :
         Spaced(1e-7L * (1 + kInwards), 1e6L * (1 - kInwards), 27)) {
      for (const long double thicknessRatio : thicknessRatios) {
        windings.push_back({lengthRatio, thicknessRatio, size});
      }
    }
  }
  bool evaluated = false;
  const Timing cold = TimeOnce(windings.front(), evaluated);
  std::vector<double> times;
  double slowest = 0;
  double slowestProcessor = 0;
  Shape slowestWinding{};
  int refused = 0;
  for (const Shape& w : windings) {
    Timing best{INFINITY, INFINITY};
    for (int i = 0; i < repeats; ++i) {
      const Timing t = TimeOnce(w, evaluated);
      best = {std::min(best.wall, t.wall), std::min(best.processor, t.processor)};
    }
    if (!evaluated) {
      ++refused;
      std::printf("not evaluated: lengthRatio %.6Lg, thicknessRatio %.9Lg, mean radius %.0Le m\n",
                  w.lengthRatio, w.thicknessRatio, w.size);
    }
    times.push_back(best.wall);
    slowestProcessor = std::max(slowestProcessor, best.processor);
    if (best.wall > slowest) {
      slowest = best.wall;
      slowestWinding = w;
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("windings %zu (not evaluated %d), best of %d each\n", windings.size(), refused,
              repeats);
  std::printf("first evaluation, building the tables: %.2f ms (processor %.2f ms)\n", cold.wall,
              cold.processor);
  std::printf(
      "median %.2f ms, slowest %.2f ms at lengthRatio %.3Lg, thicknessRatio %.6Lg, "
      "mean radius %.0Le m\n",
      times[times.size() / 2], slowest, slowestWinding.lengthRatio, slowestWinding.thicknessRatio,
      slowestWinding.size);
  std::printf("slowest in processor time %.2f ms\n", slowestProcessor);
  return refused == 0 ? 0 : 1;
}
