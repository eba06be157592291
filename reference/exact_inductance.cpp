#include "reference/exact_inductance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "reference/bessel_integral.h"
#include "reference/bessel_integral_asymptotics.h"
#include "reference/filon_rule.h"
#include "reference/gauss_legendre.h"
#include "reference/inductance_tail.h"
#include "reference/unit_phase.h"

namespace tarnel::reference {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Panels of width pi up to 12 pi, just past the start of the large-x form of
// F(q) at 36.
constexpr int kLargeXPanels = 12;
static_assert(kLargeXPanels * kPi >= kBesselIntegralAsymptoticStart);

// A cut-off so far out that what lies beyond it hardly counts (it falls like
// K^-3 / min(1, h)), used when a hole is too small for F(r1 q) to reach its
// large-x form before it: F(r1 q) is then dropped beyond the cut-off.
constexpr long double kFarCutoff = 1e12L;

// For windings both flat and thin the cut-off moves out to 4/max(h, depth).
constexpr long double kThinScaleMultiple = 4;

long double Cube(long double x) {
  return x * x * x;
}

// y - 1 + e^-y: its power series y^2/2 - y^3/6 + ... for small y, where the
// closed form would lose about 2e-19/y^2 relative to cancellation; beyond
// y = 50, e^-y is below a rounding of y - 1.
long double HeightKernel(long double y) {
  if (y > 50) {
    return y - 1;
  }
  if (y >= 0.25L) {
    return y + std::expm1(-y);
  }
  static const std::array<long double, 40> inverses = [] {
    std::array<long double, 40> values{};
    for (int n = 1; n < 40; ++n) {
      values[n] = 1.0L / n;
    }
    return values;
  }();
  long double term = y * y / 2;
  long double sum = term;
  for (int n = 3; n < 40; ++n) {
    term *= -y * inverses[n];
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

const FilonRule& FilonRuleWithNodes(int n) {
  static std::mutex mutex;
  static std::map<int, FilonRule> rules;
  const std::lock_guard lock(mutex);
  auto found = rules.find(n);
  if (found == rules.end()) {
    found = rules.emplace(n, FilonRule(n)).first;
  }
  return found->second;
}

// The panels of the first range that do not depend on the shape: from 1/64
// doubling up to pi, then of width pi up to the large-x form of F(q); and
// F(q) at their nodes, panel by panel.
struct FixedPanels {
  std::vector<long double> edges;
  std::vector<long double> outer;
};

FixedPanels MakeFixedPanels(int n) {
  FixedPanels fixed;
  for (long double edge = 1.0L / 64; edge < kPi; edge *= 2) {
    fixed.edges.push_back(edge);
  }
  for (int panel = 1; panel <= kLargeXPanels; ++panel) {
    fixed.edges.push_back(panel * kPi);
  }
  const GaussLegendreRule rule = MakeGaussLegendreRule(n);
  for (std::size_t panel = 0; panel + 1 < fixed.edges.size(); ++panel) {
    const long double middle = (fixed.edges[panel] + fixed.edges[panel + 1]) / 2;
    const long double half = (fixed.edges[panel + 1] - fixed.edges[panel]) / 2;
    for (const long double node : rule.nodes) {
      fixed.outer.push_back(BesselIntegral(middle + half * node));
    }
  }
  return fixed;
}

const FixedPanels& FixedPanelsWithNodes(int n) {
  static std::mutex mutex;
  static std::map<int, FixedPanels> panels;
  const std::lock_guard lock(mutex);
  auto found = panels.find(n);
  if (found == panels.end()) {
    found = panels.emplace(n, MakeFixedPanels(n)).first;
  }
  return found->second;
}

// u(x) with F(x) = 1 + sqrt(2x/pi) Re[u(x) e^(ix)]: (a - i b) e^(-i pi/4).
Complex Amplitude(long double x) {
  constexpr long double kHalfRoot2 = std::numbers::sqrt2_v<long double> / 2;
  const OscillationAmplitudes a = BesselIntegralAmplitudes(x);
  return {(a.cosine - a.sine) * kHalfRoot2, -(a.cosine + a.sine) * kHalfRoot2};
}

constexpr int kMostParts = 4;

// The frequencies w_k of a range of the integrand.
struct Frequencies {
  int count;
  std::array<long double, kMostParts> values;
};

// The integrand at q beyond the start of the large-x form of F(q), split as
// slow + sum_k Re[part_k e^(i w_k q)], slow and the parts varying slowly.
struct Split {
  long double slow = 0;
  std::array<Complex, kMostParts> parts{};
};

struct Shape {
  long double r1;     // R1/R2
  long double h;      // H/R2
  long double depth;  // (R2 - R1)/R2
};

// F(r1 q) below its large-x form: with P = 1 - F(r1 q) and
// s = F(q) - 1 = sqrt(2q/pi) Re[u e^(iq)],
//   G^2 = P^2 + (q/pi) |u|^2 + 2 P sqrt(2q/pi) Re[u e^(iq)] + (q/pi) Re[u^2 e^(2iq)].
Frequencies InnerBelowLargeXFrequencies() {
  return {2, {1, 2}};
}

Split InnerBelowLargeX(const Shape& s, long double q) {
  const long double kernel = HeightKernel(s.h * q) / Cube(q * q);
  const long double p = 1 - BesselIntegral(s.r1 * q);
  const Complex u = Amplitude(q);
  const long double share = q / kPi;
  return {kernel * (p * p + share * std::norm(u)),
          {kernel * 2 * p * std::sqrt(2 * share) * u, kernel * share * u * u}};
}

// Both radii in the large-x form: G = sqrt(2q/pi) Re[Y e^(iq)] with
// Y = u(q) - sqrt(r1) u(r1 q) e^(-i depth q), slowly varying where depth q
// is small, as for a thin wall, where G is small and its two terms nearly
// cancel: G^2 = (q/pi) (|Y|^2 + Re[Y^2 e^(2iq)]).
Frequencies JointFrequencies() {
  return {1, {2}};
}

Split Joint(const Shape& s, long double q) {
  const long double kernel = HeightKernel(s.h * q) / Cube(q * q);
  const UnitPhase turn = Phase(s.depth * q);
  const Complex y =
      Amplitude(q) - std::sqrt(s.r1) * Amplitude(s.r1 * q) * Complex(turn.cosine, -turn.sine);
  const long double share = q / kPi;
  return {kernel * share * std::norm(y), {kernel * share * y * y}};
}

// The same with Y's two terms apart, once e^(-i depth q) turns too fast to
// be part of a slowly varying amplitude: with v = sqrt(r1) u(r1 q),
//   |Y|^2 = |u|^2 + |v|^2 - 2 Re[u conj(v) e^(i depth q)],
//   Y^2 e^(2iq) = u^2 e^(2iq) - 2 u v e^(i (1 + r1) q) + v^2 e^(2 i r1 q).
Frequencies ApartFrequencies(const Shape& s) {
  return {4, {s.depth, 2, 1 + s.r1, 2 * s.r1}};
}

Split Apart(const Shape& s, long double q) {
  const long double factor = HeightKernel(s.h * q) / Cube(q * q) * q / kPi;
  const Complex u = Amplitude(q);
  const Complex v = std::sqrt(s.r1) * Amplitude(s.r1 * q);
  return {factor * (std::norm(u) + std::norm(v)),
          {-2 * factor * u * std::conj(v), factor * u * u, -2 * factor * u * v, factor * v * v}};
}

// From here on (depth q) Y's terms are taken apart.
constexpr long double kApartTurns = 4;

// Where e^(-hq) in the height kernel stops mattering: e^-45 < 3e-20.
constexpr long double kKernelDecayed = 45;

// The integral of G^2 w over [from, to], both at least the start of the
// large-x form of F(q): panels on which the slow parts vary little, the
// smooth part by Gauss-Legendre and the oscillating ones by the Filon rule
// at the same nodes. `scale` is the length on which the inner radius
// (1/r1) or the wall (1/depth) varies the parts, if it does.
template <typename Integrand>
// Swappable parameters: the range, lowest first, then its scale.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
long double IntegrateOscillating(long double from, long double to, long double scale,
                                 const Shape& s, const FilonRule& rule,
                                 const Frequencies& frequencies, const Integrand& integrand) {
  const int n = rule.Size();
  const GaussLegendreRule& nodes = rule.Nodes();
  std::vector<Split> values(n);
  std::vector<Complex> weights(static_cast<std::size_t>(kMostParts) * n);
  long double weightsHalf = 0;  // the half-width the weights were made for
  long double sum = 0;
  long double left = from;
  while (left < to) {
    // Half a panel at most the length on which any part varies by a radian:
    // the powers of q, the inner radius or the wall, and e^(-hq) until it
    // has decayed.
    long double width = std::min(left / 2, 2 * scale);
    if (s.h * left < kKernelDecayed) {
      width = std::min(width, 2 / s.h);
    }
    const long double right = std::min(left + width, to);
    if (!(right > left)) {
      throw std::logic_error("oscillating range: a panel of no width");
    }
    const long double middle = (left + right) / 2;
    const long double half = (right - left) / 2;
    for (int j = 0; j < n; ++j) {
      values[j] = integrand(middle + half * nodes.nodes[j]);
    }
    if (half != weightsHalf) {
      for (int k = 0; k < frequencies.count; ++k) {
        rule.Weights(frequencies.values[k] * half, &weights[static_cast<std::size_t>(k) * n]);
      }
      weightsHalf = half;
    }
    long double panel = 0;
    for (int j = 0; j < n; ++j) {
      panel += nodes.weights[j] * values[j].slow;
    }
    for (int k = 0; k < frequencies.count; ++k) {
      Complex part = 0;
      for (int j = 0; j < n; ++j) {
        part += weights[k * n + j] * values[j].parts[k];
      }
      const UnitPhase turn = Phase(frequencies.values[k] * middle);
      panel += turn.cosine * part.real() - turn.sine * part.imag();
    }
    sum += half * panel;
    left = right;
  }
  return sum;
}

// The integral of G(q)^2 w(q) over [0, infinity), lengths scaled by R2.
long double ScaledIntegral(const Shape& s, const IntegrationSettings& settings) {
  // Up to the large-x form of F(q): Gauss-Legendre panels, a geometric run
  // from the smallest scale of the integrand up to one period pi of its
  // fastest oscillation, then panels of width pi; from 1/64 on they are the
  // same for every shape, and so are the values of F(q) at their nodes.
  const GaussLegendreRule& rule = RuleWithNodes(settings.nodesPerPanel);
  const auto inner = [&](long double q) { return s.r1 > 0 ? BesselIntegral(s.r1 * q) : 0.0L; };
  const auto integrand = [&](long double q) {
    const long double g = (BesselIntegral(q) - inner(q)) / Cube(q);
    return g * g * HeightKernel(s.h * q);
  };
  const FixedPanels& fixed = FixedPanelsWithNodes(settings.nodesPerPanel);
  const long double firstEdge = fixed.edges.front();
  long double sum = 0;
  long double left = 0;
  long double right = std::min(1.0L, 1 / s.h) * firstEdge;
  while (right < firstEdge) {
    sum += IntegrateGaussLegendre(rule, left, right, integrand);
    left = right;
    right *= 2;
  }
  sum += IntegrateGaussLegendre(rule, left, firstEdge, integrand);
  const std::size_t n = rule.nodes.size();
  for (std::size_t panel = 0; panel + 1 < fixed.edges.size(); ++panel) {
    const long double middle = (fixed.edges[panel] + fixed.edges[panel + 1]) / 2;
    const long double half = (fixed.edges[panel + 1] - fixed.edges[panel]) / 2;
    long double panelSum = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const long double q = middle + half * rule.nodes[j];
      const long double g = (fixed.outer[panel * n + j] - inner(q)) / Cube(q);
      panelSum += rule.weights[j] * g * g * HeightKernel(s.h * q);
    }
    sum += half * panelSum;
  }
  const long double largeX = fixed.edges.back();

  // Then panels that follow the slow parts, up to the cut-off K of the
  // closed-form tail. K is where F(r1 q) takes its large-x form too, or so
  // far out that dropping it costs nothing; for windings both flat and thin
  // it moves out to 4/max(h, depth), where the tail no longer cancels.
  long double innerLargeX = INFINITY;
  if (s.r1 > 0) {
    // A few roundings above, so that r1 times it is not below the start.
    innerLargeX = kBesselIntegralAsymptoticStart / s.r1 * (1 + 1e-18L);
  }
  const bool innerIsAsymptotic = innerLargeX <= kFarCutoff;
  long double cutoff = std::max(largeX, kThinScaleMultiple / std::max(s.h, s.depth));
  if (s.r1 > 0) {
    cutoff = std::max(cutoff, innerIsAsymptotic ? innerLargeX : kFarCutoff);
  }
  cutoff *= settings.cutoffScale;

  const FilonRule& filon = FilonRuleWithNodes(settings.nodesPerPanel);
  const long double innerEnd = innerIsAsymptotic ? std::min(innerLargeX, cutoff) : cutoff;
  if (largeX < innerEnd) {
    const long double scale = s.r1 > 0 ? 1 / s.r1 : INFINITY;
    sum += IntegrateOscillating(largeX, innerEnd, scale, s, filon, InnerBelowLargeXFrequencies(),
                                [&](long double q) { return InnerBelowLargeX(s, q); });
  }
  const long double jointStart = std::max(largeX, innerEnd);
  const long double apartStart = std::max(jointStart, std::min(kApartTurns / s.depth, cutoff));
  if (jointStart < apartStart) {
    sum += IntegrateOscillating(jointStart, apartStart, 1 / s.depth, s, filon, JointFrequencies(),
                                [&](long double q) { return Joint(s, q); });
  }
  if (apartStart < cutoff) {
    sum += IntegrateOscillating(apartStart, cutoff, INFINITY, s, filon, ApartFrequencies(s),
                                [&](long double q) { return Apart(s, q); });
  }
  return sum + InductanceTail(s.r1, s.h, cutoff, innerIsAsymptotic);
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
  const Shape shape{R1 / outer, H / outer, (R2 - R1) / outer};
  const long double integral = ScaledIntegral(shape, settings);
  // The integral grows like (h depth)^2 for thin windings: divide in steps.
  const long double scale = shape.h * shape.depth;
  return 2 * kPi * kMagneticConstant * outer * (integral / scale) / scale;
}

double ExactInductancePerTurnSquared(double R1, double R2, double H,
                                     const IntegrationSettings& settings) {
  return static_cast<double>(ExactInductancePerTurnSquaredExtended(R1, R2, H, settings));
}

}  // namespace tarnel::reference
