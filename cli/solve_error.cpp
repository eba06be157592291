#include "cli/solve_error.h"

#include "calc/calculation_request.h"
#include "calc/number_text.h"

namespace tarnel::cli {

std::string SolveError(const design::DesignAnswer& answer, design::Unknown unknown, char mark) {
  const std::string name = design::NameOf(unknown);
  std::string error = "no solution: ";
  if (answer.reachable) {
    const NumberFormat format = CScientificFormat(10, mark);
    return error + "only L from " + FormatNumber(answer.reachable->lowestL, format) + " to " +
           FormatNumber(answer.reachable->highestL, format) + " H can be reached";
  }
  if (answer.unwritable) {
    return error + "no 10-digit " + name +
           " next to the one that gives the target calculates to «" + kReadyMessage +
           "» with an evaluated exact L";
  }
  switch (answer.reason) {
    case design::Design::Reason::kRule:
      return error + "rule «" + answer.message + "»";
    case design::Design::Reason::kNotFinite:
      return error + "R1, R2, H, D and Lambda must be finite numbers";
    case design::Design::Reason::kOutOfRange:
      return error + "no " + name + " gives a shape on which the exact L is verified";
    case design::Design::Reason::kNotEvaluated:
      return error + "the exact L is not evaluated where " + name + " would give the target";
  }
  return error + answer.message;
}

}  // namespace tarnel::cli
