// A second, deliberately plain model of the puzzle for the end-to-end tests:
// cells looked up straight from the layout, moves tried one by one, routes
// measured by a breadth-first search over lists. It shares no code with the
// programs, so that their answers can be checked against it.

#ifndef TESMO_TESTS_REFERENCE_PUZZLE_HPP
#define TESMO_TESTS_REFERENCE_PUZZLE_HPP

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "base/number_list.hpp"

namespace tesmo {

struct RefPuzzle {
  NumberList sizes;
  NumberList faces[3];
};

// Sizes 1 to maxSize, faces as long as the layout needs, cells mostly 0,
// else 1 or 2 (2 blocks moves but not endpoints).
RefPuzzle randomRefPuzzle(std::mt19937_64& random, std::uint64_t maxSize);

// The cell of a position in a face: face 0 at x + Y*y, face 1 at y + Z*z,
// face 2 at z + X*x.
std::uint64_t& cellOf(RefPuzzle& p, int face, const NumberList& at);
std::uint64_t cellOf(const RefPuzzle& p, int face, const NumberList& at);

// Whether a start or end may stand there: no cell of it holds 1.
bool endpointOpen(const RefPuzzle& p, const NumberList& at);

// The position one move away, if the move is open.
std::optional<NumberList> step(const RefPuzzle& p, const NumberList& at, int code);

// The length of a shortest route, or -1 when there is none; 0 from a cell
// to itself.
int pathLength(const RefPuzzle& p, const NumberList& start, const NumberList& end);

// The length of a shortest solution, or -1 when there is none. From a cell
// to itself a solution must leave it and come back.
int distance(const RefPuzzle& p, const NumberList& start, const NumberList& end);

// The puzzle as tesmo.cfg lines; a position as a line of the solution file.
std::string configOf(const RefPuzzle& p);
std::string lineOf(const NumberList& numbers);

}  // namespace tesmo

#endif  // TESMO_TESTS_REFERENCE_PUZZLE_HPP
