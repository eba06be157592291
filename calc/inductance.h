// The inductance of the winding: the turn count and five
// shape ratios, the choice of one of four series formulas, and the formulas
// themselves. Free functions of the core: the formula inputs travel as one
// read-only value, so nothing here keeps state and everything is re-entrant.
//
// All arithmetic is on the checked Extended type: the first faulting
// operation, in the order the formulas are written, raises EInvalidOp,
// EZeroDivide or EOverflow and nothing after it runs.
#pragma once

#include "extended.h"

namespace tarnel {

// The read-only set every formula receives, complete before the
// formula starts. The formulas write ℓ, k, δ, ρ, τ and N for the last six.
struct FormulaInputs {
  Extended R1;
  Extended R2;
  Extended H;
  Extended D;
  Extended Lambda;
  Extended TurnCount;       // N = 4·Lambda·(R2 − R1)·H / (PI_APPROX·D²)
  Extended lengthRatio;     // ℓ = H / (R1 + R2)
  Extended kFactor;         // k = 1 / √(4ℓ² + 1)
  Extended depthRatio;      // δ = (R2 − R1) / H
  Extended radiusRatio;     // ρ = R1 / R2
  Extended thicknessRatio;  // τ = (R2 − R1) / (R2 + R1)
};

// The four shapes of winding, one per formula.
enum class InductanceRegime { kLong, kShort, kFlat, kThickFlat };

// |base| raised to `exponent`, as e^(exponent·ln|base|): never an exact
// repeated product. A zero base (of either sign) gives 0, or 1 when the
// exponent is 0. Can raise only EOverflow.
Extended RealPower(const Extended& base, Extended exponent);

// Steps 1 to 6 of ComputeInductance: TurnCount and the five ratios, in order.
FormulaInputs MakeFormulaInputs(Extended R1, Extended R2, Extended H, Extended D, Extended Lambda);

// Step 7: the first of ℓ ≥ 0.75 (long), δ ≤ 1 (short), τ > 0.5 (thick
// flat) that holds; otherwise flat.
InductanceRegime ChooseRegime(const FormulaInputs& in);

// The chosen regime's formula evaluated on `in`.
Extended InductanceOf(InductanceRegime regime, const FormulaInputs& in);

// L in henries for the five inputs, in the order R1, R2, H, D, Lambda.
Extended ComputeInductance(Extended R1, Extended R2, Extended H, Extended D, Extended Lambda);

// --- Long winding -------------------------------------------------------

struct LongInductanceTerms {
  Extended sheetSeries;
  Extended longMainTerm;
  Extended logFourOverThickness;  // ln(4/τ)
  Extended thicknessSeries2;
  Extended thicknessSeries4;
  Extended thicknessSeries6;
  Extended longCorrection;
  Extended longCorrectionTerm;
  Extended L;
};

LongInductanceTerms LongTerms(const FormulaInputs& in);
Extended InductanceLong(const FormulaInputs& in);

// --- Short winding ------------------------------------------------------

struct ShortInductanceTerms {
  Extended logFourOverLength;  // G = ln(4/ℓ)
  Extended shortSeries;
  Extended shortMainTerm;  // M
  Extended shortCorrection;
  Extended shortCorrectionTerm;  // K
  Extended L;
};

ShortInductanceTerms ShortTerms(const FormulaInputs& in);
Extended InductanceShort(const FormulaInputs& in);

// --- Flat-winding correction, shared by the flat and thick flat formulas

struct FlatCorrectionTerms {
  Extended c1;             // (PI_APPROX/3)·(1/δ)·(1 + ℓ²/5 + ℓ²τ²/15 − (2/35)ℓ⁴)
  Extended c2;             // T·(ℓ²/8 − ℓ⁴/64 + (7/384)ℓ²τ²)
  Extended logDepthRatio;  // ln(δ)
  Extended c3;             // ln(δ)·(1/(6δ²))·(1 + ℓ²/4 + ℓ²τ²/4)
  Extended flatCorrection;
};

// `flatCorrection`; `logFourOverThickness` is T = ln(4/τ).
FlatCorrectionTerms FlatCorrection(const FormulaInputs& in, Extended logFourOverThickness);

// --- Flat winding -------------------------------------------------------

struct FlatInductanceTerms {
  Extended logFourOverThickness;  // T = ln(4/τ)
  Extended flatSeries;
  Extended flatMainTerm;  // M
  FlatCorrectionTerms correction;
  Extended flatCorrectionTerm;  // K
  Extended L;
};

FlatInductanceTerms FlatTerms(const FormulaInputs& in);
Extended InductanceFlat(const FormulaInputs& in);

// --- Thick flat winding -------------------------------------------------

struct ThickFlatInductanceTerms {
  Extended thickShapeFactor;
  Extended radiusLogTerm;  // 3.29·ρ³·ln(ρ), taken as 0 at ρ = 0
  Extended radiusSeries;
  Extended thickMainTerm;
  Extended logFourOverThickness;  // T = ln(4/τ), for flatCorrection
  FlatCorrectionTerms correction;
  Extended thickCorrectionTerm;
  Extended L;
};

ThickFlatInductanceTerms ThickFlatTerms(const FormulaInputs& in);
Extended InductanceThickFlat(const FormulaInputs& in);

}  // namespace tarnel
