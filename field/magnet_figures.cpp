#include "field/magnet_figures.h"

#include <cmath>
#include <numbers>

#include "calc/winding_figures.h"
#include "field/axial_field.h"
#include "field/fabry_factor.h"

namespace tarnel::field {
namespace {

std::optional<long double> Finite(long double value) {
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// The centre field of one ampere.
std::optional<long double> CentreFieldPerAmpere(const Magnet& magnet) {
  const std::optional<long double> density = CurrentDensity(magnet.winding, magnet.turnCount, 1);
  if (!density) {
    return std::nullopt;
  }
  return CentreField(magnet.winding, *density);
}

}  // namespace

// Swappable parameters: the value, then the temperature it is taken at.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
std::optional<long double> ResistanceAt(long double resistance, long double temperature) {
  const long double rise = temperature - kReferenceTemperature;
  const long double hot = resistance * (1 + kCopperTemperatureCoefficient * rise);
  if (!std::isfinite(hot) || !(hot > 0)) {
    return std::nullopt;
  }
  return hot;
}

std::optional<long double> CurrentForCentreField(const Magnet& magnet, long double field) {
  const std::optional<long double> perAmpere = CentreFieldPerAmpere(magnet);
  if (!perAmpere || !(*perAmpere > 0)) {
    return std::nullopt;
  }
  return Finite(field / *perAmpere);
}

// Swappable parameters: the drive, then the temperature.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
std::optional<long double> CurrentForVoltage(const Magnet& magnet, long double voltage,
                                             long double temperature) {
  const std::optional<long double> resistance = ResistanceAt(magnet.resistance, temperature);
  if (!resistance) {
    return std::nullopt;
  }
  return Finite(voltage / *resistance);
}

// Swappable parameters: the drive, then the temperature.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
std::optional<long double> CentreFieldForPower(const Magnet& magnet, long double power,
                                               long double temperature) {
  const std::optional<long double> resistance = ResistanceAt(magnet.resistance, temperature);
  const std::optional<long double> perAmpere = CentreFieldPerAmpere(magnet);
  if (!resistance || !perAmpere || !(power >= 0)) {
    return std::nullopt;
  }
  return Finite(*perAmpere * std::sqrt(power / *resistance));
}

MagnetFigures FiguresFor(const Magnet& magnet, Drive drive, long double value,
                         long double temperature) {
  MagnetFigures figures;
  switch (drive) {
    case Drive::kCurrent:
      figures.current = Finite(value);
      break;
    case Drive::kVoltage:
      figures.current = CurrentForVoltage(magnet, value, temperature);
      break;
    case Drive::kCentreField:
      figures.current = CurrentForCentreField(magnet, value);
      break;
  }
  if (!figures.current) {
    return figures;
  }
  const long double current = *figures.current;
  const Winding& w = magnet.winding;
  const std::optional<long double> density = CurrentDensity(w, magnet.turnCount, current);
  if (density) {
    figures.centreField = CentreField(w, *density);
    figures.endField = EndField(w, *density);
  }
  const std::optional<long double> resistance = ResistanceAt(magnet.resistance, temperature);
  if (resistance) {
    figures.power = Finite(current * current * *resistance);
    figures.voltage = Finite(current * *resistance);
  }
  const long double pi = std::numbers::pi_v<long double>;
  figures.currentDensity = Finite(current / (pi * w.D * w.D / 4));
  if (magnet.exactL) {
    figures.energy = Finite(*magnet.exactL * current * current / 2);
    if (resistance) {
      figures.timeConstant = Finite(*magnet.exactL / *resistance);
    }
  }
  const long double mass = FiguresOf(w, magnet.turnCount).copperMass;
  if (figures.power && mass > 0) {
    figures.heatingRate = Finite(*figures.power / (mass * kCopperHeatCapacity));
  }
  figures.fabryFactor = FabryFactorOf(w);
  return figures;
}

}  // namespace tarnel::field
