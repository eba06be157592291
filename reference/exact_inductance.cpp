#include "exact_inductance.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>

#include "bessel_integral.h"
#include "gauss_legendre.h"
#include "inductance_tail.h"

namespace tarnel::reference {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Below this R1/R2 the inner radius reaches the large-x form only at a
// cut-off of 36 R2/R1, too far out to integrate up to quickly. F(k R1) is
// then dropped beyond a fixed cut-off instead, which is exact for R1 = 0 and
// otherwise costs at most about 2e-10 of L (at R1/R2 just below the switch,
// for the thinnest discs).
constexpr long double kSmallInnerRatio = 3e-3L;
constexpr long double kSmallInnerCutoff = 3600;

// For windings both flat and thin the cut-off moves out to 4/max(h, depth)
// (scaled), but no further than 12000: about 10 ms of panels.
constexpr long double kThinScaleMultiple = 4;
constexpr long double kLargestThinCutoff = 12000;

// y - 1 + e^-y: its power series y^2/2 - y^3/6 + ... for small y, where the
// closed form would lose about 2e-19/y^2 relative to cancellation.
long double HeightKernel(long double y) {
  if (y >= 0.25L) {
    return y + std::expm1(-y);
  }
  long double term = y * y / 2;
  long double sum = term;
  for (int n = 3; n < 40; ++n) {
    term *= -y / n;
    sum += term;
    if (std::fabs(term) <= 1e-21L * sum) {
      break;
    }
  }
  return sum;
}

const GaussLegendreRule& RuleWithNodes(int n) {
  static std::mutex mutex;
  static std::map<int, GaussLegendreRule> rules;
  const std::lock_guard lock(mutex);
  auto found = rules.find(n);
  if (found == rules.end()) {
    found = rules.emplace(n, MakeGaussLegendreRule(n)).first;
  }
  return found->second;
}

// The integral of G(q)^2 w(q) over [0, K] and beyond, lengths scaled by R2.
long double ScaledIntegral(long double r1, long double h, const IntegrationSettings& settings) {
  const bool innerIsAsymptotic = r1 >= kSmallInnerRatio;
  long double cutoff = kBesselIntegralAsymptoticStart;
  if (innerIsAsymptotic) {
    cutoff = std::max(cutoff, kBesselIntegralAsymptoticStart / r1);
  } else if (r1 > 0) {
    cutoff = kSmallInnerCutoff;
  }
  // When both the height and the depth are small the closed-form tail
  // cancels to a few digits; moving the cut-off out to the larger of the
  // two scales avoids most of that.
  const long double depth = 1 - r1;
  cutoff = std::max(cutoff, std::min(kThinScaleMultiple / std::max(h, depth), kLargestThinCutoff));
  cutoff *= settings.cutoffScale;

  // Panels: a geometric run from the smallest scale of the integrand up to
  // one period pi of its fastest oscillation, then panels of width pi.
  const long double period = kPi;
  const long double panelCount = std::ceil(cutoff / period);
  cutoff = panelCount * period;

  const GaussLegendreRule& rule = RuleWithNodes(settings.nodesPerPanel);
  const auto integrand = [&](long double q) {
    const long double g = (BesselIntegral(q) - BesselIntegral(r1 * q)) / (q * q * q);
    return g * g * HeightKernel(h * q);
  };

  long double sum = 0;
  long double left = 0;
  long double right = std::min(1.0L, 1 / h) / 64;
  while (right < period) {
    sum += IntegrateGaussLegendre(rule, left, right, integrand);
    left = right;
    right *= 2;
  }
  sum += IntegrateGaussLegendre(rule, left, period, integrand);
  for (long double panel = 1; panel < panelCount; ++panel) {
    sum += IntegrateGaussLegendre(rule, panel * period, (panel + 1) * period, integrand);
  }
  return sum + InductanceTail(r1, h, cutoff, innerIsAsymptotic);
}

}  // namespace

long double ExactInductancePerTurnSquaredExtended(long double R1, long double R2, long double H,
                                                  const IntegrationSettings& settings) {
  if (!std::isfinite(R1) || !std::isfinite(R2) || !std::isfinite(H) || !(R1 >= 0) || !(R2 > R1) ||
      !(H > 0)) {
    throw std::invalid_argument("the exact inductance needs 0 <= R1 < R2 and H > 0");
  }
  if (!(settings.cutoffScale >= 1) || settings.nodesPerPanel < 4) {
    throw std::invalid_argument("integration settings out of range");
  }
  const long double outer = R2;
  const long double r1 = R1 / outer;
  const long double h = H / outer;
  const long double depth = (R2 - R1) / outer;
  const long double integral = ScaledIntegral(r1, h, settings);
  // The integral grows like (h depth)^2 for thin windings: divide in steps.
  return 2 * kPi * kMagneticConstant * outer * (integral / (h * depth)) / (h * depth);
}

double ExactInductancePerTurnSquared(double R1, double R2, double H,
                                     const IntegrationSettings& settings) {
  return static_cast<double>(ExactInductancePerTurnSquaredExtended(R1, R2, H, settings));
}

}  // namespace tarnel::reference
