// The walk: replays a solution's moves from the start position, one unit
// step each, and gives the verdict on where the token ends.
//
// Contract:
//  - Move codes: 0 is x + 1, 1 is x - 1, 2 is y + 1, 3 is y - 1, 4 is z + 1
//    and 5 is z - 1; any other code is invalid.
//  - A move is executed when it stays inside the box and both cells that the
//    moving axis changes (face 0 and 2 for x, 1 and 0 for y, 2 and 1 for z)
//    hold 0. A move past the box edge prints "Attempt to access out of
//    boundary!" on `err`; a move into a wall prints nothing; both stop the
//    walk without counting the move. An invalid code prints
//    "Invalid move (code)!" on `err` and ends the walk with no verdict.
//  - The verdict, on `out`: "Stopped after executing Nsteps." when the walk
//    stopped early, then "SUCCESS" when the token stands on `end`, else
//    "FAILURE (N)".
//  - walkAndVerdict() returns the exit status: 1 at an invalid code, else 0.
//    Codes after a stop are never asked for.
//  - The maze must be usable (see mazeProblem()), the start inside the box.
//  - Every message is one line, flushed at once.

#ifndef TESMO_WALK_HPP
#define TESMO_WALK_HPP

#include <cstdint>
#include <ostream>

#include "maze.hpp"
#include "number_list.hpp"

enum class MoveResult { kMoved, kStopped, kInvalid };

// The walk's state. Besides the position it keeps the index of the
// position's cell in each face, so that a move only adds to two of them.
struct Walk {
  std::uint64_t position[3];
  std::uint64_t cell[3];
  std::uint64_t steps = 0;  // moves executed so far
};

// The maze as the walk's inner loop reads it.
struct MovePlan {
  std::uint64_t size[3];          // X, Y, Z
  const std::uint64_t* cells[3];  // the faces' cells
  std::uint64_t cellCount[3];
};

MovePlan planMoves(const Maze& maze);

Walk startWalk(const Maze& maze, const NumberList& start);

inline MoveResult applyMove(const MovePlan& plan, std::uint64_t code,
                            Walk* walk, std::ostream& err);

int printVerdict(const Walk& walk, const NumberList& end, bool stopped,
                 std::ostream& out);

// `forEachMove(visit)` calls `visit(code)` for each code in turn while it
// returns true.
template <typename ForEachMove>
int walkAndVerdict(const Maze& maze, const NumberList& start,
                   const NumberList& end, ForEachMove forEachMove,
                   std::ostream& out, std::ostream& err);

// walkAndVerdict() over the codes of a container.
template <typename Moves>
int walkMoveList(const Maze& maze, const NumberList& start,
                 const NumberList& end, const Moves& moves, std::ostream& out,
                 std::ostream& err) {
  auto forEachMove = [&moves](auto visit) {
    for (std::uint64_t code : moves) {
      if (!visit(code)) return;
    }
  };
  return walkAndVerdict(maze, start, end, forEachMove, out, err);
}

// ---- implementation of the inline functions and templates ----

// The messages of applyMove(), kept out of its inlined body.
MoveResult reportInvalidMove(std::uint64_t code, std::ostream& err);
MoveResult reportBoxEdge(std::ostream& err);

// One move along axis kAxis. Face k spans axis k and the axis after it, with
// cell index (axis k) + size[k + 1] * (axis k + 1): a step along axis a moves
// the cell of face a by one and the cell of the face before it by size[a].
// The third face's cell does not change with the move and is not looked at.
template <int kAxis, bool kForward>
inline MoveResult stepAlong(const MovePlan& plan, Walk* walk,
                            std::ostream& err) {
  constexpr int kFirst = kAxis, kSecond = (kAxis + 2) % 3;
  const std::uint64_t from = walk->position[kAxis];
  if (kForward ? from + 1 == plan.size[kAxis] : from == 0) {
    return reportBoxEdge(err);
  }
  const std::uint64_t firstCell = kForward ? walk->cell[kFirst] + 1
                                           : walk->cell[kFirst] - 1;
  const std::uint64_t secondCell = kForward
                                       ? walk->cell[kSecond] + plan.size[kAxis]
                                       : walk->cell[kSecond] - plan.size[kAxis];
  // A cell past the end of a face (never in a usable maze) is a wall.
  if (firstCell >= plan.cellCount[kFirst] || plan.cells[kFirst][firstCell] != 0 ||
      secondCell >= plan.cellCount[kSecond] ||
      plan.cells[kSecond][secondCell] != 0) {
    return MoveResult::kStopped;
  }
  walk->position[kAxis] = kForward ? from + 1 : from - 1;
  walk->cell[kFirst] = firstCell;
  walk->cell[kSecond] = secondCell;
  ++walk->steps;
  return MoveResult::kMoved;
}

// Inline, and one instance of stepAlong() per code, so that the walk's state
// stays in registers: it runs once per move, up to 10^8 times in a run.
inline MoveResult applyMove(const MovePlan& plan, std::uint64_t code,
                            Walk* walk, std::ostream& err) {
  switch (code) {
    case 0: return stepAlong<0, true>(plan, walk, err);
    case 1: return stepAlong<0, false>(plan, walk, err);
    case 2: return stepAlong<1, true>(plan, walk, err);
    case 3: return stepAlong<1, false>(plan, walk, err);
    case 4: return stepAlong<2, true>(plan, walk, err);
    case 5: return stepAlong<2, false>(plan, walk, err);
    default: return reportInvalidMove(code, err);
  }
}

template <typename ForEachMove>
int walkAndVerdict(const Maze& maze, const NumberList& start,
                   const NumberList& end, ForEachMove forEachMove,
                   std::ostream& out, std::ostream& err) {
  const MovePlan plan = planMoves(maze);
  Walk walk = startWalk(maze, start);
  MoveResult result = MoveResult::kMoved;
  forEachMove([&](std::uint64_t code) {
    result = applyMove(plan, code, &walk, err);
    return result == MoveResult::kMoved;
  });
  if (result == MoveResult::kInvalid) return 1;
  const Walk last = walk;  // `walk` itself never escapes: it can live in registers
  return printVerdict(last, end, result == MoveResult::kStopped, out);
}

#endif  // TESMO_WALK_HPP
