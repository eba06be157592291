// tarnel-calc: runs one calculation per input line, each starting from the
// window's start-up state, and prints what the window would show. See
// HelpText() in command_line.cpp and docs/man/tarnel-calc.1.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "command_line.h"
#include "descriptor_io.h"
#include "extended.h"
#include "line_calculator.h"
#include "number_text.h"
#include "parallel_lines.h"

namespace {

using tarnel::cli::CommandLine;

constexpr const char* kProgram = "tarnel-calc";
// Bytes asked of one read; a longer line makes the buffer grow.
constexpr std::size_t kReadSize = std::size_t{1} << 20;
constexpr unsigned kMaxDefaultJobs = 16;

void Complain(const std::string& message) {
  std::string ignored;
  tarnel::cli::WriteAll(STDERR_FILENO, std::string(kProgram) + ": " + message + "\n", ignored);
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
  // buffer[0, filled) is input not yet calculated: no line break in it
  // once a block of complete lines has been taken off.
  std::vector<char> buffer(kReadSize);
  std::size_t filled = 0;
  while (true) {
    if (buffer.size() - filled < kReadSize / 2) {
      buffer.resize(buffer.size() * 2);
    }
    std::size_t got = 0;
    std::string error;
    if (!tarnel::cli::ReadSome(STDIN_FILENO, buffer.data() + filled, buffer.size() - filled, got,
                               error)) {
      Complain("cannot read the input: " + error);
      return 1;
    }
    if (got == 0) {
      // A last line without a line break.
      if (filled != 0 && !calculateAndEmit(std::string_view(buffer.data(), filled))) {
        return 1;
      }
      break;
    }
    const std::string_view fresh(buffer.data() + filled, got);
    filled += got;
    const std::size_t lastBreak = fresh.rfind('\n');
    if (lastBreak == std::string_view::npos) {
      continue;
    }
    const std::size_t complete = (fresh.data() - buffer.data()) + lastBreak + 1;
    if (!calculateAndEmit(std::string_view(buffer.data(), complete))) {
      return 1;
    }
    std::memmove(buffer.data(), buffer.data() + complete, filled - complete);
    filled -= complete;
  }

  std::size_t wrongLines = 0;
  std::size_t unsolvedLines = 0;
  for (const auto& worker : workers) {
    wrongLines += worker.calculator.WrongFieldCountLines();
    unsolvedLines += worker.calculator.UnsolvedLines();
  }
  auto lines = [](std::size_t count) {
    return std::to_string(count) + (count == 1 ? " line" : " lines");
  };
  if (wrongLines != 0) {
    Complain(lines(wrongLines) + (options.solve ? " without 6 fields" : " without 5 fields"));
  }
  if (unsolvedLines != 0) {
    Complain(lines(unsolvedLines) + " without a solution");
  }
  return wrongLines == 0 && unsolvedLines == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = tarnel::cli::ParseCommandLine(argc, argv, error);
  if (!options) {
    Complain(error + "\nTry '" + kProgram + " --help'.");
    return 2;
  }
  switch (options->action) {
    case CommandLine::Action::kHelp:
      return Emit(tarnel::cli::HelpText()) ? 0 : 1;
    case CommandLine::Action::kVersion:
      return Emit(std::string(kProgram) + " " TARNEL_VERSION "\n") ? 0 : 1;
    case CommandLine::Action::kCalculate:
      break;
  }
  return Calculate(*options);
}
