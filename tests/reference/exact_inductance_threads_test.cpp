// The reference's caches of rules and panels are shared by the threads of
// tarnel-calc --jobs and by the window's comparison threads: the ThreadSanitizer
// build (./test.sh tsan) sees any of them filled or read without its lock.
#include <gtest/gtest.h>

#include <array>
#include <latch>
#include <thread>
#include <vector>

#include "reference/exact_comparison.h"
#include "reference/exact_inductance.h"

namespace tarnel::reference {
namespace {

TEST(ExactInductanceThreads, FillAndReadTheSharedCachesAtOnce) {
  // Node counts no other evaluation in this process has asked for: the
  // threads that share one find its caches empty and fill them together.
  constexpr std::array<int, 4> kNodes = {15, 15, 17, 17};
  std::array<long double, kNodes.size()> together{};
  std::array<bool, kNodes.size()> compared{};
  {
    std::latch start(kNodes.size());
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < kNodes.size(); ++i) {
      threads.emplace_back([&, i] {
        IntegrationSettings settings;
        settings.nodesPerPanel = kNodes[i];
        start.arrive_and_wait();
        together[i] = ExactInductancePerTurnSquaredExtended(0.5L, 1, 0.75L, settings);
        // What the window's thread asks, with the default nodes.
        compared[i] = CompareWithExact(Winding{0.01L, 0.02L, 0.03L, 0.001L, 0.6L}, 229, 8e-4L).evaluated;
      });
    }
  }
  for (std::size_t i = 0; i < kNodes.size(); ++i) {
    IntegrationSettings settings;
    settings.nodesPerPanel = kNodes[i];
    // Bit for bit what one thread alone computes.
    EXPECT_EQ(together[i], ExactInductancePerTurnSquaredExtended(0.5L, 1, 0.75L, settings)) << i;
    EXPECT_TRUE(compared[i]) << i;
  }
}

}  // namespace
}  // namespace tarnel::reference
