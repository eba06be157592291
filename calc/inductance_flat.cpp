// InductanceFlat: a flat annular current sheet, less the
// axial-height correction flatCorrection, which the thick flat formula shares.
#include "calc/inductance_formulas.h"

namespace tarnel {

template <typename Number>
BasicFlatCorrectionTerms<Number> FlatCorrection(const BasicFormulaInputs<Number>& in,
                                                Number logFourOverThickness) {
  const Number l = in.lengthRatio;
  const Number d = in.depthRatio;
  const Number t = in.thicknessRatio;

  const Number c1Scale = (kPiApprox / 3) * (1 / d);
  const Number l2 = l * l;
  const Number t2 = t * t;
  Number c1Series = 1;
  c1Series += l2 / Whole(5);
  c1Series += l2 * t2 / Whole(15);
  c1Series -= Fraction(2.0L / 35) * RealPower(l, 4);
  const Number c1 = c1Scale * c1Series;
  Number c2Series = l2 / Whole(8);
  c2Series -= RealPower(l, 4) / Whole(64);
  c2Series += Fraction(7.0L / 384) * l2 * t2;
  const Number c2 = logFourOverThickness * c2Series;
  const Number logDepthRatio = Math<Number>::Ln(d);
  const Number c3Scale = logDepthRatio * (1 / ((6 * d) * d));
  Number c3Series = 1;
  c3Series += l2 / Whole(4);
  c3Series += l2 * t2 / Whole(4);
  const Number c3 = c3Scale * c3Series;
  const Number d2 = d * d;
  Number flatCorrection = c1;
  flatCorrection -= c2;
  flatCorrection -= c3;
  flatCorrection -= l2 / Whole(8);
  flatCorrection -= Fraction(25.0L / 72) * (1 / d2);
  flatCorrection += l2 * t2 / Whole(2304);
  flatCorrection -= Fraction(1.0L / 180) * (1 / RealPower(d, 4));
  flatCorrection -= Fraction(23.0L / 288) * (l2 / d2);
  flatCorrection -= Fraction(31.0L / 2304) * RealPower(l, 4);

  return {.c1 = c1,
          .c2 = c2,
          .logDepthRatio = logDepthRatio,
          .c3 = c3,
          .flatCorrection = flatCorrection};
}

template <typename Number>
BasicFlatInductanceTerms<Number> FlatTerms(const BasicFormulaInputs<Number>& in) {
  const Number t = in.thicknessRatio;

  // T = ln(4/τ)
  const Number logFourOverThickness = Math<Number>::Ln(4 / t);
  const Number t2 = t * t;
  Number thicknessBracket = 1;
  thicknessBracket += t2 / Whole(24);
  thicknessBracket += Fraction(11.0L / 2880) * RealPower(t, 4);
  Number flatSeries = logFourOverThickness * thicknessBracket;
  flatSeries -= 1.0L / 2;
  flatSeries += Fraction(43.0L / 288) * t2;
  flatSeries += RealPower(t, 4) / Whole(150);
  // M = ((5e-8·N)·N)·(R1 + R2) · (4·PI_APPROX · flatSeries)
  const Number flatMainScale = TurnsScale(Fraction(5e-8L), in);
  const Number flatMainTerm = flatMainScale * ((4 * kPiApprox) * flatSeries);
  const BasicFlatCorrectionTerms<Number> correction = FlatCorrection(in, logFourOverThickness);
  // K = ((6.2831852e-7·N)·N)·(R1 + R2) · flatCorrection
  const Number flatCorrectionScale = TurnsScale(Fraction(6.2831852e-7L), in);
  const Number flatCorrectionTerm = flatCorrectionScale * correction.flatCorrection;
  const Number L = flatMainTerm - flatCorrectionTerm;

  return {.logFourOverThickness = logFourOverThickness,
          .flatSeries = flatSeries,
          .flatMainTerm = flatMainTerm,
          .correction = correction,
          .flatCorrectionTerm = flatCorrectionTerm,
          .L = L};
}

template <typename Number>
Number InductanceFlat(const BasicFormulaInputs<Number>& in) {
  return FlatTerms(in).L;
}

template FlatCorrectionTerms FlatCorrection(const FormulaInputs&, Extended);
template BasicFlatCorrectionTerms<long double> FlatCorrection(
    const BasicFormulaInputs<long double>&, long double);
template FlatInductanceTerms FlatTerms(const FormulaInputs&);
template BasicFlatInductanceTerms<long double> FlatTerms(const BasicFormulaInputs<long double>&);
template Extended InductanceFlat(const FormulaInputs&);
template long double InductanceFlat(const BasicFormulaInputs<long double>&);

}  // namespace tarnel
