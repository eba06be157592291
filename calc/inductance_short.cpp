// InductanceShort: a short cylindrical current sheet, less a
// correction for the radial depth of the winding.
#include "inductance_formulas.h"

namespace tarnel {

template <typename Number>
BasicShortInductanceTerms<Number> ShortTerms(const BasicFormulaInputs<Number>& in) {
  const Number N = in.TurnCount;
  const Number l = in.lengthRatio;
  const Number d = in.depthRatio;
  const Number t = in.thicknessRatio;

  // 1. G = ln(4/ℓ)
  const Number logFourOverLength = Ln(4 / l);
  // 2.
  const Number shortSeries = logFourOverLength * (1 + (l * l) / 8 - RealPower(l, 4) / 64) -
                             (1.0L / 2) + (l * l) / 32 + RealPower(l, 4) / 96;
  // 3. M = ((10⁻⁷·N)·N)·(R1 + R2) · (2·PI_APPROX · shortSeries)
  const Number shortMainScale = ((1e-7L * N) * N) * (in.R1 + in.R2);
  const Number shortMainTerm = shortMainScale * ((2 * kPiApprox) * shortSeries);
  // 4. The terms before the last, then ln(1/δ), then the last term, so that
  //    ln(1/δ) runs where the written order puts it.
  const Number depthSeries =
      (kPiApprox / 3) * d - (25.0L / 72) * (d * d) - (t * t) / 8 +
      ((19.0L / 768) * (l * l)) * (t * t) - RealPower(d, 4) / 180 +
      ((67.0L / 7200) * (d * d)) * (t * t) - (17.0L / 3840) * RealPower(t, 4) -
      logFourOverLength *
          ((t * t) / 24 + ((7.0L / 384) * (l * l)) * (t * t) + (11.0L / 2880) * RealPower(t, 4));
  const Number logInverseDepth = Ln(1 / d);
  const Number shortCorrection =
      depthSeries - logInverseDepth * ((d * d) / 6 - ((t * t) * (d * d)) / 120);
  // 5. K = ((6.2831852e-7·N)·N)·(R1 + R2) · shortCorrection
  const Number shortCorrectionScale = ((6.2831852e-7L * N) * N) * (in.R1 + in.R2);
  const Number shortCorrectionTerm = shortCorrectionScale * shortCorrection;
  // 6.
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
