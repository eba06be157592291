#include "design/kept_text.h"

#include <cmath>

#include "calc/number_text.h"

namespace tarnel::design {
namespace {

// One unit in the last of `digits` significant digits of `value`.
long double LastDigitUnit(long double value, int digits) {
  const long double exponent = std::floor(std::log10(std::fabs(value)));
  return std::pow(10.0L, exponent - static_cast<long double>(digits - 1));
}

// The decimal next to `read`, one with `digits` significant digits, above
// or below it.
long double Neighbour(long double read, int digits, bool up) {
  // Down from a power of ten the digits are those of the decade below.
  constexpr long double kJustBelow = 1 - 1e-15L;
  const long double unit = LastDigitUnit(up ? read : read * kJustBelow, digits);
  return up ? read + unit : read - unit;
}

}  // namespace

std::optional<std::string> KeptText(long double value, DigitRange digits, const TextWriter& write,
                                    const TextTest& keeps, char mark) {
  for (int count = digits.fewest; count <= digits.most; ++count) {
    const std::string nearest = write(value, count);
    if (keeps(nearest)) {
      return nearest;
    }
    const long double read = TextToNumber(TrimBlanks(nearest), mark);
    if (read == value || read == 0 || !std::isfinite(read)) {
      continue;
    }
    const std::string inward = write(Neighbour(read, count, value > read), count);
    if (keeps(inward)) {
      return inward;
    }
  }
  return std::nullopt;
}

long double RoundedTo(long double value, int digits, bool up) {
  const NumberFormat format = CScientificFormat(digits, '.');
  const long double read = TextToNumber(FormatNumber(value, format), '.');
  if (value == 0 || !std::isfinite(value) || read == value || (read > value) == up) {
    return read;
  }
  return TextToNumber(FormatNumber(Neighbour(read, digits, up), format), '.');
}

}  // namespace tarnel::design
