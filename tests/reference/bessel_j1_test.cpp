#include "reference/bessel_j1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "tests/param_name.h"

namespace tarnel::reference {
namespace {

// The standard library's own J1 is an independent implementation; the
// points cover the series, the recurrence and the asymptotic expansion and
// both hand-over points.
class BesselJ1Test : public testing::TestWithParam<double> {};

TEST_P(BesselJ1Test, AgreesWithTheStandardLibrary) {
  // The library's recurrence for large x loses about 1e-19 per unit of x.
  const long double x = GetParam();
  const long double expected = std::cyl_bessel_j(1.0L, x);
  EXPECT_NEAR(static_cast<double>((BesselJ1(x) - expected) * 1e18L), 0.0, 1 + GetParam())
      << "x = " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Points, BesselJ1Test,
                         testing::Values(1e-8, 0.3, 1.0, 1.999, 2.0, 2.001, 3.8317, 7.5, 12.0, 19.3,
                                         24.999, 25.0, 25.001, 40.0, 123.4, 5000.0),
                         tarnel::test::PrintedName());

TEST(BesselJ1, SatisfiesTheRecurrenceWithTheDerivative) {
  // (x J1(x))' = x J0(x): compare a central difference with the standard J0.
  for (const long double x : {0.7L, 4.0L, 15.0L, 31.0L, 300.0L}) {
    const long double step = 1e-5L;
    const long double derivative =
        ((x + step) * BesselJ1(x + step) - (x - step) * BesselJ1(x - step)) / (2 * step);
    EXPECT_NEAR(static_cast<double>(derivative),
                static_cast<double>(x) * std::cyl_bessel_j(0.0, static_cast<double>(x)), 1e-9)
        << "x = " << static_cast<double>(x);
  }
}

TEST(BesselJ1, RefusesNegativeOrInfiniteArguments) {
  EXPECT_THROW(BesselJ1(-1), std::domain_error);
  EXPECT_THROW(BesselJ1(INFINITY), std::domain_error);
  EXPECT_THROW(BesselJ1(NAN), std::domain_error);
}

}  // namespace
}  // namespace tarnel::reference
