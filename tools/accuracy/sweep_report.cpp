#include "tools/accuracy/sweep_report.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace tarnel::accuracy {

namespace {

std::string Format(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string Percent(double fraction) {
  return Format("%+.3g %%", 100 * fraction);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') {
      quoted += '"';
    }
  }
  return quoted + '"';
}

std::string RegimeOf(const ShapePoint& point) {
  return point.regime ? RegimeName(*point.regime) : "none";
}

std::string Where(const ShapePoint& point) {
  return "lengthRatio " + Format("%.4g", point.shape.lengthRatio) + ", thicknessRatio " +
         Format("%.4g", point.shape.thicknessRatio) + ", depthRatio " +
         Format("%.4g", point.shape.thicknessRatio / point.shape.lengthRatio);
}

void WriteRegimes(const std::vector<RegimeSummary>& regimes, std::ostream& out) {
  for (const RegimeSummary& regime : regimes) {
    out << "  " << RegimeName(regime.regime) << ": " << regime.points << " shapes, "
        << regime.withinTenthPercent << " within 0.1 %, " << regime.withinOnePercent
        << " within 1 %";
    if (regime.worst) {
      out << "; worst " << Percent(*regime.worst->relativeError) << " at " << Where(*regime.worst);
    }
    out << '\n';
  }
}

std::string Jump(const ThresholdCrossing& crossing) {
  return Percent(*crossing.jump) + " at " + Where(crossing.below) + " (error " +
         Percent(*crossing.below.relativeError) + " below, " +
         Percent(*crossing.above.relativeError) + " above)";
}

}  // namespace

void WriteCsv(const std::vector<std::vector<ShapePoint>>& rows, std::ostream& out) {
  out << "lengthRatio,thicknessRatio,depthRatio,regime,N,L_calculator,L_exact,relative_error,"
         "failure\n";
  for (const std::vector<ShapePoint>& row : rows) {
    for (const ShapePoint& point : row) {
      out << Format("%.6g", point.shape.lengthRatio) << ','
          << Format("%.6g", point.shape.thicknessRatio) << ','
          << Format("%.6g", point.shape.thicknessRatio / point.shape.lengthRatio) << ','
          << RegimeOf(point) << ',' << Format("%.10g", static_cast<double>(point.turns)) << ','
          << (point.inductance ? Format("%.10g", static_cast<double>(*point.inductance)) : "nan")
          << ',' << Format("%.10g", static_cast<double>(point.exactInductance)) << ','
          << (point.relativeError ? Format("%.6e", *point.relativeError) : "nan") << ','
          << Quoted(point.failure) << '\n';
    }
    out << '\n';
  }
}

void WriteSummary(const std::vector<RegimeSummary>& onGrid,
                  const std::vector<RegimeSummary>& onThresholds,
                  const std::vector<Threshold>& thresholds, std::ostream& out) {
  out << "Error of the calculator's L against the exact L, per formula, over the grid:\n";
  WriteRegimes(onGrid, out);
  out << "The same just either side of the thresholds:\n";
  WriteRegimes(onThresholds, out);

  out << "Jumps of the error across the thresholds (just above minus just below):\n";
  for (const Threshold& threshold : thresholds) {
    // The first and the largest jump for each pair of formulas met.
    struct Kept {
      const ThresholdCrossing* first = nullptr;
      const ThresholdCrossing* largest = nullptr;
    };
    std::map<std::pair<std::string, std::string>, Kept> pairs;
    int failed = 0;
    for (const ThresholdCrossing& crossing : threshold.crossings) {
      if (!crossing.jump) {
        ++failed;
        continue;
      }
      Kept& kept = pairs[std::make_pair(RegimeOf(crossing.below), RegimeOf(crossing.above))];
      if (kept.first == nullptr) {
        kept.first = &crossing;
      }
      if (kept.largest == nullptr || std::fabs(*crossing.jump) > std::fabs(*kept.largest->jump)) {
        kept.largest = &crossing;
      }
    }
    for (const auto& [sides, kept] : pairs) {
      out << "  " << threshold.test << ", " << sides.first << " below | " << sides.second
          << " above:\n    first  " << Jump(*kept.first) << "\n    largest " << Jump(*kept.largest)
          << '\n';
    }
    if (failed > 0) {
      out << "  " << threshold.test << ": " << failed << " crossings without an L\n";
    }
  }
}

}  // namespace tarnel::accuracy
