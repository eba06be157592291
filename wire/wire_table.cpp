#include "wire/wire_table.h"

#include <cmath>

#include "calc/errors.h"
#include "calc/number_text.h"

namespace tarnel::wire {
namespace {

// Every figure below is copied exactly, in metres as written there, from the
// OpenMagnetics MAS wire data (Apache-2.0):
//   repository https://github.com/OpenMagnetics/MAS
//   file       data/wires.ndjson
//   commit     ea0c4594615bbe9b3084b9e3837496fa38549c26
// whose round copper entries of the manufacturer Elektrisola carry the
// IEC 60317 grades ("<size> - Grade 1", "<size> - Grade 2": conductingDiameter
// nominal, outerDiameter maximum) and the NEMA MW 1000 C builds
// ("<gauge>.0 - Single Build", "<gauge>.0 - Heavy Build": outerDiameter
// maximum). The IEC rows of 0.010 to 0.500 mm are every Elektrisola size of
// that file (Elektrisola's own range); the NEMA rows of that file begin at
// AWG 24 and run to AWG 56.
constexpr const char* kMasSource =
    "OpenMagnetics MAS data/wires.ndjson, commit ea0c4594615bbe9b3084b9e3837496fa38549c26 "
    "(Elektrisola figures, Apache-2.0)";

// The IEC rows of 0.56 to 5.00 mm come from a later commit of the same file,
//   commit     026875fad38210a2ab9b4b41076f319751425e9d
// its entries "Round 0.56 - Grade 1" to "Round 5.00 - Grade 2", which name no
// manufacturer and give one outer diameter, under the key "nominal". The
// standard defines no nominal overall diameter, only a minimum increase and a
// maximum overall diameter, and these figures are that maximum: Avanti
// Cables' table of enamelled round copper wire to IS 13730-0-1 (the Indian
// adoption of IEC 60317-0-1), http://www.avanticables.com/avanti-conductor/
// diameter-swg.html, gives for the SWG sizes 0.559, 0.610 and 1.219 mm,
// which take the increase of the next nominal size up, maximum overall
// diameters of grade 1 and grade 2 that lie below these figures of 0.56,
// 0.63 and 1.25 mm by exactly the difference of the copper diameters
// (0.001, 0.020 and 0.031 mm).
constexpr const char* kMasLargeSource =
    "OpenMagnetics MAS data/wires.ndjson, commit 026875fad38210a2ab9b4b41076f319751425e9d "
    "(entries without a manufacturer, Apache-2.0)";

constexpr const char* kCentelsaSource =
    "Centelsa magnet-wire catalogue, NEMA MW-1000 single film, page 10 "
    "(issuu.com/centelsa/docs/magnet-wire), AWG 14 to 23";
constexpr long double kMetresPerMil = 2.54e-5L;

struct IecRow {
  const char* size;    // nominal copper diameter, mm
  long double copper;  // conductingDiameter nominal, m
  long double grade1;  // outerDiameter maximum of grade 1, m
  long double grade2;  // outerDiameter maximum of grade 2, m
};

constexpr IecRow kIecRows[] = {
    {"0.01", 1e-05L, 1.3000000000000001e-05L, 1.6000000000000003e-05L},
    {"0.012", 1.2e-05L, 1.6000000000000003e-05L, 1.799999999999999e-05L},
    {"0.014", 1.4e-05L, 1.799999999999999e-05L, 2e-05L},
    {"0.016", 1.6000000000000003e-05L, 2e-05L, 2.2000000000000003e-05L},
    {"0.018", 1.799999999999999e-05L, 2.2000000000000003e-05L, 2.4e-05L},
    {"0.019", 1.9e-05L, 2.3e-05L, 2.6000000000000002e-05L},
    {"0.02", 2e-05L, 2.4e-05L, 2.7000000000000002e-05L},
    {"0.021", 2.1000000000000002e-05L, 2.6000000000000002e-05L, 2.8e-05L},
    {"0.022", 2.2000000000000003e-05L, 2.7000000000000002e-05L, 2.9999999999999994e-05L},
    {"0.023", 2.3e-05L, 2.8e-05L, 3.1e-05L},
    {"0.024", 2.4e-05L, 2.9e-05L, 3.2000000000000005e-05L},
    {"0.025", 2.5e-05L, 3.1e-05L, 3.4e-05L},
    {"0.027", 2.7000000000000002e-05L, 3.3e-05L, 3.5999999999999994e-05L},
    {"0.028", 2.8e-05L, 3.4e-05L, 3.8e-05L},
    {"0.03", 2.9999999999999994e-05L, 3.7000000000000005e-05L, 4.1e-05L},
    {"0.032", 3.2000000000000005e-05L, 3.9e-05L, 4.2999999999999995e-05L},
    {"0.034", 3.4e-05L, 4.1e-05L, 4.6e-05L},
    {"0.036", 3.5999999999999994e-05L, 4.4000000000000006e-05L, 4.9000000000000005e-05L},
    {"0.038", 3.8e-05L, 4.6e-05L, 5.1e-05L},
    {"0.04", 4e-05L, 4.9000000000000005e-05L, 5.4000000000000005e-05L},
    {"0.043", 4.2999999999999995e-05L, 5.2000000000000004e-05L, 5.8e-05L},
    {"0.045", 4.4999999999999996e-05L, 5.5e-05L, 6.1e-05L},
    {"0.048", 4.8e-05L, 5.900000000000002e-05L, 6.400000000000002e-05L},
    {"0.05", 5e-05L, 5.9999999999999995e-05L, 6.6e-05L},
    {"0.053", 5.3e-05L, 6.400000000000002e-05L, 7.000000000000002e-05L},
    {"0.056", 5.6e-05L, 6.7e-05L, 7.400000000000002e-05L},
    {"0.06", 5.9999999999999995e-05L, 7.2e-05L, 7.900000000000002e-05L},
    {"0.063", 6.3e-05L, 7.6e-05L, 8.300000000000001e-05L},
    {"0.067", 6.7e-05L, 8e-05L, 8.800000000000001e-05L},
    {"0.07", 7.000000000000002e-05L, 8.300000000000001e-05L, 9e-05L},
    {"0.071", 7.099999999999999e-05L, 8.400000000000001e-05L, 9.1e-05L},
    {"0.075", 7.500000000000002e-05L, 8.900000000000001e-05L, 9.5e-05L},
    {"0.08", 8e-05L, 9.400000000000001e-05L, 0.000101L},
    {"0.085", 8.5e-05L, 0.0001L, 0.000107L},
    {"0.09", 9e-05L, 0.000104999999999L, 0.00011300000000000001L},
    {"0.095", 9.5e-05L, 0.000111L, 0.000118999999999L},
    {"0.1", 0.0001L, 0.00011700000000000001L, 0.000125L},
    {"0.106", 0.000106L, 0.00012299999999900002L, 0.00013199999999900002L},
    {"0.11", 0.00011L, 0.000128L, 0.00013700000000000002L},
    {"0.112", 0.000112L, 0.00013000000000000002L, 0.00013900000000000002L},
    {"0.118", 0.000118L, 0.000136L, 0.000145L},
    {"0.12", 0.000119999999999L, 0.00013800000000000002L, 0.000148L},
    {"0.125", 0.000125L, 0.00014399999999900002L, 0.000154L},
    {"0.13", 0.00013000000000000002L, 0.00015000000000000001L, 0.00016L},
    {"0.132", 0.00013199999999900002L, 0.00015199999999900002L, 0.00016199999999900002L},
    {"0.14", 0.00014000000000000001L, 0.00016L, 0.00017099999999900002L},
    {"0.15", 0.00015000000000000001L, 0.00017099999999900002L, 0.00018199999999900002L},
    {"0.16", 0.00016L, 0.00018199999999900002L, 0.000194L},
    {"0.17", 0.00017L, 0.000194L, 0.000205L},
    {"0.18", 0.00017999999999900002L, 0.000204L, 0.000217L},
    {"0.19", 0.00019L, 0.000216L, 0.00022799999999900003L},
    {"0.2", 0.0002L, 0.00022600000000000002L, 0.00023899999999900002L},
    {"0.212", 0.000212L, 0.00023999999999900002L, 0.000254L},
    {"0.224", 0.000224L, 0.000252L, 0.000266L},
    {"0.236", 0.000236L, 0.00026700000000000004L, 0.000283L},
    {"0.25", 0.00025L, 0.000281L, 0.000297L},
    {"0.265", 0.000265L, 0.000297L, 0.000314L},
    {"0.28", 0.00028000000000000003L, 0.000312L, 0.00032900000000000003L},
    {"0.3", 0.00030000000000000003L, 0.00033400000000000004L, 0.000352L},
    {"0.315", 0.000314999999999L, 0.000348999999999L, 0.000367L},
    {"0.335", 0.000335L, 0.000372L, 0.000390999999999L},
    {"0.355", 0.00035499999999900005L, 0.00039200000000000004L, 0.00041099999999900006L},
    {"0.375", 0.000375L, 0.000414L, 0.000434L},
    {"0.4", 0.0004L, 0.000439L, 0.00045900000000000004L},
    {"0.425", 0.000425L, 0.00046600000000000005L, 0.000488L},
    {"0.45", 0.00045000000000000004L, 0.000491L, 0.000513L},
    {"0.475", 0.000475L, 0.0005189999999990001L, 0.0005409999999990001L},
    {"0.5", 0.0005L, 0.000544L, 0.000566L},
    // MAS, the later commit.
    {"0.56", 0.00056L, 0.000606L, 0.00063L},
    {"0.63", 0.00063L, 0.000679L, 0.000704L},
    {"0.71", 0.00071L, 0.000762L, 0.000789L},
    {"0.8", 0.0008L, 0.000855L, 0.000884L},
    {"0.9", 0.0009L, 0.000959L, 0.000989L},
    {"1", 0.001L, 0.001062L, 0.001094L},
    {"1.12", 0.00112L, 0.001184L, 0.001217L},
    {"1.25", 0.00125L, 0.001316L, 0.001349L},
    {"1.4", 0.0014L, 0.001468L, 0.001502L},
    {"1.6", 0.0016L, 0.00167L, 0.001706L},
    {"1.8", 0.0018L, 0.001872L, 0.001909L},
    {"2", 0.002L, 0.002074L, 0.002112L},
    {"2.24", 0.00224L, 0.002316L, 0.002355L},
    {"2.5", 0.0025L, 0.002578L, 0.002618L},
    {"2.8", 0.0028L, 0.00288L, 0.002922L},
    {"3.15", 0.00315L, 0.003233L, 0.003276L},
    {"3.55", 0.00355L, 0.003635L, 0.003679L},
    {"4", 0.004L, 0.004088L, 0.004133L},
    {"4.5", 0.0045L, 0.004591L, 0.004637L},
    {"5", 0.005L, 0.005093L, 0.005141L},
};

struct AwgRow {
  int gauge;
  long double single;  // outerDiameter maximum of single build, m
  long double heavy;   // outerDiameter maximum of heavy build, m; 0 where no source gives it
};

constexpr AwgRow kAwgRows[] = {
    // Centelsa, single film maximum diameter, mils.
    {14, 66.6L * kMetresPerMil, 0},
    {15, 59.4L * kMetresPerMil, 0},
    {16, 53.1L * kMetresPerMil, 0},
    {17, 47.5L * kMetresPerMil, 0},
    {18, 42.4L * kMetresPerMil, 0},
    {19, 37.9L * kMetresPerMil, 0},
    {20, 33.9L * kMetresPerMil, 0},
    {21, 30.3L * kMetresPerMil, 0},
    {22, 27.0L * kMetresPerMil, 0},
    {23, 24.3L * kMetresPerMil, 0},
    // MAS, Elektrisola.
    {24, 0.0005510000000000001L, 0.0005769999999990001L},
    {25, 0.000493L, 0.000516L},
    {26, 0.000439L, 0.00046199999999900005L},
    {27, 0.00039600000000000003L, 0.000417L},
    {28, 0.000356L, 0.00037299999999900005L},
    {29, 0.00032L, 0.00033800000000000003L},
    {30, 0.000283999999999L, 0.000301999999999L},
    {31, 0.000254L, 0.00027400000000000005L},
    {32, 0.00023099999999900002L, 0.000249L},
    {33, 0.000206L, 0.000224L},
    {34, 0.000183L, 0.00019800000000000002L},
    {35, 0.000163L, 0.000178L},
    {36, 0.000147L, 0.00016L},
    {37, 0.00013199999999900002L, 0.000145L},
    {38, 0.000118999999999L, 0.00013000000000000002L},
    {39, 0.000104L, 0.000113999999999L},
    {40, 9.400000000000001e-05L, 0.000102L},
};

StandardWire IecWire(WireFamily family, const IecRow& row) {
  return {family, row.size, row.copper, family == WireFamily::kIecGrade1 ? row.grade1 : row.grade2};
}

StandardWire AwgWire(WireFamily family, const AwgRow& row) {
  return {family, std::to_string(row.gauge), AwgBareDiameter(row.gauge),
          family == WireFamily::kAwgSingle ? row.single : row.heavy};
}

}  // namespace

bool IsIecFamily(WireFamily family) {
  return family == WireFamily::kIecGrade1 || family == WireFamily::kIecGrade2;
}

long double AwgBareDiameter(int gauge) {
  const long double exponent = static_cast<long double>(36 - gauge) / 39.0L;
  return 0.000127L * std::pow(92.0L, exponent);
}

std::vector<StandardWire> WiresOf(WireFamily family) {
  std::vector<StandardWire> wires;
  if (IsIecFamily(family)) {
    for (const IecRow& row : kIecRows) {
      wires.push_back(IecWire(family, row));
    }
  } else {
    for (const AwgRow& row : kAwgRows) {
      if (family == WireFamily::kAwgSingle || row.heavy != 0) {
        wires.push_back(AwgWire(family, row));
      }
    }
  }
  return wires;
}

std::optional<StandardWire> FindWire(WireFamily family, std::string_view size) {
  long double wanted = 0;
  try {
    wanted = TextToNumber(TrimBlanks(size), '.');
  } catch (const EConvertError&) {
    return std::nullopt;
  }
  for (const StandardWire& wire : WiresOf(family)) {
    if (TextToNumber(wire.size, '.') == wanted) {
      return wire;
    }
  }
  return std::nullopt;
}

std::string FamilyName(WireFamily family) {
  switch (family) {
    case WireFamily::kIecGrade1:
      return "IEC 60317-0-1 grade 1";
    case WireFamily::kIecGrade2:
      return "IEC 60317-0-1 grade 2";
    case WireFamily::kAwgSingle:
      return "AWG, NEMA MW 1000 single build";
    case WireFamily::kAwgHeavy:
      return "AWG, NEMA MW 1000 heavy build";
  }
  return {};
}

std::string SourceOf(WireFamily family) {
  if (IsIecFamily(family)) {
    return std::string("copper and maximum overall diameters: 0.01 to 0.5 mm, ") + kMasSource +
           "; 0.56 to 5 mm, " + kMasLargeSource;
  }
  std::string source =
      std::string("copper diameter: 0.127 mm * 92^((36 - n)/39); maximum overall diameter: ") +
      kMasSource;
  if (family == WireFamily::kAwgSingle) {
    source += "; ";
    source += kCentelsaSource;
  }
  return source;
}

}  // namespace tarnel::wire
