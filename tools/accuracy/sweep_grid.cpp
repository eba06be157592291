#include "tools/accuracy/sweep_grid.h"

#include <cmath>
#include <stdexcept>

namespace tarnel::accuracy {

std::vector<double> LogSpaced(double first, double last, int count) {
  if (!(first > 0) || !(last > 0) || count < 2) {
    throw std::invalid_argument("LogSpaced needs positive ends and at least two values");
  }
  std::vector<double> values(count);
  const double logFirst = std::log(first);
  const double step = (std::log(last) - logFirst) / (count - 1);
  for (int i = 0; i < count; ++i) {
    values[i] = std::exp(logFirst + step * i);
  }
  values.front() = first;
  values.back() = last;
  return values;
}

SweepGrid StandardSweepGrid() {
  return {LogSpaced(0.005, 20, 60), LogSpaced(0.005, 1, 40)};
}

}  // namespace tarnel::accuracy
