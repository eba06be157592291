#include "calc/number_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "calc/errors.h"
#include "calc/x87.h"

namespace tarnel {
namespace {

char decimalMark = '.';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Exact powers 10^0 .. 10^7, then the nearest extended values of 10^(8 * 2^i).
constexpr std::array<long double, 8> kExactPowers = {1e0L, 1e1L, 1e2L, 1e3L,
                                                     1e4L, 1e5L, 1e6L, 1e7L};
constexpr std::array<long double, 10> kBinaryPowers = {1e8L,   1e16L,  1e32L,   1e64L,   1e128L,
                                                       1e256L, 1e512L, 1e1024L, 1e2048L, 1e4096L};

// 10^magnitude for 0 <= magnitude <= 32768, from the two tables; beyond the
// last table entry the power is past the extended range.
long double PowerOfTen(int magnitude) {
  if (magnitude >= 8192) {
    return std::numeric_limits<long double>::infinity();
  }
  long double power = kExactPowers[magnitude & 7];
  for (std::size_t bit = 0; bit < kBinaryPowers.size(); ++bit) {
    if (((magnitude >> (bit + 3)) & 1) != 0) {
      power *= kBinaryPowers[bit];
    }
  }
  return power;
}

// Runs `conversion`, plain (unchecked) arithmetic, with every exception
// masked, 64-bit precision and rounding to nearest, then restores the
// caller's control word and leaves no flag set. A number it returns is
// pinned before the restore, so that none of its arithmetic moves past it.
template <typename Conversion>
auto InConversionMode(Conversion conversion) {
  const unsigned short saved = fpu::ControlWord();
  fpu::LoadControlWord(fpu::kWorkingControlWord);
  auto result = conversion();
  if constexpr (std::is_same_v<decltype(result), long double>) {
    fpu::Pin(result);
  }
  fpu::ClearFlags();
  fpu::LoadControlWord(saved);
  return result;
}

// The parts of a text that has the shape of a number.
struct NumberShape {
  bool negative = false;
  std::string_view digits;  // integer and fraction digits with the mark between
  int fractionDigits = 0;
  int exponent = 0;
};

// Matches the whole text against the number syntax; false when it does not.
bool ParseShape(std::string_view text, char mark, NumberShape& shape) {
  std::size_t at = 0;
  const auto more = [&] { return at < text.size(); };
  while (more() && text[at] == ' ') {
    ++at;
  }
  if (!more()) {
    return false;
  }
  if (text[at] == '+' || text[at] == '-') {
    shape.negative = text[at] == '-';
    ++at;
  }
  const std::size_t mantissaStart = at;
  while (more() && IsDigit(text[at])) {
    ++at;
  }
  if (more() && text[at] == mark) {
    ++at;
    while (more() && IsDigit(text[at])) {
      ++at;
      ++shape.fractionDigits;
    }
  }
  if (at == mantissaStart) {
    return false;
  }
  shape.digits = text.substr(mantissaStart, at - mantissaStart);
  if (more() && (text[at] == 'E' || text[at] == 'e')) {
    ++at;
    bool negativeExponent = false;
    if (more() && (text[at] == '+' || text[at] == '-')) {
      negativeExponent = text[at] == '-';
      ++at;
    }
    // Reading stops once the magnitude reaches 500; a digit left over then
    // fails the text below.
    int magnitude = 0;
    while (more() && IsDigit(text[at]) && magnitude < 500) {
      magnitude = magnitude * 10 + (text[at] - '0');
      ++at;
    }
    shape.exponent = negativeExponent ? -magnitude : magnitude;
  }
  while (more() && text[at] == ' ') {
    ++at;
  }
  return !more();
}

long double ShapeValue(const NumberShape& shape) {
  long double accumulator = 0.0L;
  for (const char c : shape.digits) {
    if (IsDigit(c)) {
      accumulator = accumulator * 10 + (c - '0');
    }
  }
  // The scale is a signed 16-bit quantity: a text with tens of thousands of
  // fraction digits wraps it, as the contract of the conversion says.
  const auto scale = static_cast<std::int16_t>(shape.exponent - shape.fractionDigits);
  long double value = accumulator;
  if (scale > 0) {
    value = accumulator * PowerOfTen(scale);
  } else if (scale < 0) {
    value = accumulator / PowerOfTen(-static_cast<int>(scale));
  }
  return shape.negative ? -value : value;
}

}  // namespace

char DecimalMark() {
  return decimalMark;
}

void SetDecimalMark(char mark) {
  decimalMark = mark;
}

std::string TrimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && isBlank(text[end - 1])) {
    --end;
  }
  return std::string(text.substr(begin, end - begin));
}

long double TextToNumber(std::string_view text, char mark) {
  NumberShape shape;
  if (!ParseShape(text, mark, shape)) {
    throw EConvertError(text);
  }
  const long double value = InConversionMode([&shape] { return ShapeValue(shape); });
  if (!std::isfinite(value)) {
    throw EConvertError(text);
  }
  return value;
}

