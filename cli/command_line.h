// The options of tarnel-calc and their text for --help.
#pragma once

#include <optional>
#include <string>

#include "cli/field_columns.h"

namespace tarnel::cli {

struct CommandLine {
  enum class Action { kCalculate, kHelp, kVersion, kWires };
  Action action = Action::kCalculate;
  char mark = '.';        // decimal separator of the input and output texts
  bool full = false;      // N, R, L as %.20Le instead of their 4-digit texts
  bool exact = false;     // two more columns: exact L and the formula's deviation
  bool header = false;    // a first line naming the columns
  bool solve = false;     // lines R1 R2 H D Lambda L with one of R2, H, D "?": solve it
  bool optimize = false;  // lines R1 R2 H D Lambda L, two of R1, R2, H free: the least wire
  bool winding = false;   // two more columns: wire length and copper mass
  bool sheet = false;     // five more columns: the winder's sheet of a wire line
  // --optimize: pick the thinnest wire of a family whose best coil has at
  // most this resistance, ohms
  std::optional<long double> maxResistance;
  unsigned jobs = 0;    // threads; 0: one per processor
  FieldOptions field;   // the columns of the winding as a magnet
};

// A decimal separator must not be confused with a digit, a sign, an
// exponent letter or a blank, and must be one ASCII character.
bool IsAcceptedMark(char mark);

// The options in argv, or nothing with the reason in `error`.
std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, std::string& error);

// What --help prints.
const char* HelpText();

}  // namespace tarnel::cli
