#include "cli/optimize_line.h"

#include <string_view>

#include "calc/errors.h"
#include "calc/number_text.h"

namespace tarnel::cli {
namespace {

const char* const kTooFewFree =
    "no solution: at least two of R1, R2 and H must be '?', '?<=X' or '?>=X'";

// One of R1, R2 and H: its choice, and its value where kept.
design::DimensionChoice ReadDimension(const std::string& text, char mark, long double& value) {
  const std::string trimmed = TrimBlanks(text);
  const std::string_view view = trimmed;
  design::DimensionChoice choice;
  if (view == "?") {
    return choice;
  }
  if (view.substr(0, 3) == "?<=") {
    choice.highest = TextToNumber(view.substr(3), mark);
    return choice;
  }
  if (view.substr(0, 3) == "?>=") {
    choice.lowest = TextToNumber(view.substr(3), mark);
    return choice;
  }
  choice.kept = true;
  value = TextToNumber(view, mark);
  return choice;
}

}  // namespace

std::optional<design::BestCoilRequest> ReadOptimizeLine(const std::array<std::string, 6>& texts,
                                                        char mark, std::string& error) {
  design::BestCoilRequest request;
  try {
    request.R1 = ReadDimension(texts[0], mark, request.winding.R1);
    request.R2 = ReadDimension(texts[1], mark, request.winding.R2);
    request.H = ReadDimension(texts[2], mark, request.winding.H);
    request.winding.D = TextToNumber(TrimBlanks(texts[3]), mark);
    request.winding.Lambda = TextToNumber(TrimBlanks(texts[4]), mark);
    request.targetL = TextToNumber(TrimBlanks(texts[5]), mark);
  } catch (const Exception& e) {
    error = std::string(e.ClassName()) + ": " + e.Message();
    return std::nullopt;
  }
  const int kept = (request.R1.kept ? 1 : 0) + (request.R2.kept ? 1 : 0) + (request.H.kept ? 1 : 0);
  if (kept > 1) {
    error = kTooFewFree;
    return std::nullopt;
  }
  return request;
}

}  // namespace tarnel::cli
