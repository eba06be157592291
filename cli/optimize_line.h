// The texts of a tarnel-calc --optimize line read into a best-coil request.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "design/best_coil.h"

namespace tarnel::cli {

// R1 R2 H D Lambda L: each of R1, R2 and H a number (kept), "?" (free),
// "?<=X" or "?>=X" (free within a bound), at least two of them not kept.
// Read through the design request, with DecimalMark(). Nothing, with the
// reason in `error`, for texts that are no such line; a text that is not a
// number is named by the error it raises.
std::optional<design::BestCoilRequest> ReadOptimizeLine(const std::array<std::string, 6>& texts,
                                                        std::string& error);

}  // namespace tarnel::cli
