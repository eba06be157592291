#include "design/design_request.h"

#include <cmath>

#include "calc/errors.h"
#include "calc/number_text.h"

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
      answer.solved = With(given, request.unknown, design.value);
      answer.solvedValue = design.value;
      break;
    }
    case Design::Outcome::kUnreachable: {
      ReachableInterval interval;
      interval.lowestL = design.lowestL;
      if (!std::isinf(design.highestL)) {
        interval.highestL = design.highestL;
      }
      answer.reachable = interval;
      break;
    }
    case Design::Outcome::kInvalid:
      answer.message = design.message;
      break;
  }
  return answer;
}

}  // namespace tarnel::design
