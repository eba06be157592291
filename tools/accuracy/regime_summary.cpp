#include "tools/accuracy/regime_summary.h"

#include <cmath>

namespace tarnel::accuracy {

std::vector<RegimeSummary> SummariseRegimes(const std::vector<ShapePoint>& points) {
  std::vector<RegimeSummary> summaries;
  for (const InductanceRegime regime : {InductanceRegime::kLong, InductanceRegime::kShort,
                                        InductanceRegime::kFlat, InductanceRegime::kThickFlat}) {
    RegimeSummary summary;
    summary.regime = regime;
    for (const ShapePoint& point : points) {
      if (point.regime != regime || !point.relativeError) {
        continue;
      }
      const double size = std::fabs(*point.relativeError);
      ++summary.points;
      summary.withinTenthPercent += size <= 1e-3 ? 1 : 0;
      summary.withinOnePercent += size <= 1e-2 ? 1 : 0;
      if (!summary.worst || size > std::fabs(*summary.worst->relativeError)) {
        summary.worst = point;
      }
    }
    summaries.push_back(summary);
  }
  return summaries;
}

}  // namespace tarnel::accuracy
