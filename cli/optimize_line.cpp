#include "cli/optimize_line.h"

#include <string_view>

#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "design/design_request.h"

namespace tarnel::cli {
namespace {

const char* const kTooFewFree =
    "no solution: at least two of R1, R2 and H must be '?', '?<=X' or '?>=X'";

// One of R1, R2 and H: kept where its text is a number, free for "?", free
// within a bound for "?<=X" and "?>=X" (X read as it stands).
design::DimensionRole RoleOf(const std::string& text) {
  const std::string trimmed = TrimBlanks(text);
  const std::string_view view = trimmed;
  design::DimensionRole role;
  if (view == "?") {
    role.kind = design::DimensionRole::Kind::kFree;
  } else if (view.substr(0, 3) == "?<=") {
    role.kind = design::DimensionRole::Kind::kFree;
    role.highestText = std::string(view.substr(3));
  } else if (view.substr(0, 3) == "?>=") {
    role.kind = design::DimensionRole::Kind::kFree;
    role.lowestText = std::string(view.substr(3));
  }
  return role;
}

}  // namespace

std::optional<design::BestCoilRequest> ReadOptimizeLine(const std::array<std::string, 6>& texts,
                                                        std::string& error) {
  design::DesignRequest request;
  request.fields.edR1 = texts[0];
  request.fields.edR2 = texts[1];
  request.fields.edH = texts[2];
  request.fields.edD = texts[3];
  request.fields.edLambda = texts[4];
  request.targetText = texts[5];
  request.roles.R1 = RoleOf(texts[0]);
  request.roles.R2 = RoleOf(texts[1]);
  request.roles.H = RoleOf(texts[2]);
  const design::ReadTexts read = design::ReadRequestTexts(request);
  if (!read.unread.empty()) {
    error = read.unread.front().error;
    return std::nullopt;
  }
  const design::BestCoilRequest& numbers = read.numbers;
  const int kept = (numbers.R1.kept ? 1 : 0) + (numbers.R2.kept ? 1 : 0) + (numbers.H.kept ? 1 : 0);
  if (kept > 1) {
    error = kTooFewFree;
    return std::nullopt;
  }
  return numbers;
}

}  // namespace tarnel::cli
