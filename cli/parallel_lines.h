// Spreads the lines of a block of input over threads, one calculator each,
// so that the output keeps the input's order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "line_calculator.h"

namespace tarnel::cli {

// Calculates the lines of `text`, each ended by a line break except perhaps
// the last, on up to `calculators.size()` threads. Thread j takes the j-th
// run of lines and writes its output lines into outputs[j], which is
// cleared first; the outputs in index order are the output of `text`.
void CalculateLines(std::string_view text, std::vector<LineCalculator>& calculators,
                    std::vector<std::string>& outputs);

}  // namespace tarnel::cli
