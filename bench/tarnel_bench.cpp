// tarnel-bench: the cost of one calculation, from the window's texts to the
// result texts, per regime; of the two number conversions; and of the
// inductance two ways: ComputeInductance as the calculation runs it, every
// operation checked, and the same formulas on plain long double. At the end
// it prints, per regime, the checked time over the plain one: the cost of
// the exact fault semantics.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "calc/calculation_request.h"
#include "calc/extended.h"
#include "calc/inductance.h"
#include "calc/number_text.h"

namespace {

struct Regime {
  const char* name;
  tarnel::InductanceRegime regime;
  std::array<const char*, 5> texts;  // R1, R2, H, D, Lambda
};

// The window's start-up texts, a long coil, and a coil of each other shape.
constexpr std::array<Regime, 4> kRegimes = {{
    {"long", tarnel::InductanceRegime::kLong, {"0.01", "0.02", "0.03", "0.001", "0.6"}},
    {"short", tarnel::InductanceRegime::kShort, {"0.01", "0.02", "0.015", "0.001", "0.6"}},
    {"flat", tarnel::InductanceRegime::kFlat, {"0.02", "0.03", "0.004", "0.001", "0.6"}},
    {"thick_flat", tarnel::InductanceRegime::kThickFlat, {"0.005", "0.03", "0.01", "0.001", "0.6"}},
}};

constexpr std::array<const char*, 4> kNumberTexts = {"0.01", "0.6", "0.0008033", "6.368E-5"};

constexpr const char* kCheckedPrefix = "inductance/checked/";
constexpr const char* kPlainPrefix = "inductance/plain/";

struct Inputs {
  long double R1, R2, H, D, Lambda;
};

Inputs InputsOf(const Regime& regime) {
  return {tarnel::TextToNumber(regime.texts[0], '.'), tarnel::TextToNumber(regime.texts[1], '.'),
          tarnel::TextToNumber(regime.texts[2], '.'), tarnel::TextToNumber(regime.texts[3], '.'),
          tarnel::TextToNumber(regime.texts[4], '.')};
}

// Stops `state` with an error unless the regime's texts choose its formula.
bool ChoosesItsFormula(benchmark::State& state, const Regime& regime) {
  const Inputs in = InputsOf(regime);
  if (tarnel::ChooseRegime(tarnel::MakeFormulaInputs(in.R1, in.R2, in.H, in.D, in.Lambda)) !=
      regime.regime) {
    state.SkipWithError("the texts choose another formula");
    return false;
  }
  return true;
}

void Request(benchmark::State& state, const Regime& regime) {
  if (!ChoosesItsFormula(state, regime)) {
    return;
  }
  tarnel::CalculationFields fields = tarnel::StartupFields();
  fields.edR1 = regime.texts[0];
  fields.edR2 = regime.texts[1];
  fields.edH = regime.texts[2];
  fields.edD = regime.texts[3];
  fields.edLambda = regime.texts[4];
  for (auto _ : state) {
    tarnel::RunCalculation(fields);
    benchmark::DoNotOptimize(fields);
  }
  if (fields.edMessage != tarnel::kReadyMessage) {
    state.SkipWithError(fields.edMessage.c_str());
  }
  state.SetLabel(fields.edL);
}

void Inductance(benchmark::State& state, const Regime& regime) {
  if (!ChoosesItsFormula(state, regime)) {
    return;
  }
  Inputs in = InputsOf(regime);
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    const tarnel::Extended L = tarnel::ComputeInductance(in.R1, in.R2, in.H, in.D, in.Lambda);
    benchmark::DoNotOptimize(L);
  }
}

void PlainEvaluation(benchmark::State& state, const Regime& regime) {
  if (!ChoosesItsFormula(state, regime)) {
    return;
  }
  Inputs in = InputsOf(regime);
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    const long double L =
        tarnel::EvaluateInductance<long double>(in.R1, in.R2, in.H, in.D, in.Lambda);
    benchmark::DoNotOptimize(L);
  }
}

void TextToNumber(benchmark::State& state, const char* text) {
  std::string_view view = text;
  for (auto _ : state) {
    benchmark::DoNotOptimize(view);
    const long double value = tarnel::TextToNumber(view, '.');
    benchmark::DoNotOptimize(value);
  }
}

void NumberToText(benchmark::State& state, const Regime& regime) {
  const Inputs in = InputsOf(regime);
  long double L = tarnel::ComputeInductance(in.R1, in.R2, in.H, in.D, in.Lambda).Value();
  std::string text;
  for (auto _ : state) {
    benchmark::DoNotOptimize(L);
    text = tarnel::NumberToText(L, '.');
    benchmark::DoNotOptimize(text);
  }
  state.SetLabel(text);
}

