#include "cli/line_calculator.h"

#include <array>
#include <cmath>

#include "calc/errors.h"
#include "calc/number_text.h"
#include "calc/winding_figures.h"
#include "cli/optimize_line.h"
#include "cli/solve_error.h"
#include "cli/wire_texts.h"
#include "design/best_coil.h"
#include "design/design_request.h"
#include "reference/exact_comparison.h"
#include "wire/wire_for_resistance.h"

namespace tarnel::cli {
namespace {

constexpr std::size_t kFieldCount = 5;
constexpr std::size_t kSolveFieldCount = 6;

// Ten significant digits: the exact inductance and the solved dimension.
void AppendTenDigits(long double value, char mark, std::string& out) {
  out += FormatNumber(value, CScientificFormat(10, mark));
}

// Splits `line` at its tabs into `texts` (the fields beyond their number
// are counted, not kept) and gives the number of fields.
template <std::size_t Count>
std::size_t SplitFields(std::string_view line, const std::array<std::string*, Count>& texts) {
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
    if (count < Count) {
      texts[count]->assign(line.data() + start, end - start);
    }
    ++count;
    if (tab == std::string_view::npos) {
      return count;
    }
    start = tab + 1;
  }
}

}  // namespace

std::string HeaderLine(const CommandLine& options) {
  std::string header = options.solve ? "Solved\t" : options.optimize ? "R1\tR2\tH\t" : "";
  if (options.maxResistance) {
    header.insert(0, "Wire\t");
  }
  header += "N\tR\tL\tMessage\tError";
  if (options.exact || options.solve || options.optimize) {
    header += "\tExactL\tDeviation";
  }
  if (options.winding) {
    header += "\tWireLength\tCopperMass";
  }
  if (options.sheet) {
    header += '\t';
    header += kSheetColumns;
  }
  if (options.field.drive) {
    header += FieldHeader();
  }
  header += '\n';
  return header;
}

void LineCalculator::Append(std::string_view line, std::string& out) {
  if (options_.solve) {
    AppendSolve(line, out);
    return;
  }
  if (options_.optimize) {
    AppendOptimize(line, out);
    return;
  }
  const std::size_t count = SplitFields<kFieldCount>(
      line, {&fields_.edR1, &fields_.edR2, &fields_.edH, &fields_.edD, &fields_.edLambda});
  if (count != kFieldCount) {
    ++wrongFieldCountLines_;
    AppendNothing("expected 5 fields, got " + std::to_string(count), out);
    return;
  }
  std::string wireError;
  lineWire_ = SubstituteWireTexts(fields_.edD, fields_.edLambda, options_.mark, wireError);
  if (!wireError.empty()) {
    AppendNothing(wireError, out);
    return;
  }
  AppendCalculation(out);
}

// R1 R2 H D Lambda L, one of R2, H and D "?": the solved dimension, then the
// line as --exact gives it for the five texts with the solved one written
// in, so that the line can be checked by calculating it again.
void LineCalculator::AppendSolve(std::string_view line, std::string& out) {
  std::string targetText;
  const std::size_t count = SplitFields<kSolveFieldCount>(
      line,
      {&fields_.edR1, &fields_.edR2, &fields_.edH, &fields_.edD, &fields_.edLambda, &targetText});
  if (count != kSolveFieldCount) {
    ++wrongFieldCountLines_;
    out += '\t';
    AppendNothing("expected 6 fields, got " + std::to_string(count), out);
    return;
  }
  auto fail = [&](const std::string& error) {
    ++unsolvedLines_;
    out += '\t';
    AppendNothing(error, out);
  };
  design::DesignRequest request;
  std::size_t questions = 0;
  design::Unknown asked = design::Unknown::kR2;
  for (const design::Unknown unknown :
       {design::Unknown::kR2, design::Unknown::kH, design::Unknown::kD}) {
    if (TrimBlanks(design::TextOf(fields_, unknown)) == "?") {
      ++questions;
      asked = unknown;
    }
  }
  if (questions != 1) {
    fail("no solution: exactly one of R2, H and D must be '?'");
    return;
  }
  std::string wireError;
  lineWire_ = SubstituteWireTexts(fields_.edD, fields_.edLambda, options_.mark, wireError);
  if (!wireError.empty()) {
    fail("no solution: " + wireError);
    return;
  }
  request.fields = fields_;
  request.targetText = targetText;
  request.roles = design::Solving(asked);
  const design::DesignAnswer answer = design::AnswerDesign(request);
  if (!answer.unread.empty()) {
    fail(answer.unread.front().error);
    return;
  }
  if (!answer.solved) {
    fail(SolveError(answer, asked, options_.mark));
    return;
  }
  std::string& solved = design::TextOf(fields_, asked);
  solved = answer.solvedText;
  out += solved;
  out += '\t';
  AppendCalculation(out);
}

