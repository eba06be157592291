#include "cli/command_line.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "calc/errors.h"
#include "calc/number_text.h"

namespace tarnel::cli {
namespace {

// More threads than this only wait for the output to be written.
constexpr unsigned kMaxJobs = 64;

bool ParseJobs(std::string_view text, unsigned& jobs) {
  const char* end = text.data() + text.size();
  const auto [rest, fault] = std::from_chars(text.data(), end, jobs);
  return fault == std::errc() && rest == end && jobs >= 1 && jobs <= kMaxJobs;
}

}  // namespace

bool IsAcceptedMark(char mark) {
  const auto code = static_cast<unsigned char>(mark);
  if (code <= 32 || code >= 127) {
    return false;
  }
  return std::strchr("0123456789+-eE", mark) == nullptr;
}

std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, std::string& error) {
  CommandLine options;
  std::optional<std::string_view> maxResistanceText;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    // "--mark X" and "--mark=X" alike; the same for --jobs.
    auto valueOf = [&](std::string_view name, std::optional<std::string_view>& value) {
      if (argument == name) {
        if (i + 1 < argc) {
          value = argv[++i];
        } else {
          error = std::string(name) + " needs a value";
        }
        return true;
      }
      if (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
          argument[name.size()] == '=') {
        value = argument.substr(name.size() + 1);
        return true;
      }
      return false;
    };
    std::optional<std::string_view> value;
    if (argument == "--help" || argument == "-h") {
      options.action = CommandLine::Action::kHelp;
      return options;
    }
    if (argument == "--version") {
      options.action = CommandLine::Action::kVersion;
      return options;
    }
    if (argument == "--full") {
      options.full = true;
    } else if (argument == "--exact") {
      options.exact = true;
    } else if (argument == "--header") {
      options.header = true;
    } else if (argument == "--solve") {
      options.solve = true;
    } else if (argument == "--optimize") {
      options.optimize = true;
    } else if (argument == "--winding") {
      options.winding = true;
    } else if (argument == "--sheet") {
      options.sheet = true;
    } else if (argument == "--wires") {
      options.action = CommandLine::Action::kWires;
    } else if (valueOf("--mark", value)) {
      if (!value) {
        return std::nullopt;
      }
      if (value->size() != 1 || !IsAcceptedMark(value->front())) {
        error =
            "--mark takes one ASCII character that is not a digit, a sign, "
            "a blank, a control character, \"e\" or \"E\": '" +
            std::string(*value) + "'";
        return std::nullopt;
      }
      options.mark = value->front();
    } else if (valueOf("--max-resistance", value)) {
      if (!value) {
        return std::nullopt;
      }
      maxResistanceText = value;
    } else if (valueOf("--jobs", value)) {
      if (!value) {
        return std::nullopt;
      }
      if (!ParseJobs(*value, options.jobs)) {
        error = "--jobs takes a whole number from 1 to " + std::to_string(kMaxJobs) + ": '" +
                std::string(*value) + "'";
        return std::nullopt;
      }
    } else if (const char* name = FieldOptionName(argument);
               name != nullptr && valueOf(name, value)) {
      if (!value || !TakeFieldOption(name, *value, options.field, error)) {
        return std::nullopt;
      }
    } else {
      error = "unknown option '" + std::string(argument) + "'";
      return std::nullopt;
    }
  }
  if (!FinishFieldOptions(options.mark, options.field, error)) {
    return std::nullopt;
  }
  if (maxResistanceText) {
    if (!options.optimize) {
      error = "--max-resistance goes with --optimize";
      return std::nullopt;
    }
    // Read after every option, so that it takes the --mark given.
    long double limit = 0;
    try {
      limit = TextToNumber(TrimBlanks(*maxResistanceText), options.mark);
    } catch (const Exception&) {
      limit = 0;
    }
    if (!(limit > 0) || !std::isfinite(limit)) {
      error = "--max-resistance takes a number of ohms above 0: '" +
              std::string(*maxResistanceText) + "'";
      return std::nullopt;
    }
    options.maxResistance = limit;
  }
  return options;
}

