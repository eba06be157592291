#include "reference/bessel_integral.h"

#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "reference/bessel_integral_asymptotics.h"
#include "reference/bessel_j1.h"
#include "reference/gauss_legendre.h"

namespace tarnel::reference {

namespace {

constexpr long double kSeriesLimit = 4;
constexpr long double kPieceWidth = 2;
constexpr int kPieceCount =
    static_cast<int>((kBesselIntegralAsymptoticStart - kSeriesLimit) / kPieceWidth);
constexpr int kChebyshevNodes = 21;
constexpr int kQuadratureNodes = 32;

static_assert(kSeriesLimit + kPieceCount * kPieceWidth == kBesselIntegralAsymptoticStart);

// F(x) = sum (-1)^m x^(2m+3) / ((2m+3) 2^(2m+1) m! (m+1)!), as x^3 times a
// polynomial in x^2: up to x = 4 the terms beyond m = 19 are below 1e-21 of
// F, up to x = 2 those beyond m = 13, up to x = 1 those beyond m = 10.
constexpr int kSeriesTerms = 20;

std::array<long double, kSeriesTerms> SeriesCoefficients() {
  std::array<long double, kSeriesTerms> coefficients{};
  long double factor = 0.5L;  // 1 / (2^(2m+1) m! (m+1)!) at m = 0
  for (int m = 0; m < kSeriesTerms; ++m) {
    coefficients[m] = (m % 2 == 0 ? factor : -factor) / (2 * m + 3);
    factor /= 4.0L * (m + 1) * (m + 2);
  }
  return coefficients;
}

long double SeriesF(long double x) {
  static const std::array<long double, kSeriesTerms> coefficients = SeriesCoefficients();
  const long double square = x * x;
  const int terms = x <= 1 ? 11 : x <= 2 ? 14 : kSeriesTerms;
  long double sum = coefficients[terms - 1];
  for (int m = terms - 2; m >= 0; --m) {
    sum = sum * square + coefficients[m];
  }
  return sum * square * x;
}

using Piece = std::array<long double, kChebyshevNodes>;  // Chebyshev coefficients

std::vector<Piece> BuildPieces() {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  const GaussLegendreRule rule = MakeGaussLegendreRule(kQuadratureNodes);
  const auto integrand = [](long double t) { return t * BesselJ1(t); };
  std::vector<Piece> pieces(kPieceCount);
  long double left = kSeriesLimit;
  long double leftValue = SeriesF(left);
  for (Piece& piece : pieces) {
    const long double middle = left + kPieceWidth / 2;
    std::array<long double, kChebyshevNodes> values;
    for (int j = 0; j < kChebyshevNodes; ++j) {
      const long double node =
          middle + kPieceWidth / 2 * std::cos(kPi * (j + 0.5L) / kChebyshevNodes);
      values[j] = leftValue + IntegrateGaussLegendre(rule, left, node, integrand);
    }
    for (int k = 0; k < kChebyshevNodes; ++k) {
      long double sum = 0;
      for (int j = 0; j < kChebyshevNodes; ++j) {
        sum += values[j] * std::cos(kPi * k * (j + 0.5L) / kChebyshevNodes);
      }
      piece[k] = sum * 2 / kChebyshevNodes;
    }
    piece[0] /= 2;
    leftValue += IntegrateGaussLegendre(rule, left, left + kPieceWidth, integrand);
    left += kPieceWidth;
  }
  return pieces;
}

long double ChebyshevF(long double x) {
  static const std::vector<Piece> pieces = BuildPieces();
  int index = static_cast<int>((x - kSeriesLimit) / kPieceWidth);
  if (index >= kPieceCount) {
    index = kPieceCount - 1;
  }
  const long double middle = kSeriesLimit + (index + 0.5L) * kPieceWidth;
  const long double t = (x - middle) / (kPieceWidth / 2);
  const Piece& c = pieces[index];
  long double next = 0;
  long double nextButOne = 0;
  for (int k = kChebyshevNodes - 1; k >= 1; --k) {
    const long double current = c[k] + 2 * t * next - nextButOne;
    nextButOne = next;
    next = current;
  }
  return c[0] + t * next - nextButOne;
}

}  // namespace

long double BesselIntegral(long double x) {
  if (!(x >= 0) || std::isinf(x)) {
    throw std::domain_error("BesselIntegral takes a finite x >= 0");
  }
  if (x <= kSeriesLimit) {
    return SeriesF(x);
  }
  if (x < kBesselIntegralAsymptoticStart) {
    return ChebyshevF(x);
  }
  return BesselIntegralAsymptotic(x);
}

}  // namespace tarnel::reference
