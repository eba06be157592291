// The conversions between the texts of the window's fields and numbers.
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

// The general-format text of `value` with 4 significant digits.
std::string NumberToText(long double value, char mark = DecimalMark());

}  // namespace tarnel
