// tarnel-accuracy: sweeps the shapes of a winding, compares the calculator's
// inductance with the exact one and reports where its formulas hold.
//
// Usage: tarnel-accuracy [points.csv]
// The per-point CSV goes to the file, or to standard output without one;
// the summary goes to standard output with a file and to standard error
// without; progress goes to standard error.
#include <fstream>
#include <iostream>
#include <vector>

#include "calc/extended.h"
#include "calc/number_text.h"
#include "tools/accuracy/regime_summary.h"
#include "tools/accuracy/shape_point.h"
#include "tools/accuracy/sweep_grid.h"
#include "tools/accuracy/sweep_report.h"
#include "tools/accuracy/threshold_jumps.h"

// Crossings per threshold line.
constexpr int kLineSamples = 2000;

int main(int argc, char** argv) {
  using namespace tarnel::accuracy;
  if (argc > 2) {
    std::cerr << "usage: tarnel-accuracy [points.csv]\n";
    return 2;
  }
  std::ofstream file;
  if (argc == 2) {
    file.open(argv[1]);
    if (!file) {
      std::cerr << "tarnel-accuracy: cannot write " << argv[1] << '\n';
      return 1;
    }
  }
  std::ostream& csv = argc == 2 ? static_cast<std::ostream&>(file) : std::cout;
  std::ostream& summary = argc == 2 ? std::cout : std::cerr;

  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark('.');

  const SweepGrid grid = StandardSweepGrid();
  const std::size_t total = grid.lengthRatios.size() * grid.thicknessRatios.size();
  std::vector<std::vector<ShapePoint>> rows;
  std::vector<ShapePoint> points;
  for (const double lengthRatio : grid.lengthRatios) {
    rows.emplace_back();
    for (const double thicknessRatio : grid.thicknessRatios) {
      rows.back().push_back(EvaluateShape({lengthRatio, thicknessRatio}));
      points.push_back(rows.back().back());
    }
    std::cerr << "\rshapes " << points.size() << " / " << total << std::flush;
  }
  std::cerr << "\rshapes " << total << " / " << total << ", crossing the thresholds" << std::flush;
  const std::vector<Threshold> thresholds = CrossThresholds(ThresholdLineGrid(kLineSamples));
  std::cerr << '\n';

  WriteCsv(rows, csv);
  WriteSummary(SummariseRegimes(points), SummariseRegimes(ThresholdPoints(thresholds)), thresholds,
               summary);
  return csv ? 0 : 1;
}
