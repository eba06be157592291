#include "cli/line_reader.h"

#include <cstring>
#include <vector>

namespace tarnel::cli {

ReadOutcome ReadLines(const ReadFunction& read, std::size_t maxLineLength, std::size_t readSize,
                      const LinesFunction& onLines, const TooLongFunction& onTooLong,
                      std::string& error) {
  // buffer[0, filled) is input not yet handed on: no line break in it once
  // the complete lines have been taken off.
  std::vector<char> buffer(maxLineLength + 1 + readSize);
  std::size_t filled = 0;
  // Within a line too long, which has been reported already: its bytes are
  // dropped up to its line break.
  bool skipping = false;
  while (true) {
    std::size_t got = 0;
    if (!read(buffer.data() + filled, readSize, got, error)) {
      return ReadOutcome::kReadFailed;
    }
    if (got == 0) {
      // A last line without a line break.
      if (!skipping && filled != 0 && !onLines(std::string_view(buffer.data(), filled))) {
        return ReadOutcome::kStopped;
      }
      return ReadOutcome::kEnd;
    }
    std::size_t fresh = filled;
    filled += got;
    if (skipping) {
      const std::size_t lineBreak = std::string_view(buffer.data(), filled).find('\n');
      if (lineBreak == std::string_view::npos) {
        filled = 0;
        continue;
      }
      skipping = false;
      filled -= lineBreak + 1;
      std::memmove(buffer.data(), buffer.data() + lineBreak + 1, filled);
      fresh = 0;
    }
    const std::size_t lastBreak =
        std::string_view(buffer.data() + fresh, filled - fresh).rfind('\n');
    if (lastBreak != std::string_view::npos) {
      const std::size_t complete = fresh + lastBreak + 1;
      if (!onLines(std::string_view(buffer.data(), complete))) {
        return ReadOutcome::kStopped;
      }
      filled -= complete;
      std::memmove(buffer.data(), buffer.data() + complete, filled);
    }
    // Longer than any line calculated even if a carriage return ends it.
    if (filled > maxLineLength + 1) {
      if (!onTooLong()) {
        return ReadOutcome::kStopped;
      }
      skipping = true;
      filled = 0;
    }
  }
}

}  // namespace tarnel::cli
