#include "tests/reference/current_sheet_inductance.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "reference/exact_inductance.h"

namespace tarnel::reference {

double NagaokaCoefficient(double radius, double length) {
  if (!(radius > 0) || !(length > 0) || !std::isfinite(radius) || !std::isfinite(length)) {
    throw std::invalid_argument("a current sheet needs a positive radius and length");
  }
  const long double a = radius;
  const long double l = length;
  const long double diagonal = std::sqrt(4 * a * a + l * l);
  const long double k = 2 * a / diagonal;
  const long double complement = l / diagonal;
  const long double first = std::comp_ellint_1(k);
  const long double second = std::comp_ellint_2(k);
  constexpr long double kPi = std::numbers::pi_v<long double>;
  const long double bracket = complement * complement / (k * k) * (first - second) + second - k;
  return static_cast<double>(4 / (3 * kPi * complement) * bracket);
}

double CurrentSheetInductancePerTurnSquared(double radius, double length) {
  const double nagaoka = NagaokaCoefficient(radius, length);
  return kMagneticConstant * std::numbers::pi * radius * radius / length * nagaoka;
}

}  // namespace tarnel::reference
