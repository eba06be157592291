#include "design/best_coil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <optional>
#include <vector>

#include "calc/calculation_request.h"
#include "calc/constants.h"
#include "calc/validation_rules.h"
#include "calc/winding_figures.h"
#include "calc/x87.h"
#include "design/design_messages.h"
#include "design/kept_text.h"
#include "design/target_inductance.h"
#include "reference/exact_comparison.h"

namespace tarnel::design {
namespace {

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

// The window's words of the rules this search names, from the rules table.
constexpr const char* kRuleDWithinDepth = kValidationRules[1].message;
constexpr const char* kRuleDWithinH = kValidationRules[2].message;
constexpr const char* kRuleLambdaAboveZero = kValidationRules[3].message;
constexpr const char* kRuleLambdaBelowOne = kValidationRules[4].message;
constexpr const char* kRuleDAboveZero = kValidationRules[5].message;
constexpr const char* kRuleR1NotNegative = kValidationRules[6].message;

// The free shape: a simplex search on (ln(R2/R1 − 1), ln(H/R1)) from the
// Brooks coil, to a relative change of the wire figure far below what any
// written digit shows (the optimum is flat: the ratios move the figure
// only in their second order).
constexpr int kShapeSearchSteps = 300;
constexpr long double kShapeFigureTolerance = 1e-13L;
constexpr long double kShapeStartStep = 0.1L;

// The one-dimensional search: a scan of factors of kScanFactor about the
// start, widened while its best point lies at an open end, then a golden
// section between the best point's neighbours.
constexpr long double kScanFactor = 2;
constexpr int kScanHalfWidth = 3;
constexpr int kScanWidenings = 12;
constexpr int kBrentSteps = 40;
// The wire is flat at its least: a relative step of 1e-6 in the searched
// dimension changes it by about 1e-12, far below any written digit.
constexpr long double kBrentTolerance = 1e-6L;

// A root of R1 stops at a tenth of the promised tolerance, as the solve of
// R2 and H does.
constexpr long double kRootTolerance = 1e-10L;
constexpr int kRootSteps = 200;

// A written coil is looked for among this many last-digit steps either side
// of each rounded text before the last.
constexpr int kWrittenNudges = 4;

const char* const kTooFewFreeMessage = "Свободными должны быть хотя бы два из R1, R2 и H";
const char* const kNoCoilMessage = "Катушку с такой индуктивностью подобрать нельзя";
const char* const kUnverifiedMessage =
    "Точное значение L для такой формы обмотки не проверено: катушку подобрать нельзя";
const char* const kWrittenMessage =
    "Записанные размеры не дают L с нужной точностью: катушку подобрать нельзя";

enum class Dimension { kR1, kR2, kH };
constexpr std::array<Dimension, 3> kDimensions = {Dimension::kR1, Dimension::kR2, Dimension::kH};

const char* NameOf(Dimension d) {
  return d == Dimension::kR1 ? "R1" : d == Dimension::kR2 ? "R2" : "H";
}

long double& Of(tarnel::Winding& w, Dimension d) {
  return d == Dimension::kR1 ? w.R1 : d == Dimension::kR2 ? w.R2 : w.H;
}
long double Of(const tarnel::Winding& w, Dimension d) {
  return d == Dimension::kR1 ? w.R1 : d == Dimension::kR2 ? w.R2 : w.H;
}

tarnel::Winding With(tarnel::Winding w, Dimension d, long double value) {
  Of(w, d) = value;
  return w;
}

long double WireLengthOf(const tarnel::Winding& w) {
  return FiguresOf(w, TurnCountOf(w)).wireLength;
}

// L/N² of the cross-section, or nothing where the reference declines it.
std::optional<long double> PerTurnSquared(long double R1, long double R2, long double H) {
  try {
    const reference::ExactComparison comparison =
        reference::CompareWithExact(tarnel::Winding{R1, R2, H, 0, 0}, 1.0L, 1.0L);
    if (comparison.evaluated) {
      return comparison.exactL;
    }
  } catch (const std::exception&) {
    // Declined as well: the reference raises only for inputs it cannot take.
  }
  return std::nullopt;
}

// The exact inductance as `tarnel-calc --exact` computes it.
std::optional<long double> ExactL(const tarnel::Winding& w) {
  try {
    const reference::ExactComparison comparison =
        reference::CompareWithExact(w, TurnCountOf(w), 1.0L);
    if (comparison.evaluated) {
      return comparison.exactL;
    }
  } catch (const std::exception&) {
    // Declined, as above.
  }
  return std::nullopt;
}

std::string LowStop(Dimension d) {
  return std::string("Катушку не подобрать: мешает нижняя граница ") + NameOf(d);
}
std::string HighStop(Dimension d) {
  return std::string("Катушку не подобрать: мешает верхняя граница ") + NameOf(d);
}

// The interval each dimension may take; a kept one is a single point.
struct Box {
  std::array<long double, 3> lowest{};
  std::array<long double, 3> highest{};
  [[nodiscard]] bool IsFixed(Dimension d) const { return lowest[Index(d)] == highest[Index(d)]; }
  static std::size_t Index(Dimension d) { return static_cast<std::size_t>(d); }
  [[nodiscard]] long double Low(Dimension d) const { return lowest[Index(d)]; }
  [[nodiscard]] long double High(Dimension d) const { return highest[Index(d)]; }
  [[nodiscard]] Box Fixed(Dimension d, long double value) const {
    Box box = *this;
    box.lowest[Index(d)] = value;
    box.highest[Index(d)] = value;
    return box;
  }
};

// A coil found, or the reason none was.
struct Found {
  std::optional<tarnel::Winding> coil;
  std::string stop;
  [[nodiscard]] long double Wire() const { return coil ? WireLengthOf(*coil) : kInfinity; }
};

Found Stop(std::string reason) {
  Found found;
  found.stop = std::move(reason);
  return found;
}

// The reason the winding is not an answer for the box, or nothing.
std::optional<std::string> Rejection(const Box& box, const tarnel::Winding& w) {
  for (const Dimension d : kDimensions) {
    if (Of(w, d) < box.Low(d)) {
      return LowStop(d);
    }
    if (Of(w, d) > box.High(d)) {
      return HighStop(d);
    }
  }
  if (const char* rule = BrokenRule(w)) {
    return std::string(rule);
  }
  if (!reference::IsVerifiedShape(w.R1, w.R2, w.H)) {
    return std::string(kUnverifiedMessage);
  }
  return std::nullopt;
}

Found Checked(const Box& box, const tarnel::Winding& w) {
  if (std::optional<std::string> reason = Rejection(box, w)) {
    return Stop(*reason);
  }
  Found found;
  found.coil = w;
  return found;
}

Found Better(const Found& a, const Found& b) {
  if (!b.coil) {
    return a.coil || !a.stop.empty() ? a : b;
  }
  if (!a.coil) {
    return b;
  }
  return b.Wire() < a.Wire() ? b : a;
}

// --- The free shape -------------------------------------------------------

// Why the free shape is found once. With the shape fixed (R2 = a·R1,
// H = b·R1), the turn count is n·(a − 1)·b·R1² with n = 4·Lambda /
// (PI_APPROX·D²), L/N² of the cross-section grows as R1·p(a, b), so L =
// n²·(a − 1)²·b²·p·R1⁵ and the wire N·PI_APPROX·(1 + a)·R1. Putting the R1 of
// the target in, the wire is n^(−1/5)·L^(3/5) times
//   (1 + a) · ((a − 1)·b)^(−1/5) · p(a, b)^(−3/5),
// a figure of the shape alone: the best shape is the same for every target,
// wire and packing factor as long as no rule or bound binds.
long double ShapeFigure(long double outerRatio, long double heightRatio) {
  const std::optional<long double> p = PerTurnSquared(1, outerRatio, heightRatio);
  if (!p || !(outerRatio > 1) || !(heightRatio > 0)) {
    return kInfinity;
  }
  const long double area = (outerRatio - 1) * heightRatio;
  return (1 + outerRatio) * std::pow(area, -0.2L) * std::pow(*p, -0.6L);
}

long double FigureAt(const std::array<long double, 2>& logs) {
  return ShapeFigure(1 + std::exp(logs[0]), std::exp(logs[1]));
}

BestShape SearchFreeShape() {
  // Nelder-Mead on the two logarithms, from the Brooks coil (a = 2, b = 1).
  std::array<std::array<long double, 2>, 3> simplex = {
      {{0, 0}, {kShapeStartStep, 0}, {0, kShapeStartStep}}};
  std::array<long double, 3> figure{};
  for (std::size_t i = 0; i < 3; ++i) {
    figure[i] = FigureAt(simplex[i]);
  }
  for (int step = 0; step < kShapeSearchSteps; ++step) {
    std::array<std::size_t, 3> order = {0, 1, 2};
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return figure[a] < figure[b]; });
    const std::size_t best = order[0];
    const std::size_t worst = order[2];
    if (figure[worst] - figure[best] <= kShapeFigureTolerance * figure[best]) {
      break;
    }
    std::array<long double, 2> centre{};
    for (std::size_t k = 0; k < 2; ++k) {
      centre[k] = (simplex[order[0]][k] + simplex[order[1]][k]) / 2;
    }
    auto along = [&](long double t) {
      return std::array<long double, 2>{centre[0] + t * (simplex[worst][0] - centre[0]),
                                        centre[1] + t * (simplex[worst][1] - centre[1])};
    };
    const std::array<long double, 2> reflected = along(-1);
    const long double reflectedFigure = FigureAt(reflected);
    if (reflectedFigure < figure[best]) {
      const std::array<long double, 2> expanded = along(-2);
      const long double expandedFigure = FigureAt(expanded);
      const bool expand = expandedFigure < reflectedFigure;
      simplex[worst] = expand ? expanded : reflected;
      figure[worst] = expand ? expandedFigure : reflectedFigure;
    } else if (reflectedFigure < figure[order[1]]) {
      simplex[worst] = reflected;
      figure[worst] = reflectedFigure;
    } else {
      const std::array<long double, 2> contracted = along(0.5L);
      const long double contractedFigure = FigureAt(contracted);
      if (contractedFigure < figure[worst]) {
        simplex[worst] = contracted;
        figure[worst] = contractedFigure;
      } else {
        for (const std::size_t i : {order[1], order[2]}) {
          for (std::size_t k = 0; k < 2; ++k) {
            simplex[i][k] = (simplex[i][k] + simplex[best][k]) / 2;
          }
          figure[i] = FigureAt(simplex[i]);
        }
      }
    }
  }
  const std::size_t best =
      static_cast<std::size_t>(std::min_element(figure.begin(), figure.end()) - figure.begin());
  return BestShape{1 + std::exp(simplex[best][0]), std::exp(simplex[best][1])};
}

