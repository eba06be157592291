#include "design/target_inductance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "calc/calculation_request.h"
#include "calc/constants.h"
#include "calc/errors.h"
#include "calc/inductance.h"
#include "calc/number_text.h"
#include "calc/validation_rules.h"
#include "calc/winding_figures.h"
#include "calc/x87.h"
#include "design/design_messages.h"
#include "design/monotone_search.h"
#include "reference/exact_comparison.h"
#include "reference/exact_per_turn_squared.h"

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
// Bisections of the formula for the warm start: its u to 2^-48 of the range.
constexpr int kFormulaBisections = 48;
// The formula's slope is taken over u ± this; a slope outside the band
// straddles a change of formula and the typical slope is taken instead.
constexpr long double kSlopeStep = 1e-4L;
constexpr long double kLeastFormulaSlope = 0.5L;
constexpr long double kGreatestFormulaSlope = 5;
constexpr long double kTypicalFormulaSlope = 2;
// A bound computed from the ratios is moved inward by a relative step that
// starts here and doubles, at most this many times, up to a millionth.
constexpr long double kFirstConfirmStep = 1e-18L;
constexpr long double kLastConfirmStep = 1e-6L;
constexpr int kMaxConfirmSteps = 42;
// Bisections of ln D for the thinnest wire a solve of D can have: from the
// least normal number to the thickest wire, to a few parts in 1e15.
constexpr int kThinnestWireBisections = 64;

// The bounds of a solve are placed by the reference's verified shapes and
// then confirmed by its own test, IsVerifiedShape, so a solution never lands
// on a shape it declines.
using reference::kLargestLengthRatio;
using reference::kSmallestLengthRatio;
using reference::kSmallestThicknessRatio;

const char* const kOutOfRangeMessage =
    "Точное значение L для такой формы обмотки не проверено: искомый размер подобрать нельзя";
const char* const kNotEvaluatedMessage =
    "Точное значение L этой обмотки не вычисляется: искомый размер подобрать нельзя";

Dimensions DimensionOf(Unknown unknown) {
  switch (unknown) {
    case Unknown::kR2:
      return Dimension::kR2;
    case Unknown::kH:
      return Dimension::kH;
    case Unknown::kD:
      return Dimension::kD;
  }
  return {};
}

bool Allowed(const Winding& w) {
  return BrokenRule(w) == nullptr && reference::IsVerifiedShape(w.R1, w.R2, w.H);
}

// Whether the calculation gives its results for `w`, read from texts of 21
// digits.
bool Calculates(const Winding& w) {
  const NumberFormat format = CScientificFormat(21, DecimalMark());
  CalculationFields fields;
  fields.edR1 = FormatNumber(w.R1, format);
  fields.edR2 = FormatNumber(w.R2, format);
  fields.edH = FormatNumber(w.H, format);
  fields.edD = FormatNumber(w.D, format);
  fields.edLambda = FormatNumber(w.Lambda, format);
  fields.edMessage = kReadyMessage;
  ComputedValues values;
  bool calculated = false;
  try {
    RunCalculation(fields, &values);
    calculated = fields.edMessage == kReadyMessage && values.L.has_value();
  } catch (const Exception&) {
  }
  fpu::SetWorkingMode();
  return calculated;
}

// The reference's evaluations of one solve, counted: the exact L of a
// winding as `tarnel-calc --exact` and the window's tooltip compute it, and
// L/N² of its cross-section; nothing where the reference declines it.
class ExactReference {
 public:
  std::optional<long double> PerTurnSquared(const Winding& w) {
    ++evaluations_;
    return reference::ExactPerTurnSquared(w);
  }

  std::optional<long double> Inductance(const Winding& w) {
    const std::optional<long double> perTurnSquared = PerTurnSquared(w);
    if (!perTurnSquared) {
      return std::nullopt;
    }
    return reference::TimesTurnsSquared(*perTurnSquared, TurnCountOf(w));
  }

  [[nodiscard]] int Evaluations() const { return evaluations_; }

 private:
  int evaluations_ = 0;
};

Design Invalid(const char* message, Design::Reason reason = Design::Reason::kRule) {
  Design design;
  design.outcome = Design::Outcome::kInvalid;
  design.message = message;
  design.reason = reason;
  return design;
}

Design Solved(long double value) {
  Design design;
  design.outcome = Design::Outcome::kSolved;
  design.value = value;
  return design;
}

// The ends of a range, lowest first: of a dimension, or of the inductances
// it gives.
struct Ends {
  long double lowest = 0;
  long double highest = 0;
};

Design Unreachable(Ends inductances) {
  Design design;
  design.outcome = Design::Outcome::kUnreachable;
  design.lowestL = inductances.lowest;
  design.highestL = inductances.highest;
  return design;
}

