// The validation rules of a winding, once, in the order the window tests
// them: the calculation walks all of them, a design those that do not
// involve the dimensions it solves for.
#pragma once

#include <array>
#include <cstdint>

#include "calc/extended.h"
#include "calc/winding.h"

namespace tarnel {

// One of the five dimensions of a winding, and a set of them.
enum class Dimension : std::uint8_t { kR1 = 1, kR2 = 2, kH = 4, kD = 8, kLambda = 16 };

class Dimensions {
 public:
  constexpr Dimensions() = default;
  // A dimension is the set of itself.
  // NOLINTNEXTLINE(google-explicit-constructor)
  constexpr Dimensions(Dimension one) : bits_(static_cast<std::uint8_t>(one)) {}

  friend constexpr Dimensions operator|(Dimensions a, Dimensions b) {
    Dimensions both;
    both.bits_ = static_cast<std::uint8_t>(a.bits_ | b.bits_);
    return both;
  }
  [[nodiscard]] constexpr bool Meets(Dimensions other) const { return (bits_ & other.bits_) != 0; }

 private:
  std::uint8_t bits_ = 0;
};

constexpr Dimensions operator|(Dimension a, Dimension b) {
  return Dimensions(a) | Dimensions(b);
}

// The five numbers a rule tests: checked Extended values in the
// calculation, where R2 - R1 of the second rule may overflow and raise, and
// plain long doubles in a design.
template <typename Number>
struct RuleInputs {
  Number R1;
  Number R2;
  Number H;
  Number D;
  Number Lambda;
};

struct ValidationRule {
  const char* message;  // the window's words for a broken rule
  Dimensions involves;
  bool (*holds)(const RuleInputs<Extended>&);
  bool (*holdsUnchecked)(const RuleInputs<long double>&);
};

namespace rule_tests {

template <typename Number>
bool R2AboveR1(const RuleInputs<Number>& in) {
  return in.R2 > in.R1;
}
template <typename Number>
bool DWithinDepth(const RuleInputs<Number>& in) {
  return in.D <= in.R2 - in.R1;
}
template <typename Number>
bool DWithinH(const RuleInputs<Number>& in) {
  return in.D <= in.H;
}
template <typename Number>
bool LambdaAboveZero(const RuleInputs<Number>& in) {
  return in.Lambda > 0;
}
template <typename Number>
bool LambdaBelowOne(const RuleInputs<Number>& in) {
  return in.Lambda < 1;
}
template <typename Number>
bool DAboveZero(const RuleInputs<Number>& in) {
  return in.D > 0;
}
template <typename Number>
bool R1NotNegative(const RuleInputs<Number>& in) {
  return in.R1 >= 0;
}

}  // namespace rule_tests

#define TARNEL_RULE_TEST(name) &rule_tests::name<Extended>, &rule_tests::name<long double>

// The last two are the window's own: without them a zero D divides by zero,
// a negative D passes as if it were positive, and a negative R1 describes
// no coil.
inline constexpr std::array<ValidationRule, 7> kValidationRules = {{
    {"Введите R2 > R1", Dimension::kR1 | Dimension::kR2, TARNEL_RULE_TEST(R2AboveR1)},
    {"Введите D < R2 - R1", Dimension::kR1 | Dimension::kR2 | Dimension::kD,
     TARNEL_RULE_TEST(DWithinDepth)},
    {"Введите D < H", Dimension::kH | Dimension::kD, TARNEL_RULE_TEST(DWithinH)},
    {"Введите Lambda > 0", Dimension::kLambda, TARNEL_RULE_TEST(LambdaAboveZero)},
    {"Введите Lambda < 1", Dimension::kLambda, TARNEL_RULE_TEST(LambdaBelowOne)},
    {"Введите D > 0", Dimension::kD, TARNEL_RULE_TEST(DAboveZero)},
    {"Введите R1 >= 0", Dimension::kR1, TARNEL_RULE_TEST(R1NotNegative)},
}};

#undef TARNEL_RULE_TEST

// The message of the first rule the inputs break, or nullptr. Raises the
// error of a faulting R2 - R1.
const char* BrokenRule(const RuleInputs<Extended>& in);

// The message of the first rule `w` breaks among those that do not involve
// `unknowns`, or nullptr.
const char* BrokenRule(const Winding& w, Dimensions unknowns = {});

}  // namespace tarnel