// The coil of the shape R2 = a·R1, H = b·R1 with the target's R1.
std::optional<tarnel::Winding> ScaledToTarget(const tarnel::Winding& wire, const BestShape& shape,
                                              long double targetL) {
  const std::optional<long double> p = PerTurnSquared(1, shape.outerRatio, shape.heightRatio);
  if (!p) {
    return std::nullopt;
  }
  const long double n = (4 * wire.Lambda) / ((kPiApprox * wire.D) * wire.D);
  const long double area = (shape.outerRatio - 1) * shape.heightRatio;
  const long double R1 = std::pow(targetL / ((n * n) * (area * area) * *p), 0.2L);
  tarnel::Winding w = wire;
  w.R1 = R1;
  w.R2 = R1 * shape.outerRatio;
  w.H = R1 * shape.heightRatio;
  // One step of the L ∝ R1⁵ law takes up the rounding of the lines above.
  if (const std::optional<long double> L = ExactL(w)) {
    const long double factor = std::pow(targetL / *L, 0.2L);
    w.R1 *= factor;
    w.R2 = w.R1 * shape.outerRatio;
    w.H = w.R1 * shape.heightRatio;
  }
  if (!std::isnormal(w.R1) || !std::isfinite(w.R2) || !std::isfinite(w.H)) {
    return std::nullopt;
  }
  return w;
}

