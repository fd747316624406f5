#include "programs/progress.hpp"

#include <unistd.h>

namespace tesmo {

Progress startProgress(const char* verb) { return Progress{verb, isatty(STDERR_FILENO) != 0}; }

void showProgress(Progress* progress, std::size_t done, std::size_t total, std::ostream& err) {
  if (!progress->terminal) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - progress->started < std::chrono::milliseconds(500) ||
      now - progress->shown < std::chrono::milliseconds(200)) {
    return;
  }
  progress->shown = now;
  progress->visible = true;
  err << '\r' << progress->verb << ' ' << done << " of " << total << "\x1b[K" << std::flush;
}

void endProgress(Progress* progress, std::ostream& err) {
  if (progress->visible) err << "\r\x1b[K" << std::flush;
  progress->visible = false;
}

}  // namespace tesmo
