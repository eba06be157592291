// InductanceFlat: a flat annular current sheet, less the
// axial-height correction flatCorrection, which the thick flat formula shares.
#include "inductance_formulas.h"

namespace tarnel {

template <typename Number>
BasicFlatCorrectionTerms<Number> FlatCorrection(const BasicFormulaInputs<Number>& in,
                                                Number logFourOverThickness) {
  const Number l = in.lengthRatio;
  const Number d = in.depthRatio;
  const Number t = in.thicknessRatio;

  const Number c1 = ((kPiApprox / 3) * (1 / d)) *
                    (1 + (l * l) / 5 + ((l * l) * (t * t)) / 15 - (2.0L / 35) * RealPower(l, 4));
  const Number c2 = logFourOverThickness *
                    ((l * l) / 8 - RealPower(l, 4) / 64 + ((7.0L / 384) * (l * l)) * (t * t));
  const Number logDepthRatio = Ln(d);
  const Number c3 =
      (logDepthRatio * (1 / ((6 * d) * d))) * (1 + (l * l) / 4 + ((l * l) * (t * t)) / 4);
  const Number flatCorrection = c1 - c2 - c3 - (l * l) / 8 - (25.0L / 72) * (1 / (d * d)) +
                                ((l * l) * (t * t)) / 2304 - (1.0L / 180) * (1 / RealPower(d, 4)) -
                                (23.0L / 288) * ((l * l) / (d * d)) -
                                (31.0L / 2304) * RealPower(l, 4);

  return {.c1 = c1,
          .c2 = c2,
          .logDepthRatio = logDepthRatio,
          .c3 = c3,
          .flatCorrection = flatCorrection};
}

template <typename Number>
BasicFlatInductanceTerms<Number> FlatTerms(const BasicFormulaInputs<Number>& in) {
  const Number N = in.TurnCount;
  const Number t = in.thicknessRatio;

  // 1. T = ln(4/τ)
  const Number logFourOverThickness = Ln(4 / t);
  // 2.
  const Number flatSeries =
      logFourOverThickness * (1 + (t * t) / 24 + (11.0L / 2880) * RealPower(t, 4)) - (1.0L / 2) +
      (43.0L / 288) * (t * t) + RealPower(t, 4) / 150;
  // 3. M = ((5e-8·N)·N)·(R1 + R2) · (4·PI_APPROX · flatSeries)
  const Number flatMainScale = ((5e-8L * N) * N) * (in.R1 + in.R2);
  const Number flatMainTerm = flatMainScale * ((4 * kPiApprox) * flatSeries);
  // 4.
  const BasicFlatCorrectionTerms<Number> correction = FlatCorrection(in, logFourOverThickness);
  // 5. K = ((6.2831852e-7·N)·N)·(R1 + R2) · flatCorrection
  const Number flatCorrectionScale = ((6.2831852e-7L * N) * N) * (in.R1 + in.R2);
  const Number flatCorrectionTerm = flatCorrectionScale * correction.flatCorrection;
  // 6.
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
