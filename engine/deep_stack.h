// Runs work on a thread with a large stack, so that recursive stages are safe at every depth the
// tree limits allow. The caller waits; exceptions are rethrown in the caller.
#pragma once

#include <cstddef>
#include <functional>

namespace brevano {

/// Stack size of the worker thread: address space only, pages are committed as they are touched.
inline constexpr std::size_t kDeepStackBytes = std::size_t{1} << 30;

/// Runs `work` to its end on a thread with a kDeepStackBytes stack and rethrows what it threw.
void RunWithLargeStack(const std::function<void()>& work);

}  // namespace brevano