// The parts of a checked calculation, to explain the checked times:
// clearing the x87 fault flags as a calculation starts, reading the status
// word as a library function's check does, and a multiplication checked and
// plain.
void ClearFaultFlags(benchmark::State& state) {
  for (auto _ : state) {
    tarnel::fpu::ClearFaultFlags();
  }
}

void ReadStatus(benchmark::State& state) {
  long double x = 1.0L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(tarnel::fpu::StatusAfter(x));
  }
}

void CheckedMultiply(benchmark::State& state) {
  tarnel::Extended x = 1.0L;
  tarnel::Extended y = 1.0000001L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(y);
    x = x * y;
    benchmark::DoNotOptimize(x);
  }
}

void PlainMultiply(benchmark::State& state) {
  long double x = 1.0L;
  long double y = 1.0000001L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(y);
    x = x * y;
    benchmark::DoNotOptimize(x);
  }
}

void RegisterAll() {
  for (const Regime& regime : kRegimes) {
    benchmark::RegisterBenchmark((std::string("request/") + regime.name).c_str(), Request, regime);
  }
  for (const Regime& regime : kRegimes) {
    benchmark::RegisterBenchmark((kCheckedPrefix + std::string(regime.name)).c_str(), Inductance,
                                 regime);
    benchmark::RegisterBenchmark((kPlainPrefix + std::string(regime.name)).c_str(), PlainEvaluation,
                                 regime);
  }
  for (const char* text : kNumberTexts) {
    benchmark::RegisterBenchmark((std::string("TextToNumber/") + text).c_str(), TextToNumber, text);
  }
  for (const Regime& regime : kRegimes) {
    benchmark::RegisterBenchmark((std::string("NumberToText/") + regime.name).c_str(), NumberToText,
                                 regime);
  }
  benchmark::RegisterBenchmark("x87/clear_fault_flags", ClearFaultFlags);
  benchmark::RegisterBenchmark("x87/read_status", ReadStatus);
  benchmark::RegisterBenchmark("x87/multiply_checked", CheckedMultiply);
  benchmark::RegisterBenchmark("x87/multiply_plain", PlainMultiply);
}

// The console report, followed per regime by the CPU times of the checked
// inductance benchmarks over that of the plain one: of the medians when
// repetitions are aggregated, else of the single runs. Notes whether any
// benchmark stopped with an error, which fails the program.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;

  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      errorOccurred_ = errorOccurred_ || run.error_occurred;
      if (!run.error_occurred && (single || median)) {
        cpuTimes_[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
  }

  [[nodiscard]] bool ErrorOccurred() const { return errorOccurred_; }

  void Finalize() override {
    ConsoleReporter::Finalize();
    bool header = false;
    for (const Regime& regime : kRegimes) {
      const double plain = CpuTime(kPlainPrefix, regime);
      const double checked = CpuTime(kCheckedPrefix, regime);
      if (plain <= 0 || checked <= 0) {
        continue;
      }
      if (!header) {
        std::printf("\nCPU time over that of inductance/plain (of the medians when repeated)\n");
        std::printf("%-12s %10s\n", "regime", "checked");
        header = true;
      }
      std::printf("%-12s %10s\n", regime.name, Ratio(checked, plain).c_str());
    }
    std::fflush(stdout);
  }

 private:
  // The CPU time recorded for `prefix` + the regime's name, or 0.
  [[nodiscard]] double CpuTime(const char* prefix, const Regime& regime) const {
    const auto found = cpuTimes_.find(prefix + std::string(regime.name));
    return found == cpuTimes_.end() ? 0 : found->second;
  }

  static std::string Ratio(double time, double plain) {
    if (time <= 0) {
      return "-";
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.3f", time / plain);
    return text.data();
  }

  std::map<std::string, double> cpuTimes_;
  bool errorOccurred_ = false;
};

// Whether the report goes to the console: another --benchmark_format keeps
// the library's own reporter.
bool ConsoleFormat(int argc, char** argv) {
  constexpr const char* kFormat = "--benchmark_format=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kFormat, std::strlen(kFormat)) == 0 &&
        std::strcmp(argv[i] + std::strlen(kFormat), "console") != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  tarnel::fpu::SetWorkingMode();
  tarnel::SetDecimalMark('.');
  const bool console = ConsoleFormat(argc, argv);
  bool failed = false;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  RegisterAll();
  if (console) {
    RatioReporter reporter(isatty(STDOUT_FILENO) != 0 ? benchmark::ConsoleReporter::OO_Color
                                                      : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    failed = reporter.ErrorOccurred();
  } else {
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  return failed ? 1 : 0;
}
