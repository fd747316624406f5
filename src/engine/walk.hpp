// The walker: replays move codes from a start position, one unit step
// each, and tells where and why it stopped. It prints nothing; every
// program that walks (the verifier, the judge, explain's trace, render)
// walks through it.
//
// Contract:
//  - Move codes: 0 is x + 1, 1 is x - 1, 2 is y + 1, 3 is y - 1, 4 is z + 1
//    and 5 is z - 1; any other code is invalid.
//  - A move is executed when it stays inside the box and both cells that the
//    moving axis changes (face 0 and 2 for x, 1 and 0 for y, 2 and 1 for z)
//    hold 0. Otherwise the walker stops there, at the box edge or at a wall,
//    without counting the move; an invalid code stops it too. A stopped
//    walker takes no more moves.
//  - startWalker() starts at `start`, inside the box of a usable maze,
//    which must outlive the walker. `moveBudget` is about how many moves
//    the caller has: the walker unfolds the box into a grid (grid.hpp) when
//    that takes at most as many cells, and builds the four-move table
//    (quad_grid.hpp) for runs when it fits that budget too, so that neither
//    costs more than the walk it speeds up. The outcome is the same either
//    way. With `warmUp` false the table is built at the first run rather
//    than after about as many moves as it costs, so that tests of short
//    walks reach it.
//  - stepWalker() makes one move: true when it was executed.
//  - walkLine() walks the reader's current line, number by number as
//    forEachNumber() reads it (see number_list.hpp), runs of one-digit codes
//    sixteen at a time: true when every number was executed, false at a
//    stop, the numbers after it unread.
//  - walkRuns() takes runs of one-digit codes whole, as a run taker of
//    forEachNumber() does: after the blank `bytes` starts with, as many
//    runs of kRunCodes pairs "c " as follow, up to the stop; it says how
//    many codes it took and whether the last one stopped the walker.
//  - walkerOutcome(): why it stopped (kMoved while it has not), the stopping
//    code, the moves executed, where the token stands, and, found once when
//    it stopped, what blocked the move: the box edge on the move's axis, or
//    the first face cell of the two the move changes that is not 0.

#ifndef TESMO_ENGINE_WALK_HPP
#define TESMO_ENGINE_WALK_HPP

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/number_list.hpp"
#include "engine/grid.hpp"
#include "engine/quad_grid.hpp"
#include "model/maze.hpp"

