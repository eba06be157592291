// Sums and products that run their operations in the order they are written.
//
// C++ leaves unspecified which operand of an overloaded + - * / is evaluated
// first, so in (a / b) + (c * d) a compiler may multiply before it divides;
// with checked arithmetic the error would then name the multiplication's
// fault where the division's came first. A chain of member calls is
// sequenced: in Sum<Number>(a).Plus(b).Minus(c) the object expression is
// evaluated before the argument, so each term is evaluated and then added
// before the next term is evaluated. Where both operands of one operation
// can fault, the formulas use a chain or one named intermediate per line.
#pragma once

namespace tarnel {

template <typename Number>
class OrderedChain {
 public:
  explicit OrderedChain(Number first) : value_(first) {}

  OrderedChain& Plus(Number term) {
    value_ = value_ + term;
    return *this;
  }
  OrderedChain& Minus(Number term) {
    value_ = value_ - term;
    return *this;
  }
  OrderedChain& Times(Number factor) {
    value_ = value_ * factor;
    return *this;
  }
  OrderedChain& Over(Number divisor) {
    value_ = value_ / divisor;
    return *this;
  }

  [[nodiscard]] Number Value() const { return value_; }
  operator Number() const { return value_; }  // NOLINT(google-explicit-constructor)

 private:
  Number value_;
};

// first + ... or first − ..., left to right.
template <typename Number>
OrderedChain<Number> Sum(Number first) {
  return OrderedChain<Number>(first);
}

// first · ... or first / ..., left to right.
template <typename Number>
OrderedChain<Number> Product(Number first) {
  return OrderedChain<Number>(first);
}

}  // namespace tarnel
