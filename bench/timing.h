// What the timing tools share: log-spaced grids and the two clocks they read.
#pragma once

#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

namespace tarnel::bench {

using Clock = std::chrono::steady_clock;

// Log-spaced from `from` to `to` inclusive.
inline std::vector<long double> Spaced(long double from, long double to, int count) {
  std::vector<long double> values;
  values.reserve(count);
  for (int i = 0; i < count; ++i) {
    values.push_back(from * std::pow(to / from, static_cast<long double>(i) / (count - 1)));
  }
  return values;
}

inline double Milliseconds(Clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

// The processor time of this thread: what the work itself costs, whatever
// else the machine is running.
inline double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

}  // namespace tarnel::bench
