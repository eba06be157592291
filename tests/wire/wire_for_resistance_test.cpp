#include "wire/wire_for_resistance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "calc/calculation_request.h"
#include "calc/number_text.h"

namespace tarnel::wire {
namespace {

struct LimitCase {
  std::string name;
  WireFamily family;
  WindingStyle style;
  design::DimensionChoice R1, R2, H;
  long double R1Kept = 0;  // R1 where kept
  long double targetL;
  long double maxResistance;
  bool thickestHasNoCoil = false;  // the bounds leave the thickest wire without a coil
};

void PrintTo(const LimitCase& c, std::ostream* os) {
  *os << c.name;
}

design::DimensionChoice Free() {
  return {};
}
design::DimensionChoice Kept() {
  return {true, 0, std::numeric_limits<long double>::infinity()};
}
design::DimensionChoice AtMost(long double x) {
  return {false, 0, x};
}

WireLimitRequest RequestOf(const LimitCase& c) {
  WireLimitRequest request;
  request.coil.R1 = c.R1;
  request.coil.R2 = c.R2;
  request.coil.H = c.H;
  request.coil.winding.R1 = c.R1Kept;
  request.coil.targetL = c.targetL;
  request.family = c.family;
  request.style = c.style;
  request.maxResistance = c.maxResistance;
  return request;
}

// Every wire of the family from the thinnest, with its best coil's
// resistance where it has a coil.
std::vector<std::pair<StandardWire, std::optional<long double>>> ScanOf(
    const WireLimitRequest& request) {
  std::vector<StandardWire> wires = WiresOf(request.family);
  std::sort(wires.begin(), wires.end(), [](const StandardWire& a, const StandardWire& b) {
    return a.copperDiameter < b.copperDiameter;
  });
  std::vector<std::pair<StandardWire, std::optional<long double>>> scan;
  for (const StandardWire& w : wires) {
    const design::BestCoil coil = design::FindBestCoil(CoilRequestFor(request, w));
    scan.emplace_back(w,
                      coil.solved ? std::optional<long double>(ResistanceOf(coil)) : std::nullopt);
  }
  return scan;
}

class WireForResistanceTest : public ::testing::TestWithParam<LimitCase> {};

// The search gives the first wire of the scan whose coil meets the limit,
// that wire's best coil, and a resistance the calculation agrees with.
TEST_P(WireForResistanceTest, IsTheThinnestWireOfTheScanThatMeetsTheLimit) {
  const WireLimitRequest request = RequestOf(GetParam());
  const auto scan = ScanOf(request);
  const auto first = std::find_if(scan.begin(), scan.end(), [&](const auto& row) {
    return row.second && *row.second <= request.maxResistance;
  });
  EXPECT_EQ(!scan.back().second, GetParam().thickestHasNoCoil);
  const WireForLimit found = FindWireForResistance(request);
  ASSERT_EQ(found.found, first != scan.end()) << found.message;
  if (!found.found) {
    EXPECT_FALSE(found.message.empty());
    return;
  }
  EXPECT_EQ(found.wire.size, first->first.size);
  EXPECT_EQ(found.resistance, *first->second);
  EXPECT_LE(found.resistance, request.maxResistance);
  // The coil is the wire's, wound in the style asked.
  const Winding wound = WoundWith(found.coil.winding, found.wire, request.style);
  EXPECT_EQ(found.coil.winding.D, wound.D);
  EXPECT_EQ(found.coil.winding.Lambda, wound.Lambda);
  // The resistance is the R the calculation gives for that coil.
  CalculationFields fields;
  const NumberFormat format = CScientificFormat(21, '.');
  fields.edR1 = FormatNumber(found.coil.winding.R1, format);
  fields.edR2 = FormatNumber(found.coil.winding.R2, format);
  fields.edH = FormatNumber(found.coil.winding.H, format);
  fields.edD = FormatNumber(found.coil.winding.D, format);
  fields.edLambda = FormatNumber(found.coil.winding.Lambda, format);
  ComputedValues values;
  RunCalculation(fields, &values);
  ASSERT_TRUE(values.R.has_value()) << fields.edMessage;
  EXPECT_NEAR(found.resistance, *values.R, *values.R * 1e-15L);
}

// Where nothing binds, the best coil's resistance falls as the wire
// thickens, as the search's comment says.
TEST(WireForResistance, FreeCoilsLoseResistanceAsTheWireThickens) {
  for (const WireFamily family : kWireFamilies) {
    LimitCase c{"free", family, WindingStyle::kLayered, Free(), Free(), Free(), 0, 1.5e-3L, 1};
    const auto scan = ScanOf(RequestOf(c));
    std::optional<long double> previous;
    int solved = 0;
    for (const auto& [w, resistance] : scan) {
      if (!resistance) {
        continue;
      }
      ++solved;
      if (previous) {
        EXPECT_LT(*resistance, *previous) << FamilyName(family) << " " << w.size;
      }
      previous = resistance;
    }
    EXPECT_GT(solved, 10) << FamilyName(family);
  }
}

TEST(WireForResistance, ALimitOfZeroOrLessIsRefused) {
  LimitCase c{
      "zero", WireFamily::kIecGrade1, WindingStyle::kLayered, Free(), Free(), Free(), 0, 1.5e-3L,
      0};
  const WireForLimit found = FindWireForResistance(RequestOf(c));
  EXPECT_FALSE(found.found);
  EXPECT_FALSE(found.message.empty());
}

// A limit below every coil's resistance names the least one reached.
TEST(WireForResistance, ALimitNoWireMeetsGivesTheLeastResistanceReached) {
  LimitCase c{
      "tight", WireFamily::kIecGrade2, WindingStyle::kLayered, Free(), Free(), Free(), 0, 1.5e-3L,
      1e-6L};
  const WireLimitRequest request = RequestOf(c);
  const auto scan = ScanOf(request);
  std::optional<long double> least;
  for (const auto& row : scan) {
    if (row.second && (!least || *row.second < *least)) {
      least = row.second;
    }
  }
  const WireForLimit found = FindWireForResistance(request);
  EXPECT_FALSE(found.found);
  ASSERT_TRUE(found.leastResistance.has_value());
  EXPECT_EQ(*found.leastResistance, *least);
}

// A wire whose coil meets the limit but which the caller refuses passes the
// answer to the next thicker wire that meets it; refusing every one says so
// without a least resistance.
TEST(WireForResistance, AWireTheCallerRefusesPassesToTheNextThatMeetsTheLimit) {
  LimitCase c{
      "refused", WireFamily::kIecGrade1, WindingStyle::kLayered, Free(), Free(), Free(), 0, 1.5e-3L,
      3};
  WireLimitRequest request = RequestOf(c);
  const WireForLimit first = FindWireForResistance(request);
  ASSERT_TRUE(first.found);
  std::vector<std::string> offered;
  request.accepts = [&](const StandardWire& w, const design::BestCoil& coil) {
    offered.push_back(w.size);
    EXPECT_LE(ResistanceOf(coil), request.maxResistance);
    return w.size != first.wire.size;
  };
  const WireForLimit next = FindWireForResistance(request);
  ASSERT_TRUE(next.found);
  EXPECT_GT(next.wire.copperDiameter, first.wire.copperDiameter);
  EXPECT_EQ(offered, (std::vector<std::string>{first.wire.size, next.wire.size}));

  request.accepts = [](const StandardWire&, const design::BestCoil&) { return false; };
  const WireForLimit none = FindWireForResistance(request);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(none.message, "Записанная катушка превышает предел сопротивления");
  EXPECT_FALSE(none.leastResistance.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Limits, WireForResistanceTest,
    ::testing::Values(
        // Free coils of 1.5 mH: the limit picks a middle size of each family.
        LimitCase{"IecGrade1Free", WireFamily::kIecGrade1, WindingStyle::kLayered, Free(), Free(),
                  Free(), 0, 1.5e-3L, 3},
        LimitCase{"IecGrade2Ortho", WireFamily::kIecGrade2, WindingStyle::kOrthocyclic, Free(),
                  Free(), Free(), 0, 1.5e-3L, 3},
        LimitCase{"AwgSingleFree", WireFamily::kAwgSingle, WindingStyle::kLayered, Free(), Free(),
                  Free(), 0, 1.5e-3L, 2},
        LimitCase{"AwgHeavyFree", WireFamily::kAwgHeavy, WindingStyle::kOrthocyclic, Free(), Free(),
                  Free(), 0, 1e-3L, 4},
        // A limit every coil meets: the thinnest wire that has a coil at all
        // (the thinnest sizes give none inside the verified shapes).
        LimitCase{"LooseLimit", WireFamily::kIecGrade1, WindingStyle::kLayered, Free(), Free(),
                  Free(), 0, 1e-6L, 1e6L},
        // A former kept at 10 mm, a can of 14 mm and a bobbin of 12 mm: the
        // thick wires do not fit, the answer lies in the middle of the table.
        LimitCase{"FormerCanAndBobbin", WireFamily::kIecGrade2, WindingStyle::kLayered, Kept(),
                  AtMost(0.014L), AtMost(0.012L), 0.01L, 1.5e-3L, 6, true},
        // A limit no wire meets.
        LimitCase{"NoneMeets", WireFamily::kAwgHeavy, WindingStyle::kLayered, Free(), Free(),
                  Free(), 0, 1.5e-3L, 1e-4L}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tarnel::wire
