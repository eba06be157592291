// ComputeInductance and EvaluateInductance, the formula inputs, the choice of
// formula and RealPower.
#include "calc/inductance.h"

#include "calc/inductance_formulas.h"

namespace tarnel {

// e^(exponent·ln(magnitude)), checked only where it can fault. For
// magnitude <= 2^64 and 0 <= exponent <= 16, ln(magnitude) <= 44.37 and the
// product is at most 710: the exponential stays below 2^1025, far inside the
// extended range, and a magnitude below 1 only makes it smaller (an
// underflow to 0 is no fault). So within that bound, which takes in every
// power the formulas raise a ratio of a real coil to, the operations run
// unchecked; outside it each one is checked. Either way the operations and
// their results are the same.
Extended Math<Extended>::PowerOfMagnitude(Extended magnitude, Extended exponent) {
  if (magnitude <= 0x1p64L && exponent >= 0 && exponent <= 16) {
    return Math<long double>::PowerOfMagnitude(magnitude.Value(), exponent.Value());
  }
  const Extended logMagnitude = Ln(magnitude);
  return Exp(exponent * logMagnitude);
}

template <typename Number>
Number RealPower(const Number& base, std::type_identity_t<Number> exponent) {
  if (base == 0) {
    return exponent == 0 ? 1 : 0;
  }
  const Number magnitude = base < 0 ? -base : base;
  return Math<Number>::PowerOfMagnitude(magnitude, exponent);
}

Extended RealPower(const Extended& base, Extended exponent) {
  return RealPower<Extended>(base, exponent);
}

// NOLINTBEGIN(bugprone-easily-swappable-parameters): the inductance inputs
// in the order the window's fields give them.
template <typename Number>
BasicFormulaInputs<Number> MakeFormulaInputs(std::type_identity_t<Number> R1,
                                             std::type_identity_t<Number> R2,
                                             std::type_identity_t<Number> H,
                                             std::type_identity_t<Number> D,
                                             std::type_identity_t<Number> Lambda) {
  // NOLINTEND(bugprone-easily-swappable-parameters)
  BasicFormulaInputs<Number> in;
  in.R1 = R1;
  in.R2 = R2;
  in.H = H;
  in.D = D;
  in.Lambda = Lambda;

  // TurnCount = ((Lambda·4)·(R2 − R1))·H / ((PI_APPROX·D)·D): the
  // numerator is formed before the denominator. The N the window shows is
  // grouped differently (TurnsOf in calculation_request.cpp).
  const Number scaledLambda = Lambda * 4;
  const Number depth = R2 - R1;
  const Number windingArea = (scaledLambda * depth) * H;
  const Number wireArea = (kPiApprox * D) * D;
  in.TurnCount = windingArea / wireArea;
  in.lengthRatio = H / (R1 + R2);
  in.kFactor = 1 / Math<Number>::Sqrt((in.lengthRatio * 4) * in.lengthRatio + 1);
  in.depthRatio = depth / H;
  in.radiusRatio = R1 / R2;
  const Number radiusSum = R2 + R1;
  in.thicknessRatio = depth / radiusSum;
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
  fpu::ClearFaultFlags();
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
