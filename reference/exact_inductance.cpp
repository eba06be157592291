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

// Below this R1/R2 the inner radius never reaches the large-x form before a
// sensible cut-off; beyond the cut-off F(k R1) is then dropped, which costs
// less than 1e-12 of L.
constexpr long double kSmallInnerRatio = 1e-4L;
// Multiples of 1/H and 1/(R2 - R1) (scaled) that the cut-off must reach so
// that the closed-form tail is a small part of the whole and its
// exponential integrals converge quickly.
constexpr long double kScaleMultiple = 8;

// y - 1 + e^-y. In extended precision the cancellation for small y costs
// about 2e-19/y relative, far below what matters where y is small.
long double HeightKernel(long double y) {
  return y + std::expm1(-y);
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
  const long double depth = 1 - r1;
  const bool innerIsAsymptotic = r1 >= kSmallInnerRatio;
  long double cutoff = kBesselIntegralAsymptoticStart;
  if (innerIsAsymptotic) {
    cutoff = std::max(cutoff, kBesselIntegralAsymptoticStart / r1);
  }
  cutoff = std::max({cutoff, kScaleMultiple / h, kScaleMultiple / depth});
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

double ExactInductancePerTurnSquared(double R1, double R2, double H,
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
  const long double depth = (static_cast<long double>(R2) - R1) / outer;
  const long double integral = ScaledIntegral(r1, h, settings);
  constexpr long double kMu0 = 4e-7L * kPi;
  return static_cast<double>(2 * kPi * kMu0 * outer * integral / (h * h * depth * depth));
}

}  // namespace tarnel::reference
