#include "cli/field_columns.h"

#include <array>
#include <cmath>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "field/calculated_magnet.h"

namespace tarnel::cli {
namespace {

constexpr std::size_t kColumns = 10;

struct DriveOption {
  const char* name;
  field::Drive drive;
};

constexpr std::array<DriveOption, 3> kDriveOptions = {{
    {"--current", field::Drive::kCurrent},
    {"--voltage", field::Drive::kVoltage},
    {"--field", field::Drive::kCentreField},
}};
constexpr const char* kTemperatureOption = "--temperature";

std::optional<long double> ReadNumber(const std::string& text, char mark) {
  try {
    return TextToNumber(TrimBlanks(text), mark);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

void AppendValue(const std::optional<long double>& value, char mark, std::string& out) {
  out += '\t';
  if (value) {
    out += FormatNumber(*value, CScientificFormat(10, mark));
  }
}

}  // namespace

const char* FieldOptionName(std::string_view argument) {
  auto starts = [argument](std::string_view name) {
    return argument == name ||
           (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
            argument[name.size()] == '=');
  };
  for (const DriveOption& option : kDriveOptions) {
    if (starts(option.name)) {
      return option.name;
    }
  }
  return starts(kTemperatureOption) ? kTemperatureOption : nullptr;
}

bool TakeFieldOption(const char* name, std::string_view value, FieldOptions& options,
                     std::string& error) {
  const std::string_view option = name;
  if (option == kTemperatureOption) {
    if (options.temperatureText) {
      error = "--temperature given twice";
      return false;
    }
    options.temperatureText = std::string(value);
    return true;
  }
  if (options.driveOption) {
    error = "give one of --current, --voltage and --field, once: " + *options.driveOption +
            " and " + std::string(option);
    return false;
  }
  options.driveOption = std::string(option);
  options.driveText = std::string(value);
  return true;
}

bool FinishFieldOptions(char mark, FieldOptions& options, std::string& error) {
  if (!options.driveOption) {
    if (options.temperatureText) {
      error = "--temperature needs --current, --voltage or --field";
      return false;
    }
    return true;
  }
  const std::optional<long double> value = ReadNumber(options.driveText, mark);
  if (!value || !std::isfinite(*value) || !(*value > 0)) {
    error = *options.driveOption + " takes a positive number: '" + options.driveText + "'";
    return false;
  }
  if (options.temperatureText) {
    const std::optional<long double> temperature = ReadNumber(*options.temperatureText, mark);
    // Copper has a resistance where 1 + 0.00393·(T - 20) is positive.
    if (!temperature || !field::ResistanceAt(1, *temperature)) {
      error = "--temperature takes a number of degrees Celsius above -234.4: '" +
              *options.temperatureText + "'";
      return false;
    }
    options.temperature = *temperature;
  }
  for (const DriveOption& option : kDriveOptions) {
    if (*options.driveOption == option.name) {
      options.drive = option.drive;
    }
  }
  options.value = *value;
  return true;
}

const char* FieldHeader() {
  return "\tCurrent\tCentreField\tEndField\tPower\tVoltage\tCurrentDensity\tEnergy"
         "\tTimeConstant\tHeatingRate\tFabryFactor";
}

void AppendFieldColumns(const FieldOptions& options, const ComputedValues& values, char mark,
                        std::string& out) {
  if (!options.drive) {
    return;
  }
  const std::optional<field::Magnet> magnet = field::CalculatedMagnet(values);
  if (!magnet) {
    AppendNoFieldColumns(out);
    return;
  }
  const field::MagnetFigures f =
      field::FiguresFor(*magnet, *options.drive, options.value, options.temperature);
  for (const std::optional<long double>* value :
       {&f.current, &f.centreField, &f.endField, &f.power, &f.voltage, &f.currentDensity, &f.energy,
        &f.timeConstant, &f.heatingRate, &f.fabryFactor}) {
    AppendValue(*value, mark, out);
  }
}

void AppendNoFieldColumns(std::string& out) {
  out.append(kColumns, '\t');
}

}  // namespace tarnel::cli
