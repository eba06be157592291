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

  const Number c1Scale = (kPiApprox / 3) * (1 / d);
  // The squares, each taken once where it is first written. A square can
  // only overflow, like the sums it is taken ahead of, so the first fault
  // stays the same.
  const Number l2 = l * l;
  const Number t2 = t * t;
  const Number c1Series = Sum<Number>(1)
                              .Plus(l2 / 5)
                              .Plus(Product<Number>(l2).Times(t2).Over(15))
                              .Minus((2.0L / 35) * RealPower(l, 4));
  const Number c1 = c1Scale * c1Series;
  const Number c2Series = Sum<Number>(l2 / 8)
                              .Minus(RealPower(l, 4) / 64)
                              .Plus(Product<Number>((7.0L / 384) * l2).Times(t2));
  const Number c2 = logFourOverThickness * c2Series;
  const Number logDepthRatio = Math<Number>::Ln(d);
  const Number c3Scale = logDepthRatio * (1 / ((6 * d) * d));
  const Number c3Series = Sum<Number>(1).Plus(l2 / 4).Plus(Product<Number>(l2).Times(t2).Over(4));
  const Number c3 = c3Scale * c3Series;
  const Number d2 = d * d;
  const Number flatCorrection = Sum<Number>(c1)
                                    .Minus(c2)
                                    .Minus(c3)
                                    .Minus(l2 / 8)
                                    .Minus((25.0L / 72) * (1 / d2))
                                    .Plus(Product<Number>(l2).Times(t2).Over(2304))
                                    .Minus((1.0L / 180) * (1 / RealPower(d, 4)))
                                    .Minus((23.0L / 288) * (l2 / d2))
                                    .Minus((31.0L / 2304) * RealPower(l, 4));

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
  const Number thicknessBracket =
      Sum<Number>(1).Plus(t2 / 24).Plus((11.0L / 2880) * RealPower(t, 4));
  const Number flatSeries = Sum<Number>(logFourOverThickness * thicknessBracket)
                                .Minus(1.0L / 2)
                                .Plus((43.0L / 288) * t2)
                                .Plus(RealPower(t, 4) / 150);
  // M = ((5e-8·N)·N)·(R1 + R2) · (4·PI_APPROX · flatSeries)
  const Number flatMainScale = TurnsScale(5e-8L, in);
  const Number flatMainTerm = flatMainScale * ((4 * kPiApprox) * flatSeries);
  const BasicFlatCorrectionTerms<Number> correction = FlatCorrection(in, logFourOverThickness);
  // K = ((6.2831852e-7·N)·N)·(R1 + R2) · flatCorrection
  const Number flatCorrectionScale = TurnsScale(6.2831852e-7L, in);
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
