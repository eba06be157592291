// The errors a calculation raises. Validation failures are not errors: the
// request answers them in the message field. These travel to the caller.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tarnel {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  [[nodiscard]] const std::string& Message() const { return message_; }
  [[nodiscard]] const char* what() const noexcept override { return message_.c_str(); }
  [[nodiscard]] virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string message_;
};

// Base of the floating-point errors; never raised itself.
class EMathError : public Exception {
 public:
  using Exception::Exception;
  [[nodiscard]] const char* ClassName() const override { return "EMathError"; }
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
  [[nodiscard]] const char* ClassName() const override { return "EInvalidOp"; }
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
  [[nodiscard]] const char* ClassName() const override { return "EZeroDivide"; }
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
  [[nodiscard]] const char* ClassName() const override { return "EOverflow"; }
};

// A text that is not a number. The message names the text; it is cut after
// its 1023rd character (see CutAfterCharacters).
class EConvertError : public Exception {
 public:
  explicit EConvertError(std::string_view text);
  [[nodiscard]] const char* ClassName() const override { return "EConvertError"; }
};

// The longest message an error carries, in characters.
inline constexpr std::size_t kMaxMessageCharacters = 1023;

// `text` cut after its `maxCharacters`-th character. A character is a
// well-formed UTF-8 sequence or a byte that is part of none; a cut never
// splits a well-formed sequence.
std::string CutAfterCharacters(std::string_view text, std::size_t maxCharacters);

}  // namespace tarnel
