// The verifier run: takes the settings, reads the solution file (start line,
// end line, moves line), checks the start and end, replays the moves and
// prints the verdict.
//
// Contract:
//  - runVerifier() is the whole program: main() only hands it the arguments
//    and the standard streams. It returns the exit status instead of ending
//    the process, so that tests and the fuzzer can run it many times.
//  - Exit status 0: a verdict ("SUCCESS" or "FAILURE (N)"), a start or end
//    outside the box or on a wall, or the help text. 1: the solution file
//    cannot be opened or read (nothing is printed), a position line that does
//    not hold three numbers, no moves, an invalid move code, or a moves line
//    too long for memory ("Out of memory!"). 2: settings refused, by the
//    option library or because the maze cannot be used.
//  - Every message is one line ended by a newline and flushed at once, so
//    `out` and `err` interleave in the order the run writes them.

#ifndef TESMO_PROGRAMS_TESMO_VERIFIER_HPP
#define TESMO_PROGRAMS_TESMO_VERIFIER_HPP

#include <ostream>

namespace tesmo {

int runVerifier(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

}  // namespace tesmo

#endif  // TESMO_PROGRAMS_TESMO_VERIFIER_HPP
