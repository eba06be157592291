#include "reference/gauss_legendre.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tarnel::reference {

namespace {

struct LegendreValue {
  long double value;       // P_n(x)
  long double derivative;  // P_n'(x)
};

LegendreValue EvaluateLegendre(int n, long double x) {
  long double previous = 1;
  long double current = x;
  for (int k = 2; k <= n; ++k) {
    const long double next = ((2 * k - 1) * x * current - (k - 1) * previous) / k;
    previous = current;
    current = next;
  }
  if (n == 0) {
    return {1, 0};
  }
  return {current, n * (x * current - previous) / (x * x - 1)};
}

}  // namespace

GaussLegendreRule MakeGaussLegendreRule(int n) {
  if (n < 1) {
    throw std::invalid_argument("a Gauss-Legendre rule needs at least one node");
  }
  GaussLegendreRule rule;
  rule.nodes.resize(n);
  rule.weights.resize(n);
  constexpr long double kPi = std::numbers::pi_v<long double>;
  for (int i = 0; i < (n + 1) / 2; ++i) {
    // Tricomi's estimate of the i-th largest root, then Newton steps.
    long double x = std::cos(kPi * (i + 0.75L) / (n + 0.5L));
    LegendreValue p = EvaluateLegendre(n, x);
    for (int step = 0; step < 100; ++step) {
      const long double correction = p.value / p.derivative;
      x -= correction;
      p = EvaluateLegendre(n, x);
      if (std::fabs(correction) <= 1e-19L) {
        break;
      }
    }
    const long double weight = 2 / ((1 - x * x) * p.derivative * p.derivative);
    rule.nodes[i] = -x;
    rule.nodes[n - 1 - i] = x;
    rule.weights[i] = weight;
    rule.weights[n - 1 - i] = weight;
  }
  if (n % 2 == 1) {
    rule.nodes[n / 2] = 0;
  }
  return rule;
}

}  // namespace tarnel::reference
