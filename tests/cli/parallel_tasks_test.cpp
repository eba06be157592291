#include "cli/parallel_tasks.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <typeinfo>
#include <vector>

namespace tarnel::cli {
namespace {

enum class Failure { kNone, kBadAlloc, kInvalidArgument, kDomainError };

struct TaskCase {
  const char* name;
  std::vector<Failure> tasks;  // what task j does: end normally or throw
  Failure expected;            // what the caller must see
  std::size_t expectedTask;    // whose exception it is
};

[[noreturn]] void Throw(Failure failure, std::size_t task) {
  const std::string what = "task " + std::to_string(task);
  switch (failure) {
    case Failure::kBadAlloc:
      throw std::bad_alloc();
    case Failure::kInvalidArgument:
      throw std::invalid_argument(what);
    case Failure::kDomainError:
    case Failure::kNone:
      break;
  }
  throw std::domain_error(what);
}

const std::type_info& TypeOf(Failure failure) {
  switch (failure) {
    case Failure::kBadAlloc:
      return typeid(std::bad_alloc);
    case Failure::kInvalidArgument:
      return typeid(std::invalid_argument);
    case Failure::kDomainError:
    case Failure::kNone:
      break;
  }
  return typeid(std::domain_error);
}

class RunInParallelTest : public testing::TestWithParam<TaskCase> {};

TEST_P(RunInParallelTest, EveryTaskEndsBeforeTheFirstFailureReachesTheCaller) {
  const TaskCase& c = GetParam();
  std::vector<std::atomic<bool>> finished(c.tasks.size());
  const auto task = [&](std::size_t j) {
    if (c.tasks[j] != Failure::kNone) {
      Throw(c.tasks[j], j);
    }
    // Long enough that a caller who did not wait would see it unfinished.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    finished[j] = true;
  };

  const std::type_info* caught = nullptr;
  std::string what;
  try {
    RunInParallel(c.tasks.size(), task);
  } catch (const std::exception& e) {
    caught = &typeid(e);
    what = e.what();
  }

  for (std::size_t j = 0; j < c.tasks.size(); ++j) {
    if (c.tasks[j] == Failure::kNone) {
      EXPECT_TRUE(finished[j]) << "task " << j << " had not ended";
    }
  }
  if (c.expected == Failure::kNone) {
    EXPECT_EQ(caught, nullptr) << what;
    return;
  }
  ASSERT_NE(caught, nullptr) << "nothing reached the caller";
  EXPECT_EQ(*caught, TypeOf(c.expected)) << caught->name();
  if (c.expected != Failure::kBadAlloc) {
    EXPECT_EQ(what, "task " + std::to_string(c.expectedTask));
  }
}

constexpr Failure kOk = Failure::kNone;

INSTANTIATE_TEST_SUITE_P(
    Failures, RunInParallelTest,
    testing::Values(
        TaskCase{"none", {kOk, kOk, kOk, kOk}, kOk, 0},
        TaskCase{"one_task", {Failure::kInvalidArgument}, Failure::kInvalidArgument, 0},
        TaskCase{"calling_thread", {Failure::kDomainError, kOk, kOk}, Failure::kDomainError, 0},
        TaskCase{"worker_bad_alloc", {kOk, kOk, Failure::kBadAlloc, kOk}, Failure::kBadAlloc, 2},
        TaskCase{"last_worker",
                 {kOk, kOk, kOk, Failure::kInvalidArgument},
                 Failure::kInvalidArgument,
                 3},
        TaskCase{"lowest_index_wins",
                 {kOk, kOk, Failure::kDomainError, Failure::kInvalidArgument, kOk},
                 Failure::kDomainError,
                 2},
        TaskCase{"calling_thread_before_workers",
                 {Failure::kInvalidArgument, Failure::kDomainError},
                 Failure::kInvalidArgument,
                 0}),
    [](const testing::TestParamInfo<TaskCase>& info) { return std::string(info.param.name); });

// The address space this process has mapped, in bytes.
std::size_t MappedBytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmSize:") {
      std::size_t kib = 0;
      status >> kib;
      return kib * 1024;
    }
  }
  return 0;
}

// Under an address-space limit with room for only a few thread stacks, asks
// for many threads: the start fails part way. Exits 0 when that failure
// reached the caller as std::system_error after every started task ended,
// and the calling thread's own task never ran.
[[noreturn]] void StartTooManyThreads() {
  const std::size_t mapped = MappedBytes();
  const rlimit limit{mapped + (std::size_t{40} << 20), mapped + (std::size_t{40} << 20)};
  if (mapped == 0 || setrlimit(RLIMIT_AS, &limit) != 0) {
    std::fputs("cannot limit the address space\n", stderr);
    std::_Exit(2);
  }
  std::atomic<int> started{0};
  std::atomic<int> finished{0};
  std::atomic<bool> firstRan{false};
  bool failed = false;
  try {
    RunInParallel(256, [&](std::size_t j) {
      if (j == 0) {
        firstRan = true;
        return;
      }
      ++started;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      ++finished;
    });
  } catch (const std::system_error&) {
    failed = true;
  }
  std::fprintf(stderr, "system_error %d, started %d, finished %d, task 0 %s\n", failed ? 1 : 0,
               started.load(), finished.load(), firstRan ? "ran" : "did not run");
  std::_Exit(failed && started.load() == finished.load() && !firstRan ? 0 : 1);
}

TEST(RunInParallelDeathTest, ThreadThatCannotStartLeavesTheStartedOnesJoined) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#endif
  EXPECT_EXIT(StartTooManyThreads(), testing::ExitedWithCode(0), "system_error 1");
}

}  // namespace
}  // namespace tarnel::cli
