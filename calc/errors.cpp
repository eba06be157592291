#include "calc/errors.h"

namespace tarnel {
namespace {

bool InRange(std::string_view text, std::size_t at, unsigned char low, unsigned char high) {
  if (at >= text.size()) {
    return false;
  }
  const auto byte = static_cast<unsigned char>(text[at]);
  return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at `at`, or 1 for a byte that
// begins none: such a byte is a character of its own.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  // The range of the second byte for each lead byte; overlong forms,
  // surrogates and code points past U+10FFFF are excluded by it.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  }
  if (length == 1 || !InRange(text, at + 1, low, high)) {
    return 1;
  }
  for (std::size_t next = at + 2; next < at + length; ++next) {
    if (!InRange(text, next, 0x80, 0xBF)) {
      return 1;
    }
  }
  return length;
}

std::string ConvertMessage(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 40);
  message += '\'';
  message += text;
  message += "' is not a valid floating point value";
  return CutAfterCharacters(message, kMaxMessageCharacters);
}

}  // namespace

std::string CutAfterCharacters(std::string_view text, std::size_t maxCharacters) {
  std::size_t at = 0;
  for (std::size_t characters = 0; characters < maxCharacters && at < text.size(); ++characters) {
    at += CharacterLength(text, at);
  }
  return std::string(text.substr(0, at));
}

EConvertError::EConvertError(std::string_view text) : Exception(ConvertMessage(text)) {}

}  // namespace tarnel
