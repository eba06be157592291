// ComputeInductance and EvaluateInductance, the formula inputs, the choice of
// formula and RealPower.
#include "inductance.h"

#include "inductance_formulas.h"

namespace tarnel {

template <typename Number>
Number RealPower(const Number& base, std::type_identity_t<Number> exponent) {
  if (base == 0) {
    return exponent == 0 ? 1 : 0;
  }
  const Number magnitude = base < 0 ? -base : base;
  const Number logMagnitude = Ln(magnitude);
  return Exp(exponent * logMagnitude);
}

Extended RealPower(const Extended& base, Extended exponent) {
  return RealPower<Extended>(base, exponent);
}

template <typename Number>
BasicFormulaInputs<Number> MakeFormulaInputs(std::type_identity_t<Number> R1,
                                             std::type_identity_t<Number> R2,
                                             std::type_identity_t<Number> H,
                                             std::type_identity_t<Number> D,
                                             std::type_identity_t<Number> Lambda) {
  BasicFormulaInputs<Number> in;
  in.R1 = R1;
  in.R2 = R2;
  in.H = H;
  in.D = D;
  in.Lambda = Lambda;

  // 1. TurnCount = ((Lambda·4)·(R2 − R1))·H / ((PI_APPROX·D)·D): the
  //    numerator is formed before the denominator.
  const Number windingArea = ((Lambda * 4) * (R2 - R1)) * H;
  const Number wireArea = (kPiApprox * D) * D;
  in.TurnCount = windingArea / wireArea;
  // 2. to 6.
  in.lengthRatio = H / (R1 + R2);
  in.kFactor = 1 / Sqrt((in.lengthRatio * 4) * in.lengthRatio + 1);
  in.depthRatio = (R2 - R1) / H;
  in.radiusRatio = R1 / R2;
  in.thicknessRatio = (R2 - R1) / (R2 + R1);
  return in;
}

template <typename Number>
InductanceRegime ChooseRegime(const BasicFormulaInputs<Number>& in) {
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

template <typename Number>
Number InductanceOf(InductanceRegime regime, const BasicFormulaInputs<Number>& in) {
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

template <typename Number>
Number EvaluateInductance(std::type_identity_t<Number> R1, std::type_identity_t<Number> R2,
                          std::type_identity_t<Number> H, std::type_identity_t<Number> D,
                          std::type_identity_t<Number> Lambda) {
  const BasicFormulaInputs<Number> in = MakeFormulaInputs<Number>(R1, R2, H, D, Lambda);
  return InductanceOf(ChooseRegime(in), in);
}

const char* RegimeName(InductanceRegime regime) {
  switch (regime) {
    case InductanceRegime::kLong:
      return "long";
    case InductanceRegime::kShort:
      return "short";
    case InductanceRegime::kFlat:
      return "flat";
    case InductanceRegime::kThickFlat:
      return "thick flat";
  }
  return "?";
}

Extended ComputeInductance(Extended R1, Extended R2, Extended H, Extended D, Extended Lambda) {
  return EvaluateInductance<Extended>(R1, R2, H, D, Lambda);
}

// Extended for the calculation, long double for the unchecked baseline.
template Extended RealPower<Extended>(const Extended&, Extended);
template long double RealPower<long double>(const long double&, long double);
template FormulaInputs MakeFormulaInputs<Extended>(Extended, Extended, Extended, Extended,
                                                   Extended);
template BasicFormulaInputs<long double> MakeFormulaInputs<long double>(long double, long double,
                                                                        long double, long double,
                                                                        long double);
template InductanceRegime ChooseRegime(const FormulaInputs&);
template InductanceRegime ChooseRegime(const BasicFormulaInputs<long double>&);
template Extended InductanceOf(InductanceRegime, const FormulaInputs&);
template long double InductanceOf(InductanceRegime, const BasicFormulaInputs<long double>&);
template Extended EvaluateInductance<Extended>(Extended, Extended, Extended, Extended, Extended);
template long double EvaluateInductance<long double>(long double, long double, long double,
                                                     long double, long double);

}  // namespace tarnel
