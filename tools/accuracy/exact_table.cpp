// tarnel-exact-table: L/N^2 of the exact reference at a mean radius of 1 m
// for the shapes of the accuracy map, the edges of the accepted range and
// random shapes across it, one TAB-separated line per shape:
//   R1 R2 H L/N^2   (metres and henries, 21 significant digits)
// tests/reference/exact_values.tsv holds its output from the evaluation
// the library used before its oscillating range got Filon panels (Gauss-
// Legendre panels of width pi up to the cut-off); the reference test
// compares the library with it.
//
// Usage: tarnel-exact-table > exact_values.tsv
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "reference/exact_inductance.h"
#include "tools/accuracy/sweep_grid.h"

namespace {

struct Shape {
  long double lengthRatio;     // H / (R1 + R2)
  long double thicknessRatio;  // (R2 - R1) / (R1 + R2)
};

double Uniform(std::mt19937_64& generator) {
  return static_cast<double>(generator() >> 11) * 0x1p-53;
}

std::vector<Shape> Shapes() {
  std::vector<Shape> shapes;
  const tarnel::accuracy::SweepGrid grid = tarnel::accuracy::StandardSweepGrid();
  for (const double lengthRatio : grid.lengthRatios) {
    for (const double thicknessRatio : grid.thicknessRatios) {
      shapes.push_back({lengthRatio, thicknessRatio});
    }
  }
  // The ends of the accepted range, and holes around where the inner radius
  // reaches the large-x form at the cut-off, down to none at all.
  constexpr long double kInwards = 1e-9L;
  std::vector<long double> thicknessRatios{1e-6L * (1 + kInwards), 1e-4L, 1e-2L, 0.3L, 1};
  for (const long double innerRatio :
       {1e-9L, 1e-4L, 1e-3L, 2.9e-3L, 2.999e-3L, 3e-3L, 3.001e-3L, 3.2e-3L, 1e-2L, 0.1L}) {
    thicknessRatios.push_back((1 - innerRatio) / (1 + innerRatio));
  }
  for (const long double lengthRatio :
       {1e-7L * (1 + kInwards), 1e-5L, 1e-3L, 0.1L, 1.0L, 30.0L, 1e6L * (1 - kInwards)}) {
    for (const long double thicknessRatio : thicknessRatios) {
      shapes.push_back({lengthRatio, thicknessRatio});
    }
  }
  // Log-uniform over the accepted range.
  std::mt19937_64 generator(15);
  for (int i = 0; i < 300; ++i) {
    const long double lengthRatio = 1e-7L * std::pow(1e13L, Uniform(generator));
    const long double thicknessRatio = 1e-6L * std::pow(1e6L, Uniform(generator));
    shapes.push_back({lengthRatio, thicknessRatio});
  }
  return shapes;
}

}  // namespace

int main() {
  for (const Shape& shape : Shapes()) {
    const long double R1 = 1 - shape.thicknessRatio;
    const long double R2 = 1 + shape.thicknessRatio;
    const long double H = 2 * shape.lengthRatio;
    const long double value = tarnel::reference::ExactInductancePerTurnSquaredExtended(R1, R2, H);
    std::printf("%.20Le\t%.20Le\t%.20Le\t%.20Le\n", R1, R2, H, value);
  }
  return 0;
}