// Moves `bound` towards `inward` by a growing relative step until the
// winding with it is allowed: a bound computed from the ratios may round to
// just outside them. Nothing when no step within a millionth finds one.
std::optional<long double> Confirmed(const Winding& given, Unknown unknown, long double bound,
                                     long double inward) {
  if (!std::isfinite(bound)) {
    bound = std::numeric_limits<long double>::max();
  }
  long double step = kFirstConfirmStep;
  for (int i = 0; i < kMaxConfirmSteps && step < kLastConfirmStep; ++i, step *= 2) {
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
class LogarithmicSearch {
 public:
  LogarithmicSearch(const Winding& given, Unknown unknown, long double targetL, Ends range,
                    ExactReference& exact)
      : given_(given),
        unknown_(unknown),
        logTarget_(std::log(targetL)),
        lowest_(range.lowest),
        highest_(range.highest),
        uLow_(ToSearch(range.lowest)),
        uHigh_(ToSearch(range.highest)),
        exact_(exact) {}

  Design Run();

 private:
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
    return exact_.Inductance(With(given_, unknown_, ToDimension(u)));
  }

  Design UnreachableOutcome();
  [[nodiscard]] Design SolvedIfAllowed(long double u) const {
    const long double value = ToDimension(u);
    return Allowed(With(given_, unknown_, value))
               ? Solved(value)
               : Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
  }

  Winding given_;
  Unknown unknown_;
  long double logTarget_;
  long double lowest_;
  long double highest_;
  long double uLow_;
  long double uHigh_;
  ExactReference& exact_;
  std::optional<long double> lowestL_;
  std::optional<long double> highestL_;
};

long double LogarithmicSearch::FormulaStart() const {
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

long double LogarithmicSearch::FormulaSlope(long double u) const {
  const long double slope =
      (FormulaGap(u + kSlopeStep) - FormulaGap(u - kSlopeStep)) / (2 * kSlopeStep);
  return slope >= kLeastFormulaSlope && slope <= kGreatestFormulaSlope ? slope
                                                                       : kTypicalFormulaSlope;
}

Design LogarithmicSearch::UnreachableOutcome() {
  if (!lowestL_) {
    lowestL_ = ExactAt(uLow_);
  }
  if (!highestL_) {
    highestL_ = ExactAt(uHigh_);
  }
  if (!lowestL_ || !highestL_) {
    return Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
  }
  return Unreachable({*lowestL_, *highestL_});
}

Design LogarithmicSearch::Run() {
  SearchSetup setup;
  setup.low = uLow_;
  setup.high = uHigh_;
  setup.start = std::clamp(FormulaStart(), uLow_, uHigh_);
  setup.startSlope = FormulaSlope(setup.start);
  setup.stopGap = kSearchTolerance;
  setup.acceptGap = kPromisedTolerance;
  setup.maxEvaluations = kMaxExactEvaluations;
  // The exact L at an end of the range, once seen, is an end of the
  // reachable interval.
  auto gap = [this](long double u) -> std::optional<long double> {
    const std::optional<long double> L = ExactAt(u);
    if (!L) {
      return std::nullopt;
    }
    if (u == uLow_) {
      lowestL_ = L;
    }
    if (u == uHigh_) {
      highestL_ = L;
    }
    return std::log(*L) - logTarget_;
  };
  const SearchResult result = FindRisingRoot(gap, setup);
  switch (result.outcome) {
    case SearchResult::Outcome::kFound:
      return SolvedIfAllowed(result.u);
    case SearchResult::Outcome::kBelowRange:
    case SearchResult::Outcome::kAboveRange:
      return UnreachableOutcome();
    case SearchResult::Outcome::kNotEvaluated:
    case SearchResult::Outcome::kNotFound:
      break;
  }
  return Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
}

// The search of R2 or H between the ends the rules and the verified shapes
// give it.
Design SearchBetween(const Winding& given, Unknown unknown, long double targetL, Ends range,
                     ExactReference& exact) {
  const std::optional<long double> low = Confirmed(given, unknown, range.lowest, range.highest);
  const std::optional<long double> high = Confirmed(given, unknown, range.highest, range.lowest);
  if (!low || !high || !(*low < *high)) {
    return Invalid(kOutOfRangeMessage, Design::Reason::kOutOfRange);
  }
  return LogarithmicSearch(given, unknown, targetL, {*low, *high}, exact).Run();
}

Design SolveR2(const Winding& given, long double targetL, ExactReference& exact) {
  const long double R1 = given.R1;
  const long double H = given.H;
  // R2 ≥ R1 + D; (R2 − R1)/(R2 + R1) ≥ 1e-6; H/(R1 + R2) in [1e-7, 1e6].
  const long double thinnest = R1 * ((1 + kSmallestThicknessRatio) / (1 - kSmallestThicknessRatio));
  const long double lowest = std::max({R1 + given.D, thinnest, H / kLargestLengthRatio - R1});
  const long double highest = H / kSmallestLengthRatio - R1;
  return SearchBetween(given, Unknown::kR2, targetL, {lowest, highest}, exact);
}

Design SolveH(const Winding& given, long double targetL, ExactReference& exact) {
  // The thickness ratio does not depend on H: one height in range tells.
  if (!reference::IsVerifiedShape(given.R1, given.R2, given.R1 / 2 + given.R2 / 2)) {
    return Invalid(kOutOfRangeMessage, Design::Reason::kOutOfRange);
  }
  const long double diameter = given.R1 + given.R2;
  const long double lowest = std::max(given.D, diameter * kSmallestLengthRatio);
  const long double highest = diameter * kLargestLengthRatio;
  return SearchBetween(given, Unknown::kH, targetL, {lowest, highest}, exact);
}

Design SolveD(const Winding& given, long double targetL, ExactReference& exact) {
  if (!reference::IsVerifiedShape(given.R1, given.R2, given.H)) {
    return Invalid(kOutOfRangeMessage, Design::Reason::kOutOfRange);
  }
  const std::optional<long double> perTurnSquared = exact.PerTurnSquared(given);
  if (!perTurnSquared) {
    return Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
  }
  const long double thickest = std::min(given.H, given.R2 - given.R1);
  // The exact L with wire D, not a number where it is not a normal one.
  auto exactAt = [&](long double D) {
    const long double N = TurnCountOf(With(given, Unknown::kD, D));
    return reference::TimesTurnsSquared(*perTurnSquared, N)
        .value_or(std::numeric_limits<long double>::quiet_NaN());
  };
  const long double lowestL = exactAt(thickest);
  if (!std::isnormal(lowestL)) {
    return Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
  }
  // A thinner wire gives more turns and more inductance until the
  // calculation overflows (its resistance first) or the exact value is no
  // longer a normal number:
  // the thinnest wire that still has them gives the highest L.
  auto computable = [&](long double D) {
    return std::isnormal(exactAt(D)) && Calculates(With(given, Unknown::kD, D));
  };
  auto reachable = [&] {
    long double computed = thickest;
    long double failed = std::numeric_limits<long double>::min();
    if (computable(failed)) {
      computed = failed;
    } else {
      for (int i = 0; i < kThinnestWireBisections; ++i) {
        const long double middle = std::exp(std::log(failed) / 2 + std::log(computed) / 2);
        (computable(middle) ? computed : failed) = middle;
      }
    }
    return Unreachable({lowestL, exactAt(computed)});
  };
  // N = sqrt(target / (L/N²)), and D from N = 4·Lambda·(R2 − R1)·H /
  // (PI_APPROX·D²).
  const long double filledArea = ((given.H * 4) * (given.R2 - given.R1)) * given.Lambda;
  // Square roots first: the quotient overflows for a target near the largest L.
  const long double N = std::sqrt(targetL) / std::sqrt(*perTurnSquared);
  long double D = std::sqrt(filledArea / (kPiApprox * N));
  if (std::isfinite(D) && D > 0) {
    // One step of the D⁻⁴ law takes up the rounding of the lines above.
    D *= std::sqrt(std::sqrt(exactAt(D) / targetL));
  }
  if (!std::isnormal(D) || !computable(std::min(D, thickest))) {
    const Design interval = reachable();
    return targetL > interval.highestL
               ? interval
               : Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
  }
  if (D > thickest) {
    if (std::fabs(lowestL / targetL - 1) > kPromisedTolerance) {
      return reachable();
    }
    D = thickest;
  }
  const long double L = exactAt(D);
  if (!Allowed(With(given, Unknown::kD, D)) || !std::isnormal(L) ||
      std::fabs(L / targetL - 1) > kPromisedTolerance) {
    return Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
  }
  return Solved(D);
}

Design Solve(const Winding& given, Unknown unknown, long double targetL, ExactReference& exact) {
  const Winding w = With(given, unknown, 0);
  if (!std::isfinite(w.R1) || !std::isfinite(w.R2) || !std::isfinite(w.H) || !std::isfinite(w.D) ||
      !std::isfinite(w.Lambda)) {
    return Invalid(kNotFiniteMessage, Design::Reason::kNotFinite);
  }
  // Rules that involve the unknown dimension are left to the solve.
  if (const char* message = BrokenRule(w, DimensionOf(unknown))) {
    return Invalid(message);
  }
  if (!(targetL > 0) || !std::isfinite(targetL)) {
    return Invalid(kTargetMessage);
  }
  switch (unknown) {
    case Unknown::kR2:
      return SolveR2(w, targetL, exact);
    case Unknown::kH:
      return SolveH(w, targetL, exact);
    case Unknown::kD:
      return SolveD(w, targetL, exact);
  }
  return Invalid(kNotEvaluatedMessage, Design::Reason::kNotEvaluated);
}

}  // namespace

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

Design SolveForInductance(const Winding& given, Unknown unknown, long double targetL) {
  ExactReference exact;
  Design design = Solve(given, unknown, targetL, exact);
  design.exactEvaluations = exact.Evaluations();
  // The search's own operations may have set fault flags (an overflowing
  // formula at the far end of a range); the working mode has none pending.
  fpu::ClearFaultFlags();
  return design;
}

}  // namespace tarnel::design
