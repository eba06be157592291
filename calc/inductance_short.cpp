// InductanceShort: a short cylindrical current sheet, less a
// correction for the radial depth of the winding.
#include "inductance_formulas.h"

namespace tarnel {

template <typename Number>
BasicShortInductanceTerms<Number> ShortTerms(const BasicFormulaInputs<Number>& in) {
  const Number l = in.lengthRatio;
  const Number d = in.depthRatio;
  const Number t = in.thicknessRatio;

  // G = ln(4/ℓ)
  const Number logFourOverLength = Math<Number>::Ln(4 / l);
  // The squares, each taken once where it is first written. A square can
  // only overflow, like the products and sums it is taken ahead of, so the
  // first fault stays the same.
  const Number l2 = l * l;
  const Number lengthBracket = Sum<Number>(1).Plus(l2 / 8).Minus(RealPower(l, 4) / 64);
  const Number shortSeries = Sum<Number>(logFourOverLength * lengthBracket)
                                 .Minus(1.0L / 2)
                                 .Plus(l2 / 32)
                                 .Plus(RealPower(l, 4) / 96);
  // M = ((10⁻⁷·N)·N)·(R1 + R2) · (2·PI_APPROX · shortSeries)
  const Number shortMainScale = TurnsScale(1e-7L, in);
  const Number shortMainTerm = shortMainScale * ((2 * kPiApprox) * shortSeries);
  // The terms before the last, then ln(1/δ), then the last term, so that
  // ln(1/δ) runs where the written order puts it.
  const Number d2 = d * d;
  const Number t2 = t * t;
  const Number depthSeries =
      Sum<Number>((kPiApprox / 3) * d)
          .Minus((25.0L / 72) * d2)
          .Minus(t2 / 8)
          .Plus(Product<Number>((19.0L / 768) * l2).Times(t2))
          .Minus(RealPower(d, 4) / 180)
          .Plus(Product<Number>((67.0L / 7200) * d2).Times(t2))
          .Minus((17.0L / 3840) * RealPower(t, 4))
          .Minus(logFourOverLength * Sum<Number>(t2 / 24)
                                         .Plus(Product<Number>((7.0L / 384) * l2).Times(t2))
                                         .Plus((11.0L / 2880) * RealPower(t, 4))
                                         .Value());
  const Number logInverseDepth = Math<Number>::Ln(1 / d);
  const Number depthBracket = Sum<Number>(d2 / 6).Minus(Product<Number>(t2).Times(d2).Over(120));
  const Number shortCorrection = depthSeries - logInverseDepth * depthBracket;
  // K = ((6.2831852e-7·N)·N)·(R1 + R2) · shortCorrection
  const Number shortCorrectionScale = TurnsScale(6.2831852e-7L, in);
  const Number shortCorrectionTerm = shortCorrectionScale * shortCorrection;
  const Number L = shortMainTerm - shortCorrectionTerm;

  return {.logFourOverLength = logFourOverLength,
          .shortSeries = shortSeries,
          .shortMainTerm = shortMainTerm,
          .shortCorrection = shortCorrection,
          .shortCorrectionTerm = shortCorrectionTerm,
          .L = L};
}

template <typename Number>
Number InductanceShort(const BasicFormulaInputs<Number>& in) {
  return ShortTerms(in).L;
}

template ShortInductanceTerms ShortTerms(const FormulaInputs&);
template BasicShortInductanceTerms<long double> ShortTerms(const BasicFormulaInputs<long double>&);
template Extended InductanceShort(const FormulaInputs&);
template long double InductanceShort(const BasicFormulaInputs<long double>&);

}  // namespace tarnel
