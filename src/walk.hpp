// The walk: replays a solution's moves from the start position, one unit
// step each, and tells where and why it ended. It prints nothing: each
// program words the outcome itself.
//
// Contract:
//  - Move codes: 0 is x + 1, 1 is x - 1, 2 is y + 1, 3 is y - 1, 4 is z + 1
//    and 5 is z - 1; any other code is invalid.
//  - A move is executed when it stays inside the box and both cells that the
//    moving axis changes (face 0 and 2 for x, 1 and 0 for y, 2 and 1 for z)
//    hold 0. Otherwise the walk stops there, at the box edge or at a wall,
//    without counting the move; an invalid code stops it too. Codes after a
//    stop are never asked for.
//  - walkMoves() returns the outcome: why it stopped (kMoved when every move
//    was executed), the stopping code, the moves executed and where the
//    token stands. The stopping move's number, counting from 1, is
//    executed + 1.
//  - blockerOf() tells, for a move that is not executed, what stops it: an
//    invalid code, the box edge on the move's axis, or the first face cell
//    of the two the move changes (in the order of the list above) that is
//    not 0.
//  - The maze must be usable (see mazeProblem()), the start inside the box.
//  - The walk goes over a grid of the box (see grid.hpp) when the grid has
//    at most `gridBudget` cells, else over the faces; both give the same
//    outcome. Callers pass about as many cells as they have moves, so that
//    building the grid never costs more than the walk it speeds up. Runs of
//    codes the reader hands over go through the four-move table (see
//    quad_grid.hpp) when it fits that budget too; the outcome is the same.

#ifndef TESMO_WALK_HPP
#define TESMO_WALK_HPP

#include <cstdint>
#include <optional>

#include "grid.hpp"
#include "maze.hpp"
#include "number_list.hpp"
#include "quad_grid.hpp"

enum class MoveResult : std::uint8_t { kMoved, kEdge, kWall, kInvalid };

// Where and why a walk ended.
struct WalkOutcome {
  MoveResult stop = MoveResult::kMoved;  // kMoved: every move was executed
  std::uint64_t stopCode = 0;            // the code that stopped it
  std::uint64_t executed = 0;            // moves executed
  Position position{};                   // where the token stands
};

// What stops a move that is not executed.
struct Blocker {
  MoveResult reason = MoveResult::kMoved;  // kEdge, kWall or kInvalid
  int axis = 0;              // the move's axis: 0 x, 1 y, 2 z
  int face = 0;              // kWall: the face whose cell blocks it
  std::uint64_t cell = 0;    // kWall: that cell's index in the face
  std::uint64_t value = 0;   // kWall: its value
  Position target{};         // kWall: the position the move would enter
};

Blocker blockerOf(const Maze& maze, const Position& from, std::uint64_t code);

// `forEachMove(step, runs)` calls `step(code)` for each code in turn until
// step returns false; the walk's step returns false at a stop. It may hand
// runs of codes written as one-digit tokens to the run taker `runs`
// instead, as forEachNumber() does (see number_list.hpp).
// With `warmUp` false the four-move table is built at the first run rather
// than after quadGridWarmup() moves, so that tests of short walks reach it.
template <typename ForEachMove>
WalkOutcome walkMoves(const Maze& maze, const Position& start,
                      ForEachMove forEachMove, std::uint64_t gridBudget, bool warmUp = true);

// walkMoves() over the codes of a container.
template <typename Moves>
WalkOutcome walkMoveList(const Maze& maze, const Position& start,
                         const Moves& moves, std::uint64_t gridBudget) {
  auto forEachMove = [&](auto step, auto&) {
    for (std::uint64_t code : moves) {
      if (!step(code)) return;
    }
  };
  return walkMoves(maze, start, forEachMove, gridBudget);
}

// ---- the walk over the faces, and the implementation of the templates ----

// The walk's state over the faces. Besides the position it keeps the index
// of the position's cell in each face, so that a move only adds to two.
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

Walk startWalk(const Maze& maze, const Position& start);

// Inline and free of branches on the code: it runs once per move, up to
// 10^8 times in a run, and a branch per code would be mispredicted at every
// turn of a route. The new state is worked out whole, then checked: a
// coordinate that left the box has reached its size or wrapped below 0, so
// one unsigned compare per axis finds it; the cells of all three faces are
// read and the mask drops the face the move does not change. Every index
// into the state is a constant, which keeps the state in registers.
inline MoveResult applyMove(const MovePlan& plan, std::uint64_t code,
                            Walk* walk) {
  if (code > 5) return MoveResult::kInvalid;
  const MoveRule& rule = plan.rules[code];
  std::uint64_t position[3], cell[3];
  for (int k = 0; k < 3; ++k) {
    position[k] = walk->position[k] + rule.positionStep[k];
    cell[k] = walk->cell[k] + rule.cellStep[k];
  }
  if ((position[0] >= plan.size[0]) | (position[1] >= plan.size[1]) |
      (position[2] >= plan.size[2])) {
    return MoveResult::kEdge;
  }
  std::uint64_t wall = 0;
  for (int k = 0; k < 3; ++k) {
    // Past the end of a face (never in a usable maze) is a wall.
    if (cell[k] >= plan.cellCount[k]) return MoveResult::kWall;
    wall |= plan.cells[k][cell[k]] & rule.cellMask[k];
  }
  if (wall != 0) return MoveResult::kWall;
  for (int k = 0; k < 3; ++k) {
    walk->position[k] = position[k];
    walk->cell[k] = cell[k];
  }
  ++walk->steps;
  return MoveResult::kMoved;
}

