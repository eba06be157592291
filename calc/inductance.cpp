// ComputeInductance, its formula inputs, the choice of formula and RealPower.
#include "inductance.h"

#include "constants.h"

namespace tarnel {

Extended RealPower(const Extended& base, Extended exponent) {
  if (base == 0) {
    return exponent == 0 ? 1 : 0;
  }
  const Extended magnitude = base < 0 ? -base : base;
  const Extended logMagnitude = Ln(magnitude);
  return Exp(exponent * logMagnitude);
}

FormulaInputs MakeFormulaInputs(Extended R1, Extended R2, Extended H, Extended D, Extended Lambda) {
  FormulaInputs in;
  in.R1 = R1;
  in.R2 = R2;
  in.H = H;
  in.D = D;
  in.Lambda = Lambda;

  // 1. TurnCount = ((Lambda·4)·(R2 − R1))·H / ((PI_APPROX·D)·D): the
  //    numerator is formed before the denominator.
  const Extended windingArea = ((Lambda * 4) * (R2 - R1)) * H;
  const Extended wireArea = (kPiApprox * D) * D;
  in.TurnCount = windingArea / wireArea;
  // 2. to 6.
  in.lengthRatio = H / (R1 + R2);
  in.kFactor = 1 / Sqrt((in.lengthRatio * 4) * in.lengthRatio + 1);
  in.depthRatio = (R2 - R1) / H;
  in.radiusRatio = R1 / R2;
  in.thicknessRatio = (R2 - R1) / (R2 + R1);
  return in;
}

InductanceRegime ChooseRegime(const FormulaInputs& in) {
  if (in.lengthRatio >= 0.75L) {
    return InductanceRegime::kLong;
  }
  if (in.depthRatio <= 1) {
    return InductanceRegime::kShort;
  }
  if (in.thicknessRatio > 0.5L) {
    return InductanceRegime::kThickFlat;
  }
  return InductanceRegime::kFlat;
}

Extended InductanceOf(InductanceRegime regime, const FormulaInputs& in) {
  switch (regime) {
    case InductanceRegime::kLong:
      return InductanceLong(in);
    case InductanceRegime::kShort:
      return InductanceShort(in);
    case InductanceRegime::kThickFlat:
      return InductanceThickFlat(in);
    case InductanceRegime::kFlat:
      break;
  }
  return InductanceFlat(in);
}

Extended ComputeInductance(Extended R1, Extended R2, Extended H, Extended D, Extended Lambda) {
  const FormulaInputs in = MakeFormulaInputs(R1, R2, H, D, Lambda);
  return InductanceOf(ChooseRegime(in), in);
}

}  // namespace tarnel
