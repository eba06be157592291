// InductanceLong: a cylindrical current sheet as a series in
// k = kFactor, less a correction for the radial thickness of the winding.
#include "inductance_formulas.h"

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

  const Number sheetSeries = Sum<Number>(1 / k)
                                 .Minus(8.0L / (3 * kPiApprox))
                                 .Minus(k3 / 8)
                                 .Plus(k5 / 16)
                                 .Minus((15.0L / 128) * k7)
                                 .Plus((21.0L / 128) * k9)
                                 .Minus((315.0L / 1024) * k11)
                                 .Plus((297.0L / 512) * k13);
  // ((10⁻⁷·N)·N)·(R1 + R2) · (sheetSeries · (PI_APPROX² / ((ℓ·2)·ℓ)))
  const Number longMainScale = TurnsScale(1e-7L, in);
  const Number longMainTerm =
      longMainScale * (sheetSeries * ((kPiApprox * kPiApprox) / ((l * 2) * l)));

  const Number logFourOverThickness = Math<Number>::Ln(4 / t);
  const Number thicknessSeries2 =
      Sum<Number>((logFourOverThickness - (23.0L / 12)) * (2.0L / (3 * kPiApprox)))
          .Plus(k / 3)
          .Minus((5.0L / 12) * k3)
          .Plus((2.0L / 3) * k5)
          .Minus((95.0L / 64) * k7)
          .Plus((217.0L / 64) * k9)
          .Minus((2135.0L / 256) * k11)
          .Plus((21571.0L / 1024) * k13);
  // The k¹³ term is added, like the k¹¹ term before it: deliberate.
  const Number thicknessSeries4 =
      Sum<Number>((logFourOverThickness - (1.0L / 20)) * (1.0L / (30 * kPiApprox)))
          .Minus(k / 18)
          .Plus((17.0L / 90) * k3)
          .Minus((53.0L / 48) * k5)
          .Plus((1265.0L / 288) * k7)
          .Minus((38857.0L / 2304) * k9)
          .Plus((3913.0L / 64) * k11)
          .Plus((2206281.0L / 10240) * k13);
  const Number thicknessSeries6 =
      Sum<Number>(((23.0L / 20) * logFourOverThickness - (4547.0L / 5600)) *
                  (1.0L / (336 * kPiApprox)))
          .Plus(k3 / 60)
          .Minus((15.0L / 56) * k5)
          .Plus((1117.0L / 336) * k7)
          .Minus((1183.0L / 48) * k9)
          .Plus((76461.0L / 512) * k11)
          .Minus((4043831.0L / 5120) * k13);
  const Number longCorrection = Sum<Number>(((4.0L / 3) * l) * t)
                                    .Minus((((2.0L / 3) * l) * t) * t)
                                    .Minus(thicknessSeries2 * (t * t))
                                    .Plus(thicknessSeries4 * RealPower(t, 4))
                                    .Plus(thicknessSeries6 * RealPower(t, 6));
  // longCorrection · (((4·PI_APPROX²·10⁻⁷·N)·N)·(R1 + R2) / ((ℓ·8)·ℓ))
  const Number longCorrectionScale = TurnsScale(4 * kPiApprox * kPiApprox * 1e-7L, in);
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
