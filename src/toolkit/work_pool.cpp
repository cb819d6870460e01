// The work pool: threads that take the next item from a shared counter.
#include "toolkit/work_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quillset::toolkit {

unsigned ThreadCount(unsigned jobs)
{
    return jobs > 0 ? jobs : std::max(1u, std::thread::hardware_concurrency());
}

void ForEachOnThreads(std::size_t count, unsigned jobs, std::function<void(std::size_t)> const& work)
{
    std::atomic<std::size_t> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto const run = [&] {
        for (std::size_t i; (i = next++) < count;) {
            try {
                work(i);
            } catch (...) {
                std::lock_guard<std::mutex> const lock(failureMutex);
                if (!failure)
                    failure = std::current_exception();
                next = count;
            }
        }
    };
    std::size_t const threads = std::min<std::size_t>(ThreadCount(jobs), count);
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t)
        helpers.emplace_back(run);
    run();
    for (std::thread& helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace quillset::toolkit
