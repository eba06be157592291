// Fuzz target for the whole calculation request. The input is split at its
// first four TABs into the texts of R1, R2, H, D and Lambda (texts past the
// end are empty; Lambda takes the rest, later TABs included), so a seed file
// reads like an input line of the golden files. The results and the message
// start as "stale". Checked for every input:
//  - the request ends in exactly one way: results with "Готов ...", one
//    validation message with no results, or one of EConvertError, EInvalidOp,
//    EZeroDivide, EOverflow with no message and no stale field;
//  - every result text shown is the 4-digit text of a finite computed value;
//  - the outcome fits the inputs: an EConvertError quotes the first trimmed
//    text that is not a number, the message names the first rule the numbers
//    break, results or an arithmetic fault come only when none is broken,
//    and when R2 > R1 but R2 - R1 overflows the one outcome is EOverflow;
//  - afterwards the x87 control word is the working one and a request on the
//    start-up texts still gives the start-up results.
// With TARNEL_FUZZ_TRACE set, each input prints "N R L Message Error" as one
// TAB-separated line, as tarnel-calc does.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>

#include "calc/calculation_request.h"
#include "calc/errors.h"
#include "calc/extended.h"
#include "calc/number_text.h"
#include "fuzz/fuzz_support.h"

namespace {

using tarnel::fuzz::Quoted;

constexpr const char* kStale = "stale";
constexpr std::array<const char*, 5> kInputNames = {"R1", "R2", "H", "D", "Lambda"};

struct Request {
  std::array<std::string, 5> texts;  // R1, R2, H, D, Lambda
  tarnel::CalculationFields fields;
  tarnel::ComputedValues values;
  const std::type_info* errorType = nullptr;  // null when nothing was raised
  std::string error;                          // "Class: message"
  std::string errorMessage;
};

std::string Describe(const Request& request) {
  std::string text = "inputs";
  for (std::size_t i = 0; i < request.texts.size(); ++i) {
    text += std::string(" ") + kInputNames[i] + "=" + Quoted(request.texts[i]);
  }
  const auto& f = request.fields;
  text += "\n  gave N=" + Quoted(f.edN) + " R=" + Quoted(f.edR) + " L=" + Quoted(f.edL) +
          " message=" + Quoted(f.edMessage) + " error=" + Quoted(request.error);
  return text;
}

[[noreturn]] void Fail(const Request& request, const std::string& what) {
  std::fprintf(stderr, "request_fuzzer: %s\n  %s\n", what.c_str(), Describe(request).c_str());
  std::abort();
}

std::array<std::string, 5> Split(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::array<std::string, 5> texts;
  for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
    const auto tab = rest.find('\t');
    if (tab == std::string_view::npos) {
      texts[i] = rest;
      return texts;
    }
    texts[i] = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
  }
  texts.back() = rest;
  return texts;
}

bool IsFaultType(const std::type_info& type) {
  return type == typeid(tarnel::EInvalidOp) || type == typeid(tarnel::EZeroDivide) ||
         type == typeid(tarnel::EOverflow);
}

void Run(Request& request) {
  auto& f = request.fields;
  f.edR1 = request.texts[0];
  f.edR2 = request.texts[1];
  f.edH = request.texts[2];
  f.edD = request.texts[3];
  f.edLambda = request.texts[4];
  f.edN = f.edR = f.edL = f.edMessage = kStale;
  request.values.N = request.values.R = request.values.L = -1.0L;
  try {
    tarnel::RunCalculation(f, &request.values);
  } catch (const tarnel::Exception& error) {
    request.errorType = &typeid(error);
    request.error = std::string(error.ClassName()) + ": " + error.Message();
    request.errorMessage = error.Message();
    if (*request.errorType != typeid(tarnel::EConvertError) && !IsFaultType(*request.errorType)) {
      Fail(request, std::string("raised an unexpected ") + error.ClassName());
    }
  } catch (const std::exception& error) {
    request.error = typeid(error).name() + std::string(": ") + error.what();
    Fail(request, "raised an exception that is not one of Tarnel's");
  } catch (...) {
    Fail(request, "raised something that is not a std::exception");
  }
}

// What the inputs are without the request: the numbers of the texts that
// convert and the expected error message of the first that does not.
struct Numbers {
  std::array<long double, 5> value{};
  std::optional<std::string> convertError;
};

Numbers Convert(const Request& request) {
  Numbers numbers;
  for (std::size_t i = 0; i < request.texts.size(); ++i) {
    const std::string trimmed = tarnel::TrimBlanks(request.texts[i]);
    try {
      numbers.value[i] = tarnel::TextToNumber(trimmed);
    } catch (const tarnel::EConvertError&) {
      numbers.convertError = tarnel::CutAfterCharacters(
          "'" + trimmed + "' is not a valid floating point value", tarnel::kMaxMessageCharacters);
      return numbers;
    } catch (const std::exception& error) {
      Fail(request, "converting " + Quoted(trimmed) + " raised " + error.what());
    }
  }
  return numbers;
}

// The rules written again, not taken from calc/validation_rules.h: an
// oracle that walked the program's own table would agree with any fault in
// it, a swapped row or a wrong comparison.
constexpr std::array<const char*, 7> kRuleMessages = {
    "Введите R2 > R1",    "Введите D < R2 - R1", "Введите D < H",  "Введите Lambda > 0",
    "Введите Lambda < 1", "Введите D > 0",       "Введите R1 >= 0"};

