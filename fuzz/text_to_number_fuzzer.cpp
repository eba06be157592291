// Fuzz target for TextToNumber. The first input byte chooses the decimal mark
// and the caller's x87 rounding and precision; the other bytes, whatever they
// are, form the text. Checked for every input:
//  - the text converts to a finite number, or raises EConvertError quoting the
//    text (cut after 1023 characters); any other exception is a failure;
//  - the 4-digit text of a converted number converts back to within 1e-3 of it
//    and shows as the same text again;
//  - the call leaves no x87 fault flag pending and the control word as it
//    found it, and its outcome does not depend on the caller's rounding and
//    precision.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <typeinfo>

#include "calc/errors.h"
#include "calc/extended.h"
#include "calc/number_text.h"
#include "fuzz/fuzz_support.h"

namespace {

using tarnel::fpu::kFaultFlags;
using tarnel::fpu::kWorkingControlWord;
using tarnel::fuzz::Quoted;

// Outside these magnitudes a number's 4-digit text cannot convert back to it:
// below, the text's digits need a divisor beyond 10^4932, which the conversion
// takes as infinite and so reads the text as 0; above, the text rounds up to
// 1.19E4932, past the largest extended number.
constexpr long double kSmallestRoundTrip = 1e-4929L;
constexpr long double kLargestRoundTrip = 1.1894e4932L;

struct Input {
  std::string text;
  char mark = '.';
  unsigned short controlWord = kWorkingControlWord;
};

[[noreturn]] void Fail(const Input& input, const std::string& what) {
  std::fprintf(stderr,
               "text_to_number_fuzzer: %s\n  text %s (%zu bytes), mark '%c', caller's x87 control "
               "word 0x%04X\n",
               what.c_str(), Quoted(input.text).c_str(), input.text.size(), input.mark,
               input.controlWord);
  std::abort();
}

// A first byte '.' or ',' picks that mark under the working control word, so
// a seed file reads "<mark><text>". Other first bytes also vary the caller's
// rounding (bits 2-3 against '.') and precision (bit 4 against '.').
Input Decode(const std::uint8_t* data, std::size_t size) {
  Input input;
  if (size == 0) {
    return input;
  }
  const unsigned variant = data[0] ^ static_cast<unsigned>('.');
  input.mark = (variant & 0x02U) == 0 ? '.' : ',';
  const unsigned rounding = (variant >> 2) & 0x03U;
  const unsigned precision = (variant & 0x10U) == 0 ? 0x03U : 0x02U;  // 64 or 53 bits
  input.controlWord = static_cast<unsigned short>((kWorkingControlWord & ~0x0F00U) |
                                                  (rounding << 10) | (precision << 8));
  input.text.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  return input;
}

struct Outcome {
  bool converted = false;
  long double value = 0.0L;
  std::string message;  // of the EConvertError
};

bool SameOutcome(const Outcome& a, const Outcome& b) {
  if (a.converted != b.converted) {
    return false;
  }
  if (a.converted) {
    return a.value == b.value && std::signbit(a.value) == std::signbit(b.value);
  }
  return a.message == b.message;
}

std::string Describe(const Outcome& outcome) {
  if (!outcome.converted) {
    return "EConvertError " + Quoted(outcome.message);
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.20Le", outcome.value);
  return buffer;
}

// Converts `text` under the caller's control word `controlWord` and checks the
// x87 state the call leaves; returns in the working mode.
Outcome Convert(const Input& input, const std::string& text, unsigned short controlWord) {
  tarnel::fpu::LoadControlWord(controlWord);
  tarnel::fpu::ClearFlags();
  Outcome outcome;
  std::string failure;
  try {
    outcome.value = tarnel::TextToNumber(text, input.mark);
    outcome.converted = true;
  } catch (const tarnel::EConvertError& error) {
    outcome.message = error.Message();
  } catch (const tarnel::Exception& error) {
    failure = std::string("raised ") + error.ClassName() + ": " + error.Message();
  } catch (const std::exception& error) {
    failure = std::string("raised ") + typeid(error).name() + ": " + error.what();
  } catch (...) {
    failure = "raised something that is not a std::exception";
  }
  const unsigned short status = tarnel::fpu::StatusWord();
  const unsigned short controlWordAfter = tarnel::fpu::ControlWord();
  tarnel::fpu::SetWorkingMode();

  const std::string call = "TextToNumber(" + Quoted(text) + ") ";
  if (!failure.empty()) {
    Fail(input, call + failure);
  }
  if ((status & kFaultFlags) != 0) {
    char what[96];
    std::snprintf(what, sizeof what, "left x87 fault flags pending: status word 0x%04X", status);
    Fail(input, call + what);
  }
  if (controlWordAfter != controlWord) {
    char what[96];
    std::snprintf(what, sizeof what, "changed the x87 control word from 0x%04X to 0x%04X",
                  controlWord, controlWordAfter);
    Fail(input, call + what);
  }
  return outcome;
}

void CheckMessage(const Input& input, const Outcome& outcome) {
  const std::string expected = tarnel::CutAfterCharacters(
      "'" + input.text + "' is not a valid floating point value", tarnel::kMaxMessageCharacters);
  if (outcome.message != expected) {
    Fail(input,
         "EConvertError message " + Quoted(outcome.message) + ", expected " + Quoted(expected));
  }
}

void CheckRoundTrip(const Input& input, const Outcome& outcome) {
  const long double value = outcome.value;
  if (!std::isfinite(value)) {
    Fail(input, "converted to the non-finite " + Describe(outcome));
  }
  const std::string shown = tarnel::NumberToText(value, input.mark);
  const Outcome back = Convert(input, shown, kWorkingControlWord);
  const long double magnitude = std::fabs(value);
  const bool close = back.converted && std::fabs(back.value - value) <= 1e-3L * magnitude &&
                     std::isfinite(back.value);
  const bool inRange = magnitude >= kSmallestRoundTrip && magnitude <= kLargestRoundTrip;
  bool accepted = close;
  if (magnitude == 0) {
    accepted = back.converted && back.value == 0;
  } else if (magnitude < kSmallestRoundTrip) {
    accepted = close || (back.converted && back.value == 0);
  } else if (magnitude > kLargestRoundTrip) {
    accepted = close || !back.converted;
  }
  if (!accepted) {
    Fail(input, "converted to " + Describe(outcome) + ", shown as " + Quoted(shown) +
                    ", which converts back to " + Describe(back));
  }
  if (inRange) {
    const std::string shownAgain = tarnel::NumberToText(back.value, input.mark);
    if (shownAgain != shown) {
      Fail(input, "converted to " + Describe(outcome) + ", shown as " + Quoted(shown) +
                      ", which converts back to " + Describe(back) + ", shown as " +
                      Quoted(shownAgain));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  tarnel::fpu::SetWorkingMode();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Input input = Decode(data, size);
  const Outcome outcome = Convert(input, input.text, input.controlWord);
  if (input.controlWord != kWorkingControlWord) {
    const Outcome working = Convert(input, input.text, kWorkingControlWord);
    if (!SameOutcome(outcome, working)) {
      Fail(input, "gives " + Describe(outcome) + " under the caller's control word but " +
                      Describe(working) + " under the working one");
    }
  }
  if (outcome.converted) {
    CheckRoundTrip(input, outcome);
  } else {
    CheckMessage(input, outcome);
  }
  return 0;
}
