#include "reference/bessel_j1.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tarnel::reference {

namespace {

// Below this the series loses nothing to cancellation.
constexpr long double kSeriesLimit = 2;
// From here on Hankel's expansion is exact to its smallest term, about e^-2x.
constexpr long double kHankelStart = 25;

long double SeriesJ1(long double x) {
  // J1(x) = sum (-1)^m (x/2)^(2m+1) / (m! (m+1)!)
  const long double quarterSquare = x * x / 4;
  long double term = x / 2;
  long double sum = term;
  for (int m = 1; m < 100; ++m) {
    term *= -quarterSquare / (m * (m + 1.0L));
    sum += term;
    if (std::fabs(term) <= 1e-22L * std::fabs(sum)) {
      break;
    }
  }
  return sum;
}

long double MillerJ1(long double x) {
  // Recur J_{n-1} = (2n/x) J_n - J_{n+1} downwards from an arbitrary start
  // far above x, where the true J_n are negligible, and normalise.
  int start = static_cast<int>(1.5L * x) + 40;
  start += start % 2;
  long double above = 0;
  long double current = 1e-30L;
  long double normalisation = 0;  // J0 + 2 (J2 + J4 + ...), unnormalised
  long double j1 = 0;
  for (int n = start; n > 0; --n) {
    const long double below = 2 * n / x * current - above;
    above = current;
    current = below;  // now J_{n-1}
    if (n - 1 == 1) {
      j1 = current;
    }
    if ((n - 1) % 2 == 0) {
      normalisation += (n - 1 == 0 ? 1 : 2) * current;
    }
    if (std::fabs(current) > 1e100L) {
      above *= 1e-100L;
      current *= 1e-100L;
      normalisation *= 1e-100L;
      j1 *= 1e-100L;
    }
  }
  return j1 / normalisation;
}

long double HankelJ1(long double x) {
  // J1(x) = sqrt(2/(pi x)) (P cos w - Q sin w), w = x - 3 pi/4, with
  // a_k = (4 - 1^2)(4 - 3^2)...(4 - (2k-1)^2) / (k! 8^k) / x^k,
  // P = a_0 - a_2 + a_4 - ..., Q = a_1 - a_3 + a_5 - ...
  long double p = 1;
  long double q = 0;
  long double term = 1;
  for (int k = 1; k < 200; ++k) {
    const long double odd = 2 * k - 1;
    const long double next = term * (4 - odd * odd) / (k * 8 * x);
    if (std::fabs(next) >= std::fabs(term) || std::fabs(next) <= 1e-22L) {
      break;  // smallest term reached, or negligible
    }
    term = next;
    switch (k % 4) {
      case 0:
        p += term;
        break;
      case 1:
        q += term;
        break;
      case 2:
        p -= term;
        break;
      default:
        q -= term;
        break;
    }
  }
  constexpr long double kPi = std::numbers::pi_v<long double>;
  const long double phase = x - 3 * kPi / 4;
  return std::sqrt(2 / (kPi * x)) * (p * std::cos(phase) - q * std::sin(phase));
}

}  // namespace

long double BesselJ1(long double x) {
  if (!(x >= 0) || std::isinf(x)) {
    throw std::domain_error("BesselJ1 takes a finite x >= 0");
  }
  if (x < kSeriesLimit) {
    return SeriesJ1(x);
  }
  return x < kHankelStart ? MillerJ1(x) : HankelJ1(x);
}

}  // namespace tarnel::reference
