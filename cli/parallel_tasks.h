// Tasks on threads of their own, every failure brought back to the caller.
#pragma once

#include <cstddef>
#include <functional>

namespace tarnel::cli {

// Runs task(0) on the calling thread and task(1) to task(count - 1) on a
// thread each, and returns once all have ended. When a task throws, or a
// thread cannot be started (std::system_error), the threads already started
// are joined all the same, and the exception of the lowest task index is
// rethrown here; a thread that could not be started counts at its index and
// keeps task 0 and the later threads from running.
void RunInParallel(std::size_t count, const std::function<void(std::size_t)>& task);

}  // namespace tarnel::cli
