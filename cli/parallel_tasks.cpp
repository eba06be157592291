#include "cli/parallel_tasks.h"

#include <exception>
#include <thread>
#include <vector>

namespace tarnel::cli {

void RunInParallel(std::size_t count, const std::function<void(std::size_t)>& task) {
  std::vector<std::exception_ptr> failures(count);
  std::vector<std::thread> threads;
  threads.reserve(count);
  bool started = true;
  for (std::size_t j = 1; j < count && started; ++j) {
    try {
      threads.emplace_back([&failures, &task, j] {
        try {
          task(j);
        } catch (...) {
          failures[j] = std::current_exception();
        }
      });
    } catch (...) {
      failures[j] = std::current_exception();
      started = false;
    }
  }
  if (started && count != 0) {
    try {
      task(0);
    } catch (...) {
      failures[0] = std::current_exception();
    }
  }
  for (auto& thread : threads) {
    thread.join();
  }
  for (const auto& failure : failures) {
    if (failure) {
      std::rethrow_exception(failure);
    }
  }
}

}  // namespace tarnel::cli
