#include "tests/reference/current_sheet_inductance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "reference/exact_inductance.h"

namespace tarnel::reference {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(CurrentSheetInductance, LongSheetFollowsTheEndCorrectionSeries) {
  // K_N = 1 - 8a/(3 pi l) + a^2/(2 l^2) - a^4/(4 l^4) + O((a/l)^6)
  const double a = 1;
  for (const double l : {50.0, 200.0}) {
    const double series = 1 - 8 * a / (3 * kPi * l) + a * a / (2 * l * l) - std::pow(a / l, 4) / 4;
    EXPECT_NEAR(NagaokaCoefficient(a, l), series, 1e-9) << "l = " << l;
  }
}

TEST(CurrentSheetInductance, ShortSheetFollowsRayleighsFormula) {
  // L/N^2 = mu0 a [(1 + l^2/(32 a^2)) ln(8a/l) - 1/2 + l^2/(128 a^2)] + O(l^4 ln l)
  const double a = 1;
  for (const double l : {0.01, 0.001}) {
    const double rayleigh =
        kMagneticConstant * a * ((1 + l * l / 32) * std::log(8 * a / l) - 0.5 + l * l / 128);
    EXPECT_NEAR(CurrentSheetInductancePerTurnSquared(a, l) / rayleigh, 1.0, 1e-9) << "l = " << l;
  }
}

TEST(CurrentSheetInductance, IsTheThinShellLimitOfTheExactWinding) {
  // The exact winding of depth d around mean radius a differs from the sheet
  // by a term linear in d; Richardson's step removes it and what is left
  // falls like d^2.
  const double a = 1;
  for (const double H : {0.3, 1.0, 10.0}) {
    const double sheet = CurrentSheetInductancePerTurnSquared(a, H);
    const auto extrapolated = [&](double d) {
      const double coarse = ExactInductancePerTurnSquared(a - d / 2, a + d / 2, H);
      const double fine = ExactInductancePerTurnSquared(a - d / 4, a + d / 4, H);
      return std::fabs((2 * fine - coarse) / sheet - 1);
    };
    const double wider = extrapolated(4e-4);
    const double thinner = extrapolated(1e-4);
    EXPECT_LT(thinner, 1e-7) << "H = " << H;
    EXPECT_LT(thinner, wider / 8) << "H = " << H;
    // At the thinnest wall CompareWithExact accepts (a depth of 2e-6 of
    // the mean radius) nothing is left but rounding.
    EXPECT_LT(extrapolated(4e-6), 1e-9) << "H = " << H;
  }
}

TEST(CurrentSheetInductance, RefusesDegenerateSheets) {
  EXPECT_THROW(CurrentSheetInductancePerTurnSquared(0, 1), std::invalid_argument);
  EXPECT_THROW(CurrentSheetInductancePerTurnSquared(1, 0), std::invalid_argument);
  EXPECT_THROW(NagaokaCoefficient(1, -1), std::invalid_argument);
}

}  // namespace
}  // namespace tarnel::reference