namespace tesmo {

enum class MoveResult : std::uint8_t { kMoved, kEdge, kWall, kInvalid };

// What stops a move that is not executed.
struct Blocker {
  MoveResult reason = MoveResult::kMoved;  // kEdge, kWall or kInvalid
  int axis = 0;                            // the move's axis: 0 x, 1 y, 2 z
  int face = 0;                            // kWall: the face whose cell blocks it
  std::uint64_t cell = 0;                  // kWall: that cell's number by the index rule
  std::uint64_t value = 0;                 // kWall: its value
  Position target{};                       // kWall: the position the move would enter
};

// Where and why a walk ended.
struct WalkOutcome {
  MoveResult stop = MoveResult::kMoved;  // kMoved: every move was executed
  std::uint64_t stopCode = 0;            // the code that stopped it
  std::uint64_t executed = 0;            // moves executed
  Position position{};                   // where the token stands
  Blocker blocker;                       // when stopped
};

struct Walker;

Walker startWalker(const Maze& maze, const Position& start, std::uint64_t moveBudget,
                   bool warmUp = true);

inline bool stepWalker(Walker* walker, std::uint64_t code);

bool walkLine(Walker* walker, NumberReader* reader);

RunsTaken walkRuns(Walker* walker, const char* bytes, std::size_t length);

Position walkerPosition(const Walker& walker);

WalkOutcome walkerOutcome(const Walker& walker);

// A walk of the codes of a container, from the start.
template <typename Moves>
WalkOutcome walkMoveList(const Maze& maze, const Position& start, const Moves& moves,
                         std::uint64_t moveBudget);

// ---- the walker's state, and the implementation of the inline parts ----

// The walk over the faces, for boxes whose grid would cost more than the
// walk: the position and its cell in each face's walls (one byte per
// drawn cell, row b at b * F), so that a move only adds to two cells.
struct FaceWalk {
  std::array<std::vector<std::uint8_t>, 3> walls;
  std::uint64_t size[3] = {};
  std::uint64_t position[3] = {};
  std::uint64_t cell[3] = {};
  // Per code, added to the position and to each cell (mod 2^64), and 1 for
  // the two faces the move's axis changes, 0 for the face it leaves alone.
  std::uint64_t positionStep[6][3] = {};
  std::uint64_t cellStep[6][3] = {};
  std::uint8_t cellMask[6][3] = {};
};

struct Walker {
  Maze maze;
  bool onGrid = false;
  Grid grid{};              // onGrid: the box unfolded
  std::uint64_t index = 0;  // onGrid: the token's cell
  FaceWalk faces{};         // else
  std::uint64_t steps = 0;  // moves executed
  bool quadsFit = false;    // the four-move table fits the budget
  std::uint64_t quadWarmup = 0;
  std::optional<QuadGrid> quads;
  MoveResult stop = MoveResult::kMoved;
  std::uint64_t stopCode = 0;
  Blocker blocker;
};

// Inline and free of branches on the code: it runs once per move, up to
// 10^8 times in a run, and a branch per code would be mispredicted at every
// turn of a route. The new state is worked out whole, then checked: a
// coordinate that left the box has reached its size or wrapped below 0, so
// one unsigned compare per axis finds it; the cells of all three faces are
// read and the mask drops the face the move does not change (the start may
// stand on a cell holding 2 there). Every index into the state is a
// constant, which keeps it in registers.
inline MoveResult applyFaceMove(FaceWalk* walk, std::uint64_t code) {
  if (code > 5) return MoveResult::kInvalid;
  std::uint64_t position[3], cell[3];
  for (int k = 0; k < 3; ++k) {
    position[k] = walk->position[k] + walk->positionStep[code][k];
    cell[k] = walk->cell[k] + walk->cellStep[code][k];
  }
  if ((position[0] >= walk->size[0]) | (position[1] >= walk->size[1]) |
      (position[2] >= walk->size[2])) {
    return MoveResult::kEdge;
  }
  unsigned wall = 0;
  for (int k = 0; k < 3; ++k) wall |= walk->walls[k][cell[k]] & walk->cellMask[code][k];
  if (wall != 0) return MoveResult::kWall;
  for (int k = 0; k < 3; ++k) {
    walk->position[k] = position[k];
    walk->cell[k] = cell[k];
  }
  return MoveResult::kMoved;
}

// A move on the grid, with the outcomes of applyFaceMove().
inline MoveResult applyGridMove(const Grid& grid, std::uint64_t code, std::uint64_t* index) {
  if (code > 5) return MoveResult::kInvalid;
  std::uint64_t next;
  const std::uint8_t blocking = gridEntry(grid, *index, code, &next);
  if (blocking == 0) {
    *index = next;
    return MoveResult::kMoved;
  }
  return blocking & kGridEdge ? MoveResult::kEdge : MoveResult::kWall;
}

// Records a stop and what blocked it; out of line, as it runs once.
void stopWalker(Walker* walker, MoveResult result, std::uint64_t code);

inline bool stepWalker(Walker* walker, std::uint64_t code) {
  if (walker->stop != MoveResult::kMoved) return false;
  const MoveResult result = walker->onGrid ? applyGridMove(walker->grid, code, &walker->index)
                                           : applyFaceMove(&walker->faces, code);
  if (result == MoveResult::kMoved) {
    ++walker->steps;
    return true;
  }
  stopWalker(walker, result, code);
  return false;
}

template <typename Moves>
WalkOutcome walkMoveList(const Maze& maze, const Position& start, const Moves& moves,
                         std::uint64_t moveBudget) {
  Walker walker = startWalker(maze, start, moveBudget);
  for (std::uint64_t code : moves) {
    if (!stepWalker(&walker, code)) break;
  }
  return walkerOutcome(walker);
}

}  // namespace tesmo

#endif  // TESMO_ENGINE_WALK_HPP
