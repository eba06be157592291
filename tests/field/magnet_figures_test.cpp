// The Fabry factor and the figures of a drive, against values obtained
// another way: a search of the factor's maximum, the field-power identity
// and the exact inductance.
#include "field/magnet_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "calc/calculation_request.h"
#include "calc/constants.h"
#include "field/axial_field.h"
#include "field/fabry_factor.h"
#include "reference/exact_inductance.h"

namespace tarnel::field {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kResistivity = 1.67e-8L;

// The winding as the calculation computes it from the five texts.
Magnet Calculated(const char* R1, const char* R2, const char* H, const char* D,
                  const char* Lambda) {
  CalculationFields fields = StartupFields();
  fields.edR1 = R1;
  fields.edR2 = R2;
  fields.edH = H;
  fields.edD = D;
  fields.edLambda = Lambda;
  ComputedValues values;
  RunCalculation(fields, &values);
  Magnet magnet;
  magnet.winding = *values.winding;
  magnet.turnCount = *values.N;
  magnet.resistance = *values.R;
  magnet.exactL = *values.N * *values.N *
                  reference::ExactInductancePerTurnSquaredExtended(
                      values.winding->R1, values.winding->R2, values.winding->H);
  return magnet;
}

double Relative(long double value, long double expected) {
  return static_cast<double>(value / expected - 1);
}

TEST(FabryFactor, BestShapeIsTheMaximumOfAGridSearch) {
  // A grid over the shapes, refined three times around its best point.
  long double bestAlpha = 0;
  long double bestBeta = 0;
  long double best = 0;
  long double alphaLow = 1.1L;
  long double alphaHigh = 10;
  long double betaLow = 0.1L;
  long double betaHigh = 10;
  for (int round = 0; round < 6; ++round) {
    const int steps = 60;
    for (int i = 0; i <= steps; ++i) {
      for (int j = 0; j <= steps; ++j) {
        const long double alpha = alphaLow + (alphaHigh - alphaLow) * i / steps;
        const long double beta = betaLow + (betaHigh - betaLow) * j / steps;
        const long double g = *FabryFactor(alpha, beta);
        if (g > best) {
          best = g;
          bestAlpha = alpha;
          bestBeta = beta;
        }
      }
    }
    const long double alphaStep = (alphaHigh - alphaLow) / steps;
    const long double betaStep = (betaHigh - betaLow) / steps;
    alphaLow = bestAlpha - 2 * alphaStep;
    alphaHigh = bestAlpha + 2 * alphaStep;
    betaLow = bestBeta - 2 * betaStep;
    betaHigh = bestBeta + 2 * betaStep;
  }
  const BestFabry& found = BestFabryFactor();
  EXPECT_NEAR(static_cast<double>(found.factor), static_cast<double>(best), 1e-15);
  EXPECT_GE(found.factor, best);
  EXPECT_NEAR(static_cast<double>(found.alpha), static_cast<double>(bestAlpha), 1e-3);
  EXPECT_NEAR(static_cast<double>(found.beta), static_cast<double>(bestBeta), 1e-3);
  // The published optimum: G about 0.142 near α ≈ 3, β ≈ 2.
  EXPECT_NEAR(static_cast<double>(found.factor), 0.142, 0.001);
  EXPECT_NEAR(static_cast<double>(found.alpha), 3.0, 0.3);
  EXPECT_NEAR(static_cast<double>(found.beta), 2.0, 0.3);
}

TEST(FabryFactor, ShapesWithoutAFactor) {
  EXPECT_FALSE(FabryFactor(1, 1));
  EXPECT_FALSE(FabryFactor(0.5L, 1));
  EXPECT_FALSE(FabryFactor(2, 0));
  EXPECT_FALSE(FabryFactor(std::numeric_limits<long double>::quiet_NaN(), 1));
  EXPECT_FALSE(FabryFactorOf({0, 0.02L, 0.03L, 0.001L, 0.6L}));
  // A thin wall keeps its digits: G ≈ √(β/(4π))·ln-ratio with the ratio
  // 1 + (α - 1)·(1 + 2/(2√(1 + β²)))/(1 + √(1 + β²)) = 1 + (α - 1)/√(1 + β²).
  const long double alpha = 1 + 1e-12L;
  const long double e = alpha - 1;
  const long double g = *FabryFactor(alpha, 1);
  const long double expected = std::sqrt(1 / (2 * kPi * e * (2 + e))) * e / std::sqrt(2.0L);
  EXPECT_NEAR(Relative(g, expected), 0.0, 1e-11);
}

// The centre field a power gives is μ0·G·√(P·Lambda/(ρ·R1)) for the
// resistance of the winding with the true π. The calculation's R takes its
// wire length and section with PI_APPROX and is smaller by PI_APPROX/π: a
// power drives more current through it, and the field is larger by
// √(π/PI_APPROX) - 1, about 8.5e-9.
TEST(MagnetFigures, CentreFieldOfAPowerIsTheFabryIdentity) {
  const Magnet magnets[] = {
      Calculated("0.01", "0.02", "0.03", "0.001", "0.6"),
      Calculated("0.01", "0.03", "0.04", "0.0005", "0.7"),
      Calculated("0.002", "0.0021", "0.5", "0.00005", "0.5"),
      Calculated("0.05", "0.2", "0.01", "0.002", "0.8"),
  };
  const long double offByPi = std::sqrt(kPi / kPiApprox) - 1;
  for (const Magnet& magnet : magnets) {
    const Winding& w = magnet.winding;
    for (const long double power : {1e-3L, 1.0L, 250.0L}) {
      const long double identity = reference::kMagneticConstant * *FabryFactorOf(w) *
                                   std::sqrt(power * w.Lambda / (kResistivity * w.R1));
      Magnet truePi = magnet;
      truePi.resistance = magnet.resistance * kPi / kPiApprox;
      EXPECT_NEAR(Relative(*CentreFieldForPower(truePi, power), identity), 0.0, 1e-15);
      EXPECT_NEAR(Relative(*CentreFieldForPower(magnet, power), identity),
                  static_cast<double>(offByPi), 1e-15);
    }
  }
}

TEST(MagnetFigures, ResistanceFollowsTheWindingTemperature) {
  const struct {
    long double temperature;
    long double factor;
  } cases[] = {{20, 1}, {70, 1.1965L}, {-30, 0.8035L}, {120, 1.393L}};
  for (const auto& c : cases) {
    EXPECT_NEAR(Relative(*ResistanceAt(2, c.temperature), 2 * c.factor), 0.0, 1e-18);
  }
  // Below about -234 °C the linear law gives no resistance.
  EXPECT_FALSE(ResistanceAt(2, -300));
  EXPECT_FALSE(ResistanceAt(2, std::numeric_limits<long double>::quiet_NaN()));
}

// Every way in describes one operating point: the figures of a current, of
// the voltage it needs and of the field it makes are the same.
TEST(MagnetFigures, TheThreeWaysInMeetAtOnePoint) {
  const Magnet magnet = Calculated("0.01", "0.02", "0.03", "0.001", "0.6");
  for (const long double temperature : {20.0L, 85.0L}) {
    const MagnetFigures byCurrent = FiguresFor(magnet, Drive::kCurrent, 1.5L, temperature);
    const MagnetFigures byVoltage =
        FiguresFor(magnet, Drive::kVoltage, *byCurrent.voltage, temperature);
    const MagnetFigures byField =
        FiguresFor(magnet, Drive::kCentreField, *byCurrent.centreField, temperature);
    for (const MagnetFigures* other : {&byVoltage, &byField}) {
      EXPECT_NEAR(Relative(*other->current, 1.5L), 0.0, 1e-17);
      EXPECT_NEAR(Relative(*other->power, *byCurrent.power), 0.0, 1e-17);
      EXPECT_NEAR(Relative(*other->energy, *byCurrent.energy), 0.0, 1e-17);
    }
    const long double hot = *ResistanceAt(magnet.resistance, temperature);
    EXPECT_NEAR(Relative(*byCurrent.voltage, 1.5L * hot), 0.0, 1e-18);
    EXPECT_NEAR(Relative(*byCurrent.power, 2.25L * hot), 0.0, 1e-18);
    EXPECT_NEAR(Relative(*CurrentForVoltage(magnet, 12, temperature), 12 / hot), 0.0, 1e-18);
  }
}

// The energy and the time constant stand on the exact inductance, the
// current density in the wire on its true section, the heating on the mass
// of copper.
TEST(MagnetFigures, FiguresAgainstTheirDefinitions) {
  const Magnet magnets[] = {
      Calculated("0.01", "0.02", "0.03", "0.001", "0.6"),
      Calculated("0.05", "0.2", "0.01", "0.002", "0.8"),
  };
  for (const Magnet& magnet : magnets) {
    const Winding& w = magnet.winding;
    const long double L =
        magnet.turnCount * magnet.turnCount *
        reference::ExactInductancePerTurnSquared(
            static_cast<double>(w.R1), static_cast<double>(w.R2), static_cast<double>(w.H));
    const MagnetFigures f = FiguresFor(magnet, Drive::kCurrent, 2);
    EXPECT_NEAR(Relative(*f.energy, L * 2), 0.0, 1e-9);
    EXPECT_NEAR(Relative(*f.timeConstant, L / magnet.resistance), 0.0, 1e-9);
    EXPECT_NEAR(Relative(*f.currentDensity, 8 / (kPi * w.D * w.D)), 0.0, 1e-18);
    // Copper of N turns of mean length π(R1 + R2) and section πD²/4, with
    // PI_APPROX as the resistance takes them.
    const long double mass =
        magnet.turnCount * kPiApprox * (w.R1 + w.R2) * kPiApprox * w.D * w.D / 4 * 8960;
    EXPECT_NEAR(Relative(*f.heatingRate, *f.power / (mass * 385)), 0.0, 1e-17);
    EXPECT_NEAR(Relative(*f.fabryFactor, *FabryFactor(w.R2 / w.R1, w.H / (2 * w.R1))), 0.0, 0);
    const long double density = magnet.turnCount * 2 / ((w.R2 - w.R1) * w.H);
    EXPECT_EQ(*f.centreField, *CentreField(w, density));
    EXPECT_EQ(*f.endField, *EndField(w, density));
  }
}

TEST(MagnetFigures, WhatCannotBeComputedStaysEmpty) {
  Magnet magnet = Calculated("0.01", "0.02", "0.03", "0.001", "0.6");
  magnet.exactL.reset();
  const MagnetFigures noExact = FiguresFor(magnet, Drive::kCurrent, 1);
  EXPECT_TRUE(noExact.power);
  EXPECT_FALSE(noExact.energy);
  EXPECT_FALSE(noExact.timeConstant);
  // No current for a winding too cold for the linear law; nothing follows.
  const MagnetFigures cold = FiguresFor(magnet, Drive::kVoltage, 12, -300);
  EXPECT_FALSE(cold.current);
  EXPECT_FALSE(cold.centreField);
  EXPECT_FALSE(cold.fabryFactor);
  // A winding without a hole has a field but no Fabry factor.
  Magnet solid = magnet;
  solid.winding.R1 = 0;
  const MagnetFigures noHole = FiguresFor(solid, Drive::kCentreField, 0.01L);
  ASSERT_TRUE(noHole.current);
  EXPECT_NEAR(Relative(*noHole.centreField, 0.01L), 0.0, 1e-17);
  EXPECT_FALSE(noHole.fabryFactor);
}

}  // namespace
}  // namespace tarnel::field
