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
//  - The walk goes over a grid of the box (see grid.hpp) when the grid has
//    at most `gridBudget` cells, else over the faces; both give the same
//    outcome. Callers pass about as many cells as they have moves, so that
//    building the grid never costs more than the walk it speeds up.

#ifndef TESMO_WALK_HPP
#define TESMO_WALK_HPP

#include <algorithm>
#include <cstdint>
#include <ostream>

#include "grid.hpp"
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

// What one move code does, as additions (mod 2^64) to the walk's state.
struct MoveRule {
  std::uint64_t positionStep[3];  // +1 or 2^64 - 1 on the moving axis, else 0
  std::uint64_t cellStep[3];      // how the cell index in each face changes
  std::uint64_t cellMask[3];      // all ones for the two faces holding the
                                  // axis, 0 for the face the move leaves alone
};

// The maze as the walk's inner loop reads it.
struct MovePlan {
  MoveRule rules[6];
  std::uint64_t size[3];          // X, Y, Z
  const std::uint64_t* cells[3];  // the faces' cells
  std::uint64_t cellCount[3];
};

MovePlan planMoves(const Maze& maze);

Walk startWalk(const Maze& maze, const NumberList& start);

inline MoveResult applyMove(const MovePlan& plan, std::uint64_t code,
                            Walk* walk, std::ostream& err);

// Prints the verdict on where a walk ended; returns 0.
int printVerdict(const std::uint64_t (&position)[3], std::uint64_t steps,
                 const NumberList& end, bool stopped, std::ostream& out);

// `forEachMove(step)` calls `step(code)` for each code in turn until step
// returns false; the walk's step returns false at a stop or an invalid code.
template <typename ForEachMove>
int walkAndVerdict(const Maze& maze, const NumberList& start,
                   const NumberList& end, ForEachMove forEachMove,
                   std::uint64_t gridBudget, std::ostream& out,
                   std::ostream& err);

// walkAndVerdict() over the codes of a container.
template <typename Moves>
int walkMoveList(const Maze& maze, const NumberList& start,
                 const NumberList& end, const Moves& moves,
                 std::uint64_t gridBudget, std::ostream& out,
                 std::ostream& err) {
  auto forEachMove = [&](auto step) {
    for (std::uint64_t code : moves) {
      if (!step(code)) return;
    }
  };
  return walkAndVerdict(maze, start, end, forEachMove, gridBudget, out, err);
}

// ---- implementation of the inline functions and templates ----

// The messages of applyMove(), kept out of its inlined body.
MoveResult reportInvalidMove(std::uint64_t code, std::ostream& err);
MoveResult reportBoxEdge(std::ostream& err);

// Inline and free of branches on the code: it runs once per move, up to
// 10^8 times in a run, and a branch per code would be mispredicted at every
// turn of a route. The new state is worked out whole, then checked: a
// coordinate that left the box has reached its size or wrapped below 0, so
// one unsigned compare per axis finds it; the cells of all three faces are
// read and the mask drops the face the move does not change. Every index
// into the state is a constant, which keeps the state in registers.
inline MoveResult applyMove(const MovePlan& plan, std::uint64_t code,
                            Walk* walk, std::ostream& err) {
  if (code > 5) return reportInvalidMove(code, err);
  const MoveRule& rule = plan.rules[code];
  std::uint64_t position[3], cell[3];
  for (int k = 0; k < 3; ++k) {
    position[k] = walk->position[k] + rule.positionStep[k];
    cell[k] = walk->cell[k] + rule.cellStep[k];
  }
  if ((position[0] >= plan.size[0]) | (position[1] >= plan.size[1]) |
      (position[2] >= plan.size[2])) {
    return reportBoxEdge(err);
  }
  std::uint64_t wall = 0;
  for (int k = 0; k < 3; ++k) {
    // Past the end of a face (never in a usable maze) is a wall.
    if (cell[k] >= plan.cellCount[k]) return MoveResult::kStopped;
    wall |= plan.cells[k][cell[k]] & rule.cellMask[k];
  }
  if (wall != 0) return MoveResult::kStopped;
  for (int k = 0; k < 3; ++k) {
    walk->position[k] = position[k];
    walk->cell[k] = cell[k];
  }
  ++walk->steps;
  return MoveResult::kMoved;
}

// A move on the grid, with the outcomes of applyMove().
inline MoveResult applyGridMove(const Grid& grid, std::uint64_t code,
                                std::uint64_t* index, std::ostream& err) {
  if (code > 5) return reportInvalidMove(code, err);
  std::uint64_t next;
  const std::uint8_t blocking = gridEntry(grid, *index, code, &next);
  if (blocking == 0) {
    *index = next;
    return MoveResult::kMoved;
  }
  return blocking & kGridEdge ? reportBoxEdge(err) : MoveResult::kStopped;
}

// Each walk works on local copies whose addresses never leave this
// function, so that the compiler keeps them in registers.
template <typename ForEachMove>
int walkAndVerdict(const Maze& maze, const NumberList& start,
                   const NumberList& end, ForEachMove forEachMove,
                   std::uint64_t gridBudget, std::ostream& out,
                   std::ostream& err) {
  MoveResult result = MoveResult::kMoved;
  std::uint64_t position[3];
  std::uint64_t steps = 0;
  if (gridFits(maze, gridBudget)) {
    const Grid grid = planGrid(maze);
    std::uint64_t index = gridIndex(grid, start);
    forEachMove([&](std::uint64_t code) {
      result = applyGridMove(grid, code, &index, err);
      if (result != MoveResult::kMoved) return false;
      ++steps;
      return true;
    });
    gridPosition(grid, index, position);
  } else {
    const MovePlan plan = planMoves(maze);
    Walk walk = startWalk(maze, start);
    forEachMove([&](std::uint64_t code) {
      result = applyMove(plan, code, &walk, err);
      return result == MoveResult::kMoved;
    });
    std::copy(walk.position, walk.position + 3, position);
    steps = walk.steps;
  }
  if (result == MoveResult::kInvalid) return 1;
  return printVerdict(position, steps, end, result == MoveResult::kStopped,
                      out);
}

#endif  // TESMO_WALK_HPP
