// Work shared among threads, for the commands that do one thing to many
// files or cases.
//
// Contract: forEachIndex() calls work(worker, i) once for every i below
// `count`, on `jobs` threads at most, each taking the next index as it is
// free; `worker` (below `jobs`) names the thread, 0 the calling one, so
// that a thread can keep what it needs between calls. It returns when
// every call has returned. `work` is called from several threads at once.

#ifndef TESMO_BASE_PARALLEL_HPP
#define TESMO_BASE_PARALLEL_HPP

#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace tesmo {

template <typename Work>
void forEachIndex(std::size_t count, unsigned jobs, Work work) {
  std::atomic<std::size_t> next{0};
  auto worker = [&](unsigned id) {
    for (std::size_t i; (i = next++) < count;) work(id, i);
  };
  std::vector<std::thread> others;
  for (unsigned id = 1; id < jobs && id < count; ++id) others.emplace_back(worker, id);
  worker(0);
  for (std::thread& other : others) other.join();
}

}  // namespace tesmo

#endif  // TESMO_BASE_PARALLEL_HPP
