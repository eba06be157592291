// InductanceThickFlat: a series in ρ = radiusRatio scaled by a
// shape factor of τ = thicknessRatio, less the correction of the flat formula.
#include "calc/inductance_formulas.h"

namespace tarnel {
namespace {

// 3.29·ρ³·ln(ρ), formed as (3.29·ρ³)·ln(ρ). At ρ = 0 (R1 = 0, a valid coil)
// ln(0) would raise EZeroDivide although the term tends to 0 there: the
// term is taken as 0 and ln(0) is not evaluated.
template <typename Number>
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): ρ then ρ³, as the formula writes them
Number RadiusLogTerm(Number radiusRatio, Number radiusCube) {
  if (radiusRatio == 0) {
    return 0;
  }
  const Number scaledCube = 3.29L * radiusCube;
  const Number logRadiusRatio = Math<Number>::Ln(radiusRatio);
  return scaledCube * logRadiusRatio;
}

}  // namespace

template <typename Number>
BasicThickFlatInductanceTerms<Number> ThickFlatTerms(const BasicFormulaInputs<Number>& in) {
  const Number rho = in.radiusRatio;
  const Number t = in.thicknessRatio;

  // (1 + τ)³ / (τ·τ)
  const Number shapeCube = RealPower(1 + t, 3);
  const Number thicknessSquare = t * t;
  const Number thickShapeFactor = shapeCube / thicknessSquare;
  // 3.29·ρ³·ln(ρ) + 1.7424 − 2.27·ρ³ + 0.3702·ρ⁵ + 0.0826·ρ⁷ + 0.0312·ρ⁹,
  // summed in this order.
  const Number radiusCube = RealPower(rho, 3);
  const Number radiusLogTerm = RadiusLogTerm(rho, radiusCube);
  Number radiusSeries = radiusLogTerm;
  radiusSeries += 1.7424L;
  radiusSeries -= 2.27L * radiusCube;
  radiusSeries += Fraction(0.3702L) * RealPower(rho, 5);
  radiusSeries += Fraction(0.0826L) * RealPower(rho, 7);
  radiusSeries += Fraction(0.0312L) * RealPower(rho, 9);
  // ((5e-8·N)·N)·(R1 + R2) · (radiusSeries · thickShapeFactor)
  const Number thickMainScale = TurnsScale(Fraction(5e-8L), in);
  const Number thickMainTerm = thickMainScale * (radiusSeries * thickShapeFactor);
  // flatCorrection · ((6.2831852e-7·N)·N)·(R1 + R2)
  const Number logFourOverThickness = Math<Number>::Ln(4 / t);
  const BasicFlatCorrectionTerms<Number> correction = FlatCorrection(in, logFourOverThickness);
  const Number thickCorrectionScale = TurnsScale(Fraction(6.2831852e-7L), in);
  const Number thickCorrectionTerm = correction.flatCorrection * thickCorrectionScale;
  const Number L = thickMainTerm - thickCorrectionTerm;

  return {.thickShapeFactor = thickShapeFactor,
          .radiusLogTerm = radiusLogTerm,
          .radiusSeries = radiusSeries,
          .thickMainTerm = thickMainTerm,
          .logFourOverThickness = logFourOverThickness,
          .correction = correction,
          .thickCorrectionTerm = thickCorrectionTerm,
          .L = L};
}

template <typename Number>
Number InductanceThickFlat(const BasicFormulaInputs<Number>& in) {
  return ThickFlatTerms(in).L;
}

template ThickFlatInductanceTerms ThickFlatTerms(const FormulaInputs&);
template BasicThickFlatInductanceTerms<long double> ThickFlatTerms(
    const BasicFormulaInputs<long double>&);
template Extended InductanceThickFlat(const FormulaInputs&);
template long double InductanceThickFlat(const BasicFormulaInputs<long double>&);

}  // namespace tarnel
