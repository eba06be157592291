#include "cli/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace tarnel::cli {
namespace {

constexpr std::size_t kNever = 1000;

struct ReaderCase {
  const char* name;
  std::size_t maxLineLength;
  std::size_t readSize;
  std::vector<std::string> reads;  // what each read finds, cut to readSize
  bool failsAtEnd;                 // the read after the last piece fails
  std::size_t stopAt;              // the callback that returns false (1-based)
  std::string expected;            // [lines] per block handed on, T per line too long
  ReadOutcome outcome;
  friend void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }
};

class LineReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(LineReaderTest, HandsOnWholeLinesAndReportsLongOnes) {
  const ReaderCase& c = GetParam();
  std::vector<std::string> reads = c.reads;
  std::size_t next = 0;
  const ReadFunction read = [&](char* data, std::size_t size, std::size_t& got,
                                std::string& error) {
    EXPECT_EQ(size, c.readSize);
    if (next == reads.size()) {
      got = 0;
      error = c.failsAtEnd ? "no more" : "";
      return !c.failsAtEnd;
    }
    std::string& piece = reads[next];
    got = std::min(size, piece.size());
    std::memcpy(data, piece.data(), got);
    piece.erase(0, got);
    if (piece.empty()) {
      ++next;
    }
    return true;
  };
  std::string events;
  std::size_t calls = 0;
  const LinesFunction onLines = [&](std::string_view lines) {
    events.append("[").append(lines).append("]");
    return ++calls != c.stopAt;
  };
  const TooLongFunction onTooLong = [&] {
    events += "T";
    return ++calls != c.stopAt;
  };
  std::string error;
  const ReadOutcome outcome =
      ReadLines(read, c.maxLineLength, c.readSize, onLines, onTooLong, error);
  EXPECT_EQ(events, c.expected);
  EXPECT_EQ(outcome, c.outcome);
  EXPECT_EQ(error, c.failsAtEnd ? "no more" : "");
}

constexpr auto kEnd = ReadOutcome::kEnd;

INSTANTIATE_TEST_SUITE_P(
    Inputs, LineReaderTest,
    testing::Values(
        ReaderCase{"empty", 6, 64, {}, false, kNever, "", kEnd},
        ReaderCase{"only_a_line_break", 6, 64, {"\n"}, false, kNever, "[\n]", kEnd},
        ReaderCase{"split_inside_fields",
                   6,
                   64,
                   {"1\t2", "3\n4", "5\n"},
                   false,
                   kNever,
                   "[1\t23\n][45\n]",
                   kEnd},
        ReaderCase{"line_break_apart_from_its_carriage_return",
                   6,
                   64,
                   {"abc\r", "\n", "de"},
                   false,
                   kNever,
                   "[abc\r\n][de]",
                   kEnd},
        ReaderCase{
            "several_lines_in_one_read", 6, 64, {"a\nb\nc"}, false, kNever, "[a\nb\n][c]", kEnd},
        ReaderCase{
            "one_byte_a_read", 6, 1, {"0.1\t2\r\n\n3"}, false, kNever, "[0.1\t2\r\n][\n][3]", kEnd},
        ReaderCase{
            "last_line_without_a_break", 6, 64, {"ab\ncd"}, false, kNever, "[ab\n][cd]", kEnd},
        ReaderCase{
            "longest_line_and_cr_lf", 6, 4, {"123456\r\n"}, false, kNever, "[123456\r\n]", kEnd},
        ReaderCase{"longest_line_and_cr_at_the_end",
                   6,
                   4,
                   {"123456\r"},
                   false,
                   kNever,
                   "[123456\r]",
                   kEnd},
        // Complete lines go on whatever their length: the calculator answers them.
        ReaderCase{"long_line_complete_in_one_read",
                   6,
                   64,
                   {"12345678\n"},
                   false,
                   kNever,
                   "[12345678\n]",
                   kEnd},
        ReaderCase{"one_past_the_longest_unfinished",
                   6,
                   64,
                   {"12345678", "9\nab\n"},
                   false,
                   kNever,
                   "T[ab\n]",
                   kEnd},
        ReaderCase{"too_long_over_many_reads",
                   6,
                   4,
                   {"12345678901234\nok\n"},
                   false,
                   kNever,
                   "T[ok\n]",
                   kEnd},
        ReaderCase{"too_long_then_lines_in_the_same_read",
                   6,
                   64,
                   {"123456789", "0\na\nb"},
                   false,
                   kNever,
                   "T[a\n][b]",
                   kEnd},
        ReaderCase{"too_long_last_line", 6, 4, {"123456789"}, false, kNever, "T", kEnd},
        ReaderCase{
            "two_too_long", 6, 64, {"12345678", "\n", "abcdefgh", "\n"}, false, kNever, "TT", kEnd},
        ReaderCase{"read_fails_after_lines",
                   6,
                   64,
                   {"ab\ncd"},
                   true,
                   kNever,
                   "[ab\n]",
                   ReadOutcome::kReadFailed},
        ReaderCase{
            "stopped_by_lines", 6, 64, {"a\n", "b\n"}, false, 1, "[a\n]", ReadOutcome::kStopped},
        ReaderCase{"stopped_by_the_last_line",
                   6,
                   64,
                   {"a\nb"},
                   false,
                   2,
                   "[a\n][b]",
                   ReadOutcome::kStopped},
        ReaderCase{"stopped_by_too_long",
                   6,
                   64,
                   {"123456789", "\na\n"},
                   false,
                   1,
                   "T",
                   ReadOutcome::kStopped}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnel::cli
