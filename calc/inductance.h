// The inductance of the winding: the turn count and five
// shape ratios, the choice of one of four series formulas, and the formulas
// themselves. Free functions of the core: the formula inputs travel as one
// read-only value, so nothing here keeps state and everything is re-entrant.
//
// The formulas are templates over the number type `Number`, defined in the
// inductance*.cpp files and instantiated at the end of each for two types:
//  - Extended, the calculation itself: the first faulting operation, in the
//    order the formulas are written, raises EInvalidOp, EZeroDivide or
//    EOverflow and nothing after it runs;
//  - long double, the same operations unchecked, for measuring what the
//    checks cost. Its results equal the Extended ones bit for bit wherever
//    no fault occurs.
// The library functions of each type come from Math<Number>
// (inductance_formulas.h). The names without "Basic" are the Extended forms.
#pragma once

#include <type_traits>

#include "calc/extended.h"

namespace tarnel {

// The read-only set every formula receives, complete before the
// formula starts. The formulas write ℓ, k, δ, ρ, τ and N for the last six.
template <typename Number>
struct BasicFormulaInputs {
  Number R1;
  Number R2;
  Number H;
  Number D;
  Number Lambda;
  Number TurnCount;       // N = 4·Lambda·(R2 − R1)·H / (PI_APPROX·D²)
  Number lengthRatio;     // ℓ = H / (R1 + R2)
  Number kFactor;         // k = 1 / √(4ℓ² + 1)
  Number depthRatio;      // δ = (R2 − R1) / H
  Number radiusRatio;     // ρ = R1 / R2
  Number thicknessRatio;  // τ = (R2 − R1) / (R2 + R1)
};
using FormulaInputs = BasicFormulaInputs<Extended>;

// The four shapes of winding, one per formula.
enum class InductanceRegime { kLong, kShort, kFlat, kThickFlat };

// "long", "short", "flat" or "thick flat".
const char* RegimeName(InductanceRegime regime);

// |base| raised to `exponent`, as e^(exponent·ln|base|): never an exact
// repeated product. A zero base (of either sign) gives 0, or 1 when the
// exponent is 0. Can raise only EOverflow.
Extended RealPower(const Extended& base, Extended exponent);

// TurnCount and the five ratios, in this order: TurnCount, lengthRatio,
// kFactor, depthRatio, radiusRatio, thicknessRatio. `Number` is named at the
// call, MakeFormulaInputs<long double>(...), or is Extended.
template <typename Number = Extended>
BasicFormulaInputs<Number> MakeFormulaInputs(std::type_identity_t<Number> R1,
                                             std::type_identity_t<Number> R2,
                                             std::type_identity_t<Number> H,
                                             std::type_identity_t<Number> D,
                                             std::type_identity_t<Number> Lambda);

// The formula for `in`: the first of ℓ ≥ 0.75 (long), δ ≤ 1 (short), τ > 0.5 (thick
// flat) that holds; otherwise flat.
template <typename Number>
InductanceRegime ChooseRegime(const BasicFormulaInputs<Number>& in);

// The chosen regime's formula evaluated on `in`.
template <typename Number>
Number InductanceOf(InductanceRegime regime, const BasicFormulaInputs<Number>& in);

// MakeFormulaInputs, ChooseRegime and the chosen formula, every operation in
// the arithmetic of `Number`, which is named at the call: EvaluateInductance<Extended>(...)
// raises at the first faulting operation, EvaluateInductance<long double>(...)
// runs on through faults.
template <typename Number>
Number EvaluateInductance(std::type_identity_t<Number> R1, std::type_identity_t<Number> R2,
                          std::type_identity_t<Number> H, std::type_identity_t<Number> D,
                          std::type_identity_t<Number> Lambda);

// L in henries for the five inputs, in the order R1, R2, H, D, Lambda: the
// value EvaluateInductance<Extended> returns, or the error of the first
// faulting operation, after which nothing runs. It starts a calculation of
// its own: fault flags left set by earlier code are cleared first.
Extended ComputeInductance(Extended R1, Extended R2, Extended H, Extended D, Extended Lambda);

// --- Long winding -------------------------------------------------------

template <typename Number>
struct BasicLongInductanceTerms {
  Number sheetSeries;
  Number longMainTerm;
  Number logFourOverThickness;  // ln(4/τ)
  Number thicknessSeries2;
  Number thicknessSeries4;
  Number thicknessSeries6;
  Number longCorrection;
  Number longCorrectionTerm;
  Number L;
};
using LongInductanceTerms = BasicLongInductanceTerms<Extended>;

template <typename Number>
BasicLongInductanceTerms<Number> LongTerms(const BasicFormulaInputs<Number>& in);
template <typename Number>
Number InductanceLong(const BasicFormulaInputs<Number>& in);

// --- Short winding ------------------------------------------------------

template <typename Number>
struct BasicShortInductanceTerms {
  Number logFourOverLength;  // G = ln(4/ℓ)
  Number shortSeries;
  Number shortMainTerm;  // M
  Number shortCorrection;
  Number shortCorrectionTerm;  // K
  Number L;
};
using ShortInductanceTerms = BasicShortInductanceTerms<Extended>;

template <typename Number>
BasicShortInductanceTerms<Number> ShortTerms(const BasicFormulaInputs<Number>& in);
template <typename Number>
Number InductanceShort(const BasicFormulaInputs<Number>& in);

// --- Flat-winding correction, shared by the flat and thick flat formulas

template <typename Number>
struct BasicFlatCorrectionTerms {
  Number c1;             // (PI_APPROX/3)·(1/δ)·(1 + ℓ²/5 + ℓ²τ²/15 − (2/35)ℓ⁴)
  Number c2;             // T·(ℓ²/8 − ℓ⁴/64 + (7/384)ℓ²τ²)
  Number logDepthRatio;  // ln(δ)
  Number c3;             // ln(δ)·(1/(6δ²))·(1 + ℓ²/4 + ℓ²τ²/4)
  Number flatCorrection;
};
using FlatCorrectionTerms = BasicFlatCorrectionTerms<Extended>;

// `flatCorrection`; `logFourOverThickness` is T = ln(4/τ).
template <typename Number>
BasicFlatCorrectionTerms<Number> FlatCorrection(const BasicFormulaInputs<Number>& in,
                                                Number logFourOverThickness);

// --- Flat winding -------------------------------------------------------

template <typename Number>
struct BasicFlatInductanceTerms {
  Number logFourOverThickness;  // T = ln(4/τ)
  Number flatSeries;
  Number flatMainTerm;  // M
  BasicFlatCorrectionTerms<Number> correction;
  Number flatCorrectionTerm;  // K
  Number L;
};
using FlatInductanceTerms = BasicFlatInductanceTerms<Extended>;

template <typename Number>
BasicFlatInductanceTerms<Number> FlatTerms(const BasicFormulaInputs<Number>& in);
template <typename Number>
Number InductanceFlat(const BasicFormulaInputs<Number>& in);

// --- Thick flat winding -------------------------------------------------

template <typename Number>
struct BasicThickFlatInductanceTerms {
  Number thickShapeFactor;
  Number radiusLogTerm;  // 3.29·ρ³·ln(ρ), taken as 0 at ρ = 0
  Number radiusSeries;
  Number thickMainTerm;
  Number logFourOverThickness;  // T = ln(4/τ), for flatCorrection
  BasicFlatCorrectionTerms<Number> correction;
  Number thickCorrectionTerm;
  Number L;
};
using ThickFlatInductanceTerms = BasicThickFlatInductanceTerms<Extended>;

template <typename Number>
BasicThickFlatInductanceTerms<Number> ThickFlatTerms(const BasicFormulaInputs<Number>& in);
template <typename Number>
Number InductanceThickFlat(const BasicFormulaInputs<Number>& in);

}  // namespace tarnel