// --- One free dimension ---------------------------------------------------

design::Winding ToDesign(const tarnel::Winding& w) {
  return design::Winding{w.R1, w.R2, w.H, w.D, w.Lambda};
}

// R1 for the target, the rest fixed: L falls as R1 grows (the cross-section
// only shrinks), so a bracketed secant with bisection finds it.
Found SolveR1(const Box& box, const tarnel::Winding& given, long double targetL) {
  long double low = std::max(box.Low(Dimension::kR1), 0.0L);
  long double high = std::min(box.High(Dimension::kR1), given.R2 - given.D);
  if (!(low <= high)) {
    return Stop(box.High(Dimension::kR1) < given.R2 - given.D ? HighStop(Dimension::kR1)
                                                              : std::string(kRuleDWithinDepth));
  }
  auto gapAt = [&](long double R1) -> std::optional<long double> {
    const std::optional<long double> L = ExactL(With(given, Dimension::kR1, R1));
    if (!L) {
      return std::nullopt;
    }
    return std::log(*L / targetL);
  };
  std::optional<long double> gLow = gapAt(low);
  std::optional<long double> gHigh = gapAt(high);
  while (!gHigh && high > low) {
    // The thinnest verified wall lies a little inside R2 − D.
    high = low + (high - low) * (1 - 1e-6L);
    gHigh = gapAt(high);
  }
  if (!gLow || !gHigh) {
    return Stop(kUnverifiedMessage);
  }
  if (*gLow < 0) {
    return Stop(box.Low(Dimension::kR1) > 0 ? LowStop(Dimension::kR1)
                                            : std::string(kNoCoilMessage));
  }
  if (*gHigh > 0) {
    return Stop(high < given.R2 - given.D ? HighStop(Dimension::kR1)
                                          : std::string(kRuleDWithinDepth));
  }
  for (int step = 0; step < kRootSteps; ++step) {
    const long double secant = low - *gLow * (high - low) / (*gHigh - *gLow);
    const long double middle = low / 2 + high / 2;
    const long double R1 = step % 3 == 2 || !(secant > low && secant < high) ? middle : secant;
    const std::optional<long double> g = gapAt(R1);
    if (!g) {
      return Stop(kUnverifiedMessage);
    }
    if (std::fabs(*g) <= kRootTolerance || R1 == low || R1 == high) {
      return Checked(box, With(given, Dimension::kR1, R1));
    }
    (*g > 0 ? low : high) = R1;
    (*g > 0 ? gLow : gHigh) = g;
  }
  return Stop(kNoCoilMessage);
}

