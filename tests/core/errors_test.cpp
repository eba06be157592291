// Error classes: the hierarchy callers catch by, and the exact messages.
#include "errors.h"

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

TEST(ErrorsTest, CutCountsUtf8CharactersAndNeverSplitsOne) {
  // "Ж" is two bytes; 2000 of them leave 1022 after the quote.
  std::string cyrillic;
  for (int i = 0; i < 2000; ++i) {
    cyrillic += "\xD0\x96";
  }
  const std::string message = EConvertError(cyrillic).Message();
  EXPECT_EQ(message.size(), 1U + 2U * 1022U);
  EXPECT_EQ(message.substr(message.size() - 2), "\xD0\x96");

  EXPECT_EQ(CutAfterCharacters("a\xE2\x82\xAC"
                               "b",
                               2),
            "a\xE2\x82\xAC");
  EXPECT_EQ(CutAfterCharacters("abc", 3), "abc");
  EXPECT_EQ(CutAfterCharacters("abc", 0), "");
}

}  // namespace
}  // namespace tarnel