namespace {

// |value| as significant digits and the decimal exponent of the first.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

// |value|, finite and not zero, correctly rounded to `count` digits. Only
// digits and the exponent are taken from printf, whose decimal point
// follows the C locale.
Decimal Expanded(long double value, int count) {
  std::array<char, 80> buffer{};
  InConversionMode([&buffer, value, count] {
    return std::snprintf(buffer.data(), buffer.size(), "%.*Le", count - 1, std::fabs(value));
  });
  Decimal decimal;
  const char* at = buffer.data();
  for (; *at != 'e'; ++at) {
    if (IsDigit(*at)) {
      decimal.digits += *at;
    }
  }
  decimal.exponent = std::atoi(at + 1);
  return decimal;
}

// Half up on the first dropped digit of the 18-digit expansion: 1234.5
// gives 1235 and so does 0.00012345, whose nearest extended value lies
// just below the halfway point.
Decimal HalfUpOn18Digits(long double value, int count) {
  constexpr int kExpansionDigits = 18;
  Decimal decimal = Expanded(value, kExpansionDigits);
  if (count >= kExpansionDigits) {
    return decimal;
  }
  const bool roundUp = decimal.digits[count] >= '5';
  decimal.digits.resize(count);
  if (roundUp) {
    int position = count - 1;
    while (position >= 0 && decimal.digits[position] == '9') {
      decimal.digits[position] = '0';
      --position;
    }
    if (position < 0) {
      decimal.digits[0] = '1';
      ++decimal.exponent;
    } else {
      ++decimal.digits[position];
    }
  }
  return decimal;
}

std::string NonFiniteText(long double value, const NumberFormat& format) {
  const bool lowerCase = format.exponentLetter == 'e';
  if (std::isnan(value)) {
    if (!lowerCase) {
      return "NAN";
    }
    return std::signbit(value) ? "-nan" : "nan";
  }
  const std::string sign = value < 0 ? "-" : "";
  return sign + (lowerCase ? "inf" : "INF");
}

void AppendExponentForm(const Decimal& decimal, const NumberFormat& format, std::string& text) {
  text += decimal.digits[0];
  if (decimal.digits.size() > 1) {
    text += format.mark;
    text.append(decimal.digits, 1);
  }
  text += format.exponentLetter;
  if (decimal.exponent < 0) {
    text += '-';
  } else if (format.exponentSignAlways) {
    text += '+';
  }
  const std::string magnitude = std::to_string(std::abs(decimal.exponent));
  if (static_cast<int>(magnitude.size()) < format.exponentMinDigits) {
    text.append(format.exponentMinDigits - magnitude.size(), '0');
  }
  text += magnitude;
}

void AppendFixedForm(const Decimal& decimal, const NumberFormat& format, std::string& text) {
  const int exponent = decimal.exponent;
  const int count = static_cast<int>(decimal.digits.size());
  if (exponent < 0) {
    text += '0';
    text += format.mark;
    text.append(-exponent - 1, '0');
    text += decimal.digits;
    return;
  }
  for (int i = 0; i <= exponent; ++i) {
    text += i < count ? decimal.digits[i] : '0';
  }
  if (count > exponent + 1) {
    text += format.mark;
    text.append(decimal.digits, exponent + 1);
  }
}

}  // namespace

std::string FormatNumber(long double value, const NumberFormat& format) {
  if (!std::isfinite(value)) {
    return NonFiniteText(value, format);
  }
  const bool halfUp = format.rounding == NumberRounding::kHalfUpOn18Digits;
  const int kind = std::fpclassify(value);
  const bool zero = kind == FP_ZERO || (halfUp && kind == FP_SUBNORMAL);
  const bool fixedHoldsZero = format.lowestFixedExponent <= 0 && format.highestFixedExponent >= 0;
  if (zero && fixedHoldsZero) {
    return format.signAlways ? "+0" : "0";
  }

  Decimal decimal;
  if (zero) {
    decimal.digits.assign(format.keepTrailingZeros ? format.significantDigits : 1, '0');
  } else {
    decimal = halfUp ? HalfUpOn18Digits(value, format.significantDigits)
                     : Expanded(value, format.significantDigits);
  }
  if (!format.keepTrailingZeros) {
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
      decimal.digits.pop_back();
    }
  }

  const bool negative = std::signbit(value) && !(zero && halfUp);
  std::string text = negative ? "-" : (format.signAlways ? "+" : "");
  if (decimal.exponent < format.lowestFixedExponent ||
      decimal.exponent > format.highestFixedExponent) {
    AppendExponentForm(decimal, format, text);
  } else {
    AppendFixedForm(decimal, format, text);
  }
  return text;
}

NumberFormat GeneralFormat(int significantDigits, char mark) {
  NumberFormat format;
  format.significantDigits = significantDigits;
  format.highestFixedExponent = significantDigits - 1;
  format.mark = mark;
  return format;
}

NumberFormat CScientificFormat(int significantDigits, char mark) {
  NumberFormat format;
  format.significantDigits = significantDigits;
  format.rounding = NumberRounding::kNearest;
  format.keepTrailingZeros = true;
  format.lowestFixedExponent = 1;
  format.highestFixedExponent = 0;
  format.exponentLetter = 'e';
  format.exponentSignAlways = true;
  format.exponentMinDigits = 2;
  format.mark = mark;
  return format;
}

NumberFormat FigureFormat(int significantDigits, char mark) {
  return GeneralFormat(significantDigits, mark);
}

NumberFormat SignedFigureFormat(int significantDigits, char mark) {
  NumberFormat format = FigureFormat(significantDigits, mark);
  format.signAlways = true;
  return format;
}

std::string NumberToText(long double value, char mark) {
  return FormatNumber(value, GeneralFormat(4, mark));
}

}  // namespace tarnel
