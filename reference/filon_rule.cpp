#include "reference/filon_rule.h"

#include <cmath>
#include <stdexcept>

#include "reference/unit_phase.h"

namespace tarnel::reference {

namespace {

// How far above the highest order the downward recurrence starts: the
// ratio j_(k+1)/j_k is below sigma/(2k + 3) < 1/2 there, so the start's
// error has shrunk by far more than 2^-40 at the orders kept.
constexpr int kDownwardMargin = 40;

}  // namespace

FilonRule::FilonRule(int n)
    : rule_(MakeGaussLegendreRule(n)), scaledLegendre_(static_cast<std::size_t>(n) * n) {
  for (int j = 0; j < n; ++j) {
    const long double x = rule_.nodes[j];
    long double previous = 0;
    long double current = 1;
    for (int k = 0; k < n; ++k) {
      scaledLegendre_[k * n + j] = (2 * k + 1) * current * rule_.weights[j];
      const long double next = ((2 * k + 1) * x * current - k * previous) / (k + 1);
      previous = current;
      current = next;
    }
  }
}

void FilonRule::Weights(long double sigma, Complex* weights) const {
  const int n = Size();
  if (!(sigma >= 0)) {
    throw std::domain_error("FilonRule::Weights needs sigma >= 0");
  }
  if (sigma == 0) {
    for (int j = 0; j < n; ++j) {
      weights[j] = rule_.weights[j];
    }
    return;
  }
  // The integral of P_k(x) e^(i sigma x) over [-1, 1] is 2 i^k j_k(sigma);
  // the amplitude's Legendre coefficients come from the nodes exactly.
  std::vector<long double> bessel(n);
  SphericalBessel(sigma, n, bessel.data());
  std::vector<long double> real(n, 0.0L);
  std::vector<long double> imaginary(n, 0.0L);
  for (int k = 0; k < n; ++k) {
    // i^k j_k: real for even k, imaginary for odd k, signs in turn.
    const long double moment = (k % 4 < 2 ? 1 : -1) * bessel[k];
    const long double* row = &scaledLegendre_[static_cast<std::size_t>(k) * n];
    long double* part = k % 2 == 0 ? real.data() : imaginary.data();
    for (int j = 0; j < n; ++j) {
      part[j] += moment * row[j];
    }
  }
  for (int j = 0; j < n; ++j) {
    weights[j] = Complex(real[j], imaginary[j]);
  }
}

void SphericalBessel(long double sigma, int count, long double* values) {
  if (!(sigma > 0) || count < 1) {
    throw std::domain_error("SphericalBessel needs sigma > 0 and a count of at least 1");
  }
  const UnitPhase phase = Phase(sigma);
  const long double sine = phase.sine;
  const long double cosine = phase.cosine;
  const long double j0 = sine / sigma;
  if (sigma >= count) {
    // Upwards, stable while the order stays below sigma.
    values[0] = j0;
    if (count > 1) {
      values[1] = (j0 - cosine) / sigma;
    }
    for (int k = 1; k + 1 < count; ++k) {
      values[k + 1] = (2 * k + 1) / sigma * values[k] - values[k - 1];
    }
    return;
  }
  // Downwards from far above (Miller), then scaled by whichever of j_0 and
  // j_1 is the larger: they have no zero in common.
  const int start = count + kDownwardMargin;
  long double above = 0;
  long double current = 1e-300L;
  long double scaledJ1 = 0;
  for (int k = start; k > 0; --k) {
    const long double below = (2 * k + 1) / sigma * current - above;
    above = current;
    current = below;  // now order k - 1
    if (k - 1 < count) {
      values[k - 1] = current;
    }
    if (k - 1 == 1) {
      scaledJ1 = current;
    }
    if (std::fabs(current) > 1e300L) {
      above *= 1e-300L;
      current *= 1e-300L;
      scaledJ1 *= 1e-300L;
      for (int m = k - 1; m < count; ++m) {
        values[m] *= 1e-300L;
      }
    }
  }
  const long double j1 = (j0 - cosine) / sigma;
  const long double scale = std::fabs(j0) >= std::fabs(j1) ? j0 / current : j1 / scaledJ1;
  for (int k = 0; k < count; ++k) {
    values[k] *= scale;
  }
}

}  // namespace tarnel::reference