// R2 or H for the target by the existing solve, then held to the box.
Found SolveByDesign(const Box& box, const tarnel::Winding& given, Dimension d,
                    long double targetL) {
  const design::Design design = SolveForInductance(
      ToDesign(given), d == Dimension::kR2 ? Unknown::kR2 : Unknown::kH, targetL);
  switch (design.outcome) {
    case Design::Outcome::kSolved:
      return Checked(box, With(given, d, design.value));
    case Design::Outcome::kUnreachable:
      // The target lies beyond what the dimension gives: above, the
      // verified shapes end; below, the wire fills the depth or the height.
      if (targetL > design.highestL) {
        return Stop(kUnverifiedMessage);
      }
      return Stop(d == Dimension::kR2 ? kRuleDWithinDepth : kRuleDWithinH);
    case Design::Outcome::kInvalid:
      return Stop(design.message);
  }
  return Stop(kNoCoilMessage);
}

Found SolveOne(const Box& box, const tarnel::Winding& given, Dimension d, long double targetL) {
  return d == Dimension::kR1 ? SolveR1(box, given, targetL) : SolveByDesign(box, given, d, targetL);
}

// --- Searches -------------------------------------------------------------

Found BestIn(const Box& box, const tarnel::Winding& start, long double targetL);

// Brent's search for the least wire on [a, b] from its best point x:
// parabolic steps through the three best points, golden-section steps where
// they fail or meet a point without a coil.
template <typename At>
Found Brent(long double a, long double b, long double x, Found best, At& at) {
  constexpr long double kGolden = 0.3819660112501051518L;
  long double fx = best.Wire();
  long double w = x;
  long double v = x;
  long double fw = fx;
  long double fv = fx;
  long double step = 0;
  long double previousStep = 0;
  for (int i = 0; i < kBrentSteps; ++i) {
    const long double middle = a / 2 + b / 2;
    const long double tolerance = kBrentTolerance * std::fabs(x) + 1e-300L;
    if (std::fabs(x - middle) <= 2 * tolerance - (b - a) / 2) {
      break;
    }
    bool golden = true;
    if (std::fabs(previousStep) > tolerance && std::isfinite(fw) && std::isfinite(fv)) {
      const long double r = (x - w) * (fx - fv);
      long double q = (x - v) * (fx - fw);
      long double p = (x - v) * q - (x - w) * r;
      q = 2 * (q - r);
      p = q > 0 ? -p : p;
      q = std::fabs(q);
      const long double older = previousStep;
      previousStep = step;
      if (std::fabs(p) < std::fabs(q * older / 2) && p > q * (a - x) && p < q * (b - x)) {
        step = p / q;
        const long double u = x + step;
        if (u - a < 2 * tolerance || b - u < 2 * tolerance) {
          step = std::copysign(tolerance, middle - x);
        }
        golden = false;
      }
    }
    if (golden) {
      previousStep = x >= middle ? a - x : b - x;
      step = kGolden * previousStep;
    }
    const long double u =
        std::fabs(step) >= tolerance ? x + step : x + std::copysign(tolerance, step);
    Found found = at(u);
    const long double fu = found.Wire();
    if (fu <= fx) {
      (u >= x ? a : b) = x;
      v = w;
      fv = fw;
      w = x;
      fw = fx;
      x = u;
      fx = fu;
      best = Better(best, found);
    } else {
      (u < x ? a : b) = u;
      if (fu <= fw || w == x) {
        v = w;
        fv = fw;
        w = u;
        fw = fu;
      } else if (fu <= fv || v == x || v == w) {
        v = u;
        fv = fu;
      }
    }
  }
  return best;
}

