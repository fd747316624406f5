#include "engine/walk.hpp"

#include <utility>

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace walking {

FaceWalk planFaceWalk(const Maze& maze, const Position& start) {
  FaceWalk walk{};
  for (int k = 0; k < 3; ++k) {
    const Face face = mazeFace(maze, k);
    walk.walls[k] = faceWalls(maze, k);
    walk.size[k] = maze.size[k];
    walk.position[k] = start[k];
    walk.cell[k] = drawnIndex(face, spotOf(face, start));
  }
  for (int code = 0; code < 6; ++code) {
    const int axis = code / 2;
    const std::uint64_t step = code % 2 == 0 ? 1 : UINT64_MAX;
    walk.positionStep[code][axis] = step;
    // Face k's walls are drawn with a row of F = size[k] cells for each
    // value of its second axis: a step along axis a moves the cell of the
    // face whose first axis it is by one, and that of the face whose second
    // axis it is by a row. The third face's cell does not change and is not
    // looked at.
    const auto [first, second] = facesOfAxis(axis);
    walk.cellStep[code][first] = step;
    walk.cellStep[code][second] = step * maze.size[second];
    walk.cellMask[code][first] = walk.cellMask[code][second] = 1;
  }
  return walk;
}

Blocker blockerOf(const Maze& maze, const Position& from, std::uint64_t code) {
  Blocker blocker;
  if (code > 5) {
    blocker.reason = MoveResult::kInvalid;
    return blocker;
  }
  const int axis = static_cast<int>(code / 2);
  const bool up = code % 2 == 0;
  blocker.axis = axis;
  if (up ? from[axis] + 1 >= maze.size[axis] : from[axis] == 0) {
    blocker.reason = MoveResult::kEdge;
    return blocker;
  }
  Position target = from;
  target[axis] += up ? 1 : UINT64_MAX;
  // The two faces holding the axis, in the order the walk reads them.
  for (int number : facesOfAxis(axis)) {
    const Face face = mazeFace(maze, number);
    const Spot spot = spotOf(face, target);
    const std::uint64_t value = cellValue(maze, face, spot);
    if (value != 0) {
      blocker.reason = MoveResult::kWall;
      blocker.face = number;
      blocker.cell = faceIndex(face, spot);
      blocker.value = value;
      blocker.target = target;
      return blocker;
    }
  }
  return blocker;
}

// Runs of codes on the grid through the four-move table, as forEachNumber()
// asks of a run taker: the runs start after the blank the bytes begin with.
// Until the walk has made `warmup` moves it walks each run move by move,
// and only then builds the table, so a walk that stops soon, or a line with
// no runs, never pays for it. A run the table does not let through is
// walked again move by move, by `step`, to find the move that stops it.
template <typename Step>
struct QuadRuns {
  const Grid& grid;
  std::uint64_t& index;
  std::uint64_t& steps;
  Step& step;
  std::uint64_t warmup;  // moves to make one by one before the table
  std::optional<QuadGrid>& quads;

  // The first code and blank, inline in the token loop, spare lines of
  // other tokens a call per token.
  bool startsRuns(const char* bytes) const {
    return bytes[0] == ' ' && static_cast<unsigned char>(bytes[1] - '0') <= 5 && bytes[2] == ' ';
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
    if (length <= kRunBytes || !decodeCodeRun(bytes + 1, codes)) return {};
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

// The grid walk's state in locals whose addresses never leave the caller,
// so that the compiler keeps them in registers through the reader's loop;
// `walk(step, runs)` runs that loop.
template <typename Walk>
bool walkOnGrid(Walker* walker, Walk walk) {
  MoveResult result = MoveResult::kMoved;
  std::uint64_t stopCode = 0;
  const Grid& grid = walker->grid;
  std::uint64_t index = walker->index;
  std::uint64_t steps = walker->steps;
  auto step = [&](std::uint64_t code) {
    result = applyGridMove(grid, code, &index);
    if (result != MoveResult::kMoved) {
      stopCode = code;
      return false;
    }
    ++steps;
    return true;
  };
  RunsTaken taken;
  if (walker->quadsFit) {
    QuadRuns<decltype(step)> runs{grid, index, steps, step, walker->quadWarmup, walker->quads};
    taken = walk(step, runs);
  } else {
    NoRuns none;
    taken = walk(step, none);
  }
  walker->index = index;
  walker->steps = steps;
  if (result != MoveResult::kMoved) stopWalker(walker, result, stopCode);
  return result == MoveResult::kMoved && !taken.stopped;
}

}  // namespace walking

Walker startWalker(const Maze& maze, const Position& start, std::uint64_t moveBudget, bool warmUp) {
  Walker walker;
  walker.maze = maze;
  walker.onGrid = gridFits(maze, moveBudget);
  if (walker.onGrid) {
    walker.grid = planGrid(maze);
    walker.index = gridIndex(walker.grid, start);
    walker.quadsFit = quadGridFits(walker.grid, moveBudget);
    walker.quadWarmup = warmUp ? quadGridWarmup(walker.grid) : 0;
  } else {
    walker.faces = walking::planFaceWalk(maze, start);
  }
  return walker;
}

void stopWalker(Walker* walker, MoveResult result, std::uint64_t code) {
  walker->stop = result;
  walker->stopCode = code;
  walker->blocker = walking::blockerOf(walker->maze, walkerPosition(*walker), code);
}

bool walkLine(Walker* walker, NumberReader* reader) {
  if (walker->stop != MoveResult::kMoved) return false;
  if (walker->onGrid) {
    return walking::walkOnGrid(walker, [&](auto& step, auto& runs) {
      forEachNumber(reader, step, runs);
      return RunsTaken{};
    });
  }
  // The face walk's state is local for the same reason.
  FaceWalk faces = std::move(walker->faces);
  MoveResult result = MoveResult::kMoved;
  std::uint64_t stopCode = 0, steps = walker->steps;
  forEachNumber(reader, [&](std::uint64_t code) {
    result = applyFaceMove(&faces, code);
    if (result != MoveResult::kMoved) {
      stopCode = code;
      return false;
    }
    ++steps;
    return true;
  });
  walker->faces = std::move(faces);
  walker->steps = steps;
  if (result == MoveResult::kMoved) return true;
  stopWalker(walker, result, stopCode);
  return false;
}

RunsTaken walkRuns(Walker* walker, const char* bytes, std::size_t length) {
  if (walker->stop != MoveResult::kMoved) return {0, true};
  RunsTaken taken;
  if (walker->onGrid && walker->quadsFit) {
    walking::walkOnGrid(walker, [&](auto&, auto& runs) {
      // Each call takes what follows the runs it took before.
      for (std::size_t at = 0;;) {
        const RunsTaken more = runs.take(bytes + at, length - at);
        taken.tokens += more.tokens;
        taken.stopped = more.stopped;
        at += 2 * more.tokens;
        if (more.tokens == 0 || more.stopped) return taken;
      }
    });
    return taken;
  }
  std::uint32_t codes[kRunQuads];
  for (std::size_t at = 0; length - at > kRunBytes && decodeCodeRun(bytes + at + 1, codes);
       at += kRunBytes) {
    for (std::size_t token = 0; token < kRunCodes; ++token) {
      ++taken.tokens;
      if (!stepWalker(walker, static_cast<std::uint64_t>(bytes[at + 1 + 2 * token] - '0'))) {
        taken.stopped = true;
        return taken;
      }
    }
  }
  return taken;
}

Position walkerPosition(const Walker& walker) {
  if (walker.onGrid) return gridPosition(walker.grid, walker.index);
  const FaceWalk& faces = walker.faces;
  return {faces.position[0], faces.position[1], faces.position[2]};
}

WalkOutcome walkerOutcome(const Walker& walker) {
  WalkOutcome outcome;
  outcome.stop = walker.stop;
  outcome.stopCode = walker.stopCode;
  outcome.executed = walker.steps;
  outcome.position = walkerPosition(walker);
  outcome.blocker = walker.blocker;
  return outcome;
}

}  // namespace tesmo