// The message of the first rule the numbers break, or nullptr.
const char* FirstBrokenRule(const Numbers& numbers) {
  const auto& [R1, R2, H, D, Lambda] = numbers.value;
  const std::array<bool, 7> holds = {R2 > R1,    D <= R2 - R1,   D <= H,
                                     Lambda > 0, Lambda<1, D> 0, R1 >= 0};
  for (std::size_t i = 0; i < holds.size(); ++i) {
    if (!holds[i]) {
      return kRuleMessages[i];
    }
  }
  return nullptr;
}

// The second rule subtracts R1 from R2, checked: when R2 > R1 and the
// difference overflows, the request raises EOverflow there and nothing else.
bool RulesOverflow(const Numbers& numbers) {
  const auto& [R1, R2, H, D, Lambda] = numbers.value;
  return R2 > R1 && !std::isfinite(R2 - R1);
}

// A written result field holds the text of its finite value; an empty one has
// no value.
void CheckResult(const Request& request, const char* name, const std::string& text,
                 const std::optional<long double>& value) {
  if (text == kStale) {
    Fail(request, std::string("left ") + name + " stale");
  }
  if (text.empty()) {
    if (value) {
      Fail(request, std::string("reported a value for the empty ") + name);
    }
    return;
  }
  if (!value || !std::isfinite(*value)) {
    Fail(request, std::string("wrote ") + name + " without a finite value");
  }
  if (tarnel::NumberToText(*value) != text) {
    Fail(request, std::string("wrote ") + name + " as a text that is not its value's, " +
                      tarnel::NumberToText(*value));
  }
}

void CheckOutcome(const Request& request) {
  const auto& f = request.fields;
  CheckResult(request, "N", f.edN, request.values.N);
  CheckResult(request, "R", f.edR, request.values.R);
  CheckResult(request, "L", f.edL, request.values.L);
  const bool noResults = f.edN.empty() && f.edR.empty() && f.edL.empty();
  const Numbers numbers = Convert(request);

  if (request.errorType == nullptr) {
    if (numbers.convertError) {
      Fail(request, "accepted a text that is not a number");
    }
    if (RulesOverflow(numbers)) {
      Fail(request, "expected EOverflow from R2 - R1 of the second rule");
    }
    const char* broken = FirstBrokenRule(numbers);
    if (f.edMessage == tarnel::kReadyMessage) {
      if (f.edN.empty() || f.edR.empty() || f.edL.empty()) {
        Fail(request, "is ready without all three results");
      }
      if (broken != nullptr) {
        Fail(request, std::string("gave results although the inputs break ") + broken);
      }
      return;
    }
    if (!noResults) {
      Fail(request, "kept results beside a message that is not the ready one");
    }
    if (broken == nullptr || f.edMessage != broken) {
      Fail(request, std::string("expected the message ") +
                        (broken != nullptr ? Quoted(broken) : "of no broken rule"));
    }
    return;
  }

  if (!f.edMessage.empty()) {
    Fail(request, "kept a message beside an error");
  }
  if (*request.errorType == typeid(tarnel::EConvertError)) {
    if (!noResults) {
      Fail(request, "wrote results before a text that is not a number");
    }
    if (!numbers.convertError || request.errorMessage != *numbers.convertError) {
      Fail(request,
           "expected the error " + (numbers.convertError ? Quoted(*numbers.convertError)
                                                         : std::string("of no text, all convert")));
    }
    return;
  }
  if (numbers.convertError) {
    Fail(request, "reported an arithmetic fault instead of " + Quoted(*numbers.convertError));
  }
  // N and R are written together once both are computed, L last.
  if (!f.edL.empty() || f.edN.empty() != f.edR.empty()) {
    Fail(request, "wrote results that an arithmetic fault cannot have followed");
  }
  if (RulesOverflow(numbers)) {
    if (*request.errorType != typeid(tarnel::EOverflow) || !noResults) {
      Fail(request, "expected EOverflow from R2 - R1 of the second rule, before any result");
    }
    return;
  }
  if (FirstBrokenRule(numbers) != nullptr) {
    Fail(request, std::string("raised an arithmetic fault although the inputs break ") +
                      FirstBrokenRule(numbers));
  }
}

void CheckStartup(const Request& after) {
  tarnel::CalculationFields fields = tarnel::StartupFields();
  try {
    tarnel::RunCalculation(fields);
  } catch (const std::exception& error) {
    Fail(after, std::string("the start-up request after this one raised ") + error.what());
  }
  if (fields.edN != "229.2" || fields.edR != "0.4593" || fields.edL != "0.0008033" ||
      fields.edMessage != tarnel::kReadyMessage) {
    Fail(after, "the start-up request after this one gave N=" + Quoted(fields.edN) +
                    " R=" + Quoted(fields.edR) + " L=" + Quoted(fields.edL) +
                    " message=" + Quoted(fields.edMessage));
  }
}

bool tracing = false;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark('.');
  tracing = std::getenv("TARNEL_FUZZ_TRACE") != nullptr;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Request request;
  request.texts = Split(data, size);
  Run(request);
  if (tracing) {
    const auto& f = request.fields;
    std::printf("%s\t%s\t%s\t%s\t%s\n", f.edN.c_str(), f.edR.c_str(), f.edL.c_str(),
                f.edMessage.c_str(), request.error.c_str());
    std::fflush(stdout);
  }
  const unsigned short controlWord = tarnel::fpu::ControlWord();
  if (controlWord != tarnel::fpu::kWorkingControlWord) {
    char what[64];
    std::snprintf(what, sizeof what, "left the x87 control word 0x%04X", controlWord);
    Fail(request, what);
  }
  CheckOutcome(request);
  CheckStartup(request);
  return 0;
}