// Two free dimensions: `searched` is scanned and refined, `solved` follows
// from the target at each point.
Found SearchOne(const Box& box, const tarnel::Winding& start, Dimension searched, Dimension solved,
                long double targetL) {
  Found stop = Stop(kNoCoilMessage);
  bool solvedBoundHit = false;
  auto at = [&](long double x) {
    Box free = box;
    free.lowest[Box::Index(solved)] = 0;
    free.highest[Box::Index(solved)] = kInfinity;
    Found found = SolveOne(free, With(start, searched, x), solved, targetL);
    if (found.coil) {
      std::optional<std::string> rejection = Rejection(box, *found.coil);
      if (rejection) {
        const long double y = Of(*found.coil, solved);
        solvedBoundHit = solvedBoundHit || y < box.Low(solved) || y > box.High(solved);
        found = Stop(*rejection);
      }
    }
    if (!found.coil && stop.stop == kNoCoilMessage) {
      stop = found;
    }
    return found;
  };
  const long double low = box.Low(searched);
  const long double high = box.High(searched);
  const long double centre = std::clamp(Of(start, searched), low, high);
  std::vector<long double> xs;
  if (centre > 0) {
    long double factor = 1;
    for (int i = 0; i < kScanHalfWidth; ++i) {
      factor *= kScanFactor;
    }
    for (long double x = centre / factor; x <= centre * factor * (1 + 1e-12L); x *= kScanFactor) {
      if (x > low && x < high) {
        xs.push_back(x);
      }
    }
  }
  for (const long double end : {low, high, centre}) {
    if (std::isfinite(end)) {
      xs.push_back(end);
    }
  }
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  std::vector<Found> founds;
  std::vector<long double> wires;
  for (const long double x : xs) {
    founds.push_back(at(x));
    wires.push_back(founds.back().Wire());
  }
  // Widen at an open end while the best point is there.
  for (int i = 0; i < kScanWidenings; ++i) {
    const auto best = std::min_element(wires.begin(), wires.end()) - wires.begin();
    if (!std::isfinite(wires[best])) {
      break;
    }
    long double x = 0;
    if (best == 0 && xs.front() > low && xs.front() > 0) {
      x = std::max(xs.front() / (kScanFactor * kScanFactor), low);
      xs.insert(xs.begin(), x);
      founds.insert(founds.begin(), at(x));
      wires.insert(wires.begin(), founds.front().Wire());
    } else if (best + 1 == static_cast<std::ptrdiff_t>(xs.size()) && xs.back() < high) {
      x = std::min(xs.back() * kScanFactor * kScanFactor, high);
      xs.push_back(x);
      founds.push_back(at(x));
      wires.push_back(founds.back().Wire());
    } else {
      break;
    }
  }
  const auto bestAt = std::min_element(wires.begin(), wires.end()) - wires.begin();
  const auto best = static_cast<std::size_t>(bestAt);
  if (!std::isfinite(wires[best])) {
    return stop;
  }
  // Between the neighbours of the best point.
  Found result = Brent(xs[best == 0 ? 0 : best - 1], xs[best + 1 == xs.size() ? best : best + 1],
                       xs[best], founds[best], at);
  // A bound of the solved dimension stopped part of the scan: the best may
  // lie on it, with the searched dimension following from the target.
  if (solvedBoundHit) {
    for (const long double bound : {box.Low(solved), box.High(solved)}) {
      if (std::isfinite(bound) && bound > 0) {
        result =
            Better(result, BestIn(box.Fixed(solved, bound), With(start, solved, bound), targetL));
      }
    }
  }
  return result;
}

