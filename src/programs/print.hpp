// The one place that prints what the modules said.

#ifndef TESMO_PROGRAMS_PRINT_HPP
#define TESMO_PROGRAMS_PRINT_HPP

#include <ostream>

#include "base/said.hpp"

namespace tesmo {

// Prints each line on `out` or `err`, as it is bound, with a newline, and
// flushes it at once, so that the two streams interleave in the order the
// lines were said; then empties *said, so that it can take more.
void printSaid(Said* said, std::ostream& out, std::ostream& err);

}  // namespace tesmo

#endif  // TESMO_PROGRAMS_PRINT_HPP
