// The columns of the winding as a magnet (--current, --voltage or --field,
// and --temperature): the options and what they add to a line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/calculation_request.h"
#include "field/magnet_figures.h"

namespace tarnel::cli {

struct FieldOptions {
  // The way in and its value, once the options are read; no drive, no
  // columns.
  std::optional<field::Drive> drive;
  long double value = 0;
  long double temperature = field::kReferenceTemperature;

  // The texts of the options as given, read once the decimal separator is
  // known.
  std::optional<std::string> driveOption;
  std::string driveText;
  std::optional<std::string> temperatureText;
};

// The option name `argument` starts ("--current" for "--current" and
// "--current=2"), or nullptr when it is none of these options.
const char* FieldOptionName(std::string_view argument);

// Takes the value of the option `name`; false with the reason in `error`
// when the option was given twice or with another way in.
bool TakeFieldOption(const char* name, std::string_view value, FieldOptions& options,
                     std::string& error);

// Reads the values taken with the decimal separator `mark`; false with the
// reason in `error` when one is not a positive number (the temperature: a
// number at which copper has a resistance) or --temperature came alone.
bool FinishFieldOptions(char mark, FieldOptions& options, std::string& error);

// The column names, each after a tab.
const char* FieldHeader();

// The columns, each after a tab, of the line that computed `values`: all
// empty without an N.
void AppendFieldColumns(const FieldOptions& options, const ComputedValues& values, char mark,
                        std::string& out);

// The columns of a line that computed nothing.
void AppendNoFieldColumns(std::string& out);

}  // namespace tarnel::cli
