// A designed value as a person reads it: the decimal text that is written,
// read back as the fields are read. A design promises what its text gives,
// not what the unrounded value would.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "calc/number_text.h"

namespace tarnel::design {

// `value` written with `digits` significant digits, rounded to nearest.
using TextWriter = std::function<std::string(long double value, int digits)>;
// Whether the winding with this text written in keeps the promise.
using TextTest = std::function<bool(const std::string& text)>;

// The significant digits a text may have: from `fewest`, more up to `most`
// where fewer do not keep the promise.
struct DigitRange {
  int fewest = 10;
  int most = 10;
};

// The text `write` gives `value` with the fewest digits in `digits` that
// passes `keeps`: at each count the nearest text first,
// then the neighbouring decimal toward `value` (toward the inside of the
// interval where `keeps` holds, since `value` lies inside it). Nothing when
// none passes: the interval is thinner than the digits. `write` writes
// with the decimal mark `mark`.
std::optional<std::string> KeptText(long double value, DigitRange digits, const TextWriter& write,
                                    const TextTest& keeps, char mark = DecimalMark());

// `value` rounded to `digits` significant decimal digits, up or down: the
// number the text of the rounded decimal reads back as.
long double RoundedTo(long double value, int digits, bool up);

}  // namespace tarnel::design