const char* HelpText() {
  return R"(Usage: tarnel-calc [OPTION]... < INPUT > OUTPUT
Computes a cylindrical multi-layer solenoid for every input line, as the
Tarnel window would for the same five texts.

Each input line holds five TAB-separated texts: R1 R2 H D Lambda
(inner and outer radius, height, wire diameter in metres; packing factor).
Each output line holds five TAB-separated columns: N R L Message Error
(turns, DC resistance in ohms, inductance in henries, the window's message,
the error a text that is not a number or an arithmetic fault raised).

  --mark C     decimal separator for reading and writing numbers
               (default "."); one ASCII character that is not a digit,
               "+", "-", "e", "E", a blank or a control character
  --full       N, R and L with 21 significant digits (%.20Le, always ".")
  --exact      two more columns: the exact inductance of the same winding
               for a uniform current density, in henries, with 10
               significant digits, and the formula's relative deviation
               from it (L / exact - 1) with 4 significant digits, both
               written with the decimal separator; empty when the line
               gave no L, "NA" in both when the exact value cannot be
               evaluated to its accuracy for that winding
  --header     first print a line naming the columns:
               [Solved | [Wire] R1 R2 H] N R L Message Error
               [ExactL Deviation] [WireLength CopperMass]
               [WholeTurns TurnsPerLayer Layers BuildDepth OuterDiameter]
               [Current CentreField EndField Power Voltage CurrentDensity
               Energy TimeConstant HeatingRate FabryFactor]
  --solve      solve for a winding dimension instead: each input line holds
               six TAB-separated texts R1 R2 H D Lambda L, exactly one of
               R2, H and D written as "?" and L the inductance wanted, in
               henries; the output line starts with the solved dimension in
               metres (10 significant digits, with the decimal separator),
               then the columns of --exact for the winding with that text
               written in: the solve aims the exact inductance (ExactL) at
               the target, not the formula's L; a line without a solution
               (out of reach, a rule the given numbers break, a text that
               is not a number) leaves them empty and gives the reason in
               the Error column
  --optimize   find the coil of least wire (so least DC resistance) instead:
               each input line holds six TAB-separated texts R1 R2 H D
               Lambda L, each of R1, R2 and H a number (kept, written
               again with 10 significant digits), "?" (free), "?<=X" or
               "?>=X" (free, at most or at least X metres), at least two of
               them not kept, and L the inductance wanted in henries; the
               output line starts with R1, R2 and H in metres (10
               significant digits, with the decimal separator), then the
               columns of --exact for the winding with those texts: its
               ExactL equals the target to 1e-9 relative; a line without a
               solution leaves them empty and gives the reason (the bound
               or rule that stops it) in the Error column
  --max-resistance R
               with --optimize, pick the wire too: D written as a family
               with "?" for the size (IEC:?:1, IEC:?:2, AWG:?:single or
               AWG:?:heavy) and Lambda as a style (layered or
               orthocyclic); the thinnest wire of the family whose coil of
               least resistance has at most R ohms, and that coil; a first
               column Wire names it as a D text (such as AWG:16:single),
               the line then being that of the wire's D and Lambda
  --winding    two more columns, where N was computed: the length of the
               wire, N turns of mean diameter R1 + R2, in metres, and the
               mass of copper (density 8960 kg/m^3), in kilograms, written
               as N is
  --current I  ten more columns after all others, where N was computed,
               for a current of I amperes through the winding: Current (A),
               CentreField and EndField (the field on the axis at the
               centre and at the centre of an end face, in tesla, for a
               uniform current density), Power (W), Voltage (V),
               CurrentDensity (in the wire, A/m^2), Energy (J) and
               TimeConstant (s) on the exact inductance (empty where --exact
               gives NA), HeatingRate (K/s, the copper without cooling,
               385 J/(kg K)) and FabryFactor (empty without a hole); all
               with 10 significant digits and the decimal separator
  --voltage V  the same columns for the current a supply of V volts drives
  --field B    the same columns for the current that gives a centre field
               of B tesla; give one of --current, --voltage and --field,
               a positive number written with the decimal separator
  --temperature T
               the winding temperature in degrees Celsius for the
               resistance these columns use (default 20): R is taken as
               the resistance at 20 degrees, times 1 + 0.00393 (T - 20)
  --sheet      five more columns, the winder's sheet, on a line whose D is
               a wire and whose Lambda a style (see Standard wires):
               WholeTurns (N rounded down), TurnsPerLayer ("a/b" for
               orthocyclic: the first layer's count and the next one's, one
               groove short), Layers, BuildDepth (the depth those layers
               take, metres) and OuterDiameter (2 (R1 + BuildDepth)), the
               depths written as N is; empty on other lines, "NA" where a
               layer holds no turn (H below the wire's overall diameter)
  --wires      print the table of standard wires with their sources and exit
  --jobs N     compute on N threads (default: one per processor); the
               output order is the input order whatever N is
  --help       print this help and exit
  --version    print the version and exit

Standard wires: on any line, a D text IEC:<mm>:<grade> (grade 1 or 2 of
IEC 60317-0-1, the size with "."), or AWG:<gauge>:<build> (build single or
heavy, NEMA MW 1000), such as IEC:0.500:2 or AWG:24:heavy, stands for the
wire's copper diameter; a Lambda text "layered" (turn on turn) or
"orthocyclic" then stands for the packing factor of that wire wound so,
written with 21 significant digits so that N is (R2 - R1) H / p^2 layered
and 2/sqrt(3) of it orthocyclic, p the wire's maximum overall diameter.
With a numeric Lambda the wire gives D only. An unknown wire, or a style
without a wire in D, gives its reason in the Error column.

A line with other than five fields (six with --solve or --optimize) is
answered with an
empty result and "expected 5 fields, got K" in its Error column; a line
longer than 1 MiB with "line too long", and it is skipped.

Exit status: 0 when every line had five fields (six with --solve or
--optimize) and, with --solve or --optimize, a solution; 1 when a line had not or was too long (after the
whole input), the input could not be read, the output could not be written,
or memory or a thread was lacking; 2 for a wrong option.
)";
}

}  // namespace tarnel::cli
