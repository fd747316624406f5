// The walk: replays a solution's moves from the start position, one unit
// step each, and gives the verdict on where the token ends.
//
// Contract:
//  - Move codes: 0 is x + 1, 1 is x - 1, 2 is y + 1, 3 is y - 1, 4 is z + 1
//    and 5 is z - 1; any other code is invalid.
//  - applyMove() executes a move when it stays inside the box and both cells
//    the moving axis changes hold 0. A move past the box edge prints
//    "Attempt to access out of boundary!" on `err`; a move into a wall prints
//    nothing; both stop the walk without counting the move. An invalid code
//    prints "Invalid move (code)!" on `err`.
//  - printVerdict() prints, on `out`, "Stopped after executing Nsteps." when
//    the walk stopped early, then "SUCCESS" when the token stands on `end`,
//    else "FAILURE (N)"; it returns the exit status 0.
//  - walkAndVerdict() runs the whole walk over the codes `nextMove` yields and
//    returns the exit status: 1 at an invalid code (no verdict is printed),
//    else 0. Codes after a stop are never asked for.
//  - The maze must be usable (see mazeProblem()) and the start inside the box.
//  - Every message is one line, flushed at once.

#ifndef TESMO_WALK_HPP
#define TESMO_WALK_HPP

#include <cstdint>
#include <ostream>

#include "maze.hpp"
#include "number_list.hpp"

struct Walk {
  NumberList position;      // where the token stands
  std::uint64_t steps = 0;  // moves executed so far
};

enum class MoveResult { kMoved, kStopped, kInvalid };

MoveResult applyMove(const Maze& maze, std::uint64_t code, Walk* walk,
                     std::ostream& err);

int printVerdict(const Walk& walk, const NumberList& end, bool stopped,
                 std::ostream& out);

// `nextMove(std::uint64_t* code)` stores the next code and returns true, or
// returns false when there are no more.
template <typename NextMove>
int walkAndVerdict(const Maze& maze, const NumberList& start,
                   const NumberList& end, NextMove nextMove, std::ostream& out,
                   std::ostream& err) {
  Walk walk{start, 0};
  bool stopped = false;
  std::uint64_t code;
  while (!stopped && nextMove(&code)) {
    const MoveResult result = applyMove(maze, code, &walk, err);
    if (result == MoveResult::kInvalid) return 1;
    stopped = result == MoveResult::kStopped;
  }
  return printVerdict(walk, end, stopped, out);
}

// walkAndVerdict() over the codes of a container.
template <typename Moves>
int walkMoveList(const Maze& maze, const NumberList& start,
                 const NumberList& end, const Moves& moves, std::ostream& out,
                 std::ostream& err) {
  auto move = moves.begin();
  auto nextMove = [&](std::uint64_t* code) {
    if (move == moves.end()) return false;
    *code = *move++;
    return true;
  };
  return walkAndVerdict(maze, start, end, nextMove, out, err);
}

#endif  // TESMO_WALK_HPP
