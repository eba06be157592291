// A design beside the calculation: the texts of the window's fields and a
// target in, the solved dimension or the reason there is none out. The
// dialog of the window and `tarnel-calc --solve` both ask it and each words
// the answer in its own language.
//
// Today one of R2, H and D is solved and the other four dimensions are
// kept as their fields give them. A question over several dimensions, each
// kept, solved or free within bounds, replaces `unknown` with such a role
// per dimension and keeps the texts in and the answer out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "calc/winding.h"
#include "design/kept_text.h"
#include "design/target_inductance.h"

namespace tarnel::design {

// The texts a design reads: the five inputs as the window's fields hold
// them (the results are not read) and the target inductance in henries.
struct DesignRequest {
  CalculationFields fields;
  std::string targetText;
  Unknown unknown = Unknown::kR2;  // the one solved dimension; its text is not read
  // How the front end writes the solved value, and with how many digits
  // (KeptText).
  TextWriter write = [](long double value, int digits) {
    return FormatNumber(value, CScientificFormat(digits, DecimalMark()));
  };
  DigitRange digits;
  // The digits the front end states the reachable interval with.
  int statedDigits = 10;
};

// A text that is not a number.
struct UnreadText {
  const char* name;     // "R1", "R2", "H", "D", "Lambda" or "L" (the target)
  std::string trimmed;  // the text as read, without its blanks
  std::string error;    // the conversion's own "Class: message"
};

// The exact inductances the solved dimension can give, rounded inward to
// the request's statedDigits (lowestL up, highestL down): every target
// the front end states inside them is solved.
struct ReachableInterval {
  long double lowestL = 0;
  long double highestL = 0;
};

struct DesignAnswer {
  // The texts that are not numbers, in the order the calculation reads its
  // inputs, then the target. None read: the design ran.
  std::vector<UnreadText> unread;
  // Solved: the winding with the solved dimension as its text reads back,
  // the unrounded value and the text written. The texts with it calculate
  // to kReadyMessage and an evaluated exact L (KeepsPromise).
  std::optional<Winding> solved;
  long double solvedValue = 0;
  std::string solvedText;
  // Not solved, though `solvedValue` gives the target: no text of it with
  // the request's digits keeps the promise.
  bool unwritable = false;
  // Not solved for a target out of reach: what can be reached.
  std::optional<ReachableInterval> reachable;
  // Not solved otherwise: the first rule the given dimensions break, in the
  // window's words, or why the target or the shape cannot be designed for.
  std::string message;
  Design::Reason reason = Design::Reason::kRule;
  int exactEvaluations = 0;
};

// Reads the texts as the calculation reads its fields (with DecimalMark())
// and solves: a text that is not a number is part of the answer.
DesignAnswer AnswerDesign(const DesignRequest& request);

// Whether `fields` with `text` written in as `unknown` calculate as the
// window and `tarnel-calc` calculate them to kReadyMessage with an L whose
// exact value is evaluated. Raises nothing the calculation raises.
bool KeepsPromise(CalculationFields fields, Unknown unknown, const std::string& text);

// The text of `value`, solved as `unknown` from `fields`, that keeps the
// promise: KeptText with KeepsPromise. What AnswerDesign writes, and what a
// front end that fits its digits to a field asks again with fewer.
std::optional<std::string> WrittenSolution(const CalculationFields& fields, Unknown unknown,
                                           long double value, DigitRange digits,
                                           const TextWriter& write);

// The text of `unknown`'s field in `fields`.
std::string& TextOf(CalculationFields& fields, Unknown unknown);
const std::string& TextOf(const CalculationFields& fields, Unknown unknown);

// The dimension's name as the window's labels give it.
const char* NameOf(Unknown unknown);

}  // namespace tarnel::design
