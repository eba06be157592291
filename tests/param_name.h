// Test names for value-parameterised tests made of what the cases print:
// stable from build to build and readable in ctest's list.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

namespace tarnel::test {

// The case's number in its table, then its printed form with every run of
// bytes other than ASCII letters and digits as one '_' (gtest takes no
// other characters in a name).
struct PrintedName {
  template <typename Param>
  std::string operator()(const testing::TestParamInfo<Param>& info) const {
    std::string name = std::to_string(info.index) + '_';
    for (const char c : testing::PrintToString(info.param)) {
      if (std::isalnum(static_cast<unsigned char>(c)) != 0 &&
          static_cast<unsigned char>(c) < 0x80) {
        name += c;
      } else if (name.back() != '_') {
        name += '_';
      }
    }
    if (name.back() == '_') {
      name.pop_back();
    }
    return name;
  }
};

}  // namespace tarnel::test
