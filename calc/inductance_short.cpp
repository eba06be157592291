// InductanceShort: a short cylindrical current sheet, less a
// correction for the radial depth of the winding.
#include "calc/inductance_formulas.h"

namespace tarnel {

template <typename Number>
BasicShortInductanceTerms<Number> ShortTerms(const BasicFormulaInputs<Number>& in) {
  const Number l = in.lengthRatio;
  const Number d = in.depthRatio;
  const Number t = in.thicknessRatio;

  // G = ln(4/ℓ)
  const Number logFourOverLength = Math<Number>::Ln(4 / l);
  const Number l2 = l * l;
  Number lengthBracket = 1;
  lengthBracket += l2 / Whole(8);
  lengthBracket -= RealPower(l, 4) / Whole(64);
  Number shortSeries = logFourOverLength * lengthBracket;
  shortSeries -= 1.0L / 2;
  shortSeries += l2 / Whole(32);
  shortSeries += RealPower(l, 4) / Whole(96);
  // M = ((10⁻⁷·N)·N)·(R1 + R2) · (2·PI_APPROX · shortSeries)
  const Number shortMainScale = TurnsScale(Fraction(1e-7L), in);
  const Number shortMainTerm = shortMainScale * ((2 * kPiApprox) * shortSeries);
  // The terms before the last, then ln(1/δ), then the last term, so that
  // ln(1/δ) runs where the written order puts it.
  const Number d2 = d * d;
  const Number t2 = t * t;
  Number depthSeries = (kPiApprox / 3) * d;
  depthSeries -= Fraction(25.0L / 72) * d2;
  depthSeries -= t2 / Whole(8);
  depthSeries += Fraction(19.0L / 768) * l2 * t2;
  depthSeries -= RealPower(d, 4) / Whole(180);
  depthSeries += Fraction(67.0L / 7200) * d2 * t2;
  depthSeries -= Fraction(17.0L / 3840) * RealPower(t, 4);
  Number thicknessBracket = t2 / Whole(24);
  thicknessBracket += Fraction(7.0L / 384) * l2 * t2;
  thicknessBracket += Fraction(11.0L / 2880) * RealPower(t, 4);
  depthSeries -= logFourOverLength * thicknessBracket;
  const Number logInverseDepth = Math<Number>::Ln(1 / d);
  Number depthBracket = d2 / Whole(6);
  depthBracket -= t2 * d2 / Whole(120);
  const Number shortCorrection = depthSeries - logInverseDepth * depthBracket;
  // K = ((6.2831852e-7·N)·N)·(R1 + R2) · shortCorrection
  const Number shortCorrectionScale = TurnsScale(Fraction(6.2831852e-7L), in);
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
