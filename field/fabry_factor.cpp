#include "field/fabry_factor.h"

#include <cmath>
#include <numbers>

namespace tarnel::field {
namespace {

// The largest value of a unimodal function of one variable on [low, high]
// and where it is; the interval shrinks by the golden ratio each step down
// to the 80-bit resolution of the argument.
template <typename Function>
std::pair<long double, long double> GoldenMaximum(long double low, long double high,
                                                  const Function& f) {
  const long double ratio = (std::sqrt(5.0L) - 1) / 2;
  long double x1 = high - ratio * (high - low);
  long double x2 = low + ratio * (high - low);
  long double f1 = f(x1);
  long double f2 = f(x2);
  for (int step = 0; step < 120; ++step) {
    if (f1 < f2) {
      low = x1;
      x1 = x2;
      f1 = f2;
      x2 = low + ratio * (high - low);
      f2 = f(x2);
    } else {
      high = x2;
      x2 = x1;
      f2 = f1;
      x1 = high - ratio * (high - low);
      f1 = f(x1);
    }
  }
  return f1 < f2 ? std::pair{x2, f2} : std::pair{x1, f1};
}

}  // namespace

std::optional<long double> FabryFactor(long double alpha, long double beta) {
  if (!std::isfinite(alpha) || !std::isfinite(beta) || !(alpha > 1) || !(beta > 0)) {
    return std::nullopt;
  }
  const long double pi = std::numbers::pi_v<long double>;
  // α² - 1 as (α - 1)(α + 1): a thin wall keeps its digits.
  const long double shape = beta / (2 * pi * ((alpha - 1) * (alpha + 1)));
  const long double outer = std::sqrt(alpha * alpha + beta * beta);
  const long double inner = std::sqrt(1 + beta * beta);
  // The ratio less one, (α - 1)(1 + (α + 1)/(outer + inner))/(1 + inner),
  // for the same reason.
  const long double excess = (alpha - 1) * (1 + (alpha + 1) / (outer + inner)) / (1 + inner);
  const long double factor = std::sqrt(shape) * std::log1p(excess);
  if (!std::isfinite(factor)) {
    return std::nullopt;
  }
  return factor;
}

std::optional<long double> FabryFactorOf(const Winding& winding) {
  if (!(winding.R1 > 0)) {
    return std::nullopt;
  }
  return FabryFactor(winding.R2 / winding.R1, winding.H / (2 * winding.R1));
}

const BestFabry& BestFabryFactor() {
  static const BestFabry best = [] {
    auto bestBeta = [](long double alpha) {
      return GoldenMaximum(1e-3L, 50.0L,
                           [alpha](long double beta) { return *FabryFactor(alpha, beta); });
    };
    const auto [alpha, factor] =
        GoldenMaximum(1.001L, 50.0L, [&](long double alpha) { return bestBeta(alpha).second; });
    return BestFabry{alpha, bestBeta(alpha).first, factor};
  }();
  return best;
}

}  // namespace tarnel::field