// The best coil in the box, from `start` (the dimensions the box fixes, and
// a first guess of the others).
Found BestIn(const Box& box, const tarnel::Winding& start, long double targetL) {
  std::vector<Dimension> free;
  for (const Dimension d : kDimensions) {
    if (!box.IsFixed(d)) {
      free.push_back(d);
    }
  }
  tarnel::Winding w = start;
  for (const Dimension d : kDimensions) {
    if (box.IsFixed(d)) {
      Of(w, d) = box.Low(d);
    }
  }
  switch (free.size()) {
    case 0: {
      const std::optional<long double> L = ExactL(w);
      if (!L || std::fabs(*L / targetL - 1) > kBestCoilTolerance) {
        return Stop(kNoCoilMessage);
      }
      return Checked(box, w);
    }
    case 1:
      return SolveOne(box, w, free[0], targetL);
    case 2: {
      // R2 is solved when free (the existing solve), else H; the other scanned.
      const Dimension solved = box.IsFixed(Dimension::kR2) ? Dimension::kH : Dimension::kR2;
      const Dimension searched = free[0] == solved ? free[1] : free[0];
      return SearchOne(box, w, searched, solved, targetL);
    }
    default:
      break;
  }
  const std::optional<tarnel::Winding> scaled = ScaledToTarget(w, FreeBestShape(), targetL);
  if (!scaled) {
    return Stop(kUnverifiedMessage);
  }
  Found free3 = Checked(box, *scaled);
  if (free3.coil) {
    return free3;
  }
  // Something binds: the best lies on one of the bounds the free best breaks.
  Found result = free3;
  for (const Dimension d : kDimensions) {
    if (Of(*scaled, d) < box.Low(d)) {
      result = Better(result, BestIn(box.Fixed(d, box.Low(d)), *scaled, targetL));
    }
    if (Of(*scaled, d) > box.High(d)) {
      result = Better(result, BestIn(box.Fixed(d, box.High(d)), *scaled, targetL));
    }
  }
  // The rules bind: the wire's own thickness fixes the depth or the height.
  if (!result.coil && scaled->H < scaled->D) {
    result = Better(result, BestIn(box.Fixed(Dimension::kH, scaled->D), *scaled, targetL));
  }
  return result;
}

std::optional<std::string> BrokenRequest(const BestCoilRequest& request, Box& box) {
  const tarnel::Winding& w = request.winding;
  const std::array<const DimensionChoice*, 3> choices = {&request.R1, &request.R2, &request.H};
  int freeCount = 0;
  for (const Dimension d : kDimensions) {
    const DimensionChoice& choice = *choices[Box::Index(d)];
    const long double value = Of(w, d);
    if (choice.kept && !std::isfinite(value)) {
      return std::string(kNotFiniteMessage);
    }
    if (!choice.kept && (std::isnan(choice.lowest) || std::isnan(choice.highest))) {
      return std::string(kNotFiniteMessage);
    }
    freeCount += choice.kept ? 0 : 1;
    box.lowest[Box::Index(d)] = choice.kept ? value : std::max(choice.lowest, 0.0L);
    box.highest[Box::Index(d)] = choice.kept ? value : choice.highest;
    if (!(box.Low(d) <= box.High(d))) {
      return choice.lowest > choice.highest ? HighStop(d) : LowStop(d);
    }
  }
  if (freeCount < 2) {
    return std::string(kTooFewFreeMessage);
  }
  if (!std::isfinite(w.D) || !std::isfinite(w.Lambda)) {
    return std::string(kNotFiniteMessage);
  }
  // The rules that involve no free dimension.
  if (!(w.Lambda > 0)) {
    return std::string(kRuleLambdaAboveZero);
  }
  if (!(w.Lambda < 1)) {
    return std::string(kRuleLambdaBelowOne);
  }
  if (!(w.D > 0)) {
    return std::string(kRuleDAboveZero);
  }
  if (request.R1.kept && !(w.R1 >= 0)) {
    return std::string(kRuleR1NotNegative);
  }
  if (!(request.targetL > 0) || !std::isfinite(request.targetL)) {
    return std::string(kTargetMessage);
  }
  // The wire must fit the height.
  const std::size_t h = Box::Index(Dimension::kH);
  box.lowest[h] = request.H.kept ? box.lowest[h] : std::max(box.lowest[h], w.D);
  if (!(box.Low(Dimension::kH) <= box.High(Dimension::kH))) {
    return std::string(kRuleDWithinH);
  }
  return std::nullopt;
}

