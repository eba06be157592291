#include "errors.h"

namespace tarnel {
namespace {

bool IsContinuationByte(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
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
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) {
      continue;
    }
    if (characters == maxCharacters) {
      return std::string(text.substr(0, i));
    }
    ++characters;
  }
  return std::string(text);
}

EConvertError::EConvertError(std::string_view text) : Exception(ConvertMessage(text)) {}

}  // namespace tarnel
