// The one operation of Tarnel: the calculation behind the Calculate button.
// It reads the five input texts, converts them, tests them against the
// validation rules (calc/validation_rules.h) and writes either one message or the results. The
// window binds its nine fields to CalculationFields and calls RunCalculation.
#pragma once

#include <optional>
#include <string>

#include "calc/winding.h"

namespace tarnel {

inline constexpr const char* kReadyMessage = "Готов ...";

// The texts of the window's fields that a calculation reads and writes.
struct CalculationFields {
  std::string edR1;
  std::string edR2;
  std::string edH;
  std::string edD;
  std::string edLambda;
  std::string edN;
  std::string edR;
  std::string edL;
  std::string edMessage;
};

// The fields as the window opens: default inputs written with DecimalMark(),
// empty results, ready.
CalculationFields StartupFields();

// The numbers behind the result texts a calculation wrote, and the
// dimensions they were computed from once the inputs passed every rule.
struct ComputedValues {
  std::optional<long double> N;
  std::optional<long double> R;
  std::optional<long double> L;
  std::optional<Winding> winding;
};

// Runs one calculation on `fields`. A failed validation rule writes its
// message and clears the three results. A text that is not a number or an
// arithmetic fault raises its error after clearing every result field this
// calculation did not write, and the message; the error reaches the caller
// unchanged. `values`, when given, receives the numbers written.
void RunCalculation(CalculationFields& fields, ComputedValues* values = nullptr);

}  // namespace tarnel
