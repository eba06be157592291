// The conversions between texts and numbers, and the one writer of every
// number the program shows.
// Texts are UTF-8; only ASCII characters can be digits, signs, blanks,
// exponent letters or the decimal separator.
#pragma once

#include <string>
#include <string_view>

namespace tarnel {

// The decimal separator for reading and writing numbers: set once at
// start-up, before any calculation, and only read afterwards.
char DecimalMark();
void SetDecimalMark(char mark);

// `text` without its leading and trailing characters of codes 0 to 32.
std::string TrimBlanks(std::string_view text);

// The number a (trimmed) text holds; raises EConvertError naming the text
// when it is not a number. Never raises a floating-point error.
long double TextToNumber(std::string_view text, char mark = DecimalMark());

// How a number is written: the digits kept, how they are rounded, and when
// the text switches from fixed to exponent form. Every number the program
// shows goes through FormatNumber with one of the presets below.
enum class NumberRounding {
  // The value expanded to 18 significant digits (nearest, ties to even),
  // then rounded half up on the first digit dropped; zero, negative zero
  // and denormals are written as zero.
  kHalfUpOn18Digits,
  // Correctly rounded from the binary value, ties to even.
  kNearest,
};

struct NumberFormat {
  int significantDigits = 4;  // 1 to 18 with kHalfUpOn18Digits, 1 to 30 with kNearest
  NumberRounding rounding = NumberRounding::kHalfUpOn18Digits;
  bool keepTrailingZeros = false;
  // Fixed form for a value whose first significant digit has a decimal
  // exponent in this range, exponent form outside it; an empty range
  // (lowest > highest) always gives the exponent form.
  int lowestFixedExponent = -4;
  int highestFixedExponent = 3;
  char exponentLetter = 'E';
  bool exponentSignAlways = false;  // "e+04" rather than "e4"
  int exponentMinDigits = 1;        // zeros pad the exponent to this width
  bool signAlways = false;          // "+" before every value that is not negative
  char mark = '.';
};

// `value` written in `format`. Zero is "0" (with "+" when signAlways) in a
// format whose fixed range holds exponent 0, else its zero digits in
// exponent form. Infinities and NaN are "INF", "-INF" and "NAN" with an
// upper-case exponent letter, "inf", "-inf", "nan" and "-nan" (the sign
// of the NaN) with a lower-case one.
std::string FormatNumber(long double value, const NumberFormat& format);

// The window's result fields: general form, `significantDigits` digits
// rounded half up on the 18-digit expansion, no trailing zeros, exponent
// form below 0.0001 and from 10^significantDigits on: "229.2", "1.235E4",
// "9.999E-5".
NumberFormat GeneralFormat(int significantDigits = 4, char mark = DecimalMark());

// C's "%.*Le": always exponent form, `significantDigits` digits correctly
// rounded, trailing zeros kept: "1.234567890e-04".
NumberFormat CScientificFormat(int significantDigits, char mark = '.');

// Every figure of a tooltip or a dialog: the result fields' own form
// (GeneralFormat), so that a figure beside a field reads as the field does:
// "0.0008034" beside "0.0008033", "1000" and "2.41E4", never "1.000E3".
NumberFormat FigureFormat(int significantDigits = 4, char mark = DecimalMark());

// A signed relative figure: FigureFormat with its sign always written:
// "+0.12", "-3", "+0".
NumberFormat SignedFigureFormat(int significantDigits, char mark = DecimalMark());

// The window's form: FormatNumber(value, GeneralFormat(4, mark)).
std::string NumberToText(long double value, char mark = DecimalMark());

}  // namespace tarnel
