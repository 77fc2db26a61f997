#include "math/parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace tesmor::math {

int HardwareThreads()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void ParallelChunks(std::size_t count, int threads,
                    const std::function<void(std::size_t begin, std::size_t end)>& work)
{
    if (count == 0)
        return;
    const std::size_t most = count < ParallelMinRecords ? 1 : count / (ParallelMinRecords / 2);
    const std::size_t parts
        = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), 1, most);
    if (parts == 1) {
        work(0, count);
        return;
    }
    const auto boundary = [&](std::size_t part) { return count * part / parts; };
    std::vector<std::jthread> helpers;
    helpers.reserve(parts - 1);
    for (std::size_t part = 1; part < parts; ++part)
        helpers.emplace_back([&, part] { work(boundary(part), boundary(part + 1)); });
    work(0, boundary(1));
}

void ParallelTasks(int threads, std::span<const std::function<void()>> tasks)
{
    const std::size_t workers = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::max(threads, 1)), 1, std::max<std::size_t>(tasks.size(), 1));
    const auto run = [&](std::size_t worker) {
        for (std::size_t task = worker; task < tasks.size(); task += workers)
            tasks[task]();
    };
    std::vector<std::jthread> helpers;
    helpers.reserve(workers - 1);
    for (std::size_t worker = 1; worker < workers; ++worker)
        helpers.emplace_back(run, worker);
    run(0);
}

} // namespace tesmor::math
