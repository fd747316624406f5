// The progress line of a long run, on standard error when it is a
// terminal.
//
// Contract: showProgress() writes "\rVERB DONE of TOTAL" (erasing the rest
// of the line) once the run has taken half a second, then at most five
// times a second; nothing when standard error is no terminal.
// endProgress() erases the line if one was shown, so that what follows
// starts on a clean line.

#ifndef TESMO_PROGRAMS_PROGRESS_HPP
#define TESMO_PROGRAMS_PROGRESS_HPP

#include <chrono>
#include <cstddef>
#include <ostream>

namespace tesmo {

struct Progress {
  const char* verb;  // "graded", "tested"
  bool terminal;
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now(), shown{};
  bool visible = false;
};

Progress startProgress(const char* verb);
void showProgress(Progress* progress, std::size_t done, std::size_t total, std::ostream& err);
void endProgress(Progress* progress, std::ostream& err);

}  // namespace tesmo

#endif  // TESMO_PROGRAMS_PROGRESS_HPP
