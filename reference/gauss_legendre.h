// Gauss-Legendre quadrature rules on [-1, 1], computed in extended precision.
#pragma once

#include <vector>

namespace tarnel::reference {

struct GaussLegendreRule {
  std::vector<long double> nodes;    // ascending, in (-1, 1)
  std::vector<long double> weights;  // positive, summing to 2
};

// The n-point rule, exact for polynomials of degree 2n - 1. n >= 1.
GaussLegendreRule MakeGaussLegendreRule(int n);

// Integral of f over [a, b] with `rule`.
template <typename Function>
long double IntegrateGaussLegendre(const GaussLegendreRule& rule, long double a, long double b,
                                   const Function& f) {
  const long double half = (b - a) / 2;
  const long double middle = (a + b) / 2;
  long double sum = 0;
  for (std::size_t i = 0; i < rule.nodes.size(); ++i) {
    sum += rule.weights[i] * f(middle + half * rule.nodes[i]);
  }
  return sum * half;
}

}  // namespace tarnel::reference
