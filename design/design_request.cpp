#include "design/design_request.h"

#include <cmath>
#include <stdexcept>
#include <utility>

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

// The one dimension `roles` solve, the other four kept; nothing for other
// roles.
std::optional<Unknown> SolvedOne(const DimensionRoles& roles) {
  for (const Unknown unknown : {Unknown::kR2, Unknown::kH, Unknown::kD}) {
    const DimensionRoles solving = Solving(unknown);
    const auto same = [](const DimensionRole& a, const DimensionRole& b) {
      return a.kind == b.kind;
    };
    if (same(roles.R1, solving.R1) && same(roles.R2, solving.R2) && same(roles.H, solving.H) &&
        same(roles.D, solving.D) && same(roles.Lambda, solving.Lambda)) {
      return unknown;
    }
  }
  return std::nullopt;
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

DimensionRoles Solving(Unknown unknown) {
  DimensionRoles roles;
  switch (unknown) {
    case Unknown::kR2:
      roles.R2.kind = DimensionRole::Kind::kSolved;
      break;
    case Unknown::kH:
      roles.H.kind = DimensionRole::Kind::kSolved;
      break;
    case Unknown::kD:
      roles.D.kind = DimensionRole::Kind::kSolved;
      break;
  }
  return roles;
}

ReadTexts ReadRequestTexts(const DesignRequest& request) {
  ReadTexts read;
  BestCoilRequest& numbers = read.numbers;
  auto number = [&](const char* name, const std::string& text, bool bound, long double& value) {
    const std::string readText = bound ? text : TrimBlanks(text);
    try {
      value = TextToNumber(readText);
    } catch (const EConvertError& error) {
      read.unread.push_back(
          {name, TrimBlanks(text), std::string(error.ClassName()) + ": " + error.Message(), bound});
    }
  };
  auto dimension = [&](const char* name, const DimensionRole& role, const std::string& text,
                       long double& value, DimensionChoice* choice) {
    if (choice != nullptr) {
      choice->kept = role.kind == DimensionRole::Kind::kKept;
    }
    switch (role.kind) {
      case DimensionRole::Kind::kKept:
        number(name, text, false, value);
        break;
      case DimensionRole::Kind::kSolved:
        break;  // whatever stands in its field
      case DimensionRole::Kind::kFree:
        if (choice != nullptr && role.lowestText) {
          number(name, *role.lowestText, true, choice->lowest);
        }
        if (choice != nullptr && role.highestText) {
          number(name, *role.highestText, true, choice->highest);
        }
        break;
    }
  };
  const CalculationFields& fields = request.fields;
  const DimensionRoles& roles = request.roles;
  dimension("R1", roles.R1, fields.edR1, numbers.winding.R1, &numbers.R1);
  dimension("R2", roles.R2, fields.edR2, numbers.winding.R2, &numbers.R2);
  dimension("H", roles.H, fields.edH, numbers.winding.H, &numbers.H);
  dimension("D", roles.D, fields.edD, numbers.winding.D, nullptr);
  dimension("Lambda", roles.Lambda, fields.edLambda, numbers.winding.Lambda, nullptr);
  number("L", request.targetText, false, numbers.targetL);
  return read;
}

DesignAnswer AnswerDesign(const DesignRequest& request) {
  const std::optional<Unknown> unknown = SolvedOne(request.roles);
  if (!unknown) {
    throw std::invalid_argument("a design solves exactly one of R2, H and D");
  }
  DesignAnswer answer;
  const CalculationFields& fields = request.fields;
  ReadTexts read = ReadRequestTexts(request);
  answer.unread = std::move(read.unread);
  const Winding& given = read.numbers.winding;
  const long double targetL = read.numbers.targetL;
  if (!answer.unread.empty()) {
    return answer;
  }

  const Design design = SolveForInductance(given, *unknown, targetL);
  answer.exactEvaluations = design.exactEvaluations;
  switch (design.outcome) {
    case Design::Outcome::kSolved: {
      answer.solvedValue = design.value;
      const std::optional<std::string> text =
          WrittenSolution(fields, *unknown, design.value, request.digits, request.write);
      if (!text) {
        answer.unwritable = true;
        break;
      }
      answer.solvedText = *text;
      answer.solved = With(given, *unknown, TextToNumber(TrimBlanks(*text)));
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