BestCoil Answer(const Found& found, long double targetL) {
  BestCoil coil;
  if (!found.coil) {
    coil.message = found.stop.empty() ? kNoCoilMessage : found.stop;
    return coil;
  }
  const std::optional<long double> L = ExactL(*found.coil);
  if (!L || std::fabs(*L / targetL - 1) > kBestCoilTolerance) {
    coil.message = kNoCoilMessage;
    return coil;
  }
  coil.solved = true;
  coil.winding = *found.coil;
  coil.exactL = *L;
  coil.wireLength = WireLengthOf(*found.coil);
  return coil;
}

BestCoil Find(const BestCoilRequest& request) {
  Box box;
  if (std::optional<std::string> broken = BrokenRequest(request, box)) {
    BestCoil coil;
    coil.message = *broken;
    return coil;
  }
  // The start of every search: the free best shape scaled to the target,
  // the Brooks proportions where that is declined.
  tarnel::Winding start = request.winding;
  const std::optional<tarnel::Winding> scaled =
      ScaledToTarget(request.winding, FreeBestShape(), request.targetL);
  const std::optional<tarnel::Winding> brooks =
      ScaledToTarget(request.winding, BestShape{2, 1}, request.targetL);
  if (const std::optional<tarnel::Winding>& guess = scaled ? scaled : brooks) {
    for (const Dimension d : kDimensions) {
      if (!box.IsFixed(d)) {
        Of(start, d) = Of(*guess, d);
      }
    }
  }
  return Answer(BestIn(box, start, request.targetL), request.targetL);
}

// --- Writing --------------------------------------------------------------

// The text of `value` and the number it reads back to.
struct Written {
  std::string text;
  long double value = 0;
};

Written WriteValue(long double value, const NumberFormat& format) {
  Written written;
  written.text = FormatNumber(value, format);
  written.value = TextToNumber(written.text, format.mark);
  return written;
}

// One unit of the last written digit of `value`.
long double LastDigitStep(long double value, const NumberFormat& format) {
  const long double exponent = std::floor(std::log10(std::fabs(value)));
  return std::pow(10.0L, exponent - static_cast<long double>(format.significantDigits - 1));
}

// The text of `value` inside [low, high]: the nearest, else the one a last
// digit inwards, for a value on a bound that rounds out of it; nothing when
// neither lies inside.
// Swappable parameters: the value, then the interval, lowest first.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
std::optional<Written> WrittenInside(long double value, long double low, long double high,
                                     const NumberFormat& format) {
  const TextWriter write = [&format](long double v, int digits) {
    NumberFormat withDigits = format;
    withDigits.significantDigits = digits;
    return FormatNumber(v, withDigits);
  };
  const std::optional<std::string> text = KeptText(
      value, {format.significantDigits, format.significantDigits}, write,
      [&](const std::string& t) {
        const long double read = TextToNumber(t, format.mark);
        return read >= low && read <= high;
      },
      format.mark);
  if (!text) {
    return std::nullopt;
  }
  return Written{*text, TextToNumber(*text, format.mark)};
}

}  // namespace

BestShape FreeBestShape() {
  static const BestShape shape = [] {
    const BestShape found = SearchFreeShape();
    fpu::ClearFaultFlags();
    return found;
  }();
  return shape;
}

std::optional<tarnel::Winding> CoilOfShape(const tarnel::Winding& wire, const BestShape& shape,
                                           long double targetL) {
  std::optional<tarnel::Winding> coil;
  try {
    coil = ScaledToTarget(wire, shape, targetL);
  } catch (const std::exception&) {
    coil.reset();
  }
  fpu::ClearFaultFlags();
  return coil;
}

BestCoil FindBestCoil(const BestCoilRequest& request) {
  BestCoil coil;
  try {
    coil = Find(request);
  } catch (const std::exception&) {
    coil = BestCoil{};
    coil.message = kNoCoilMessage;
  }
  fpu::ClearFaultFlags();
  return coil;
}

