#include "field/axial_field.h"

#include <algorithm>
#include <cmath>

#include "reference/exact_inductance.h"
#include "reference/gauss_legendre.h"

namespace tarnel::field {
namespace {

// Beyond this many outer radii from the nearer face the field is summed from
// its series in powers of R/u; each term is at most a sixteenth of the one
// before.
constexpr long double kSeriesDistance = 4.0L;
// A face nearer than 1/kQuadratureRatio of the distance to the closest
// singularity of the integrand (u = ±i·R1; u = 0 when R1 = 0) is integrated
// by Gauss-Legendre: its error falls as (h/(2·distance))^32.
constexpr long double kQuadratureRatio = 0.25L;
constexpr int kQuadratureNodes = 16;
constexpr int kMaxSeriesTerms = 80;

bool IsWinding(const Winding& w) {
  return std::isfinite(w.R1) && std::isfinite(w.R2) && std::isfinite(w.H) && w.R1 >= 0 &&
         w.R2 > w.R1 && w.H > 0;
}

// The winding's radii as the field needs them, with the wall R2 - R1 taken
// once from the two radii (exact when they are close).
struct Radii {
  long double R1;
  long double R2;
  long double wall;
};

// ln((R2 + s2)/(R1 + s1)), s = √(R² + u²), as log1p of the ratio less one:
// (R2 - R1 + s2 - s1)/(R1 + s1) with s2 - s1 = (R2 - R1)(R2 + R1)/(s1 + s2).
// Written as the quotient of the two sums it cancels for a thin wall, where
// the ratio is 1 plus a small number; here the small number comes from the
// wall without a subtraction of nearly equal values.
long double LogRatio(const Radii& r, long double u) {
  const long double s1 = std::sqrt(r.R1 * r.R1 + u * u);
  const long double s2 = std::sqrt(r.R2 * r.R2 + u * u);
  const long double excess = r.wall * (1 + (r.R1 + r.R2) / (s1 + s2)) / (r.R1 + s1);
  return std::log1p(excess);
}

// F(u) = u·ln((R2 + √(R2² + u²))/(R1 + √(R1² + u²))) for u >= 0; 0 at u = 0
// even where R1 = 0 makes the logarithm infinite there.
long double Primitive(const Radii& r, long double u) {
  if (u == 0) {
    return 0;
  }
  return u * LogRatio(r, u);
}

// F'(u) = ∫ r²/(r² + u²)^(3/2) dr over [R1, R2] = ln(...) - (R2/s2 - R1/s1),
// the last difference written as u²(R2² - R1²)/((R2·s1 + R1·s2)·s1·s2) so
// that a thin wall does not cancel it. u > 0.
long double PrimitiveSlope(const Radii& r, long double u) {
  const long double s1 = std::sqrt(r.R1 * r.R1 + u * u);
  const long double s2 = std::sqrt(r.R2 * r.R2 + u * u);
  const long double radial = u * u * r.wall * (r.R1 + r.R2) / ((r.R2 * s1 + r.R1 * s2) * s1 * s2);
  return LogRatio(r, u) - radial;
}

// 1 - x^m for 0 < x < 1 given as 1 - x = `gap`, without the cancellation of
// x^m near 1.
long double OneLessPower(long double gap, long double m) {
  return -std::expm1(m * std::log1p(-gap));
}

// F(z + h) - F(z - h) for z - h > 0.
//
// The written difference cancels in two places, and each is taken another
// way there:
// - far from the winding (z - h >= 4·R2) F approaches R2 - R1 and the
//   difference falls as 1/z³: F' is summed from the binomial series of
//   r²/(r² + u²)^(3/2) in (r/u)², integrated term by term in r and u in
//   closed form, each power difference as -expm1 of a log1p;
// - for a face thin against its distance from the singularities of F' (flat
//   discs, and every winding at a distance of several heights) the difference
//   is the integral of F' over [z - h, z + h], by Gauss-Legendre (the mean
//   value of F' times the height, to all digits);
// elsewhere the faces are near enough to z for the written difference to
// lose only a few of the 19 digits of the 64-bit mantissa.
// Swappable parameters: the point, then the half-height and the height, in the order of the
// formula. NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
long double PrimitiveDifference(const Radii& r, long double z, long double h, long double H) {
  const long double a = z + h;
  const long double b = z - h;
  if (b >= kSeriesDistance * r.R2) {
    const long double q2 = (r.R2 / b) * (r.R2 / b);
    const bool solid = r.R1 == 0;
    long double coefficient = 1;    // binomial(-3/2, k)
    long double scale = r.R2 * q2;  // R2·(R2/b)^(2k + 2)
    long double sum = 0;
    for (int k = 0; k < kMaxSeriesTerms; ++k) {
      const auto m = static_cast<long double>(2 * k + 2);
      const long double radial = solid ? 1 : OneLessPower(r.wall / r.R2, m + 1);
      const long double axial = OneLessPower(H / a, m);
      const long double term = coefficient * scale * radial / (m + 1) * axial / m;
      sum += term;
      if (std::fabs(term) <= 1e-22L * std::fabs(sum)) {
        break;
      }
      coefficient *= -(m + 1) / m;
      scale *= q2;
    }
    return sum;
  }
  const long double distance = std::sqrt(z * z + r.R1 * r.R1);
  if (h <= kQuadratureRatio * distance) {
    static const reference::GaussLegendreRule rule =
        reference::MakeGaussLegendreRule(kQuadratureNodes);
    long double sum = 0;
    for (std::size_t i = 0; i < rule.nodes.size(); ++i) {
      sum += rule.weights[i] * PrimitiveSlope(r, z + h * rule.nodes[i]);
    }
    return sum * h;
  }
  return Primitive(r, a) - Primitive(r, b);
}

}  // namespace

std::optional<long double> CurrentDensity(const Winding& winding, long double turnCount,
                                          long double current) {
  const long double density = turnCount * current / ((winding.R2 - winding.R1) * winding.H);
  if (!std::isfinite(density)) {
    return std::nullopt;
  }
  return density;
}

std::optional<long double> AxialField(const Winding& winding, long double density, long double z) {
  if (!IsWinding(winding) || !std::isfinite(density) || !std::isfinite(z)) {
    return std::nullopt;
  }
  // In units of the largest length, where no square overflows and a radius
  // too small to matter squares to zero harmlessly; F scales with the length.
  const long double distance = std::fabs(z);  // the field is even in z
  const long double scale = std::max({winding.R2, winding.H, distance});
  const Radii radii{winding.R1 / scale, winding.R2 / scale, (winding.R2 - winding.R1) / scale};
  const long double height = winding.H / scale;
  const long double h = height / 2;
  const long double at = distance / scale;
  const long double b = at - h;
  // Faces on both sides of z: F is odd, the difference a sum.
  const long double bracket = b <= 0 ? Primitive(radii, at + h) + Primitive(radii, -b)
                                     : PrimitiveDifference(radii, at, h, height);
  const long double field = reference::kMagneticConstant * density / 2 * bracket * scale;
  if (!std::isfinite(field)) {
    return std::nullopt;
  }
  return field;
}

std::optional<long double> CentreField(const Winding& winding, long double density) {
  return AxialField(winding, density, 0);
}

std::optional<long double> EndField(const Winding& winding, long double density) {
  return AxialField(winding, density, winding.H / 2);
}

}  // namespace tarnel::field
