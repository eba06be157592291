// A design beside the calculation: the texts of the window's fields and a
// target in, the solved dimension or the reason there is none out. The
// dialogs of the window and `tarnel-calc --solve` and `--optimize` all ask
// it and each words the answer in its own language.
//
// Each of the five dimensions has a role: kept as its field gives it,
// solved for the target (one of R2, H and D, the others kept), or free
// within bounds for the coil of least wire (R1, R2 and H).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "calc/winding.h"
#include "design/best_coil.h"
#include "design/kept_text.h"
#include "design/target_inductance.h"

namespace tarnel::design {

// What a design does with one dimension. The field's text is read only
// where the dimension is kept.
struct DimensionRole {
  enum class Kind { kKept, kSolved, kFree };
  Kind kind = Kind::kKept;
  // Free: the texts of its least and largest values, nothing for no bound.
  // They are read as they stand: a front end that allows blanks around
  // them trims them.
  std::optional<std::string> lowestText;
  std::optional<std::string> highestText;
};

struct DimensionRoles {
  DimensionRole R1;
  DimensionRole R2;
  DimensionRole H;
  DimensionRole D;
  DimensionRole Lambda;
};

// `unknown` solved, the other four kept.
DimensionRoles Solving(Unknown unknown);

// The texts a design reads: the five inputs as the window's fields hold
// them (the results are not read) and the target inductance in henries.
struct DesignRequest {
  CalculationFields fields;
  std::string targetText;
  DimensionRoles roles = Solving(Unknown::kR2);
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
  bool bound = false;   // the text of a bound of the dimension, not its field
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

// The numbers of a request's texts: the kept dimensions in the winding
// (the others 0), what R1, R2 and H may do with their bounds, and the
// target; or the texts that are not numbers, in the order the calculation
// reads its inputs (a bound in the place of its dimension, lowest first),
// then the target.
struct ReadTexts {
  std::vector<UnreadText> unread;
  BestCoilRequest numbers;  // only where nothing is unread
};

// Reads the texts as the calculation reads its fields (with DecimalMark()).
ReadTexts ReadRequestTexts(const DesignRequest& request);

// Reads the texts and solves the one solved dimension (exactly one of R2,
// H and D solved, the others kept; otherwise std::invalid_argument): a
// text that is not a number is part of the answer.
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