// A move on the grid, with the outcomes of applyMove().
inline MoveResult applyGridMove(const Grid& grid, std::uint64_t code,
                                std::uint64_t* index) {
  if (code > 5) return MoveResult::kInvalid;
  std::uint64_t next;
  const std::uint8_t blocking = gridEntry(grid, *index, code, &next);
  if (blocking == 0) {
    *index = next;
    return MoveResult::kMoved;
  }
  return blocking & kGridEdge ? MoveResult::kEdge : MoveResult::kWall;
}

// Runs of codes on the grid through the four-move table, as forEachNumber()
// asks of a run taker: the runs start after the blank the bytes begin with.
// Until the walk has made `warmup` moves (quadGridWarmup() in a verifier's
// walk) it walks each run move by move, and only then builds the table, so
// a walk that stops soon, or a line with no runs, never pays for it. A run
// the table does not let through is walked again move by move, by `step`,
// to find the move that stops it.
template <typename Step>
struct QuadRuns {
  const Grid& grid;
  std::uint64_t& index;
  std::uint64_t& steps;
  Step& step;
  std::uint64_t warmup;  // moves to make one by one before the table
  std::optional<QuadGrid> quads;

  // The first code and blank, inline in the token loop, spare lines of
  // other tokens a call per token.
  bool startsRuns(const char* bytes) const {
    return bytes[0] == ' ' && static_cast<unsigned char>(bytes[1] - '0') <= 5 &&
           bytes[2] == ' ';
  }

  // The run at `run` (a decoded one) move by move: its tokens, and whether
  // one of them stopped the walk.
  RunsTaken walkOneByOne(const char* run, std::size_t before) {
    for (std::size_t token = 0; token < kRunCodes; ++token) {
      if (!step(static_cast<std::uint64_t>(run[2 * token] - '0'))) {
        return {before + token + 1, true};
      }
    }
    return {before + kRunCodes, false};
  }

  RunsTaken take(const char* bytes, std::size_t length) {
    std::uint32_t codes[kRunQuads];
    if (!decodeCodeRun(bytes + 1, codes)) return {};
    if (!quads) {
      if (steps < warmup) return walkOneByOne(bytes + 1, 0);
      quads = planQuadGrid(grid);
    }
    std::uint64_t scaledIndex = index * kQuadCount;
    bool stopped;
    const std::size_t walked = walkQuadRuns(*quads, bytes + 1, length - 1, &scaledIndex, &stopped);
    index = scaledIndex / kQuadCount;
    steps += walked / 2;
    if (!stopped) return {walked / 2, false};
    // Either a move of the run stops the walk, or the run starts on a cell
    // no move can enter, whose row the table leaves blocked: a start, where
    // the walk has made no move yet (after the warm-up, never in practice).
    return walkOneByOne(bytes + 1 + walked, walked / 2);
  }
};

// Each walk works on local copies whose addresses never leave this
// function, so that the compiler keeps them in registers.
template <typename ForEachMove>
WalkOutcome walkMoves(const Maze& maze, const Position& start,
                      ForEachMove forEachMove, std::uint64_t gridBudget, bool warmUp) {
  MoveResult result = MoveResult::kMoved;
  std::uint64_t stopCode = 0;
  WalkOutcome outcome;
  if (gridFits(maze, gridBudget)) {
    const Grid grid = planGrid(maze);
    std::uint64_t index = gridIndex(grid, start);
    std::uint64_t steps = 0;
    auto step = [&](std::uint64_t code) {
      result = applyGridMove(grid, code, &index);
      if (result != MoveResult::kMoved) {
        stopCode = code;
        return false;
      }
      ++steps;
      return true;
    };
    if (quadGridFits(grid, gridBudget)) {
      QuadRuns<decltype(step)> runs{grid, index, steps, step,
                                    warmUp ? quadGridWarmup(grid) : 0, std::nullopt};
      forEachMove(step, runs);
    } else {
      NoRuns none;
      forEachMove(step, none);
    }
    outcome.position = gridPosition(grid, index);
    outcome.executed = steps;
  } else {
    const MovePlan plan = planMoves(maze);
    Walk walk = startWalk(maze, start);
    auto step = [&](std::uint64_t code) {
      result = applyMove(plan, code, &walk);
      if (result != MoveResult::kMoved) stopCode = code;
      return result == MoveResult::kMoved;
    };
    NoRuns none;
    forEachMove(step, none);
    outcome.position = {walk.position[0], walk.position[1], walk.position[2]};
    outcome.executed = walk.steps;
  }
  outcome.stop = result;
  outcome.stopCode = stopCode;
  return outcome;
}

#endif  // TESMO_WALK_HPP
