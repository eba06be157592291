#include "calc/validation_rules.h"

namespace tarnel {

const char* BrokenRule(const RuleInputs<Extended>& in) {
  for (const ValidationRule& rule : kValidationRules) {
    if (!rule.holds(in)) {
      return rule.message;
    }
  }
  return nullptr;
}

const char* BrokenRule(const Winding& w, Dimensions unknowns) {
  const RuleInputs<long double> in{w.R1, w.R2, w.H, w.D, w.Lambda};
  for (const ValidationRule& rule : kValidationRules) {
    if (!rule.involves.Meets(unknowns) && !rule.holdsUnchecked(in)) {
      return rule.message;
    }
  }
  return nullptr;
}

}  // namespace tarnel
