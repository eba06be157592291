// Filon-type quadrature on [-1, 1]: the integral of a smooth amplitude times
// e^(i sigma // cos // cos x and sin x, the argument reduced with 2 pi in three parts: good to
// about 1e-19 absolute below 2^32 turns (|x| up to about 2.7e10), to about
// |x| 2^-64 beyond. and sin x, the argument reduced with 2 pi in three parts: good to
// about 1e-19 absolute for |x| below 2^32 turns (about 2.7e10), to about
// |x| 2^-64 beyond.) from the amplitude's values at the Gauss-Legendre nodes,
// exact when the amplitude is a polynomial of degree below the node count,
// however many periods the interval holds.
#pragma once

#include <vector>

#include "reference/exponential_integral.h"
#include "reference/gauss_legendre.h"

namespace tarnel::reference {

class FilonRule {
 public:
  // n >= 1 nodes.
  explicit FilonRule(int n);

  const GaussLegendreRule& Nodes() const { return rule_; }
  int Size() const { return static_cast<int>(rule_.nodes.size()); }

  // The weights c_j with integral from -1 to 1 of p(x) e^(i sigma x) dx =
  // sum_j c_j p(x_j) for every polynomial p of degree below Size(), into
  // `weights` (Size() values). sigma >= 0; sigma = 0 gives the
  // Gauss-Legendre weights.
  void Weights(long double sigma, Complex* weights) const;

 private:
  GaussLegendreRule rule_;
  // (2k + 1) P_k(x_j) w_j at k * Size() + j.
  std::vector<long double> scaledLegendre_;
};

// j_0(sigma) .. j_(count-1)(sigma), the spherical Bessel functions, into
// `values`, for sigma > 0.
void SphericalBessel(long double sigma, int count, long double* values);

}  // namespace tarnel::reference