// R1 R2 H D Lambda L with at least two of R1, R2 and H free: the coil of
// least wire, its three dimensions as written, then the line as --exact
// gives it for those texts.
void LineCalculator::AppendOptimize(std::string_view line, std::string& out) {
  std::array<std::string, kSolveFieldCount> texts;
  const std::size_t count = SplitFields<kSolveFieldCount>(
      line, {&texts[0], &texts[1], &texts[2], &texts[3], &texts[4], &texts[5]});
  auto fail = [&](const std::string& error) {
    out += options_.maxResistance ? "\t\t\t\t" : "\t\t\t";
    AppendNothing(error, out);
  };
  if (count != kSolveFieldCount) {
    ++wrongFieldCountLines_;
    fail("expected 6 fields, got " + std::to_string(count));
    return;
  }
  std::string error;
  const std::optional<wire::WireFamily> family = FamilyAsked(texts[3]);
  const std::optional<wire::WindingStyle> style = wire::StyleNamed(TrimBlanks(texts[4]));
  if (options_.maxResistance) {
    if (!family || !style) {
      ++unsolvedLines_;
      fail(
          "no solution: with --max-resistance, D names a family (IEC:?:1, IEC:?:2, AWG:?:single "
          "or AWG:?:heavy) and Lambda a style (layered or orthocyclic)");
      return;
    }
    // Read as numbers below, then replaced by each wire's.
    texts[3] = "1";
    texts[4] = "1";
  } else if (family) {
    ++unsolvedLines_;
    fail("no solution: a wire family in D needs --max-resistance");
    return;
  } else {
    lineWire_ = SubstituteWireTexts(texts[3], texts[4], options_.mark, error);
    if (!error.empty()) {
      ++unsolvedLines_;
      fail("no solution: " + error);
      return;
    }
  }
  std::optional<design::BestCoilRequest> request = ReadOptimizeLine(texts, error);
  if (!request) {
    ++unsolvedLines_;
    fail(error);
    return;
  }
  const NumberFormat dimensionFormat = CScientificFormat(10, options_.mark);
  design::WrittenCoil written;
  std::string wireText;
  std::string dText;  // the wire's D and Lambda, as the line writes them
  std::string lambdaText;
  if (options_.maxResistance) {
    const long double maxResistance = *options_.maxResistance;
    wire::WireLimitRequest limit{*request, *family, *style, maxResistance, {}};
    const NumberFormat wireFormat = wire::WireFieldFormat(options_.mark);
    // The limit holds on the coil as written, in both the R text and the
    // full R: rounding R1, R2 and H lifts the resistance above the solved
    // coil's.
    limit.accepts = [&](const wire::StandardWire& w, const design::BestCoil& best) {
      const design::BestCoilRequest wound = wire::CoilRequestFor(limit, w);
      written = design::WriteBestCoil(wound, best, dimensionFormat, design::kBestCoilTolerance);
      if (!written.solved) {
        return false;
      }
      dText = FormatNumber(wound.winding.D, wireFormat);
      lambdaText = FormatNumber(wound.winding.Lambda, wireFormat);
      CalculationFields check;
      check.edR1 = written.R1;
      check.edR2 = written.R2;
      check.edH = written.H;
      check.edD = dText;
      check.edLambda = lambdaText;
      ComputedValues values;
      try {
        RunCalculation(check, &values);
        return values.R && *values.R <= maxResistance &&
               TextToNumber(check.edR, options_.mark) <= maxResistance;
      } catch (const Exception&) {
        return false;
      }
    };
    const wire::WireForLimit picked = wire::FindWireForResistance(limit);
    if (!picked.found) {
      std::string reason = "no solution: " + picked.message;
      if (picked.leastResistance) {
        reason += " (the least is ";
        AppendTenDigits(*picked.leastResistance, options_.mark, reason);
        reason += " ohm)";
      }
      ++unsolvedLines_;
      fail(reason);
      return;
    }
    lineWire_ = LineWire{picked.wire, style};
    texts[3] = dText;
    texts[4] = lambdaText;
    wireText = WireText(picked.wire) + '\t';
  } else {
    written = design::WriteBestCoil(*request, design::FindBestCoil(*request), dimensionFormat,
                                    design::kBestCoilTolerance);
  }
  if (!written.solved) {
    ++unsolvedLines_;
    fail("no solution: " + written.coil.message);
    return;
  }
  fields_.edR1 = written.R1;
  fields_.edR2 = written.R2;
  fields_.edH = written.H;
  fields_.edD = texts[3];
  fields_.edLambda = texts[4];
  out += wireText + written.R1 + '\t' + written.R2 + '\t' + written.H + '\t';
  AppendCalculation(out);
}

