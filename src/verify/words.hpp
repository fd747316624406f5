// The words that explain how a walk ended, shared by every program that
// speaks of one (the verifier's own lines are replay.hpp's), one line
// each, without a newline:
//  - moveName(): "x+1", "x-1", "y+1", "y-1", "z+1", "z-1" for codes 0 to 5.
//  - stopLine() for a walk that stopped (outcome.stop is not kMoved):
//      "move 3: code 0 (x+1) from (3,1,1) runs into a wall: face 0 cell 15
//       (x=4, y=1) holds 1"  (the face's two coordinates of the cell, its
//       first axis first)
//      "move 1: code 1 (x-1) from (0,0,0) runs into the box edge on axis x"
//      "move 5: code 7 is no move (codes are 0 to 5)"
//  - failureLine(): "after 2 moves the token stands at (3,1,1), 1 move from
//    the end (2,1,1)"; with no route from there "..., and no route leads from
//    there to the end (2,1,1)"; for a box too large to search "..., in a box
//    too large to measure the way to the end (2,1,1)".
//  - successLine(): "route of 52 moves; the shortest has 48", or "route of
//    52 moves; no shorter one is known (the box is too large to search)",
//    or, for a walk that never left a start that is also the end and has
//    no way back to it, "route of 0 moves; no route of one move or more
//    leads back to the start".

#ifndef TESMO_VERIFY_WORDS_HPP
#define TESMO_VERIFY_WORDS_HPP

#include <cstdint>
#include <string>

#include "engine/search.hpp"
#include "engine/walk.hpp"

namespace tesmo {

const char* moveName(std::uint64_t code);

// "1 move", "48 moves".
std::string movesText(std::uint64_t count);

std::string positionText(const Position& position);

std::string stopLine(const WalkOutcome& outcome);

std::string failureLine(const WalkOutcome& outcome, const Position& end, const Distance& toEnd);

std::string successLine(std::uint64_t executed, const Distance& shortest);

}  // namespace tesmo

#endif  // TESMO_VERIFY_WORDS_HPP
