// tarnel-optimize-timing: the time FindBestCoil and WriteBestCoil take
// together (what the window's dialog and a tarnel-calc --optimize line cost)
// over a grid of targets, wires and bounds: every free coil from 1 nH to
// 1 kH with thin and thick wire, and around each the former kept from none
// to five times its free radius, the can and the bobbin bound below the free
// coil, the height kept from a hundredth to ten times. Prints the median and
// the slowest case with its request, in the processor time of the thread.
//
// Usage: tarnel-optimize-timing
//        tarnel-optimize-timing --lines COUNT [SEED]
//          prints COUNT random bounded lines for tarnel-calc --optimize
//          (R1 R2 H D Lambda L), the same for the same seed.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "calc/number_text.h"
#include "design/best_coil.h"

namespace {

using tarnel::bench::Spaced;
using tarnel::bench::ThreadMilliseconds;
using tarnel::design::BestCoilRequest;

struct Case {
  BestCoilRequest request;
  std::string name;
};

std::string Text(long double value) {
  return tarnel::FormatNumber(value, tarnel::CScientificFormat(4, '.'));
}

// The cases around the free coil of one target and wire.
std::vector<Case> CasesAround(const BestCoilRequest& free, const tarnel::Winding& coil) {
  std::vector<Case> cases = {{free, "free"}};
  for (const long double factor : {0.0L, 0.1L, 0.5L, 2.0L, 5.0L}) {
    Case c{free, "R1 kept at " + Text(factor) + " of free"};
    c.request.R1.kept = true;
    c.request.winding.R1 = coil.R1 * factor;
    cases.push_back(c);
  }
  for (const long double factor : {0.6L, 0.9L}) {
    Case c{free, "R2 <= " + Text(factor) + " of free"};
    c.request.R2.highest = coil.R2 * factor;
    cases.push_back(c);
  }
  for (const long double factor : {0.1L, 0.5L}) {
    Case c{free, "H <= " + Text(factor) + " of free"};
    c.request.H.highest = coil.H * factor;
    cases.push_back(c);
  }
  for (const long double factor : {0.01L, 10.0L}) {
    Case c{free, "H kept at " + Text(factor) + " of free"};
    c.request.H.kept = true;
    c.request.winding.H = coil.H * factor;
    cases.push_back(c);
  }
  Case both{free, "R1 >= 1.5, R2 <= 1.2 of free"};
  both.request.R1.lowest = coil.R1 * 1.5L;
  both.request.R2.highest = coil.R2 * 1.2L;
  cases.push_back(both);
  return cases;
}

int Time() {
  tarnel::design::FreeBestShape();
  std::vector<double> times;
  double slowest = 0;
  std::string slowestName;
  int solved = 0;
  for (const long double D : {1e-5L, 1e-3L}) {
    for (const long double L : Spaced(1e-9L, 1e3L, 7)) {
      BestCoilRequest free;
      free.winding.D = D;
      free.winding.Lambda = 0.6L;
      free.targetL = L;
      const tarnel::design::BestCoil coil = tarnel::design::FindBestCoil(free);
      if (!coil.solved) {
        continue;
      }
      for (const Case& c : CasesAround(free, coil.winding)) {
        const double start = ThreadMilliseconds();
        const tarnel::design::BestCoil best = tarnel::design::FindBestCoil(c.request);
        const tarnel::design::WrittenCoil written =
            tarnel::design::WriteBestCoil(c.request, best, tarnel::CScientificFormat(10, '.'),
                                          tarnel::design::kBestCoilTolerance);
        const double elapsed = ThreadMilliseconds() - start;
        times.push_back(elapsed);
        solved += written.solved ? 1 : 0;
        // TARNEL_SHOW_UNSOLVED=1 lists the requests without a coil and their stops.
        if (std::getenv("TARNEL_SHOW_UNSOLVED") != nullptr && !written.solved) {
          std::printf("unsolved: %s, L %s, D %s: %s\n", c.name.c_str(), Text(L).c_str(),
                      Text(D).c_str(), written.coil.message.c_str());
        }
        if (elapsed > slowest) {
          slowest = elapsed;
          slowestName = c.name + ", L " + Text(L) + " H, D " + Text(D) + " m";
        }
      }
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("%zu optimisations (%d solved): median %.2f ms, slowest %.2f ms (%s)\n", times.size(),
              solved, times[times.size() / 2], slowest, slowestName.c_str());
  return 0;
}

// Uniform in [0, 1) from the top 53 bits: the same on every library.
double Uniform(std::mt19937_64& generator) {
  return static_cast<double>(generator() >> 11) * 0x1p-53;
}

double LogUniform(std::mt19937_64& generator, double from, double to) {
  return from * std::pow(to / from, Uniform(generator));
}

// Random lines: a target from 10 µH to 100 mH, wire from 0.1 to 2 mm,
// Lambda 0.3 to 0.8, and the dimensions of the free coil's scale kept,
// bounded or free: R1 kept or at least a former, R2 at most a can, H free,
// kept or at most a bobbin, so that most lines have a bound that binds.
int PrintLines(long count, std::uint64_t seed) {
  std::mt19937_64 generator(seed);
  for (long i = 0; i < count; ++i) {
    const double L = LogUniform(generator, 1e-5, 1e-1);
    const double D = LogUniform(generator, 1e-4, 2e-3);
    const double lambda = 0.3 + 0.5 * Uniform(generator);
    // The free coil's R1 for this target, from L ∝ R1⁵ / D⁴.
    const double scale =
        0.0144 * std::pow(L / 1e-3, 0.2) * std::pow(D / 1e-3, 0.8) * std::pow(0.6 / lambda, 0.4);
    const int kind = static_cast<int>(Uniform(generator) * 4);
    const double former = scale * LogUniform(generator, 0.1, 3);
    const double can = scale * LogUniform(generator, 1.5, 4);
    const double bobbin = scale * LogUniform(generator, 0.3, 3);
    std::string R1 = kind == 0 ? "?" : kind == 1 ? "?>=" : "";
    R1 += kind == 0 ? "" : tarnel::FormatNumber(former, tarnel::CScientificFormat(6, '.'));
    std::string R2 = "?<=" + tarnel::FormatNumber(can, tarnel::CScientificFormat(6, '.'));
    std::string H = kind == 3 ? "?<=" : "?";
    if (kind == 3) {
      H += tarnel::FormatNumber(bobbin, tarnel::CScientificFormat(6, '.'));
    }
    std::printf("%s\t%s\t%s\t%.6g\t%.3f\t%.6g\n", R1.c_str(), R2.c_str(), H.c_str(), D, lambda, L);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--lines") == 0) {
    return PrintLines(std::atol(argv[2]),
                      static_cast<std::uint64_t>(argc > 3 ? std::atoll(argv[3]) : 1));
  }
  if (argc != 1) {
    std::fprintf(stderr, "usage: tarnel-optimize-timing [--lines COUNT [SEED]]\n");
    return 2;
  }
  return Time();
}