void LineCalculator::AppendCalculation(std::string& out) {
  fields_.edMessage = kReadyMessage;
  const char* errorClass = nullptr;
  std::string errorMessage;
  try {
    RunCalculation(fields_, &values_);
  } catch (const Exception& e) {
    errorClass = e.ClassName();
    errorMessage = e.Message();
  }
  AppendResult(fields_.edN, values_.N, out);
  out += '\t';
  AppendResult(fields_.edR, values_.R, out);
  out += '\t';
  AppendResult(fields_.edL, values_.L, out);
  out += '\t';
  out += fields_.edMessage;
  out += '\t';
  if (errorClass != nullptr) {
    out += errorClass;
    out += ": ";
    out += errorMessage;
  }
  if (options_.exact || options_.solve || options_.optimize) {
    out += '\t';
    AppendExact(out);
  }
  if (options_.winding) {
    out += '\t';
    AppendWinding(out);
  }
  if (options_.sheet) {
    out += '\t';
    AppendSheetColumns(lineWire_, values_, options_.full, options_.mark, out);
  }
  AppendFieldColumns(options_.field, values_, options_.mark, out);
  out += '\n';
}

void LineCalculator::AppendNothing(const std::string& error, std::string& out) const {
  out += "\t\t\t\t";
  out += error;
  if (options_.exact || options_.solve || options_.optimize) {
    out += "\t\t";
  }
  if (options_.winding) {
    out += "\t\t";
  }
  if (options_.sheet) {
    out += "\t\t\t\t\t";
  }
  if (options_.field.drive) {
    AppendNoFieldColumns(out);
  }
  out += '\n';
}

void LineCalculator::AppendTooLong(std::string& out) {
  ++tooLongLines_;
  if (options_.solve) {
    out += '\t';
  }
  if (options_.optimize) {
    out += options_.maxResistance ? "\t\t\t\t" : "\t\t\t";
  }
  AppendNothing("line too long", out);
}

void LineCalculator::AppendResult(const std::string& text, const std::optional<long double>& value,
                                  std::string& out) const {
  if (options_.full && value) {
    out += FormatNumber(*value, CScientificFormat(21, '.'));
  } else {
    out += text;
  }
}

// The exact L and the deviation, tab-separated; both empty without an L.
void LineCalculator::AppendExact(std::string& out) const {
  if (!values_.L) {
    out += '\t';
    return;
  }
  // A calculation that wrote L hands back the winding it read. A winding the
  // reference cannot evaluate is NA; what it raises is a fault of the
  // program and ends the run (exact_comparison.h).
  const reference::ExactComparison comparison =
      reference::CompareWithExact(*values_.winding, *values_.N, *values_.L, exact_);
  if (!comparison.evaluated) {
    out += "NA\tNA";
    return;
  }
  AppendTenDigits(comparison.exactL, options_.mark, out);
  out += '\t';
  out += FormatNumber(comparison.deviation, CScientificFormat(4, options_.mark));
}

// The wire length and the copper mass, tab-separated, written as N is;
// both empty without an N.
void LineCalculator::AppendWinding(std::string& out) const {
  if (!values_.N) {
    out += '\t';
    return;
  }
  const WindingFigures figures = FiguresOf(*values_.winding, *values_.N);
  const std::optional<long double> length = figures.wireLength;
  const std::optional<long double> mass = figures.copperMass;
  AppendResult(NumberToText(figures.wireLength), length, out);
  out += '\t';
  AppendResult(NumberToText(figures.copperMass), mass, out);
}

}  // namespace tarnel::cli
