// The inductance formulas: the published examples to the six
// significant digits given, the regime boundaries, the faults, RealPower and
// the inductance the request writes.
#include "calc/inductance.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "calc/calculation_request.h"
#include "calc/errors.h"
#include "calc/extended.h"
#include "calc/number_text.h"
#include "calc/x87.h"

namespace tarnel {
namespace {

// A value to six significant digits, as the text gives it.
std::string SixDigits(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.5Le", value);
  return buffer;
}

std::string SixDigits(const std::string& text) {
  return SixDigits(std::stold(text));
}

struct Input {
  long double R1, R2, H, D, Lambda;
};

FormulaInputs InputsOf(const Input& x) {
  return MakeFormulaInputs(x.R1, x.R2, x.H, x.D, x.Lambda);
}

void AddCorrection(std::map<std::string, long double>& values, const FlatCorrectionTerms& c) {
  values["ln(delta)"] = c.logDepthRatio.Value();
  values["flatCorrection"] = c.flatCorrection.Value();
  values["c1"] = c.c1.Value();
  values["c2"] = c.c2.Value();
  values["c3"] = c.c3.Value();
}

// The formula inputs and every named intermediate of `regime`'s formula.
std::map<std::string, long double> NamedValues(InductanceRegime regime, const FormulaInputs& in) {
  std::map<std::string, long double> values = {
      {"TurnCount", in.TurnCount.Value()},     {"lengthRatio", in.lengthRatio.Value()},
      {"kFactor", in.kFactor.Value()},         {"depthRatio", in.depthRatio.Value()},
      {"radiusRatio", in.radiusRatio.Value()}, {"thicknessRatio", in.thicknessRatio.Value()},
  };
  switch (regime) {
    case InductanceRegime::kLong: {
      const LongInductanceTerms t = LongTerms(in);
      values["sheetSeries"] = t.sheetSeries.Value();
      values["longMainTerm"] = t.longMainTerm.Value();
      values["ln(4/tau)"] = t.logFourOverThickness.Value();
      values["thicknessSeries2"] = t.thicknessSeries2.Value();
      values["thicknessSeries4"] = t.thicknessSeries4.Value();
      values["thicknessSeries6"] = t.thicknessSeries6.Value();
      values["longCorrection"] = t.longCorrection.Value();
      values["longCorrectionTerm"] = t.longCorrectionTerm.Value();
      values["L"] = t.L.Value();
      break;
    }
    case InductanceRegime::kShort: {
      const ShortInductanceTerms t = ShortTerms(in);
      values["G"] = t.logFourOverLength.Value();
      values["shortSeries"] = t.shortSeries.Value();
      values["M"] = t.shortMainTerm.Value();
      values["shortCorrection"] = t.shortCorrection.Value();
      values["K"] = t.shortCorrectionTerm.Value();
      values["L"] = t.L.Value();
      break;
    }
    case InductanceRegime::kFlat: {
      const FlatInductanceTerms t = FlatTerms(in);
      values["T"] = t.logFourOverThickness.Value();
      values["flatSeries"] = t.flatSeries.Value();
      values["M"] = t.flatMainTerm.Value();
      AddCorrection(values, t.correction);
      values["K"] = t.flatCorrectionTerm.Value();
      values["L"] = t.L.Value();
      break;
    }
    case InductanceRegime::kThickFlat: {
      const ThickFlatInductanceTerms t = ThickFlatTerms(in);
      values["thickShapeFactor"] = t.thickShapeFactor.Value();
      values["radiusLogTerm"] = t.radiusLogTerm.Value();
      values["radiusSeries"] = t.radiusSeries.Value();
      values["thickMainTerm"] = t.thickMainTerm.Value();
      AddCorrection(values, t.correction);
      values["thickCorrectionTerm"] = t.thickCorrectionTerm.Value();
      values["L"] = t.L.Value();
      break;
    }
  }
  return values;
}

// ---------------------------------------------------------------------------
// The published examples, one table per regime.

struct ExampleCase {
  const char* name;
  Input input;
  InductanceRegime regime;
  // Named values as the text gives them, to six significant digits; "L" is
  // also checked against ComputeInductance.
  std::vector<std::pair<std::string, std::string>> expected;
};

void PrintTo(const ExampleCase& c, std::ostream* os) {
  *os << c.name;
}

class InductanceExample : public testing::TestWithParam<ExampleCase> {};

TEST_P(InductanceExample, ReproducesTheTextsValues) {
  const ExampleCase& c = GetParam();
  const FormulaInputs in = InputsOf(c.input);
  ASSERT_EQ(RegimeName(ChooseRegime(in)), std::string(RegimeName(c.regime)));

  const auto values = NamedValues(c.regime, in);
  for (const auto& [name, text] : c.expected) {
    SCOPED_TRACE(name);
    const auto found = values.find(name);
    ASSERT_NE(found, values.end()) << "no value named " << name;
    EXPECT_EQ(SixDigits(found->second), SixDigits(text));
  }
  // The formula's value is returned unchanged.
  const Extended L =
      ComputeInductance(c.input.R1, c.input.R2, c.input.H, c.input.D, c.input.Lambda);
  EXPECT_EQ(L.Value(), values.at("L"));
  EXPECT_EQ(L.Value(), InductanceOf(c.regime, in).Value());
}

// Names a parameterised test after its case.
template <typename Case>
std::string ParamName(const testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

constexpr auto kLong = InductanceRegime::kLong;
constexpr auto kShort = InductanceRegime::kShort;
constexpr auto kFlat = InductanceRegime::kFlat;
constexpr auto kThickFlat = InductanceRegime::kThickFlat;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Long, InductanceExample, testing::Values(
    ExampleCase{"DefaultInput", {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, kLong,
        {{"TurnCount", "229.183"}, {"lengthRatio", "1"}, {"kFactor", "0.447214"},
         {"depthRatio", "0.333333"}, {"radiusRatio", "0.5"}, {"thicknessRatio", "0.333333"},
         {"sheetSeries", "1.37685"}, {"longMainTerm", "1.07064e-3"}, {"ln(4/tau)", "2.48491"},
         {"thicknessSeries2", "0.240838"}, {"thicknessSeries4", "0.0166962"},
         {"thicknessSeries6", "-0.00833846"}, {"longCorrection", "0.343805"},
         {"longCorrectionTerm", "2.67343e-4"}, {"L", "8.03296e-4"}}},
    ExampleCase{"LongThin", {0.005L, 0.006L, 0.1L, 0.0005L, 0.7L}, kLong,
        {{"TurnCount", "356.507"}, {"lengthRatio", "9.09091"}, {"kFactor", "0.0549170"},
         {"thicknessRatio", "0.0909091"}, {"sheetSeries", "17.3605"},
         {"longMainTerm", "1.44926e-4"}, {"longCorrection", "1.04842"},
         {"longCorrectionTerm", "8.75222e-6"}, {"L", "1.36173e-4"}}},
    ExampleCase{"Thick", {0.001L, 0.02L, 0.05L, 0.001L, 0.5L}, kLong,
        {{"TurnCount", "604.789"}, {"lengthRatio", "2.38095"}, {"thicknessRatio", "0.904762"},
         {"thicknessSeries2", "-0.0261978"}, {"longCorrection", "1.59829"},
         {"L", "1.61651e-3"}}},
    ExampleCase{"ZeroInnerRadius", {0.0L, 0.02L, 0.05L, 0.001L, 0.5L}, kLong,
        {{"radiusRatio", "0"}, {"thicknessRatio", "1"}, {"ln(4/tau)", "1.38629"},
         {"L", "1.61742e-3"}}},
    ExampleCase{"LengthRatioBoundary", {0.25L, 0.75L, 0.75L, 0.01L, 0.5L}, kLong,
        {{"TurnCount", "2387.32"}, {"lengthRatio", "0.75"}, {"kFactor", "0.554700"},
         {"thicknessRatio", "0.5"}, {"longMainTerm", "4.67311"},
         {"longCorrectionTerm", "1.68691"}, {"L", "2.98620"}}}),
    ParamName<ExampleCase>);

INSTANTIATE_TEST_SUITE_P(Short, InductanceExample, testing::Values(
    ExampleCase{"Moderate", {0.01L, 0.02L, 0.015L, 0.001L, 0.6L}, kShort,
        {{"lengthRatio", "0.5"}, {"depthRatio", "0.666667"}, {"thicknessRatio", "0.333333"},
         {"TurnCount", "114.592"}, {"G", "2.07944"}, {"shortSeries", "1.65086"},
         {"shortCorrection", "0.489271"}, {"M", "4.08616e-4"}, {"K", "1.21103e-4"},
         {"L", "2.87513e-4"}}},
    ExampleCase{"DepthRatioBoundary", {0.0625L, 0.125L, 0.0625L, 0.001L, 0.5L}, kShort,
        {{"depthRatio", "1"}, {"lengthRatio", "0.333333"}, {"thicknessRatio", "0.333333"},
         {"TurnCount", "2486.80"}, {"shortSeries", "2.02254"},
         {"shortCorrection", "0.669635"}, {"L", "0.985664"}}},
    ExampleCase{"ThinRing", {0.1L, 0.102L, 0.01L, 0.0005L, 0.8L}, kShort,
        {{"lengthRatio", "0.0495050"}, {"depthRatio", "0.2"}, {"thicknessRatio", "0.00990099"},
         {"TurnCount", "81.4873"}, {"shortSeries", "3.89340"},
         {"shortCorrection", "0.184782"}, {"L", "3.12553e-3"}}},
    ExampleCase{"HalfLambda", {0.01L, 0.02L, 0.015L, 0.001L, 0.3L}, kShort,
        {{"L", "7.18783e-5"}}},
    ExampleCase{"ScaledByTen", {0.1L, 0.2L, 0.15L, 0.01L, 0.6L}, kShort,
        {{"L", "2.87513e-3"}}},
    ExampleCase{"LengthRatioEqualsHalf", {0.25L, 0.75L, 0.5L, 0.01L, 0.5L}, kShort,
        {{"lengthRatio", "0.5"}, {"depthRatio", "1"}, {"TurnCount", "1591.55"},
         {"L", "1.60526"}}}),
    ParamName<ExampleCase>);

INSTANTIATE_TEST_SUITE_P(Flat, InductanceExample, testing::Values(
    ExampleCase{"Ring", {0.02L, 0.03L, 0.004L, 0.001L, 0.6L}, kFlat,
        {{"lengthRatio", "0.08"}, {"depthRatio", "2.5"}, {"thicknessRatio", "0.2"},
         {"TurnCount", "30.5577"}, {"T", "2.99573"}, {"ln(delta)", "0.916291"},
         {"flatSeries", "2.50673"}, {"flatCorrection", "0.335958"}, {"M", "7.35359e-5"},
         {"K", "9.85546e-6"}, {"L", "6.36805e-5"}}},
    ExampleCase{"ThinDisc", {0.1L, 0.12L, 0.001L, 0.0005L, 0.7L}, kFlat,
        {{"lengthRatio", "0.00454545"}, {"depthRatio", "20"}, {"thicknessRatio", "0.0909091"},
         {"TurnCount", "71.3014"}, {"flatSeries", "3.28673"},
         {"flatCorrection", "0.0502314"}, {"L", "2.27444e-3"}}},
    ExampleCase{"ThicknessRatioBoundary", {0.0625L, 0.1875L, 0.03125L, 0.001L, 0.5L}, kFlat,
        {{"lengthRatio", "0.125"}, {"depthRatio", "4"}, {"thicknessRatio", "0.5"},
         {"TurnCount", "2486.80"}, {"flatSeries", "1.63934"},
         {"flatCorrection", "0.220214"}, {"L", "1.37855"}}},
    ExampleCase{"ThicknessRatioBoundaryLarge", {0.25L, 0.75L, 0.25L, 0.001L, 0.6L}, kFlat,
        {{"lengthRatio", "0.25"}, {"depthRatio", "2"}, {"thicknessRatio", "0.5"},
         {"TurnCount", "95493.0"}, {"flatCorrection", "0.388157"}, {"L", "7168.76"}}},
    ExampleCase{"ThicknessRatioBoundaryCoarse", {0.25L, 0.75L, 0.25L, 0.01L, 0.5L}, kFlat,
        {{"depthRatio", "2"}, {"thicknessRatio", "0.5"}, {"TurnCount", "795.775"},
         {"L", "0.497831"}}},
    ExampleCase{"JustAboveDepthRatioOne", {0.0625L, 0.125L, 0.06249L, 0.001L, 0.5L}, kFlat,
        {{"depthRatio", "1.00016"}, {"L", "0.985397"}}}),
    ParamName<ExampleCase>);

INSTANTIATE_TEST_SUITE_P(ThickFlat, InductanceExample, testing::Values(
    ExampleCase{"Thick", {0.005L, 0.03L, 0.01L, 0.001L, 0.6L}, kThickFlat,
        {{"lengthRatio", "0.285714"}, {"depthRatio", "2.5"}, {"thicknessRatio", "0.714286"},
         {"radiusRatio", "0.166667"}, {"TurnCount", "190.986"},
         {"thickShapeFactor", "9.87429"}, {"radiusSeries", "1.70465"},
         {"flatCorrection", "0.315810"}, {"thickMainTerm", "1.07444e-3"},
         {"thickCorrectionTerm", "2.53324e-4"}, {"L", "8.21114e-4"}}},
    ExampleCase{"Wide", {0.01L, 0.05L, 0.02L, 0.0005L, 0.7L}, kThickFlat,
        {{"lengthRatio", "0.333333"}, {"depthRatio", "2"}, {"thicknessRatio", "0.666667"},
         {"radiusRatio", "0.2"}, {"TurnCount", "2852.06"}, {"radiusSeries", "1.68200"},
         {"flatCorrection", "0.376991"}, {"L", "0.311950"}}}),
    ParamName<ExampleCase>);
// clang-format on

// ---------------------------------------------------------------------------
// Every named value to 21 significant digits, enough to tell any two
// extended values apart: a term moved, dropped or rounded differently
// changes some of them. Ordinary shapes of each formula and both sides of
// each threshold.

class InductancePinned : public testing::TestWithParam<ExampleCase> {};

TEST_P(InductancePinned, KeepsEveryDigit) {
  const ExampleCase& c = GetParam();
  const FormulaInputs in = InputsOf(c.input);
  ASSERT_EQ(RegimeName(ChooseRegime(in)), std::string(RegimeName(c.regime)));
  const auto values = NamedValues(c.regime, in);
  for (const auto& [name, text] : c.expected) {
    SCOPED_TRACE(name);
    const auto found = values.find(name);
    ASSERT_NE(found, values.end()) << "no value named " << name;
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.20Le", found->second);
    EXPECT_EQ(printed, text);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AllFormulas, InductancePinned, testing::Values(
    ExampleCase{"DefaultInput", {0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, kLong,
        {{"L", "8.03295600781505014205e-04"},
         {"TurnCount", "2.29183121961771873287e+02"},
         {"depthRatio", "3.33333333333333333342e-01"},
         {"kFactor", "4.47213595499957939277e-01"},
         {"lengthRatio", "1.00000000000000000000e+00"},
         {"ln(4/tau)", "2.48490664978800031033e+00"},
         {"longCorrection", "3.43805250912870323347e-01"},
         {"longCorrectionTerm", "2.67342963109847963451e-04"},
         {"longMainTerm", "1.07063856389135297766e-03"},
         {"radiusRatio", "5.00000000000000000000e-01"},
         {"sheetSeries", "1.37685000500431195677e+00"},
         {"thicknessRatio", "3.33333333333333333342e-01"},
         {"thicknessSeries2", "2.40838265185539368666e-01"},
         {"thicknessSeries4", "1.66962062926176383103e-02"},
         {"thicknessSeries6", "-8.33846112240416026130e-03"}}},
    ExampleCase{"LengthRatioBoundary", {0.25L, 0.75L, 0.75L, 0.01L, 0.5L}, kLong,
        {{"L", "2.98619674172036509915e+00"},
         {"TurnCount", "2.38732418710179034682e+03"},
         {"depthRatio", "6.66666666666666666685e-01"},
         {"kFactor", "5.54700196225229122003e-01"},
         {"lengthRatio", "7.50000000000000000000e-01"},
         {"ln(4/tau)", "2.07944154167983592829e+00"},
         {"longCorrection", "3.37382091280286789634e-01"},
         {"longCorrectionTerm", "1.68691045640143394847e+00"},
         {"longMainTerm", "4.67310719812179904773e+00"},
         {"radiusRatio", "3.33333333333333333342e-01"},
         {"sheetSeries", "9.34621439624359809384e-01"},
         {"thicknessRatio", "5.00000000000000000000e-01"},
         {"thicknessSeries2", "1.73366817088060940746e-01"},
         {"thicknessSeries4", "1.47045757659340654285e-01"},
         {"thicknessSeries6", "-2.21860115290033027549e-01"}}},
    ExampleCase{"LengthRatioJustBelow", {0.25L, 0.75L, 0.7499L, 0.01L, 0.5L}, kShort,
        {{"G", "1.67410977579468397101e+00"},
         {"K", "1.66100718492649314405e+00"},
         {"L", "3.00873094736229217258e+00"},
         {"M", "4.66973813228878531674e+00"},
         {"TurnCount", "2.38700587721017677478e+03"},
         {"depthRatio", "6.66755567408987865057e-01"},
         {"kFactor", "5.54751402996530359113e-01"},
         {"lengthRatio", "7.49900000000000000009e-01"},
         {"radiusRatio", "3.33333333333333333342e-01"},
         {"shortCorrection", "4.63964416103762708650e-01"},
         {"shortSeries", "1.30438468031113478712e+00"},
         {"thicknessRatio", "5.00000000000000000000e-01"}}},
    ExampleCase{"Moderate", {0.01L, 0.02L, 0.015L, 0.001L, 0.6L}, kShort,
        {{"G", "2.07944154167983592829e+00"},
         {"K", "1.21103232494442120047e-04"},
         {"L", "2.87513195476628128028e-04"},
         {"M", "4.08616427971070248075e-04"},
         {"TurnCount", "1.14591560980885936644e+02"},
         {"depthRatio", "6.66666666666666666685e-01"},
         {"kFactor", "7.07106781186547524436e-01"},
         {"lengthRatio", "5.00000000000000000000e-01"},
         {"radiusRatio", "5.00000000000000000000e-01"},
         {"shortCorrection", "4.89270857819725958702e-01"},
         {"shortSeries", "1.65085692689345075285e+00"},
         {"thicknessRatio", "3.33333333333333333342e-01"}}},
    ExampleCase{"DepthRatioBoundary", {0.0625L, 0.125L, 0.0625L, 0.001L, 0.5L}, kShort,
        {{"G", "2.48490664978800031033e+00"},
         {"K", "4.87864929673318626263e-01"},
         {"L", "9.85664241750758401733e-01"},
         {"M", "1.47352917142407702797e+00"},
         {"TurnCount", "2.48679602823103161136e+03"},
         {"depthRatio", "1.00000000000000000000e+00"},
         {"kFactor", "8.32050294337843683004e-01"},
         {"lengthRatio", "3.33333333333333333342e-01"},
         {"radiusRatio", "5.00000000000000000000e-01"},
         {"shortCorrection", "6.69634987234085312269e-01"},
         {"shortSeries", "2.02254072363090437836e+00"},
         {"thicknessRatio", "3.33333333333333333342e-01"}}},
    ExampleCase{"JustAboveDepthRatioOne", {0.0625L, 0.125L, 0.06249L, 0.001L, 0.5L}, kFlat,
        {{"K", "4.80857621368514940240e-01"},
         {"L", "9.85396895241170405627e-01"},
         {"M", "1.46625451660968534587e+00"},
         {"T", "2.48490664978800031033e+00"},
         {"TurnCount", "2.48639814086651464620e+03"},
         {"c1", "1.07041317416676938089e+00"},
         {"c2", "3.45815672373362362726e-02"},
         {"c3", "2.74828513476673732002e-05"},
         {"depthRatio", "1.00016002560409665546e+00"},
         {"flatCorrection", "6.60228132825402783449e-01"},
         {"flatSeries", "2.01319983032177392268e+00"},
         {"kFactor", "8.32091256561560039932e-01"},
         {"lengthRatio", "3.33279999999999999996e-01"},
         {"ln(delta)", "1.60012801365497186631e-04"},
         {"radiusRatio", "5.00000000000000000000e-01"},
         {"thicknessRatio", "3.33333333333333333342e-01"}}},
    ExampleCase{"Ring", {0.02L, 0.03L, 0.004L, 0.001L, 0.6L}, kFlat,
        {{"K", "9.85546460078259230484e-06"},
         {"L", "6.36804550612290156248e-05"},
         {"M", "7.35359196620116079321e-05"},
         {"T", "2.99573227355399099347e+00"},
         {"TurnCount", "3.05577495949029164391e+01"},
         {"c1", "4.19421346922643586053e-01"},
         {"c2", "2.40864863413137019844e-03"},
         {"c3", "2.44750783907198309135e-02"},
         {"depthRatio", "2.50000000000000000000e+00"},
         {"flatCorrection", "3.35957624342236829370e-01"},
         {"flatSeries", "2.50672635681825269733e+00"},
         {"kFactor", "9.87440631916705361174e-01"},
         {"lengthRatio", "7.99999999999999999984e-02"},
         {"ln(delta)", "9.16290731874155065179e-01"},
         {"radiusRatio", "6.66666666666666666685e-01"},
         {"thicknessRatio", "2.00000000000000000003e-01"}}},
    ExampleCase{"ThicknessRatioBoundary", {0.0625L, 0.1875L, 0.03125L, 0.001L, 0.5L}, kFlat,
        {{"K", "2.13916536424264570819e-01"},
         {"L", "1.37854783050673304937e+00"},
         {"M", "1.59246436693099762023e+00"},
         {"T", "2.07944154167983592829e+00"},
         {"TurnCount", "2.48679602823103161136e+03"},
         {"c1", "2.62682030993846106167e-01"},
         {"c2", "4.20154903377438772840e-03"},
         {"c3", "1.45110768391150659876e-02"},
         {"depthRatio", "4.00000000000000000000e+00"},
         {"flatCorrection", "2.20213611019665419816e-01"},
         {"flatSeries", "1.63934184109313452714e+00"},
         {"kFactor", "9.70142500145331894109e-01"},
         {"lengthRatio", "1.25000000000000000000e-01"},
         {"ln(delta)", "1.38629436111989061886e+00"},
         {"radiusRatio", "3.33333333333333333342e-01"},
         {"thicknessRatio", "5.00000000000000000000e-01"}}},
    ExampleCase{"ThicknessRatioJustAbove", {0.2499L, 0.75L, 0.25L, 0.01L, 0.5L}, kThickFlat,
        {{"L", "4.97923525597252087044e-01"},
         {"TurnCount", "7.95933883979736901626e+02"},
         {"c1", "5.30467897255475294698e-01"},
         {"c2", "1.67122684008812366001e-02"},
         {"c3", "2.94421149700721849963e-02"},
         {"depthRatio", "2.00039999999999999996e+00"},
         {"flatCorrection", "3.88088290468865286829e-01"},
         {"kFactor", "8.94409300309255940779e-01"},
         {"lengthRatio", "2.50025002500250025013e-01"},
         {"ln(delta)", "6.93347160562611576151e-01"},
         {"radiusLogTerm", "-1.33756056573541750270e-01"},
         {"radiusRatio", "3.33200000000000000003e-01"},
         {"radiusSeries", "1.52623037263856746123e+00"},
         {"thickCorrectionTerm", "1.54461751722061922228e-01"},
         {"thickMainTerm", "6.52385277319314009286e-01"},
         {"thickShapeFactor", "1.34959512146895769325e+01"},
         {"thicknessRatio", "5.00150015001500150027e-01"}}},
    ExampleCase{"Thick", {0.005L, 0.03L, 0.01L, 0.001L, 0.6L}, kThickFlat,
        {{"L", "8.21113585821989593350e-04"},
         {"TurnCount", "1.90985934968143227730e+02"},
         {"c1", "4.26721416073990334703e-01"},
         {"c2", "1.87078508700627437530e-02"},
         {"c3", "2.51875003347331254908e-02"},
         {"depthRatio", "2.50000000000000000000e+00"},
         {"flatCorrection", "3.15809536802185348902e-01"},
         {"kFactor", "8.68243142124459193305e-01"},
         {"lengthRatio", "2.85714285714285714282e-01"},
         {"ln(delta)", "9.16290731874155065179e-01"},
         {"radiusLogTerm", "-2.72911511748162081108e-02"},
         {"radiusRatio", "1.66666666666666666671e-01"},
         {"radiusSeries", "1.70464749575400561794e+00"},
         {"thickCorrectionTerm", "2.53323754563690746890e-04"},
         {"thickMainTerm", "1.07443734038568034024e-03"},
         {"thickShapeFactor", "9.87428571428571428843e+00"},
         {"thicknessRatio", "7.14285714285714285691e-01"}}},
    ExampleCase{"ZeroInnerRadiusFlatShape", {0.0L, 0.045L, 0.01L, 0.001L, 0.6L}, kThickFlat,
        {{"L", "3.07243437945630776661e-03"},
         {"TurnCount", "3.43774682942657809959e+02"},
         {"c1", "2.35742635619070199177e-01"},
         {"c2", "9.75249948261544754869e-03"},
         {"c3", "1.26848980269705581534e-02"},
         {"depthRatio", "4.50000000000000000043e+00"},
         {"flatCorrection", "1.89765942355110707058e-01"},
         {"kFactor", "9.13811548620257139129e-01"},
         {"lengthRatio", "2.22222222222222222206e-01"},
         {"ln(delta)", "1.50407739677627407351e+00"},
         {"radiusLogTerm", "0.00000000000000000000e+00"},
         {"radiusRatio", "0.00000000000000000000e+00"},
         {"radiusSeries", "1.74240000000000000002e+00"},
         {"thickCorrectionTerm", "6.34100983197824618816e-04"},
         {"thickMainTerm", "3.70653536265413238537e-03"},
         {"thickShapeFactor", "8.00000000000000000000e+00"},
         {"thicknessRatio", "1.00000000000000000000e+00"}}}),
    ParamName<ExampleCase>);
// clang-format on

// The flat formula evaluated at δ = 1, where the short one is
// chosen, meets the short one closely.
TEST(InductanceFlat, MeetsTheShortFormulaAtDepthRatioOne) {
  const FormulaInputs in = InputsOf({0.0625L, 0.125L, 0.0625L, 0.001L, 0.5L});
  ASSERT_EQ(in.depthRatio.Value(), 1.0L);
  EXPECT_EQ(SixDigits(InductanceShort(in).Value()), SixDigits("0.985664"));
  EXPECT_EQ(SixDigits(InductanceFlat(in).Value()), SixDigits("0.985661"));
}

// ---------------------------------------------------------------------------
// Regime boundaries: the threshold is met exactly, and equality goes to the
// first, second and fourth rows of the choice.

struct BoundaryCase {
  const char* name;
  Input input;
  Extended FormulaInputs::*ratio;
  long double exactValue;
  InductanceRegime regime;
};

void PrintTo(const BoundaryCase& c, std::ostream* os) {
  *os << c.name;
}

class InductanceBoundary : public testing::TestWithParam<BoundaryCase> {};

TEST_P(InductanceBoundary, EqualityChoosesTheWrittenRow) {
  const BoundaryCase& c = GetParam();
  const FormulaInputs in = InputsOf(c.input);
  EXPECT_EQ((in.*c.ratio).Value(), c.exactValue);
  EXPECT_EQ(RegimeName(ChooseRegime(in)), std::string(RegimeName(c.regime)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Thresholds, InductanceBoundary, testing::Values(
    BoundaryCase{"LengthRatioThreeQuartersIsLong", {0.25L, 0.75L, 0.75L, 0.01L, 0.5L},
                 &FormulaInputs::lengthRatio, 0.75L, kLong},
    BoundaryCase{"DepthRatioOneIsShort", {0.25L, 0.75L, 0.5L, 0.01L, 0.5L},
                 &FormulaInputs::depthRatio, 1.0L, kShort},
    BoundaryCase{"DepthRatioOneSmallIsShort", {0.0625L, 0.125L, 0.0625L, 0.001L, 0.5L},
                 &FormulaInputs::depthRatio, 1.0L, kShort},
    BoundaryCase{"ThicknessRatioHalfIsFlat", {0.25L, 0.75L, 0.25L, 0.01L, 0.5L},
                 &FormulaInputs::thicknessRatio, 0.5L, kFlat},
    BoundaryCase{"ThicknessRatioHalfSmallIsFlat", {0.0625L, 0.1875L, 0.03125L, 0.001L, 0.5L},
                 &FormulaInputs::thicknessRatio, 0.5L, kFlat},
    BoundaryCase{"ZeroInnerRadiusWideIsThickFlat", {0.0L, 0.03L, 0.01L, 0.001L, 0.6L},
                 &FormulaInputs::thicknessRatio, 1.0L, kThickFlat}),
    ParamName<BoundaryCase>);
// clang-format on

// Just across each threshold the next row decides.
TEST(InductanceBoundary, JustAcrossEachThreshold) {
  struct Across {
    const char* name;
    Input input;
    InductanceRegime regime;
  };
  const Across cases[] = {
      {"lengthRatio just below 0.75", {0.25L, 0.75L, 0.7499L, 0.01L, 0.5L}, kShort},
      {"depthRatio just above 1", {0.25L, 0.75L, 0.4999L, 0.01L, 0.5L}, kFlat},
      {"thicknessRatio just above 0.5", {0.2499L, 0.75L, 0.25L, 0.01L, 0.5L}, kThickFlat},
  };
  for (const Across& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RegimeName(ChooseRegime(InputsOf(c.input))), std::string(RegimeName(c.regime)));
  }
}

// ---------------------------------------------------------------------------
// Faults, on ComputeInductance directly: most of these inputs no longer pass
// the request's validation. The first fault in the written order decides.

struct FaultCase {
  const char* name;
  Input input;
  const char* error;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

std::string ErrorOf(const Input& x) {
  try {
    ComputeInductance(x.R1, x.R2, x.H, x.D, x.Lambda);
  } catch (const Exception& e) {
    return e.ClassName();
  }
  return "no error";
}

class InductanceFault : public testing::TestWithParam<FaultCase> {};

TEST_P(InductanceFault, RaisesTheFirstFault) {
  EXPECT_EQ(ErrorOf(GetParam().input), GetParam().error);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ratios, InductanceFault, testing::Values(
    FaultCase{"TurnCountZeroWire", {0.01L, 0.02L, 0.03L, 0.0L, 0.6L}, "EZeroDivide"},
    FaultCase{"TurnCountZeroOverZero", {0.01L, 0.02L, 0.0L, 0.0L, 0.6L}, "EInvalidOp"},
    FaultCase{"LengthRatioZeroSum", {-0.02L, 0.02L, 0.03L, 0.001L, 0.6L}, "EZeroDivide"},
    FaultCase{"KFactorOverflow", {0.01L, 0.02L, 1e4000L, 0.001L, 0.6L}, "EOverflow"},
    FaultCase{"DepthRatioZeroHeight", {0.01L, 0.02L, 0.0L, -0.001L, 0.6L}, "EZeroDivide"},
    FaultCase{"RadiusRatioZeroOuter", {-0.01L, 0.0L, 0.03L, 0.001L, 0.6L}, "EZeroDivide"}),
    ParamName<FaultCase>);

INSTANTIATE_TEST_SUITE_P(Formulas, InductanceFault, testing::Values(
    FaultCase{"LongLogOfNegativeThickness", {-0.03L, 0.01L, -0.5L, -1.0L, 0.6L}, "EInvalidOp"},
    // longMainTerm overflows before ln(4/τ) runs.
    FaultCase{"LongMainTermOverflowsFirst", {-0.03L, 0.01L, -0.5L, -1e-2000L, 0.6L}, "EOverflow"},
    FaultCase{"ShortLogOfNegativeLength", {0.01L, 0.02L, -0.005L, -0.01L, 0.6L}, "EInvalidOp"},
    // δ ≈ −5e1299: δ⁴ in shortCorrection overflows before ln(1/δ) runs.
    FaultCase{"ShortDepthPowerOverflowsFirst", {-0.75L, -0.25L, -1e-1300L, -1.0L, 0.6L},
              "EOverflow"},
    FaultCase{"FlatLogOfNegativeThickness", {-0.05L, 0.01L, 0.01L, 0.001L, 0.6L}, "EInvalidOp"},
    // T = ln(4/τ) faults before the main term would overflow.
    FaultCase{"FlatLogFaultsBeforeOverflow", {-0.05L, 0.01L, 0.01L, 1e-2000L, 0.6L}, "EInvalidOp"},
    FaultCase{"ThickFlatLogOfNegativeRadiusRatio", {-0.005L, 0.03L, 0.01L, 0.001L, 0.6L},
              "EInvalidOp"},
    FaultCase{"ThickFlatOverflow", {0.01L, 1e2000L, 0.03L, 0.001L, 0.6L}, "EOverflow"},
    // Mended fault: ρ = 0 takes ρ³·ln(ρ) as 0.
    FaultCase{"ThickFlatZeroInnerRadius", {0.0L, 0.03L, 0.01L, 0.001L, 0.6L}, "no error"}),
    ParamName<FaultCase>);
// clang-format on

// Mended fault: R1 = 0 is a valid thick flat coil.
TEST(InductanceThickFlat, ZeroInnerRadiusTakesTheLogTermAsZero) {
  const FormulaInputs in = InputsOf({0.0L, 0.03L, 0.01L, 0.001L, 0.6L});
  ASSERT_EQ(ChooseRegime(in), kThickFlat);
  ASSERT_EQ(in.radiusRatio.Value(), 0.0L);
  const ThickFlatInductanceTerms terms = ThickFlatTerms(in);
  EXPECT_EQ(terms.radiusLogTerm.Value(), 0.0L);
  EXPECT_EQ(terms.radiusSeries.Value(), 1.7424L);
  EXPECT_EQ(terms.thickShapeFactor.Value(), 8.0L);
  // The formula with the rho^3*ln(rho) term at its limit 0 gives 8.38585e-4.
  EXPECT_EQ(SixDigits(terms.L.Value()), SixDigits("8.38585e-4"));
}

// ---------------------------------------------------------------------------
// RealPower.

struct PowerCase {
  const char* name;
  long double base;
  long double exponent;
  const char* expected;
};

void PrintTo(const PowerCase& c, std::ostream* os) {
  *os << c.name;
}

class RealPowerTest : public testing::TestWithParam<PowerCase> {};

TEST_P(RealPowerTest, GivesTheMagnitudeToTheExponent) {
  const PowerCase& c = GetParam();
  EXPECT_EQ(SixDigits(RealPower(c.base, c.exponent).Value()), SixDigits(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Examples, RealPowerTest,
                         testing::Values(PowerCase{"ZeroCubed", 0.0L, 3.0L, "0"},
                                         PowerCase{"ZeroToZero", 0.0L, 0.0L, "1"},
                                         PowerCase{"ZeroToNegative", 0.0L, -2.0L, "0"},
                                         PowerCase{"NegativeZeroCubed", -0.0L, 3.0L, "0"},
                                         PowerCase{"NegativeBaseOddExponent", -2.0L, 3.0L, "8"},
                                         PowerCase{"NegativeBaseEvenExponent", -0.5L, 4.0L,
                                                   "0.0625"},
                                         PowerCase{"SquareRoot", 2.0L, 0.5L, "1.41421"},
                                         PowerCase{"ExponentZero", 7.0L, 0.0L, "1"}),
                         ParamName<PowerCase>);

TEST(RealPower, ZeroBaseIsExact) {
  EXPECT_EQ(RealPower(0.0L, 3.0L).Value(), 0.0L);
  EXPECT_EQ(RealPower(0.0L, 0.0L).Value(), 1.0L);
  EXPECT_EQ(RealPower(0.0L, -2.0L).Value(), 0.0L);
  EXPECT_EQ(RealPower(7.0L, 0.0L).Value(), 1.0L);
}

// e^(exponent·ln|base|) against values known apart from it (√5/25 is
// (1/√5)³), to within the few units in the last place that the logarithm
// and the exponential may lose between them.
TEST(RealPower, MatchesIndependentValuesToTheLastBits) {
  struct Known {
    long double base;
    long double exponent;
    long double value;
  };
  const Known cases[] = {
      {0.4472135954999579393L, 3, 0.0894427190999915878564L},
      {-0.4472135954999579393L, 3, 0.0894427190999915878564L},
      {2.0L, 0.5L, 1.41421356237309504880L},
      {10.0L, 3, 1000.0L},
      {0.5L, 13, 0.0001220703125L},
      {-1.5L, 4, 5.0625L},
  };
  for (const Known& c : cases) {
    const long double power = RealPower(c.base, c.exponent).Value();
    EXPECT_NEAR(power / c.value, 1.0L, 1e-18L) << c.base << "^" << c.exponent;
  }
}

TEST(RealPower, OverflowRaises) {
  EXPECT_THROW(RealPower(1e2000L, 3.0L), EOverflow);
  EXPECT_THROW(RealPower(-1e2000L, 3.0L), EOverflow);
}

// Within |base| <= 2^64 and 0 <= exponent <= 16 RealPower runs unchecked:
// at the edges of that bound it gives the checked e^(exponent·ln|base|)
// bit for bit and leaves no fault flag set; just past them it still raises.
TEST(RealPower, UncheckedOnlyWhereNothingCanFault) {
  const struct {
    const char* name;
    long double base;
    long double exponent;
    bool overflows;
  } cases[] = {
      {"largest base, largest exponent", 0x1p64L, 16, false},
      {"largest base, negative", -0x1p64L, 16, false},
      {"smallest denormal base underflows", 0x1p-16445L, 16, false},
      {"below 1, exponent 0", 0.5547L, 0, false},
      {"base past the bound", 0x1p64L * 2, 16, false},
      {"exponent past the bound", 0x1p64L, 17, false},
      {"negative exponent", 0x1p-64L, -16, false},
      {"base past the bound overflows", 1e320L, 16, true},
      {"exponent past the bound overflows", 0x1p64L, 300, true},
      {"small base, exponent past the bound overflows", 0.5L, -20000, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fpu::SetWorkingMode();
    if (c.overflows) {
      EXPECT_THROW(RealPower(c.base, c.exponent), EOverflow);
      continue;
    }
    const Extended magnitude = c.base < 0 ? -c.base : c.base;
    const Extended checked = Exp(c.exponent * Ln(magnitude));
    EXPECT_EQ(RealPower(c.base, c.exponent).Value(), checked.Value());
    EXPECT_EQ(fpu::StatusWord() & fpu::kFaultFlags, 0);
  }
}

// ---------------------------------------------------------------------------
// The inductance the request writes.

struct RequestCase {
  const char* name;
  std::vector<std::string> inputs;  // R1, R2, H, D, Lambda
  const char* edL;
};

CalculationFields FieldsFor(const std::vector<std::string>& inputs) {
  CalculationFields fields = StartupFields();
  fields.edR1 = inputs[0];
  fields.edR2 = inputs[1];
  fields.edH = inputs[2];
  fields.edD = inputs[3];
  fields.edLambda = inputs[4];
  return fields;
}

class InductanceRequest : public testing::Test {
 protected:
  void SetUp() override { SetDecimalMark('.'); }
};

TEST_F(InductanceRequest, WritesLThenReady) {
  const RequestCase cases[] = {
      {"default", {"0.01", "0.02", "0.03", "0.001", "0.6"}, "0.0008033"},
      {"short", {"0.01", "0.02", "0.015", "0.001", "0.6"}, "0.0002875"},
      {"flat", {"0.02", "0.03", "0.004", "0.001", "0.6"}, "6.368E-5"},
      {"thick flat", {"0.005", "0.03", "0.01", "0.001", "0.6"}, "0.0008211"},
      {"thick flat, R1 = 0", {"0", "0.03", "0.01", "0.001", "0.6"}, "0.0008386"},
  };
  for (const RequestCase& c : cases) {
    SCOPED_TRACE(c.name);
    CalculationFields fields = FieldsFor(c.inputs);
    ComputedValues values;
    ASSERT_NO_THROW(RunCalculation(fields, &values));
    EXPECT_EQ(fields.edL, c.edL);
    EXPECT_EQ(fields.edMessage, kReadyMessage);
    ASSERT_TRUE(values.L.has_value());
    EXPECT_EQ(*values.L, ComputeInductance(std::stold(c.inputs[0]), std::stold(c.inputs[1]),
                                           std::stold(c.inputs[2]), std::stold(c.inputs[3]),
                                           std::stold(c.inputs[4]))
                             .Value());
  }
}

// Overflows inside ComputeInductance with inputs the request accepts: N and R
// keep their new texts, L and the message are cleared.
TEST_F(InductanceRequest, OverflowKeepsNAndRAndClearsTheRest) {
  struct OverflowCase {
    const char* name;
    std::vector<std::string> inputs;
    const char* edN;
    const char* edR;
  };
  const OverflowCase cases[] = {
      {"huge R2, thick flat main term",
       {"0.01", "1e2000", "0.03", "0.001", "0.6"},
       "2.292E2004",
       "1.531E4003"},
      {"huge H, kFactor", {"0.01", "0.02", "1e4000", "0.001", "0.6"}, "7.639E4003", "1.531E4001"},
  };
  for (const OverflowCase& c : cases) {
    SCOPED_TRACE(c.name);
    // A complete calculation first, so every field holds an old text.
    CalculationFields fields = StartupFields();
    RunCalculation(fields);
    ASSERT_EQ(fields.edL, "0.0008033");

    fields.edR1 = c.inputs[0];
    fields.edR2 = c.inputs[1];
    fields.edH = c.inputs[2];
    fields.edD = c.inputs[3];
    fields.edLambda = c.inputs[4];
    ComputedValues values;
    EXPECT_THROW(RunCalculation(fields, &values), EOverflow);
    EXPECT_EQ(fields.edN, c.edN);
    EXPECT_EQ(fields.edR, c.edR);
    EXPECT_EQ(fields.edL, "");
    EXPECT_EQ(fields.edMessage, "");
    EXPECT_TRUE(values.N.has_value());
    EXPECT_TRUE(values.R.has_value());
    EXPECT_FALSE(values.L.has_value());
  }
}

}  // namespace
}  // namespace tarnel
