// tarnel-calc: runs one calculation per input line, each starting from the
// window's start-up state, and prints what the window would show.
//
// Input line:  R1 <TAB> R2 <TAB> H <TAB> D <TAB> Lambda
// Output line: N <TAB> R <TAB> L <TAB> Message <TAB> Error
//
// Options: --mark C  decimal separator (default ".")
//          --full    computed results as %.20Le instead of their texts
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "calculation_request.h"
#include "errors.h"
#include "extended.h"
#include "number_text.h"

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const auto tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) {
      return parts;
    }
    start = tab + 1;
  }
}

std::string Shown(const std::string& text, const std::optional<long double>& value, bool full) {
  if (!full || !value) {
    return text;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.20Le", *value);
  return buffer;
}

int Usage() {
  std::cerr << "usage: tarnel-calc [--mark C] [--full] < lines\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool full = false;
  char mark = '.';
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--full") == 0) {
      full = true;
    } else if (std::strcmp(argv[i], "--mark") == 0 && i + 1 < argc &&
               std::strlen(argv[i + 1]) == 1) {
      mark = argv[++i][0];
    } else {
      return Usage();
    }
  }
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark(mark);

  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    auto inputs = SplitTabs(line);
    inputs.resize(5);
    tarnel::CalculationFields fields;
    fields.edR1 = inputs[0];
    fields.edR2 = inputs[1];
    fields.edH = inputs[2];
    fields.edD = inputs[3];
    fields.edLambda = inputs[4];
    fields.edMessage = tarnel::kReadyMessage;
    tarnel::ComputedValues values;
    std::string error;
    try {
      tarnel::RunCalculation(fields, &values);
    } catch (const tarnel::Exception& e) {
      error = std::string(e.ClassName()) + ": " + e.Message();
    }
    std::cout << Shown(fields.edN, values.N, full) << '\t' << Shown(fields.edR, values.R, full)
              << '\t' << Shown(fields.edL, values.L, full) << '\t' << fields.edMessage << '\t'
              << error << '\n';
  }
  return 0;
}
