// Error classes: the hierarchy callers catch by, and the exact messages.
#include "calc/errors.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnel {
namespace {

TEST(ErrorsTest, MathErrorsCarryTheirMessagesAndClassNames) {
  const EInvalidOp invalid;
  const EZeroDivide zeroDivide;
  const EOverflow overflow;
  const struct {
    const EMathError& error;
    const char* className;
    const char* message;
  } cases[] = {
      {invalid, "EInvalidOp", "Invalid floating point operation"},
      {zeroDivide, "EZeroDivide", "Floating point division by zero"},
      {overflow, "EOverflow", "Floating point overflow"},
  };
  for (const auto& c : cases) {
    const Exception& base = c.error;
    EXPECT_STREQ(base.ClassName(), c.className);
    EXPECT_EQ(base.Message(), c.message);
    EXPECT_STREQ(base.what(), c.message);
  }
}

TEST(ErrorsTest, ConvertErrorIsNotAMathError) {
  const EConvertError error("abc");
  const Exception& base = error;
  EXPECT_EQ(dynamic_cast<const EMathError*>(&base), nullptr);
  EXPECT_STREQ(base.ClassName(), "EConvertError");
  EXPECT_EQ(base.Message(), "'abc' is not a valid floating point value");
}

TEST(ErrorsTest, ConvertMessageIsCutAfter1023Characters) {
  const std::string fixedPart = "'' is not a valid floating point value";  // 38 characters
  const std::string fits(1023 - fixedPart.size(), 'x');
  EXPECT_EQ(EConvertError(fits).Message().size(), 1023U);
  EXPECT_EQ(EConvertError(fits).Message().back(), 'e');

  const std::string tooLong(2000, 'x');
  const std::string message = EConvertError(tooLong).Message();
  EXPECT_EQ(message.size(), 1023U);
  EXPECT_EQ(message, "'" + std::string(1022, 'x'));
}

std::string Repeated(const std::string& unit, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) {
    text += unit;
  }
  return text;
}

// A character is a well-formed UTF-8 sequence or a byte that belongs to
// none. Each unit below is one character; texts of 1022, 1023 and 1024 of
// them are cut after the 1023rd.
TEST(ErrorsTest, CutCountsCharactersAndNeverSplitsOne) {
  const struct {
    const char* name;
    std::string unit;
  } units[] = {
      {"ASCII", "x"},
      {"two bytes", "\xD0\x96"},           // Ж
      {"three bytes", "\xE2\x82\xAC"},     // €
      {"four bytes", "\xF0\x9F\x98\x80"},  // U+1F600
      {"continuation byte alone", "\x80"},
      {"byte never in UTF-8", "\xFF"},
      {"lead byte without its continuation", "\xE2"},
  };
  for (const auto& u : units) {
    for (const std::size_t characters : {1022U, 1023U, 1024U}) {
      SCOPED_TRACE(std::string(u.name) + ", " + std::to_string(characters));
      const std::string text = Repeated(u.unit, characters);
      const std::size_t kept = characters < 1023U ? characters : 1023U;
      EXPECT_EQ(CutAfterCharacters(text, 1023), Repeated(u.unit, kept));
    }
  }
}

TEST(ErrorsTest, MalformedSequencesCountEachByte) {
  const struct {
    const char* name;
    std::string text;  // 1022 characters of ASCII, then the bytes
    std::string kept;  // of those bytes, the part before the cut
  } cases[] = {
      {"valid three-byte character at the cut",
       "\xE2\x82\xAC"
       "y",
       "\xE2\x82\xAC"},
      {"truncated three-byte sequence",
       "\xE2\x82"
       "y",
       "\xE2"},
      {"overlong form of '/'", "\xC0\xAF", "\xC0"},
      {"surrogate U+D800", "\xED\xA0\x80", "\xED"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", "\xF4"},
      {"overlong three-byte form", "\xE0\x80\x80", "\xE0"},
  };
  const std::string ascii(1022, 'x');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CutAfterCharacters(ascii + c.text, 1023), ascii + c.kept);
  }
}

TEST(ErrorsTest, ConvertMessageOfInvalidBytesIsCutToo) {
  const std::string message = EConvertError(std::string(10000, '\x80')).Message();
  EXPECT_EQ(message, "'" + std::string(1022, '\x80'));
}

}  // namespace
}  // namespace tarnel
