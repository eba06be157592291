// InductanceLong: a cylindrical current sheet as a series in
// k = kFactor, less a correction for the radial thickness of the winding.
#include "calc/inductance_formulas.h"

namespace tarnel {

template <typename Number>
BasicLongInductanceTerms<Number> LongTerms(const BasicFormulaInputs<Number>& in) {
  const Number l = in.lengthRatio;
  const Number k = in.kFactor;
  const Number t = in.thicknessRatio;

  // The odd powers of k, taken once and shared by the four series.
  const Number k3 = RealPower(k, 3);
  const Number k5 = RealPower(k, 5);
  const Number k7 = RealPower(k, 7);
  const Number k9 = RealPower(k, 9);
  const Number k11 = RealPower(k, 11);
  const Number k13 = RealPower(k, 13);

  Number sheetSeries = 1 / k;
  sheetSeries -= 8.0L / (3 * kPiApprox);
  sheetSeries -= k3 / Whole(8);
  sheetSeries += k5 / Whole(16);
  sheetSeries -= Fraction(15.0L / 128) * k7;
  sheetSeries += Fraction(21.0L / 128) * k9;
  sheetSeries -= Fraction(315.0L / 1024) * k11;
  sheetSeries += Fraction(297.0L / 512) * k13;
  // ((10⁻⁷·N)·N)·(R1 + R2) · (sheetSeries · (PI_APPROX² / ((ℓ·2)·ℓ)))
  const Number longMainScale = TurnsScale(Fraction(1e-7L), in);
  const Number longMainTerm =
      longMainScale * (sheetSeries * ((kPiApprox * kPiApprox) / ((l * 2) * l)));

  const Number logFourOverThickness = Math<Number>::Ln(4 / t);
  Number thicknessSeries2 = (logFourOverThickness - (23.0L / 12)) * (2.0L / (3 * kPiApprox));
  thicknessSeries2 += k / Whole(3);
  thicknessSeries2 -= Fraction(5.0L / 12) * k3;
  thicknessSeries2 += Fraction(2.0L / 3) * k5;
  thicknessSeries2 -= (95.0L / 64) * k7;
  thicknessSeries2 += (217.0L / 64) * k9;
  thicknessSeries2 -= (2135.0L / 256) * k11;
  thicknessSeries2 += (21571.0L / 1024) * k13;
  // Both the k¹¹ and the k¹³ terms are added, against the alternating signs
  // of the other series: that is how this series is given, and the golden
  // rows of the long formula pin it.
  Number thicknessSeries4 = (logFourOverThickness - (1.0L / 20)) * (1.0L / (30 * kPiApprox));
  thicknessSeries4 -= k / Whole(18);
  thicknessSeries4 += Fraction(17.0L / 90) * k3;
  thicknessSeries4 -= (53.0L / 48) * k5;
  thicknessSeries4 += (1265.0L / 288) * k7;
  thicknessSeries4 -= (38857.0L / 2304) * k9;
  thicknessSeries4 += (3913.0L / 64) * k11;
  thicknessSeries4 += (2206281.0L / 10240) * k13;
  Number thicknessSeries6 =
      ((23.0L / 20) * logFourOverThickness - (4547.0L / 5600)) * (1.0L / (336 * kPiApprox));
  thicknessSeries6 += k3 / Whole(60);
  thicknessSeries6 -= Fraction(15.0L / 56) * k5;
  thicknessSeries6 += (1117.0L / 336) * k7;
  thicknessSeries6 -= (1183.0L / 48) * k9;
  thicknessSeries6 += (76461.0L / 512) * k11;
  thicknessSeries6 -= (4043831.0L / 5120) * k13;
  Number longCorrection = ((4.0L / 3) * l) * t;
  longCorrection -= ((Fraction(2.0L / 3) * l) * t) * t;
  longCorrection -= thicknessSeries2 * (t * t);
  longCorrection += thicknessSeries4 * RealPower(t, 4);
  longCorrection += thicknessSeries6 * RealPower(t, 6);
  // longCorrection · (((4·PI_APPROX²·10⁻⁷·N)·N)·(R1 + R2) / ((ℓ·8)·ℓ))
  const Number longCorrectionScale = TurnsScale(Fraction(4 * kPiApprox * kPiApprox * 1e-7L), in);
  const Number longCorrectionTerm = longCorrection * (longCorrectionScale / ((l * 8) * l));
  const Number L = longMainTerm - longCorrectionTerm;

  return {.sheetSeries = sheetSeries,
          .longMainTerm = longMainTerm,
          .logFourOverThickness = logFourOverThickness,
          .thicknessSeries2 = thicknessSeries2,
          .thicknessSeries4 = thicknessSeries4,
          .thicknessSeries6 = thicknessSeries6,
          .longCorrection = longCorrection,
          .longCorrectionTerm = longCorrectionTerm,
          .L = L};
}

template <typename Number>
Number InductanceLong(const BasicFormulaInputs<Number>& in) {
  return LongTerms(in).L;
}

template LongInductanceTerms LongTerms(const FormulaInputs&);
template BasicLongInductanceTerms<long double> LongTerms(const BasicFormulaInputs<long double>&);
template Extended InductanceLong(const FormulaInputs&);
template long double InductanceLong(const BasicFormulaInputs<long double>&);

}  // namespace tarnel
