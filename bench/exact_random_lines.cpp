// tarnel-exact-lines: input lines for `tarnel-calc --exact` that cover the
// range of windings the exact reference accepts, the same lines for the same
// count and seed on every machine.
//
// Usage: tarnel-exact-lines COUNT [SEED]   (SEED 1 by default)
//
// Each line is a winding with
//   lengthRatio    H / (R1 + R2)          log-uniform from 1e-7 to 1e6,
//   thicknessRatio (R2 - R1) / (R1 + R2)  log-uniform from 1e-6 to 1,
//   mean radius                           log-uniform from 1e-4 m to 100 m,
//   D  the smaller of H and R2 - R1 times a factor log-uniform from 1e-3 to
//      1e-1, so that every line passes the request's checks,
//   Lambda                                uniform from 0.05 to 0.95,
// both ratios kept a part in 1e6 inside their ends so that the lengths read
// back from the texts stay in the accepted range. Written with 17
// significant digits, TAB-separated.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// Uniform in [0, 1) from the top 53 bits: the same numbers from every
// standard library, unlike std::uniform_real_distribution.
double Uniform(std::mt19937_64& generator) {
  return static_cast<double>(generator() >> 11) * 0x1p-53;
}

double LogUniform(std::mt19937_64& generator, double from, double to) {
  return from * std::pow(to / from, Uniform(generator));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: tarnel-exact-lines COUNT [SEED]\n");
    return 2;
  }
  const long count = std::atol(argv[1]);
  const auto seed = static_cast<std::uint64_t>(argc > 2 ? std::atoll(argv[2]) : 1);
  std::mt19937_64 generator(seed);
  constexpr double kInwards = 1 + 1e-6;
  for (long i = 0; i < count; ++i) {
    const double lengthRatio = LogUniform(generator, 1e-7 * kInwards, 1e6 / kInwards);
    const double thicknessRatio = LogUniform(generator, 1e-6 * kInwards, 1 / kInwards);
    const double meanRadius = LogUniform(generator, 1e-4, 1e2);
    const double R1 = meanRadius * (1 - thicknessRatio);
    const double R2 = meanRadius * (1 + thicknessRatio);
    const double H = 2 * meanRadius * lengthRatio;
    const double D = std::fmin(H, R2 - R1) * LogUniform(generator, 1e-3, 1e-1);
    const double Lambda = 0.05 + 0.9 * Uniform(generator);
    std::printf("%.17g\t%.17g\t%.17g\t%.17g\t%.17g\n", R1, R2, H, D, Lambda);
  }
  return 0;
}
