// InductanceShort: a short cylindrical current sheet, less a
// correction for the radial depth of the winding.
#include "constants.h"
#include "inductance.h"

namespace tarnel {

ShortInductanceTerms ShortTerms(const FormulaInputs& in) {
  const Extended N = in.TurnCount;
  const Extended l = in.lengthRatio;
  const Extended d = in.depthRatio;
  const Extended t = in.thicknessRatio;

  // 1. G = ln(4/ℓ)
  const Extended logFourOverLength = Ln(4 / l);
  // 2.
  const Extended shortSeries = logFourOverLength * (1 + (l * l) / 8 - RealPower(l, 4) / 64) -
                               (1.0L / 2) + (l * l) / 32 + RealPower(l, 4) / 96;
  // 3. M = ((10⁻⁷·N)·N)·(R1 + R2) · (2·PI_APPROX · shortSeries)
  const Extended shortMainScale = ((1e-7L * N) * N) * (in.R1 + in.R2);
  const Extended shortMainTerm = shortMainScale * ((2 * kPiApprox) * shortSeries);
  // 4. The terms before the last, then ln(1/δ), then the last term, so that
  //    ln(1/δ) runs where the written order puts it.
  const Extended depthSeries =
      (kPiApprox / 3) * d - (25.0L / 72) * (d * d) - (t * t) / 8 +
      ((19.0L / 768) * (l * l)) * (t * t) - RealPower(d, 4) / 180 +
      ((67.0L / 7200) * (d * d)) * (t * t) - (17.0L / 3840) * RealPower(t, 4) -
      logFourOverLength *
          ((t * t) / 24 + ((7.0L / 384) * (l * l)) * (t * t) + (11.0L / 2880) * RealPower(t, 4));
  const Extended logInverseDepth = Ln(1 / d);
  const Extended shortCorrection =
      depthSeries - logInverseDepth * ((d * d) / 6 - ((t * t) * (d * d)) / 120);
  // 5. K = ((6.2831852e-7·N)·N)·(R1 + R2) · shortCorrection
  const Extended shortCorrectionScale = ((6.2831852e-7L * N) * N) * (in.R1 + in.R2);
  const Extended shortCorrectionTerm = shortCorrectionScale * shortCorrection;
  // 6.
  const Extended L = shortMainTerm - shortCorrectionTerm;

  return {.logFourOverLength = logFourOverLength,
          .shortSeries = shortSeries,
          .shortMainTerm = shortMainTerm,
          .shortCorrection = shortCorrection,
          .shortCorrectionTerm = shortCorrectionTerm,
          .L = L};
}

Extended InductanceShort(const FormulaInputs& in) {
  return ShortTerms(in).L;
}

}  // namespace tarnel
