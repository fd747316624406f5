// Lines for the reader's and the walk's tests: what the standard extraction
// reads from a line, and random lines shaped like moves lines.

#ifndef TESMO_TESTS_MOVES_LINES_HPP
#define TESMO_TESTS_MOVES_LINES_HPP

#include <random>
#include <string>

#include "base/number_list.hpp"

namespace tesmo {

// What the standard formatted extraction reads from a line: the reader's
// reference behaviour.
NumberList standardList(const std::string& line);

// Mostly one-digit tokens 0 to 9 after one blank, broken now and then by the
// tokens and bytes around them that must end or change the reading of such
// runs; up to 60 tokens.
std::string randomMovesLine(std::mt19937_64& random);

// Up to 400 move codes 0 to 5 in the verifier's shape, "c c c ...", so that
// whole runs of sixteen come often, broken with probability 1 in `breakOdds`
// per token by the same tokens and bytes, by a code 6 to 9, or by a code
// that is no run's (two blanks before it, a tab, a '\r').
std::string randomRunsLine(std::mt19937_64& random, unsigned breakOdds);

}  // namespace tesmo

#endif  // TESMO_TESTS_MOVES_LINES_HPP
