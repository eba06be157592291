#include "design/design_request.h"

#include <cmath>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "calc/x87.h"
#include "reference/exact_comparison.h"

namespace tarnel::design {

namespace {

template <typename Fields>
auto& FieldOf(Fields& fields, Unknown unknown) {
  switch (unknown) {
    case Unknown::kR2:
      return fields.edR2;
    case Unknown::kH:
      return fields.edH;
    case Unknown::kD:
      return fields.edD;
  }
  return fields.edR2;
}

}  // namespace

std::string& TextOf(CalculationFields& fields, Unknown unknown) {
  return FieldOf(fields, unknown);
}

const std::string& TextOf(const CalculationFields& fields, Unknown unknown) {
  return FieldOf(fields, unknown);
}

bool KeepsPromise(CalculationFields fields, Unknown unknown, const std::string& text) {
  TextOf(fields, unknown) = text;
  fields.edMessage = kReadyMessage;
  ComputedValues values;
  bool kept = false;
  try {
    RunCalculation(fields, &values);
    kept = fields.edMessage == kReadyMessage && values.L && values.N && values.winding &&
           reference::CompareWithExact(*values.winding, *values.N, *values.L).evaluated;
  } catch (const Exception&) {
  }
  // The next calculation starts from clean flags and the working control word.
  fpu::SetWorkingMode();
  return kept;
}

std::optional<std::string> WrittenSolution(const CalculationFields& fields, Unknown unknown,
                                           long double value, DigitRange digits,
                                           const TextWriter& write) {
  return KeptText(value, digits, write,
                  [&](const std::string& text) { return KeepsPromise(fields, unknown, text); });
}

const char* NameOf(Unknown unknown) {
  switch (unknown) {
    case Unknown::kR2:
      return "R2";
    case Unknown::kH:
      return "H";
    case Unknown::kD:
      return "D";
  }
  return "";
}

DesignAnswer AnswerDesign(const DesignRequest& request) {
  DesignAnswer answer;
  const CalculationFields& fields = request.fields;
  auto read = [&](const char* name, const std::string& text, long double& value) {
    if (&text == &TextOf(fields, request.unknown)) {
      return;  // the unknown's own text, whatever stands there
    }
    try {
      value = TextToNumber(TrimBlanks(text));
    } catch (const EConvertError& error) {
      answer.unread.push_back(
          {name, TrimBlanks(text), std::string(error.ClassName()) + ": " + error.Message()});
    }
  };
  Winding given;
  long double targetL = 0;
  read("R1", fields.edR1, given.R1);
  read("R2", fields.edR2, given.R2);
  read("H", fields.edH, given.H);
  read("D", fields.edD, given.D);
  read("Lambda", fields.edLambda, given.Lambda);
  read("L", request.targetText, targetL);
  if (!answer.unread.empty()) {
    return answer;
  }

  const Design design = SolveForInductance(given, request.unknown, targetL);
  answer.exactEvaluations = design.exactEvaluations;
  switch (design.outcome) {
    case Design::Outcome::kSolved: {
      answer.solvedValue = design.value;
      const std::optional<std::string> text =
          WrittenSolution(fields, request.unknown, design.value, request.digits, request.write);
      if (!text) {
        answer.unwritable = true;
        break;
      }
      answer.solvedText = *text;
      answer.solved = With(given, request.unknown, TextToNumber(TrimBlanks(*text)));
      break;
    }
    case Design::Outcome::kUnreachable: {
      ReachableInterval interval;
      interval.lowestL = RoundedTo(design.lowestL, request.statedDigits, true);
      interval.highestL = RoundedTo(design.highestL, request.statedDigits, false);
      answer.reachable = interval;
      break;
    }
    case Design::Outcome::kInvalid:
      answer.message = design.message;
      answer.reason = design.reason;
      break;
  }
  return answer;
}

}  // namespace tarnel::design
