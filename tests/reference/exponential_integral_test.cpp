#include "reference/exponential_integral.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "reference/gauss_legendre.h"

namespace tarnel::reference {
namespace {

double RelativeError(Complex value, Complex expected) {
  return static_cast<double>(std::abs(value - expected) / std::abs(expected));
}

TEST(ExponentialIntegral, FirstOrderOnTheRealAxisIsMinusEiOfMinusX) {
  for (const long double x : {1.0L, 2.5L, 10.0L, 60.0L}) {
    const Complex value = ExponentialIntegral(1, x);
    EXPECT_NEAR(static_cast<double>(value.real() / -std::expint(-x)), 1.0, 1e-17);
    EXPECT_EQ(value.imag(), 0);
  }
}

struct QuadraturePoint {
  const char* name;
  long double nu;
  Complex z;
};

void PrintTo(const QuadraturePoint& value, std::ostream* out) {
  *out << value.name;
}

class ExponentialIntegralQuadratureTest : public testing::TestWithParam<QuadraturePoint> {};

TEST_P(ExponentialIntegralQuadratureTest, MatchesItsDefiningIntegral) {
  // E_nu(z) = integral from 1 to infinity of e^(-z t) t^(-nu) dt; with
  // Re z = 0 the integrand only decays like t^(-nu), so integrate far out
  // and bound what is left.
  const long double nu = GetParam().nu;
  const Complex z = GetParam().z;
  const GaussLegendreRule rule = MakeGaussLegendreRule(20);
  const long double width = std::fmin(1.0L, 1 / std::fabs(z.imag()));
  const long double end = z.real() > 0 ? 1 + 60 / z.real() : 4000;
  Complex sum = 0;
  for (long double left = 1; left < end; left += width) {
    for (std::size_t i = 0; i < rule.nodes.size(); ++i) {
      const long double t = left + width * (1 + rule.nodes[i]) / 2;
      sum += rule.weights[i] * width / 2 * std::exp(-z * t) * std::pow(t, -nu);
    }
  }
  const Complex value = ExponentialIntegral(nu, z);
  // What lies beyond `end` is below end^-nu / |z|.
  const double remainder = static_cast<double>(std::pow(end, -nu) / std::abs(z));
  EXPECT_LT(RelativeError(value, sum), 1e-14 + remainder / std::abs(value));
}

INSTANTIATE_TEST_SUITE_P(
    Points, ExponentialIntegralQuadratureTest,
    testing::Values(QuadraturePoint{"Imaginary", 4, Complex(0, -1.5L)},
                    QuadraturePoint{"HalfOrderImaginary", 4.5L, Complex(0, -8)},
                    QuadraturePoint{"Damped", 6, Complex(0.2L, -3)},
                    QuadraturePoint{"UpperHalfPlane", 9.5L, Complex(0.5L, 7)},
                    QuadraturePoint{"HighOrderFast", 20, Complex(3, -40)},
                    QuadraturePoint{"SmallImaginary", 4, Complex(0, -0.02L)},
                    QuadraturePoint{"SmallHalfOrder", 5.5L, Complex(0.001L, -0.3L)},
                    QuadraturePoint{"SmallReal", 6, Complex(0.05L, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExponentialIntegral, SatisfiesTheRecurrenceInTheOrder) {
  // E_(nu+1)(z) = (e^-z - z E_nu(z)) / nu
  for (const Complex z : {Complex(0, -5), Complex(0.3L, -2), Complex(1.5L, 30), Complex(4, 0),
                          Complex(0, -0.4L), Complex(1e-6L, -1e-5L), Complex(0.7L, 0)}) {
    for (const long double nu : {1.0L, 4.5L, 12.0L}) {
      const Complex next = (std::exp(-z) - z * ExponentialIntegral(nu, z)) / nu;
      EXPECT_LT(RelativeError(ExponentialIntegral(nu + 1, z), next), 1e-15)
          << "nu = " << static_cast<double>(nu) << ", z = " << static_cast<double>(z.real())
          << (z.imag() < 0 ? "" : "+") << static_cast<double>(z.imag()) << "i";
    }
  }
}

TEST(ExponentialIntegral, PowerTailIsScaledExponentialIntegral) {
  const long double K = 7.5;
  const Complex z(0.4L, -1.1L);
  EXPECT_LT(RelativeError(PowerExponentialTail(5, z, K),
                          std::pow(K, -4.0L) * ExponentialIntegral(5, z * K)),
            1e-18);
  // Without the exponential: K^(1-p) / (p - 1).
  EXPECT_NEAR(static_cast<double>(PowerExponentialTail(4.5L, 0, 2).real()),
              std::pow(2.0, -3.5) / 3.5, 1e-18);
}

TEST(ExponentialIntegral, PowerSeriesMeetsTheContinuedFraction) {
  // Just inside |z| = 1 the power series gives the value, just outside the
  // continued fraction: both sides must agree to the step between them.
  for (const long double nu : {4.0L, 5.5L, 21.0L, 21.5L}) {
    for (const long double angle : {0.0L, -0.7L, -1.5707963267948966L, 1.2L}) {
      const Complex inside = std::polar(1 - 1e-12L, angle);
      const Complex outside = std::polar(1 + 1e-12L, angle);
      EXPECT_LT(RelativeError(ExponentialIntegral(nu, inside), ExponentialIntegral(nu, outside)),
                1e-11)
          << "nu = " << static_cast<double>(nu) << ", arg z = " << static_cast<double>(angle);
    }
  }
}

struct OrdersCase {
  const char* name;
  long double nu;
  Complex z;
  int count;
};

void PrintTo(const OrdersCase& value, std::ostream* out) {
  *out << value.name;
}

class ExponentialIntegralOrdersTest : public testing::TestWithParam<OrdersCase> {};

TEST_P(ExponentialIntegralOrdersTest, EachOrderMatchesItsDirectValue) {
  const OrdersCase c = GetParam();
  std::vector<Complex> values(c.count);
  ExponentialIntegralOrders(c.nu, c.z, c.count, values.data());
  for (int k = 0; k < c.count; ++k) {
    EXPECT_LT(RelativeError(values[k], ExponentialIntegral(c.nu + k, c.z)), 1e-16)
        << "order " << static_cast<double>(c.nu + k);
  }
}

// |z| below every order (upwards only), above every order (downwards only)
// and between (both ways from the middle), on the real and imaginary axes
// and between, as the tail of the inductance integral needs them.
INSTANTIATE_TEST_SUITE_P(
    Cases, ExponentialIntegralOrdersTest,
    testing::Values(OrdersCase{"Zero", 4.5L, Complex(0, 0), 18},
                    OrdersCase{"SmallImaginary", 4, Complex(0, -1e-5L), 18},
                    OrdersCase{"InsideTheUnitCircle", 5, Complex(0.3L, -0.2L), 18},
                    OrdersCase{"BelowEveryOrder", 4.5L, Complex(0.1L, -3), 18},
                    OrdersCase{"AmongTheOrders", 4, Complex(2, -12), 18},
                    OrdersCase{"AboveEveryOrder", 5, Complex(0, -200), 18},
                    OrdersCase{"StronglyDamped", 6, Complex(40, -30), 17},
                    OrdersCase{"FarAndHalfOrder", 4.5L, Complex(0, -3e5L), 18}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExponentialIntegral, RefusesArgumentsOutsideItsDomain) {
  EXPECT_THROW(ExponentialIntegral(1, Complex(0, 0)), std::domain_error);
  EXPECT_THROW(ExponentialIntegral(2, Complex(-2, 0)), std::domain_error);
  EXPECT_THROW(ExponentialIntegral(0.5L, Complex(2, 0)), std::domain_error);
  EXPECT_THROW(PowerExponentialTail(1, Complex(2, 0), 1), std::domain_error);
  EXPECT_THROW(PowerExponentialTail(3, Complex(2, 0), 0), std::domain_error);
}

}  // namespace
}  // namespace tarnel::reference
