// tarnel-calc: runs one calculation per input line, each starting from the
// window's start-up state, and prints what the window would show. See
// HelpText() in command_line.cpp and docs/man/tarnel-calc.1.
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "calc/extended.h"
#include "calc/number_text.h"
#include "cli/command_line.h"
#include "cli/descriptor_io.h"
#include "cli/line_calculator.h"
#include "cli/line_reader.h"
#include "cli/parallel_lines.h"
#include "cli/wire_texts.h"

namespace {

using tarnel::cli::CommandLine;
using tarnel::cli::kMaxLineLength;

constexpr std::string_view kProgram = "tarnel-calc";
// Bytes asked of one read. The input held at once is at most the unfinished
// line (kMaxLineLength and a carriage return) and one read; the output of a
// block is at most about 31 times its input (an empty line is answered with
// 29 bytes), which keeps the program's memory bounded whatever the input.
constexpr std::size_t kReadSize = std::size_t{1} << 18;
constexpr unsigned kMaxDefaultJobs = 16;

// Writes `message` after the program's name, in pieces rather than in a
// string built for it.
void Complain(std::string_view message) {
  std::string ignored;
  tarnel::cli::WriteAll(STDERR_FILENO, kProgram, ignored) &&
      tarnel::cli::WriteAll(STDERR_FILENO, ": ", ignored) &&
      tarnel::cli::WriteAll(STDERR_FILENO, message, ignored) &&
      tarnel::cli::WriteAll(STDERR_FILENO, "\n", ignored);
}

// Writes `text` to the standard output; false, after saying why, when it
// cannot.
bool Emit(std::string_view text) {
  std::string error;
  if (tarnel::cli::WriteAll(STDOUT_FILENO, text, error)) {
    return true;
  }
  Complain("cannot write the output: " + error);
  return false;
}

unsigned JobCount(const CommandLine& options) {
  if (options.jobs != 0) {
    return options.jobs;
  }
  return std::clamp(std::thread::hardware_concurrency(), 1U, kMaxDefaultJobs);
}

std::string LineCount(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " line" : " lines");
}

int Calculate(const CommandLine& options) {
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark(options.mark);

  const unsigned jobs = JobCount(options);
  std::vector<tarnel::cli::LineWorker> workers(jobs, tarnel::cli::LineWorker(options));
  auto calculateAndEmit = [&](std::string_view text) {
    tarnel::cli::CalculateLines(text, workers);
    return std::all_of(workers.begin(), workers.end(),
                       [](const tarnel::cli::LineWorker& worker) { return Emit(worker.output); });
  };

  if (options.header && !Emit(tarnel::cli::HeaderLine(options))) {
    return 1;
  }
  std::string error;
  const auto outcome = tarnel::cli::ReadLines(
      [](char* data, std::size_t size, std::size_t& got, std::string& readError) {
        return tarnel::cli::ReadSome(STDIN_FILENO, data, size, got, readError);
      },
      kMaxLineLength, kReadSize, calculateAndEmit,
      [&workers] {
        std::string& out = workers[0].output;
        out.clear();
        workers[0].calculator.AppendTooLong(out);
        return Emit(out);
      },
      error);
  if (outcome == tarnel::cli::ReadOutcome::kReadFailed) {
    Complain("cannot read the input: " + error);
    return 1;
  }
  if (outcome == tarnel::cli::ReadOutcome::kStopped) {
    return 1;
  }

  std::size_t wrongLines = 0;
  std::size_t longLines = 0;
  std::size_t unsolvedLines = 0;
  for (const auto& worker : workers) {
    wrongLines += worker.calculator.WrongFieldCountLines();
    longLines += worker.calculator.TooLongLines();
    unsolvedLines += worker.calculator.UnsolvedLines();
  }
  if (wrongLines != 0) {
    Complain(LineCount(wrongLines) +
             (options.solve || options.optimize ? " without 6 fields" : " without 5 fields"));
  }
  if (longLines != 0) {
    Complain(LineCount(longLines) + " longer than " + std::to_string(kMaxLineLength) + " bytes");
  }
  if (unsolvedLines != 0) {
    Complain(LineCount(unsolvedLines) + " without a solution");
  }
  return wrongLines == 0 && longLines == 0 && unsolvedLines == 0 ? 0 : 1;
}

// Ends the run on any exception, from this thread or a worker's: the output
// of the blocks before has been written already.
int CalculateOrComplain(const CommandLine& options) {
  try {
    return Calculate(options);
  } catch (const std::bad_alloc&) {
    Complain("out of memory");
  } catch (const std::system_error& error) {
    Complain(std::string("cannot start a thread: ") + error.what());
  } catch (const std::exception& error) {
    Complain(std::string("calculation failed: ") + error.what());
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = tarnel::cli::ParseCommandLine(argc, argv, error);
  if (!options) {
    Complain(error + "\nTry '" + std::string(kProgram) + " --help'.");
    return 2;
  }
  switch (options->action) {
    case CommandLine::Action::kHelp:
      return Emit(tarnel::cli::HelpText()) ? 0 : 1;
    case CommandLine::Action::kVersion:
      return Emit(std::string(kProgram) + " " TARNEL_VERSION "\n") ? 0 : 1;
    case CommandLine::Action::kWires:
      return Emit(tarnel::cli::WireTableText(options->mark)) ? 0 : 1;
    case CommandLine::Action::kCalculate:
      break;
  }
  return CalculateOrComplain(*options);
}
