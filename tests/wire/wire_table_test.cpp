#include "wire/wire_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/calculation_request.h"
#include "calc/number_text.h"
#include "wire/winding_style.h"

namespace tarnel::wire {
namespace {

// Rows copied by hand from OpenMagnetics MAS data/wires.ndjson at commit
// ea0c4594615bbe9b3084b9e3837496fa38549c26: the outerDiameter maximum
// (and for IEC the conductingDiameter nominal) of the named entries; then
// the IEC entries above 0.5 mm of commit
// 026875fad38210a2ab9b4b41076f319751425e9d (their one outer diameter); then
// rows of Centelsa's single film table.
struct SourceRow {
  WireFamily family;
  const char* size;
  long double copper;  // 0 for AWG: the gauge formula gives it
  long double overall;
};

const SourceRow kSourceRows[] = {
    {WireFamily::kIecGrade1, "0.01", 1e-05L, 1.3000000000000001e-05L},
    {WireFamily::kIecGrade2, "0.022", 2.2000000000000003e-05L, 2.9999999999999994e-05L},
    {WireFamily::kIecGrade1, "0.067", 6.7e-05L, 8e-05L},
    {WireFamily::kIecGrade2, "0.09", 9e-05L, 0.00011300000000000001L},
    {WireFamily::kIecGrade1, "0.1", 0.0001L, 0.00011700000000000001L},
    {WireFamily::kIecGrade2, "0.132", 0.00013199999999900002L, 0.00016199999999900002L},
    {WireFamily::kIecGrade2, "0.25", 0.00025L, 0.000297L},
    {WireFamily::kIecGrade1, "0.315", 0.000314999999999L, 0.000348999999999L},
    {WireFamily::kIecGrade2, "0.355", 0.00035499999999900005L, 0.00041099999999900006L},
    {WireFamily::kIecGrade1, "0.45", 0.00045000000000000004L, 0.000491L},
    {WireFamily::kIecGrade1, "0.500", 0.0005L, 0.000544L},
    {WireFamily::kIecGrade2, "0.5", 0.0005L, 0.000566L},
    {WireFamily::kIecGrade1, "0.56", 0.00056L, 0.000606L},
    {WireFamily::kIecGrade2, "0.63", 0.00063L, 0.000704L},
    {WireFamily::kIecGrade1, "1.00", 0.001L, 0.001062L},
    {WireFamily::kIecGrade2, "1.25", 0.00125L, 0.001349L},
    {WireFamily::kIecGrade1, "1.6", 0.0016L, 0.00167L},
    {WireFamily::kIecGrade2, "2.24", 0.00224L, 0.002355L},
    {WireFamily::kIecGrade2, "3.55", 0.00355L, 0.003679L},
    {WireFamily::kIecGrade1, "5", 0.005L, 0.005093L},
    {WireFamily::kIecGrade2, "5.000", 0.005L, 0.005141L},
    {WireFamily::kAwgSingle, "24", 0, 0.0005510000000000001L},
    {WireFamily::kAwgHeavy, "24", 0, 0.0005769999999990001L},
    {WireFamily::kAwgHeavy, "30", 0, 0.000301999999999L},
    {WireFamily::kAwgSingle, "33", 0, 0.000206L},
    {WireFamily::kAwgSingle, "40", 0, 9.400000000000001e-05L},
    {WireFamily::kAwgHeavy, "40", 0, 0.000102L},
    // Centelsa's NEMA MW-1000 single film table, maximum diameter in mils.
    {WireFamily::kAwgSingle, "14", 0, 66.6L * 2.54e-5L},
    {WireFamily::kAwgSingle, "16", 0, 53.1L * 2.54e-5L},
    {WireFamily::kAwgSingle, "19", 0, 37.9L * 2.54e-5L},
    {WireFamily::kAwgSingle, "23", 0, 24.3L * 2.54e-5L},
};

TEST(WireTable, RowsMatchTheSourceFigures) {
  for (const SourceRow& row : kSourceRows) {
    SCOPED_TRACE(FamilyName(row.family) + " " + row.size);
    const auto wire = FindWire(row.family, row.size);
    ASSERT_TRUE(wire.has_value());
    EXPECT_EQ(wire->overallDiameter, row.overall);
    if (row.copper != 0) {
      EXPECT_EQ(wire->copperDiameter, row.copper);
    } else {
      EXPECT_EQ(wire->copperDiameter, AwgBareDiameter(std::stoi(row.size)));
    }
  }
}

// Centelsa's single film maximum diameters of AWG 24 to 40, in mils as
// printed on its page 10: this second source agrees with the MAS rows of
// those gauges to half the 0.1 mil it prints.
TEST(WireTable, MasSingleBuildRowsAgreeWithCentelsa) {
  const long double printedMils[] = {21.7L, 19.4L, 17.3L, 15.6L, 14.0L, 12.6L, 11.2L, 10.0L, 9.1L,
                                     8.1L,  7.2L,  6.4L,  5.8L,  5.2L,  4.7L,  4.1L,  3.7L};
  int gauge = 24;
  for (const long double mils : printedMils) {
    SCOPED_TRACE("AWG " + std::to_string(gauge));
    const auto wire = FindWire(WireFamily::kAwgSingle, std::to_string(gauge));
    ASSERT_TRUE(wire.has_value());
    EXPECT_NEAR(wire->overallDiameter / 2.54e-5L, mils, 0.05L);
    ++gauge;
  }
}

// Avanti Cables' IS 13730-0-1 table of the SWG sizes 0.559, 0.610 and
// 1.219 mm, which take the increase of the next nominal size up: its grade 1
// and grade 2 maximum overall diameters (mm as printed) plus the step in
// copper are the MAS figures of 0.56, 0.63 and 1.25 mm.
TEST(WireTable, IecRowsAboveHalfAMillimetreAgreeWithAvantiCables) {
  struct AvantiRow {
    const char* size;
    long double swgCopperMm, grade1Mm, grade2Mm;
  };
  const AvantiRow rows[] = {
      {"0.56", 0.559L, 0.605L, 0.629L},
      {"0.63", 0.610L, 0.659L, 0.684L},
      {"1.25", 1.219L, 1.285L, 1.318L},
  };
  for (const AvantiRow& row : rows) {
    SCOPED_TRACE(row.size);
    const auto grade1 = FindWire(WireFamily::kIecGrade1, row.size);
    const auto grade2 = FindWire(WireFamily::kIecGrade2, row.size);
    ASSERT_TRUE(grade1.has_value() && grade2.has_value());
    const long double step = grade1->copperDiameter * 1000 - row.swgCopperMm;
    EXPECT_NEAR(grade1->overallDiameter * 1000, row.grade1Mm + step, 1e-9L);
    EXPECT_NEAR(grade2->overallDiameter * 1000, row.grade2Mm + step, 1e-9L);
  }
}

TEST(WireTable, UnknownSizesAreNotFound) {
  EXPECT_FALSE(FindWire(WireFamily::kIecGrade1, "0.51").has_value());
  EXPECT_FALSE(FindWire(WireFamily::kIecGrade2, "0.6").has_value());
  EXPECT_FALSE(FindWire(WireFamily::kIecGrade2, "5.6").has_value());
  EXPECT_FALSE(FindWire(WireFamily::kAwgHeavy, "41").has_value());
  EXPECT_FALSE(FindWire(WireFamily::kAwgSingle, "13").has_value());
  // No source gives the heavy build of the gauges below 24.
  EXPECT_FALSE(FindWire(WireFamily::kAwgHeavy, "23").has_value());
  EXPECT_FALSE(FindWire(WireFamily::kAwgHeavy, "14").has_value());
  EXPECT_FALSE(FindWire(WireFamily::kAwgSingle, "x").has_value());
}

// The size lists of the wire dialog and of --wires follow the table: IEC
// thinnest first, AWG by rising gauge, so thickest first.
TEST(WireTable, EachFamilyRunsInOrderOfCopper) {
  for (WireFamily family : kWireFamilies) {
    SCOPED_TRACE(FamilyName(family));
    const std::vector<StandardWire> wires = WiresOf(family);
    for (std::size_t i = 1; i < wires.size(); ++i) {
      if (IsIecFamily(family)) {
        EXPECT_GT(wires[i].copperDiameter, wires[i - 1].copperDiameter) << wires[i].size;
      } else {
        EXPECT_LT(wires[i].copperDiameter, wires[i - 1].copperDiameter) << wires[i].size;
      }
    }
  }
}

TEST(WireTable, EveryWireHasEnamelOverItsCopper) {
  for (WireFamily family : kWireFamilies) {
    for (const StandardWire& wire : WiresOf(family)) {
      SCOPED_TRACE(FamilyName(family) + " " + wire.size);
      EXPECT_GT(wire.overallDiameter, wire.copperDiameter);
      EXPECT_LT(wire.overallDiameter, 1.3L * wire.copperDiameter + 5e-6L);
    }
  }
}

// Published bare diameters of the gauge (ASTM B258 tables, mm).
TEST(WireTable, AwgBareDiameterFollowsTheGaugeFormula) {
  EXPECT_EQ(AwgBareDiameter(36), 0.000127L);
  EXPECT_NEAR(AwgBareDiameter(10) * 1000, 2.588L, 0.0005L);
  EXPECT_NEAR(AwgBareDiameter(24) * 1000, 0.511L, 0.0005L);
  EXPECT_NEAR(AwgBareDiameter(40) * 1000, 0.0799L, 0.00005L);
}

// The calculation's N from the texts the wire writes into D and Lambda,
// against (R2 − R1)·H/p² computed here.
TEST(WindingStyle, CalculationGivesTheTurnsTheWireHolds) {
  struct Case {
    WireFamily family;
    const char* size;
    WindingStyle style;
    Winding geometry;
  };
  const Case cases[] = {
      {WireFamily::kIecGrade2, "0.5", WindingStyle::kLayered, {0.01L, 0.02L, 0.03L, 0, 0}},
      {WireFamily::kIecGrade2, "0.5", WindingStyle::kOrthocyclic, {0.01L, 0.02L, 0.03L, 0, 0}},
      {WireFamily::kIecGrade1, "0.1", WindingStyle::kLayered, {0.003L, 0.0071L, 0.0123L, 0, 0}},
      {WireFamily::kAwgHeavy, "24", WindingStyle::kOrthocyclic, {0.02L, 0.031L, 0.017L, 0, 0}},
      {WireFamily::kAwgSingle, "37", WindingStyle::kLayered, {0.001L, 0.0019L, 0.004L, 0, 0}},
      {WireFamily::kAwgSingle, "37", WindingStyle::kOrthocyclic, {0.001L, 0.0019L, 0.004L, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.size) + " " + std::string(StyleName(c.style)));
    const StandardWire wire = *FindWire(c.family, c.size);
    const Winding wound = WoundWith(c.geometry, wire, c.style);
    EXPECT_EQ(wound.D, wire.copperDiameter);
    CalculationFields fields = StartupFields();
    const NumberFormat format = WireFieldFormat('.');
    fields.edR1 = FormatNumber(wound.R1, format);
    fields.edR2 = FormatNumber(wound.R2, format);
    fields.edH = FormatNumber(wound.H, format);
    fields.edD = FormatNumber(wound.D, format);
    fields.edLambda = FormatNumber(wound.Lambda, format);
    EXPECT_NEAR(TextToNumber(fields.edLambda, '.') / wound.Lambda, 1.0L, 3e-19L);
    ComputedValues values;
    RunCalculation(fields, &values);
    ASSERT_TRUE(values.N.has_value()) << fields.edMessage;
    const long double p = wire.overallDiameter;
    long double expected = (c.geometry.R2 - c.geometry.R1) * c.geometry.H / (p * p);
    if (c.style == WindingStyle::kOrthocyclic) {
      expected *= 2.0L / std::sqrt(3.0L);
    }
    EXPECT_NEAR(*values.N / expected, 1.0L, 2e-18L);
  }
}

}  // namespace
}  // namespace tarnel::wire
