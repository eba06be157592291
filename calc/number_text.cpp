#include "number_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <type_traits>

#include "errors.h"
#include "x87.h"

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

std::string NumberToText(long double value, char mark) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  const int kind = std::fpclassify(value);
  if (kind == FP_ZERO || kind == FP_SUBNORMAL) {
    return "0";
  }
  // 18 significant digits, rounded to nearest with ties to even.
  std::array<char, 64> buffer{};
  InConversionMode([&buffer, value] {
    return std::snprintf(buffer.data(), buffer.size(), "%.17Le", std::fabs(value));
  });
  std::string digits;
  const char* at = buffer.data();
  // Digits only: the separator printf writes depends on the C locale.
  for (; *at != 'e'; ++at) {
    if (IsDigit(*at)) {
      digits += *at;
    }
  }
  int exponent = std::atoi(at + 1) + 1;  // value = 0.d1d2... * 10^exponent

  // Half up on the 5th of the 18 digits.
  const bool roundUp = digits[4] >= '5';
  digits.resize(4);
  if (roundUp) {
    int position = 3;
    while (position >= 0 && digits[position] == '9') {
      digits[position] = '0';
      --position;
    }
    if (position < 0) {
      digits.resize(1);
      digits[0] = '1';
      ++exponent;
    } else {
      ++digits[position];
    }
  }
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }

  std::string text = value < 0 ? "-" : "";
  if (exponent > 4 || exponent < -3) {
    text += digits[0];
    if (digits.size() > 1) {
      text += mark;
      text.append(digits, 1);
    }
    text += 'E';
    text += std::to_string(exponent - 1);
  } else if (exponent >= 1) {
    for (int i = 0; i < exponent; ++i) {
      text += i < static_cast<int>(digits.size()) ? digits[i] : '0';
    }
    if (static_cast<int>(digits.size()) > exponent) {
      text += mark;
      text.append(digits, exponent);
    }
  } else {
    text += '0';
    text += mark;
    text.append(-exponent, '0');
    text += digits;
  }
  return text;
}

}  // namespace tarnel
