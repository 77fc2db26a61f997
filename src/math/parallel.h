#pragma once

// A chunked parallel loop for the per-record work: the records are independent of each other,
// so each thread takes one contiguous range and writes its results into slots prepared before.
// Sums over the records are not formed here: callers add the per-record terms in index order
// afterwards, so every result is the same whatever the number of threads.

#include <cstddef>
#include <functional>
#include <span>

namespace tesmor::math {

// Fewer records than this stay on the calling thread: starting threads would cost more than
// it saves.
inline constexpr std::size_t ParallelMinRecords = 4096;

// The number of cores the system reports (at least 1).
int HardwareThreads();

// Calls work(begin, end) for consecutive ranges covering 0 .. count, on up to `threads` threads
// (the calling thread included), each range at least ParallelMinRecords / 2 long. Returns once
// every range is done. `work` must not throw.
void ParallelChunks(std::size_t count, int threads,
                    const std::function<void(std::size_t begin, std::size_t end)>& work);

// Runs independent tasks on up to `threads` threads (the calling thread included): on one thread
// in the order given, otherwise task i on thread i mod threads. Returns once every task is done.
// The tasks must not throw.
void ParallelTasks(int threads, std::span<const std::function<void()>> tasks);

} // namespace tesmor::math
