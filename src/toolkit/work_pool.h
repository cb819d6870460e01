// Running one piece of work per item on several threads: how the tool and the Python module
// parse a fleet of configurations on every core.
#ifndef QUILLSET_TOOLKIT_WORK_POOL_H
#define QUILLSET_TOOLKIT_WORK_POOL_H

#include <cstddef>
#include <functional>

namespace quillset::toolkit {

// The number of threads to use for `jobs`: `jobs` itself, or every core when it is 0.
unsigned ThreadCount(unsigned jobs);

// Calls work(i) for every i below `count` on up to ThreadCount(jobs) threads (the calling
// thread is one of them); items are taken in order as threads come free. When a call
// throws, the items not yet started are skipped and the first exception is rethrown here
// once every thread has stopped.
void ForEachOnThreads(std::size_t count, unsigned jobs, std::function<void(std::size_t)> const& work);

}  // namespace quillset::toolkit

#endif
