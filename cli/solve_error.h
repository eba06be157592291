// The Error column of a --solve line that has no solution: the tool's own
// words in English, a text of the window's quoted in «» as the window shows
// it.
#pragma once

#include <string>

#include "design/design_request.h"

namespace tarnel::cli {

// The reason `answer` (read, not solved) gives, numbers written with `mark`.
std::string SolveError(const design::DesignAnswer& answer, design::Unknown unknown, char mark);

}  // namespace tarnel::cli
