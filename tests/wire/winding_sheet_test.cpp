#include "wire/winding_sheet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarnel::wire {
namespace {

// Windings worked by hand: wire of overall diameter p = 1 mm and copper
// 1 mm (so the resistance is 1.67e-8·N·(R1 + R2)·4/d², no pi left).
struct SheetCase {
  const char* name;
  WindingStyle style;
  long double R1, R2, H;
  long double turns;  // the calculation's N
  long long wholeTurns, firstLayer, secondLayer, layers;
  long double buildDepth;
};

constexpr long double kRise = 0.86602540378443864676L;  // √3/2

const SheetCase kCases[] = {
    // 0.03/0.001 = 30 a layer, 300 turns fill 10 layers: exactly R2 − R1.
    {"layered full", WindingStyle::kLayered, 0.01L, 0.02L, 0.03L, 300.0L, 300, 30, 30, 10, 0.01L},
    // N a few units of the last place short of 300 still winds 300.
    {"layered N short by rounding", WindingStyle::kLayered, 0.01L, 0.02L, 0.03L,
     299.99999999999999995L, 300, 30, 30, 10, 0.01L},
    // 346 turns in layers of 30 and 29: 5 pairs hold 295, 51 more take two.
    {"orthocyclic", WindingStyle::kOrthocyclic, 0.01L, 0.02L, 0.03L, 346.41L, 346, 30, 29, 12,
     0.001L + 11 * 0.001L * kRise},
    // 10.5 turn widths: 10 a layer both ways; 44 turns = 4 full layers + 4.
    {"layered partial", WindingStyle::kLayered, 0.01L, 0.0142L, 0.0105L, 44.1L, 44, 10, 10, 5,
     0.005L},
    {"orthocyclic partial", WindingStyle::kOrthocyclic, 0.01L, 0.0142L, 0.0105L, 50.92L, 50, 10, 10,
     5, 0.001L + 4 * 0.001L * kRise},
    // 1.2 turn widths: one turn a layer, none in the groove layer, so
    // 3 turns take layers 1, 3 and 5.
    {"orthocyclic one a layer", WindingStyle::kOrthocyclic, 0.01L, 0.02L, 0.0012L, 3.5L, 3, 1, 0, 5,
     0.001L + 4 * 0.001L * kRise},
    {"no whole turn", WindingStyle::kLayered, 0.01L, 0.02L, 0.03L, 0.7L, 0, 30, 30, 0, 0.0L},
};

TEST(WindingSheet, CountsOfHandWorkedWindings) {
  for (const SheetCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const Winding winding{c.R1, c.R2, c.H, 0.001L, 0.5L};
    const auto sheet = SheetOf(winding, c.turns, 0.001L, c.style);
    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(sheet->wholeTurns, c.wholeTurns);
    EXPECT_EQ(sheet->turnsPerLayer, c.firstLayer);
    EXPECT_EQ(sheet->turnsPerOtherLayer, c.secondLayer);
    EXPECT_EQ(sheet->layers, c.layers);
    EXPECT_NEAR(sheet->buildDepth, c.buildDepth, 1e-15L);
    EXPECT_NEAR(sheet->outerDiameter, 2 * (c.R1 + c.buildDepth), 1e-15L);
    EXPECT_NEAR(sheet->depth, c.R2 - c.R1, 1e-18L);
  }
}

TEST(WindingSheet, WireAndResistanceOfTheWholeTurns) {
  const Winding winding{0.01L, 0.02L, 0.03L, 0.001L, 0.5L};
  const auto sheet = SheetOf(winding, 300.4L, 0.001L, WindingStyle::kLayered);
  ASSERT_TRUE(sheet.has_value());
  // 300 turns of mean diameter 30 mm: 300·π·0.03 m; R = 1.67e-8·300·0.12/1e-6.
  EXPECT_NEAR(sheet->wireLength, 300 * 3.1415926L * 0.03L, 1e-12L);
  EXPECT_NEAR(sheet->resistance, 0.6012L, 1e-12L);
  // 9 m·8960 kg/m³·π²·1e-6/4 with PI_APPROX.
  EXPECT_NEAR(sheet->copperMass, 0.02016L * 3.1415926L * 3.1415926L, 1e-12L);
}

TEST(WindingSheet, NoLayerHoldsATurnOfWireWiderThanH) {
  const Winding winding{0.01L, 0.02L, 0.0009L, 0.0008L, 0.5L};
  EXPECT_FALSE(SheetOf(winding, 5.0L, 0.001L, WindingStyle::kLayered).has_value());
  EXPECT_FALSE(SheetOf(winding, 5.0L, 0.001L, WindingStyle::kOrthocyclic).has_value());
}

}  // namespace
}  // namespace tarnel::wire
