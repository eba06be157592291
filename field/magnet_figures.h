// What a current, a supply voltage or a wanted centre field makes of a
// calculated winding: the figures a magnet builder reads.
#pragma once

#include <optional>

#include "calc/winding.h"

namespace tarnel::field {

// The specific heat of copper, J/(kg·K).
inline constexpr long double kCopperHeatCapacity = 385.0L;
// The temperature coefficient of copper's resistivity, 1/K, about 20 °C.
inline constexpr long double kCopperTemperatureCoefficient = 0.00393L;
// The temperature at which the calculation's resistance holds, °C.
inline constexpr long double kReferenceTemperature = 20.0L;

// A calculated winding: its dimensions, the calculation's N and R (R read
// as the resistance at 20 °C) and the exact inductance, when evaluated.
struct Magnet {
  Winding winding;
  long double turnCount = 0;
  long double resistance = 0;
  std::optional<long double> exactL;
};

// The resistance at the winding temperature `temperature` (°C):
// R·(1 + 0.00393·(T - 20)); nothing where that is not a positive number.
std::optional<long double> ResistanceAt(long double resistance, long double temperature);

// The way into the figures: the current, the supply voltage or the wanted
// centre field.
enum class Drive { kCurrent, kVoltage, kCentreField };

struct MagnetFigures {
  std::optional<long double> current;         // A
  std::optional<long double> centreField;     // T
  std::optional<long double> endField;        // T, at the centre of an end face
  std::optional<long double> power;           // W, I²·R at the temperature
  std::optional<long double> voltage;         // V, I·R at the temperature
  std::optional<long double> currentDensity;  // A/m² in the wire: I/(π·D²/4)
  std::optional<long double> energy;          // J, L·I²/2 on the exact L
  std::optional<long double> timeConstant;    // s, L/R on the exact L
  std::optional<long double> heatingRate;     // K/s without cooling: P/(m·c)
  std::optional<long double> fabryFactor;     // G of the shape; none for R1 = 0
};

// The figures of `magnet` driven by `value` (amperes, volts or tesla, as
// `drive` says) at the winding temperature `temperature` (°C). Each figure
// is empty where it cannot be computed; all are empty without a current.
MagnetFigures FiguresFor(const Magnet& magnet, Drive drive, long double value,
                         long double temperature = kReferenceTemperature);

// The current that gives the centre field `field` (tesla).
std::optional<long double> CurrentForCentreField(const Magnet& magnet, long double field);
// The current a supply of `voltage` volts drives at `temperature` (°C).
std::optional<long double> CurrentForVoltage(const Magnet& magnet, long double voltage,
                                             long double temperature = kReferenceTemperature);
// The centre field a power of `power` watts gives at `temperature` (°C).
std::optional<long double> CentreFieldForPower(const Magnet& magnet, long double power,
                                               long double temperature = kReferenceTemperature);

}  // namespace tarnel::field
