#include "calc/calculation_request.h"

#include "calc/constants.h"
#include "calc/extended.h"
#include "calc/inductance.h"
#include "calc/number_text.h"
#include "calc/validation_rules.h"

namespace tarnel {
namespace {

using Inputs = RuleInputs<Extended>;

Extended ReadInput(const std::string& text) {
  return TextToNumber(TrimBlanks(text));
}

// N = 4·H·(R2 − R1)·Lambda / (PI·D²), grouped as written. The formulas
// take their TurnCount from MakeFormulaInputs (inductance.cpp), grouped
// ((Lambda·4)·(R2 − R1))·H: each keeps its own grouping, so the N shown
// and the N of the formulas may differ in their last bits.
Extended TurnsOf(const Inputs& in) {
  const Extended scaledHeight = in.H * 4;
  const Extended depth = in.R2 - in.R1;
  const Extended windingArea = scaledHeight * depth;
  const Extended filledArea = windingArea * in.Lambda;
  const Extended wireArea = (kPiApprox * in.D) * in.D;
  return filledArea / wireArea;
}

// R = 2.672e-7·(R2² − R1²)·Lambda·H / (PI·D⁴), grouped as written.
Extended ResistanceOf(const Inputs& in) {
  const Extended outerSquare = in.R2 * in.R2;
  const Extended innerSquare = in.R1 * in.R1;
  const Extended ringArea = outerSquare - innerSquare;
  const Extended filledLength = (kResistivityFactor * in.Lambda) * in.H;
  const Extended numerator = ringArea * filledLength;
  const Extended wireSquare = (((kPiApprox * in.D) * in.D) * in.D) * in.D;
  return numerator / wireSquare;
}

// Tracks which result fields the calculation has written, so that an error
// can clear the rest.
class ResultWriter {
 public:
  ResultWriter(CalculationFields& fields, ComputedValues* values)
      : fields_(fields), values_(values) {}
  ResultWriter(const ResultWriter&) = delete;
  ResultWriter& operator=(const ResultWriter&) = delete;

  void WriteN(Extended n) { Write(fields_.edN, writtenN_, n, &ComputedValues::N); }
  void WriteR(Extended r) { Write(fields_.edR, writtenR_, r, &ComputedValues::R); }
  void WriteL(Extended l) { Write(fields_.edL, writtenL_, l, &ComputedValues::L); }

  void ClearUnwritten() {
    if (!writtenN_) {
      fields_.edN.clear();
    }
    if (!writtenR_) {
      fields_.edR.clear();
    }
    if (!writtenL_) {
      fields_.edL.clear();
    }
    fields_.edMessage.clear();
  }

 private:
  void Write(std::string& field, bool& written, Extended value,
             std::optional<long double> ComputedValues::*slot) {
    field = NumberToText(value.Value());
    written = true;
    if (values_ != nullptr) {
      values_->*slot = value.Value();
    }
  }

  CalculationFields& fields_;
  ComputedValues* values_;
  bool writtenN_ = false;
  bool writtenR_ = false;
  bool writtenL_ = false;
};

}  // namespace

CalculationFields StartupFields() {
  const std::string mark(1, DecimalMark());
  CalculationFields fields;
  fields.edR1 = "0" + mark + "01";
  fields.edR2 = "0" + mark + "02";
  fields.edH = "0" + mark + "03";
  fields.edD = "0" + mark + "001";
  fields.edLambda = "0" + mark + "6";
  fields.edMessage = kReadyMessage;
  return fields;
}

void RunCalculation(CalculationFields& fields, ComputedValues* values) {
  if (values != nullptr) {
    *values = ComputedValues{};
  }
  ResultWriter writer(fields, values);
  try {
    Inputs in;
    in.R1 = ReadInput(fields.edR1);
    in.R2 = ReadInput(fields.edR2);
    in.H = ReadInput(fields.edH);
    in.D = ReadInput(fields.edD);
    in.Lambda = ReadInput(fields.edLambda);

    if (const char* message = BrokenRule(in)) {
      fields.edMessage = message;
      fields.edN.clear();
      fields.edR.clear();
      fields.edL.clear();
      return;
    }

    if (values != nullptr) {
      values->winding =
          Winding{in.R1.Value(), in.R2.Value(), in.H.Value(), in.D.Value(), in.Lambda.Value()};
    }
    fpu::ClearFaultFlags();
    const Extended N = TurnsOf(in);
    const Extended R = ResistanceOf(in);
    writer.WriteN(N);
    writer.WriteR(R);
    const Extended L = ComputeInductance(in.R1, in.R2, in.H, in.D, in.Lambda);
    writer.WriteL(L);
    fields.edMessage = kReadyMessage;
  } catch (...) {
    // The outcome shown must belong to these inputs alone: nothing left over
    // from an earlier calculation may stand beside the error.
    writer.ClearUnwritten();
    throw;
  }
}

}  // namespace tarnel
