// The input of tarnel-calc cut into blocks of whole lines, in bounded memory
// whatever the input: a line longer than the longest one calculated is
// reported once and its bytes dropped up to its line break.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tarnel::cli {

// Reads what is available, at most `size` bytes, into `data`; `got` is 0 at
// the end of the input. False with the reason in `error` when it fails.
using ReadFunction =
    std::function<bool(char* data, std::size_t size, std::size_t& got, std::string& error)>;
// Takes complete lines, each with its line break but the input's last one,
// which may have none. False stops the reading.
using LinesFunction = std::function<bool(std::string_view lines)>;
// Told of a line longer than `maxLineLength` and a carriage return, before
// its line break has been read. False stops the reading.
using TooLongFunction = std::function<bool()>;

enum class ReadOutcome {
  kEnd,         // the whole input has been read and handed on
  kReadFailed,  // `read` failed; `error` says why
  kStopped,     // a callback returned false
};

// Reads through `read`, `readSize` bytes asked at a time, until the end of
// the input; each read's complete lines go to `onLines` at once. Holds at
// most maxLineLength + 1 + readSize bytes.
ReadOutcome ReadLines(const ReadFunction& read, std::size_t maxLineLength, std::size_t readSize,
                      const LinesFunction& onLines, const TooLongFunction& onTooLong,
                      std::string& error);

}  // namespace tarnel::cli
