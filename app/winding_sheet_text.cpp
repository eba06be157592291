#include "app/winding_sheet_text.h"

#include <exception>

#include "app/wire_choice.h"
#include "calc/errors.h"
#include "calc/number_text.h"

namespace tarnel {
namespace {

std::string Length(long double metres) {
  return NumberToText(metres) + " м";
}

}  // namespace

WireSheetAnswer WireTexts(const wire::StandardWire& w, wire::WindingStyle style) {
  WireSheetAnswer answer;
  const NumberFormat format = wire::WireFieldFormat(DecimalMark());
  answer.dText = FormatNumber(w.copperDiameter, format);
  answer.lambdaText = FormatNumber(wire::PackingFactor(w, style), format);
  return answer;
}

WireSheetAnswer AnswerWireSheet(const CalculationFields& fields, const wire::StandardWire& w,
                                wire::WindingStyle style) {
  WireSheetAnswer answer = WireTexts(w, style);
  CalculationFields texts = fields;
  texts.edD = answer.dText;
  texts.edLambda = answer.lambdaText;
  ComputedValues values;
  try {
    RunCalculation(texts, &values);
  } catch (const Exception& error) {
    answer.text = error.Message();
    return answer;
  } catch (const std::exception& error) {
    answer.text = error.what();
    return answer;
  }
  if (!values.N || !values.winding) {
    answer.text = texts.edMessage;
    return answer;
  }
  const Winding& winding = *values.winding;
  answer.sheet = wire::SheetOf(winding, *values.N, w.overallDiameter, style);
  if (!answer.sheet) {
    answer.text = "Провод по изоляции " + Length(w.overallDiameter) + " не помещается в высоту H";
    return answer;
  }
  const wire::WindingSheet& sheet = *answer.sheet;
  std::string perLayer = std::to_string(sheet.turnsPerLayer);
  if (style == wire::WindingStyle::kOrthocyclic) {
    perLayer += " и " + std::to_string(sheet.turnsPerOtherLayer) + " поочерёдно";
  }
  answer.text =
      "Провод: " + WireText(w) + "\nДиаметр по меди: " + Length(w.copperDiameter) +
      "\nДиаметр по изоляции: " + Length(w.overallDiameter) + "\nНамотка: " + StyleText(style) +
      "\nЦелых витков: " + std::to_string(sheet.wholeTurns) + "\nВитков в слое: " + perLayer +
      "\nСлоёв: " + std::to_string(sheet.layers) +
      "\nТолщина намотки: " + Length(sheet.buildDepth) + " (R2 - R1 = " + Length(sheet.depth) +
      ")" + "\nНаружный диаметр: " + Length(sheet.outerDiameter) +
      "\nДлина провода: " + Length(sheet.wireLength) +
      "\nМасса меди: " + NumberToText(sheet.copperMass) + " кг" +
      "\nСопротивление: " + NumberToText(sheet.resistance) + " Ом";
  return answer;
}

}  // namespace tarnel
