// tarnel-window-design-timing: how long the window takes from the OK of the
// design dialog to the results in its fields: the target and the other
// inputs read, R2, H or D solved and written into its field, and the
// calculation of the Calculate button run on it (the exact comparison for the
// warning sign starts on its own thread and is not waited for). Over a grid of
// shapes that covers the exact reference's accepted range up to its edges,
// around the hole R1/R2 = 3e-3 where the reference is slowest, and at the
// sizes 1 m, 1e-3 m and 1e3 m. Prints, per unknown, the median and the
// slowest in wall-clock time and in this thread's processor time, and the
// shape of the slowest.
//
// Usage: tarnel-window-design-timing [repeats]   (each path is timed
// `repeats` times, 3 by default, and its fastest time kept, so that a moment
// of load from elsewhere on the machine does not count as the window's cost)
#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/design_entry.h"
#include "app/inductance_warning.h"
#include "app/main_window.h"
#include "bench/timing.h"
#include "calc/extended.h"
#include "calc/number_text.h"
#include "reference/exact_comparison.h"

namespace {

using tarnel::bench::Clock;
using tarnel::bench::Milliseconds;
using tarnel::bench::Spaced;
using tarnel::bench::ThreadMilliseconds;
using tarnel::design::Unknown;

struct Shape {
  long double R1;
  long double R2;
  long double H;
  long double D;
};

// An input text the way a person would type it; not a text the program shows.
QString Typed(long double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.12Lg", value);
  return QString::fromLatin1(text);
}

struct Timing {
  double wall = INFINITY;
  double processor = INFINITY;
};

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark('.');
  QApplication application(argc, argv);
  tarnel::TfmTarnel window;
  window.show();
  const auto field = [&window](const char* name) { return window.findChild<QLineEdit*>(name); };
  auto* warning = field("edL")->findChild<tarnel::InductanceWarning*>();

  constexpr long double kInwards = 1e-6L;
  std::vector<long double> thicknessRatios = Spaced(1e-6L * (1 + kInwards), 1 - kInwards, 8);
  for (const long double innerRatio : {2.9e-3L, 3.01e-3L, 3.2e-3L}) {
    thicknessRatios.push_back((1 - innerRatio) / (1 + innerRatio));
  }
  std::vector<Shape> shapes;
  for (const long double size : {1.0L, 1e-3L, 1e3L}) {
    for (const long double lengthRatio :
         Spaced(1e-7L * (1 + kInwards), 1e6L * (1 - kInwards), 10)) {
      for (const long double thicknessRatio : thicknessRatios) {
        Shape shape{};
        shape.R1 = (1 - thicknessRatio) * size;
        shape.R2 = (1 + thicknessRatio) * size;
        shape.H = 2 * lengthRatio * size;
        shape.D = std::min(shape.H, shape.R2 - shape.R1) / 2;
        shapes.push_back(shape);
      }
    }
  }

  int failures = 0;
  for (const Unknown unknown : {Unknown::kR2, Unknown::kH, Unknown::kD}) {
    const char* name = unknown == Unknown::kR2 ? "R2" : unknown == Unknown::kH ? "H" : "D";
    QLineEdit* solvedField = field(unknown == Unknown::kR2  ? "edR2"
                                   : unknown == Unknown::kH ? "edH"
                                                            : "edD");
    std::vector<Timing> timings;
    Shape slowestShape{};
    double slowest = 0;
    for (const Shape& shape : shapes) {
      const QStringList inputs = {Typed(shape.R1), Typed(shape.R2), Typed(shape.H), Typed(shape.D),
                                  QStringLiteral("0.6")};
      Timing best;
      for (int r = 0; r < repeats; ++r) {
        field("edR1")->setText(inputs[0]);
        field("edR2")->setText(inputs[1]);
        field("edH")->setText(inputs[2]);
        field("edD")->setText(inputs[3]);
        field("edLambda")->setText(inputs[4]);
        tarnel::CalculationFields texts;
        texts.edR1 = inputs[0].toStdString();
        texts.edR2 = inputs[1].toStdString();
        texts.edH = inputs[2].toStdString();
        texts.edD = inputs[3].toStdString();
        texts.edLambda = inputs[4].toStdString();
        tarnel::ComputedValues values;
        tarnel::RunCalculation(texts, &values);
        if (!values.L) {
          break;
        }
        const long double wanted = [&] {
          const auto c = tarnel::reference::CompareWithExact(*values.winding, *values.N, *values.L);
          return c.evaluated ? c.exactL : NAN;
        }();
        if (!std::isfinite(wanted)) {
          continue;
        }
        // The target: the exact L of the shape itself. The solve starts from
        // the formula, so it has the formula's error to make up.
        const std::string targetText = Typed(wanted).toStdString();

        const auto start = Clock::now();
        const double startProcessor = ThreadMilliseconds();
        const tarnel::DialogAnswer answer = tarnel::AnswerInDialog(texts, unknown, targetText);
        if (answer.solved) {
          solvedField->setText(QString::fromStdString(answer.text));
          window.btProcessClick();
        }
        const double processor = ThreadMilliseconds() - startProcessor;
        const double wall = Milliseconds(Clock::now() - start);
        warning->Settle();
        if (!answer.solved) {
          ++failures;
          std::printf("%s not solved: R1 %s R2 %s H %s D %s, L %s: %s\n", name,
                      qPrintable(inputs[0]), qPrintable(inputs[1]), qPrintable(inputs[2]),
                      qPrintable(inputs[3]), targetText.c_str(), answer.text.c_str());
          break;
        }
        best.wall = std::min(best.wall, wall);
        best.processor = std::min(best.processor, processor);
      }
      if (!std::isfinite(best.wall)) {
        continue;
      }
      timings.push_back(best);
      if (best.wall > slowest) {
        slowest = best.wall;
        slowestShape = shape;
      }
    }
    std::vector<double> walls;
    std::vector<double> processors;
    for (const Timing& timing : timings) {
      walls.push_back(timing.wall);
      processors.push_back(timing.processor);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(processors.begin(), processors.end());
    const auto over50 = std::count_if(walls.begin(), walls.end(), [](double t) { return t > 50; });
    std::printf(
        "%-2s: %zu shapes, wall median %.3f ms, slowest %.3f ms (R1 %.6Lg R2 %.6Lg H %.6Lg D "
        "%.6Lg); processor median %.3f ms, slowest %.3f ms; over 50 ms: %ld\n",
        name, walls.size(), walls[walls.size() / 2], walls.back(), slowestShape.R1, slowestShape.R2,
        slowestShape.H, slowestShape.D, processors[processors.size() / 2], processors.back(),
        static_cast<long>(over50));
  }
  return failures == 0 ? 0 : 1;
}
