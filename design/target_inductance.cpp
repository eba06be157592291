#include "design/target_inductance.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>

#include "calc/calculation_request.h"
#include "calc/constants.h"
#include "calc/inductance.h"
#include "calc/x87.h"
#include "reference/exact_comparison.h"

namespace tarnel::design {
namespace {

// Why the search below may assume monotonicity. The winding's turns are
// spread over its cross-section with the fixed density n = 4·Lambda /
// (PI_APPROX·D²) per unit area, and its inductance is n² times the double
// integral, over the cross-section twice, of the mutual inductance of two
// coaxial circular loops, which is positive for every pair. Growing R2 or H
// with the rest fixed only enlarges the cross-section, so it only adds
// positive contributions: L rises strictly with R2 and with H. D enters
// through n alone: L/N² does not depend on D and N is proportional to D⁻²,
// so L falls as D⁻⁴ and D follows from one exact evaluation in closed form.

// A solution gives the target to 1e-9 relative; the search stops at 1e-10,
// so that the reference's own last digits never decide whether it holds.
constexpr long double kSearchTolerance = 1e-10L;
constexpr long double kPromisedTolerance = 1e-9L;
constexpr int kMaxExactEvaluations = 60;
constexpr int kFormulaBisections = 48;

// The bounds of a solve are placed by the reference's verified shapes and
// then confirmed by its own test, IsVerifiedShape, so a solution never lands
// on a shape it declines.
using reference::kLargestLengthRatio;
using reference::kSmallestLengthRatio;
using reference::kSmallestThicknessRatio;

const char* const kTargetMessage = "Введите L > 0";
const char* const kNotFiniteMessage = "Размеры должны быть конечными числами";
const char* const kOutOfRangeMessage =
    "Точное значение L для такой формы обмотки не проверено: искомый размер подобрать нельзя";
const char* const kNotEvaluatedMessage =
    "Точное значение L этой обмотки не вычисляется: искомый размер подобрать нельзя";

// The calculation's validation rules, computed as the calculation computes
// them.
bool PassesRules(const Winding& w) {
  return w.R2 > w.R1 && w.D <= w.R2 - w.R1 && w.D <= w.H && w.Lambda > 0 && w.Lambda < 1 &&
         w.D > 0 && w.R1 >= 0;
}

bool Allowed(const Winding& w) {
  return PassesRules(w) && reference::IsVerifiedShape(w.R1, w.R2, w.H);
}

// The calculation's turn count, grouped as it groups it.
long double TurnCountOf(const Winding& w) {
  const long double windingArea = (w.H * 4) * (w.R2 - w.R1);
  return (windingArea * w.Lambda) / ((kPiApprox * w.D) * w.D);
}

// Exact evaluations since the current solve began on this thread.
thread_local int evaluationCount = 0;

// The exact inductance as `tarnel-calc --exact` and the window's tooltip
// compute it, or nothing where the reference declines the winding.
std::optional<long double> ExactInductance(const Winding& w) {
  ++evaluationCount;
  try {
    const reference::ExactComparison comparison =
        reference::CompareWithExact(w, TurnCountOf(w), 1.0L);
    if (comparison.evaluated) {
      return comparison.exactL;
    }
  } catch (const std::exception&) {
    // Declined as well: the reference raises only for inputs it cannot take.
  }
  return std::nullopt;
}

// L/N² of the winding's cross-section, the exact L of one turn:
// ExactInductance of N turns is (PerTurnSquared · N) · N, bit for bit.
std::optional<long double> PerTurnSquared(const Winding& w) {
  ++evaluationCount;
  try {
    const reference::ExactComparison comparison = reference::CompareWithExact(w, 1.0L, 1.0L);
    if (comparison.evaluated) {
      return comparison.exactL;
    }
  } catch (const std::exception&) {
    // Declined, as above.
  }
  return std::nullopt;
}

// The first rule the given dimensions break, in the window's words, or
// nullptr. Rules that involve the unknown dimension are left to the solve.
const char* BrokenGivenRule(const Winding& w, Unknown unknown) {
  const bool hasR2 = unknown != Unknown::kR2;
  const bool hasH = unknown != Unknown::kH;
  const bool hasD = unknown != Unknown::kD;
  if (hasR2 && !(w.R2 > w.R1)) {
    return kRuleR2AboveR1;
  }
  if (hasR2 && hasD && !(w.D <= w.R2 - w.R1)) {
    return kRuleDWithinDepth;
  }
  if (hasH && hasD && !(w.D <= w.H)) {
    return kRuleDWithinH;
  }
  if (!(w.Lambda > 0)) {
    return kRuleLambdaAboveZero;
  }
  if (!(w.Lambda < 1)) {
    return kRuleLambdaBelowOne;
  }
  if (hasD && !(w.D > 0)) {
    return kRuleDAboveZero;
  }
  if (!(w.R1 >= 0)) {
    return kRuleR1NotNegative;
  }
  return nullptr;
}

Design Invalid(const char* message) {
  Design design;
  design.outcome = Design::Outcome::kInvalid;
  design.message = message;
  return design;
}

Design Solved(long double value) {
  Design design;
  design.outcome = Design::Outcome::kSolved;
  design.value = value;
  return design;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the interval's ends, lowest first
Design Unreachable(long double lowestL, long double highestL) {
  Design design;
  design.outcome = Design::Outcome::kUnreachable;
  design.lowestL = lowestL;
  design.highestL = highestL;
  return design;
}

// The winding with `value` as its unknown dimension.
Winding With(Winding w, Unknown unknown, long double value) {
  switch (unknown) {
    case Unknown::kR2:
      w.R2 = value;
      break;
    case Unknown::kH:
      w.H = value;
      break;
    case Unknown::kD:
      w.D = value;
      break;
  }
  return w;
}

// Moves `bound` towards `inward` by a growing relative step until the
// winding with it is allowed: a bound computed from the ratios may round to
// just outside them. Nothing when no step within a millionth finds one.
std::optional<long double> Confirmed(const Winding& given, Unknown unknown, long double bound,
                                     long double inward) {
  if (!std::isfinite(bound)) {
    bound = std::numeric_limits<long double>::max();
  }
  long double step = 1e-18L;
  for (int i = 0; i < 42 && step < 1e-6L; ++i, step *= 2) {
    if (Allowed(With(given, unknown, bound))) {
      return bound;
    }
    const long double moved = bound + std::copysign(std::fabs(bound) * step, inward - bound);
    bound = moved == bound ? std::nextafter(bound, inward) : moved;
  }
  return std::nullopt;
}

// The search of R2 or H. It runs on u, the logarithm of the radial depth
// R2 − R1 or of H: in it ln L is nearly a straight line of slope 1 to 3
// wherever the shape lies, so that secant steps on (u, ln L) converge in a
// few exact evaluations, where R2 itself would give a slope of millions for
// a thin wall.
class MonotoneSearch {
 public:
  // NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the target, then the range, lowest first
  MonotoneSearch(const Winding& given, Unknown unknown, long double targetL, long double lowest,
                 long double highest)
      : given_(given),
        unknown_(unknown),
        logTarget_(std::log(targetL)),
        lowest_(lowest),
        highest_(highest),
        uLow_(ToSearch(lowest)),
        uHigh_(ToSearch(highest)) {}

  Design Run();

 private:
  struct Point {
    long double u = 0;
    long double g = 0;  // ln(L / target)
  };

  [[nodiscard]] long double ToSearch(long double value) const {
    return std::log(unknown_ == Unknown::kR2 ? value - given_.R1 : value);
  }
  // The dimension at u; the ends of the range exactly at their ends.
  [[nodiscard]] long double ToDimension(long double u) const {
    if (u <= uLow_) {
      return lowest_;
    }
    if (u >= uHigh_) {
      return highest_;
    }
    const long double value = unknown_ == Unknown::kR2 ? given_.R1 + std::exp(u) : std::exp(u);
    return std::clamp(value, lowest_, highest_);
  }

  // The formula's ln(L / target) at u; not finite where the formula fails.
  [[nodiscard]] long double FormulaGap(long double u) const {
    const Winding w = With(given_, unknown_, ToDimension(u));
    const long double L = EvaluateInductance<long double>(w.R1, w.R2, w.H, w.D, w.Lambda);
    return L > 0 ? std::log(L) - logTarget_ : std::numeric_limits<long double>::quiet_NaN();
  }

  // The u where the calculator's own formula meets the target: a start
  // within the formula's error of the solution (mostly far below 1 %, up to
  // 17 % for thick windings near H = 0.75·(R1 + R2)) for microseconds.
  [[nodiscard]] long double FormulaStart() const;
  // The formula's slope d ln L / du at u, or a typical one.
  [[nodiscard]] long double FormulaSlope(long double u) const;

  std::optional<long double> ExactAt(long double u) {
    ++evaluations_;
    const std::optional<long double> L = ExactInductance(With(given_, unknown_, ToDimension(u)));
    return L;
  }

  Design UnreachableOutcome();
  [[nodiscard]] Design SolvedIfAllowed(long double u) const {
    const long double value = ToDimension(u);
    return Allowed(With(given_, unknown_, value)) ? Solved(value) : Invalid(kNotEvaluatedMessage);
  }

  Winding given_;
  Unknown unknown_;
  long double logTarget_;
  long double lowest_;
  long double highest_;
  long double uLow_;
  long double uHigh_;
  std::optional<long double> lowestL_;
  std::optional<long double> highestL_;
  int evaluations_ = 0;
};

long double MonotoneSearch::FormulaStart() const {
  long double low = uLow_;
  long double high = uHigh_;
  for (int i = 0; i < kFormulaBisections; ++i) {
    const long double middle = low / 2 + high / 2;
    const long double gap = FormulaGap(middle);
    if (!std::isfinite(gap)) {
      break;
    }
    (gap < 0 ? low : high) = middle;
  }
  return low / 2 + high / 2;
}

long double MonotoneSearch::FormulaSlope(long double u) const {
  constexpr long double kStep = 1e-4L;
  const long double slope = (FormulaGap(u + kStep) - FormulaGap(u - kStep)) / (2 * kStep);
  // Across a change of formula the difference means nothing.
  return slope >= 0.5L && slope <= 5 ? slope : 2;
}

Design MonotoneSearch::UnreachableOutcome() {
  if (!lowestL_) {
    lowestL_ = ExactAt(uLow_);
  }
  if (!highestL_) {
    highestL_ = ExactAt(uHigh_);
  }
  if (!lowestL_ || !highestL_) {
    return Invalid(kNotEvaluatedMessage);
  }
  return Unreachable(*lowestL_, *highestL_);
}

Design MonotoneSearch::Run() {
  // The bracket: `below` has L under the target, `above` over it; until
  // a point is seen on a side, that side is the end of the range, unseen.
  Point below{uLow_, 0};
  Point above{uHigh_, 0};
  bool belowSeen = false;
  bool aboveSeen = false;
  std::optional<Point> previous;
  Point best{0, std::numeric_limits<long double>::infinity()};
  int slowSteps = 0;

  long double u = std::clamp(FormulaStart(), uLow_, uHigh_);
  const long double startSlope = FormulaSlope(u);
  while (evaluations_ < kMaxExactEvaluations) {
    const std::optional<long double> L = ExactAt(u);
    if (!L) {
      return Invalid(kNotEvaluatedMessage);
    }
    if (u == uLow_) {
      lowestL_ = L;
    }
    if (u == uHigh_) {
      highestL_ = L;
    }
    const Point point{u, std::log(*L) - logTarget_};
    if (std::fabs(point.g) <= kSearchTolerance) {
      return SolvedIfAllowed(u);
    }
    if (std::fabs(point.g) < std::fabs(best.g)) {
      best = point;
    }
    if (point.g < 0) {
      if (u == uHigh_) {
        return UnreachableOutcome();
      }
      below = point;
      belowSeen = true;
    } else {
      if (u == uLow_) {
        return UnreachableOutcome();
      }
      above = point;
      aboveSeen = true;
    }

    long double next = 0;
    if (previous && (point.g - previous->g) / (u - previous->u) > 0) {
      next = u - point.g * (u - previous->u) / (point.g - previous->g);
    } else {
      next = u - point.g / startSlope;
    }
    slowSteps = previous && std::fabs(point.g) > std::fabs(previous->g) / 4 ? slowSteps + 1 : 0;
    if (belowSeen && aboveSeen) {
      // Inside a closed bracket: the secant while it keeps inside and keeps
      // shrinking the gap, else bisection.
      if (!(next > below.u && next < above.u) || slowSteps >= 2) {
        next = below.u / 2 + above.u / 2;
        slowSteps = 0;
      }
      if (next == below.u || next == above.u) {
        break;
      }
    } else {
      // An open side is tried at the end of the range once the step reaches
      // it: either the target lies beyond, or the bracket closes there.
      next = std::clamp(next, below.u, above.u);
      if (next == u) {
        break;
      }
    }
    previous = point;
    u = next;
  }
  // The bracket has shrunk to neighbouring numbers: the best point seen is
  // as close as the dimension's precision allows.
  if (std::fabs(best.g) <= kPromisedTolerance) {
    return SolvedIfAllowed(best.u);
  }
  return Invalid(kNotEvaluatedMessage);
}

Design SolveR2(const Winding& given, long double targetL) {
  const long double R1 = given.R1;
  const long double H = given.H;
  // R2 ≥ R1 + D; (R2 − R1)/(R2 + R1) ≥ 1e-6; H/(R1 + R2) in [1e-7, 1e6].
  const long double thinnest = R1 * ((1 + kSmallestThicknessRatio) / (1 - kSmallestThicknessRatio));
  const long double lowest = std::max({R1 + given.D, thinnest, H / kLargestLengthRatio - R1});
  const long double highest = H / kSmallestLengthRatio - R1;
  const std::optional<long double> low = Confirmed(given, Unknown::kR2, lowest, highest);
  const std::optional<long double> high = Confirmed(given, Unknown::kR2, highest, lowest);
  if (!low || !high || !(*low < *high)) {
    return Invalid(kOutOfRangeMessage);
  }
  return MonotoneSearch(given, Unknown::kR2, targetL, *low, *high).Run();
}

Design SolveH(const Winding& given, long double targetL) {
  // The thickness ratio does not depend on H: one height in range tells.
  if (!reference::IsVerifiedShape(given.R1, given.R2, given.R1 / 2 + given.R2 / 2)) {
    return Invalid(kOutOfRangeMessage);
  }
  const long double diameter = given.R1 + given.R2;
  const long double lowest = std::max(given.D, diameter * kSmallestLengthRatio);
  const long double highest = diameter * kLargestLengthRatio;
  const std::optional<long double> low = Confirmed(given, Unknown::kH, lowest, highest);
  const std::optional<long double> high = Confirmed(given, Unknown::kH, highest, lowest);
  if (!low || !high || !(*low < *high)) {
    return Invalid(kOutOfRangeMessage);
  }
  return MonotoneSearch(given, Unknown::kH, targetL, *low, *high).Run();
}

Design SolveD(const Winding& given, long double targetL) {
  if (!reference::IsVerifiedShape(given.R1, given.R2, given.H)) {
    return Invalid(kOutOfRangeMessage);
  }
  const std::optional<long double> perTurnSquared = PerTurnSquared(given);
  if (!perTurnSquared) {
    return Invalid(kNotEvaluatedMessage);
  }
  const long double thickest = std::min(given.H, given.R2 - given.R1);
  auto exactAt = [&](long double D) {
    const long double N = TurnCountOf(With(given, Unknown::kD, D));
    return (*perTurnSquared * N) * N;
  };
  const long double lowestL = exactAt(thickest);
  if (!std::isnormal(lowestL)) {
    return Invalid(kNotEvaluatedMessage);
  }
  // N = sqrt(target / (L/N²)), and D from N = 4·Lambda·(R2 − R1)·H /
  // (PI_APPROX·D²).
  const long double filledArea = ((given.H * 4) * (given.R2 - given.R1)) * given.Lambda;
  const long double N = std::sqrt(targetL / *perTurnSquared);
  long double D = std::sqrt(filledArea / (kPiApprox * N));
  if (std::isfinite(D) && D > 0) {
    // One step of the D⁻⁴ law takes up the rounding of the lines above.
    D *= std::sqrt(std::sqrt(exactAt(D) / targetL));
  }
  if (!(std::isnormal(D))) {
    return Invalid(kNotEvaluatedMessage);
  }
  if (D > thickest) {
    if (std::fabs(lowestL / targetL - 1) > kPromisedTolerance) {
      return Unreachable(lowestL, std::numeric_limits<long double>::infinity());
    }
    D = thickest;
  }
  const long double L = exactAt(D);
  if (!Allowed(With(given, Unknown::kD, D)) || !std::isnormal(L) ||
      std::fabs(L / targetL - 1) > kPromisedTolerance) {
    return Invalid(kNotEvaluatedMessage);
  }
  return Solved(D);
}

Design Solve(const Winding& given, Unknown unknown, long double targetL) {
  const Winding w = With(given, unknown, 0);
  if (!std::isfinite(w.R1) || !std::isfinite(w.R2) || !std::isfinite(w.H) || !std::isfinite(w.D) ||
      !std::isfinite(w.Lambda)) {
    return Invalid(kNotFiniteMessage);
  }
  if (const char* message = BrokenGivenRule(w, unknown)) {
    return Invalid(message);
  }
  if (!(targetL > 0) || !std::isfinite(targetL)) {
    return Invalid(kTargetMessage);
  }
  switch (unknown) {
    case Unknown::kR2:
      return SolveR2(w, targetL);
    case Unknown::kH:
      return SolveH(w, targetL);
    case Unknown::kD:
      return SolveD(w, targetL);
  }
  return Invalid(kNotEvaluatedMessage);
}

}  // namespace

Design SolveForInductance(const Winding& given, Unknown unknown, long double targetL) {
  Design design;
  evaluationCount = 0;
  try {
    design = Solve(given, unknown, targetL);
  } catch (const std::exception&) {
    design = Invalid(kNotEvaluatedMessage);
  }
  // The search's own operations may have set fault flags (an overflowing
  // formula at the far end of a range); the working mode has none pending.
  fpu::ClearFaultFlags();
  return design;
}

int ExactEvaluationsOfLastSolve() {
  return evaluationCount;
}

}  // namespace tarnel::design