WrittenCoil WriteBestCoil(const BestCoilRequest& request, const BestCoil& best,
                          const NumberFormat& format, long double tolerance) {
  WrittenCoil result;
  if (!best.solved) {
    result.coil = best;
    return result;
  }
  Box box;
  if (BrokenRequest(request, box)) {
    result.coil.message = kNoCoilMessage;
    return result;
  }
  // The last is solved again: a free one off its bounds, H first. L moves
  // with the last digit of H by a part in 1e10 or two, with that of R2 or
  // R1 by R2/(R2 − R1) times more: a thin wall written last could miss the
  // target by more than the tolerance.
  auto offBounds = [&](Dimension d) {
    const long double value = Of(best.winding, d);
    return !box.IsFixed(d) && value > box.Low(d) && value < box.High(d);
  };
  Dimension last = request.R2.kept ? Dimension::kH : Dimension::kR2;
  for (const Dimension d : {Dimension::kH, Dimension::kR2, Dimension::kR1}) {
    if (offBounds(d)) {
      last = d;
      break;
    }
  }
  // A kept dimension is the number its text reads back to.
  for (const Dimension d : kDimensions) {
    if (box.IsFixed(d)) {
      box = box.Fixed(d, WriteValue(box.Low(d), format).value);
    }
  }
  // The texts before the last: the nearest one, then its neighbours by
  // last-digit steps, nearest first, so that the last one solved again on
  // them lands within the tolerance when written.
  std::vector<Dimension> before;
  for (const Dimension d : kDimensions) {
    if (d != last) {
      before.push_back(d);
    }
  }
  // The one nudged: free, off its bounds where one is, else inwards from
  // the bound it lies on.
  Dimension nudged = before.front();
  for (const Dimension d : before) {
    if (!box.IsFixed(d) && (box.IsFixed(nudged) || offBounds(d))) {
      nudged = d;
    }
  }
  std::optional<WrittenCoil> nearest;
  long double nearestGap = kInfinity;
  for (int k = 0; k <= 2 * kWrittenNudges; ++k) {
    const int steps = (k % 2 == 0 ? 1 : -1) * ((k + 1) / 2);
    tarnel::Winding w = best.winding;
    std::array<std::string, 3> texts;
    bool inBox = true;
    for (const Dimension d : before) {
      long double value = Of(best.winding, d);
      if (d == nudged && !box.IsFixed(d)) {
        value += static_cast<long double>(steps) * LastDigitStep(value, format);
      }
      const std::optional<Written> written = WrittenInside(value, box.Low(d), box.High(d), format);
      if (!written) {
        inBox = false;
        continue;
      }
      texts[Box::Index(d)] = written->text;
      Of(w, d) = written->value;
    }
    if (!inBox || (steps != 0 && box.IsFixed(nudged))) {
      continue;
    }
    Box lastFree = box;
    for (const Dimension d : before) {
      lastFree = lastFree.Fixed(d, Of(w, d));
    }
    const Found solved = SolveOne(lastFree, w, last, request.targetL);
    if (!solved.coil) {
      if (!nearest) {
        result.coil.message = solved.stop;
      }
      continue;
    }
    // The last text: the nearest, else the neighbour on the other side.
    const long double exact = Of(*solved.coil, last);
    const long double step = LastDigitStep(exact, format);
    for (const long double value : {exact, exact - step, exact + step}) {
      const Written written = WriteValue(value, format);
      const tarnel::Winding candidate = With(w, last, written.value);
      const std::optional<long double> L = ExactL(candidate);
      if (!L || Rejection(box, candidate)) {
        continue;
      }
      const long double gap = std::fabs(*L / request.targetL - 1);
      if (gap < nearestGap) {
        nearestGap = gap;
        texts[Box::Index(last)] = written.text;
        WrittenCoil candidateCoil;
        candidateCoil.R1 = texts[0];
        candidateCoil.R2 = texts[1];
        candidateCoil.H = texts[2];
        candidateCoil.coil.solved = true;
        candidateCoil.coil.winding = candidate;
        candidateCoil.coil.exactL = *L;
        candidateCoil.coil.wireLength = WireLengthOf(candidate);
        candidateCoil.solved = true;
        nearest = candidateCoil;
      }
    }
    if (tolerance > 0 && nearestGap <= tolerance) {
      break;
    }
  }
  fpu::ClearFaultFlags();
  if (!nearest || (tolerance > 0 && nearestGap > tolerance)) {
    result.solved = false;
    result.coil.solved = false;
    if (result.coil.message.empty() || nearest) {
      result.coil.message = kWrittenMessage;
    }
    return result;
  }
  return *nearest;
}

}  // namespace tarnel::design
