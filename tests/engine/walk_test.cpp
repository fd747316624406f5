#include "engine/walk.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#include "engine/search.hpp"
#include "model/builtin_puzzle.hpp"
#include "support/moves_lines.hpp"
#include "support/reference_puzzle.hpp"
#include "support/run_binary.hpp"
#include "verify/replay.hpp"

namespace tesmo {

namespace {

// The verifier's words for a walk: status, stdout and stderr.
struct Words {
  int status;
  std::string out;
  std::string err;
};

Position at(const NumberList& list) { return {list[0], list[1], list[2]}; }

Words walkWithBudget(const Maze& maze, const NumberList& start, const NumberList& end,
                     const NumberList& moves, std::uint64_t gridBudget) {
  const WalkOutcome outcome = walkMoveList(maze, at(start), moves, gridBudget);
  Said said;
  Words words{sayVerdict(outcome, at(end), &said), "", ""};
  for (const SaidLine& line : said) {
    (line.stream == Stream::kOut ? words.out : words.err) += line.text + "\n";
  }
  return words;
}

// The walk over the faces; the one over the grid must give the same outcome.
Words walk(const Maze& maze, const NumberList& start, const NumberList& end,
           const NumberList& moves) {
  const Words onFaces = walkWithBudget(maze, start, end, moves, 0);
  const Words onGrid = walkWithBudget(maze, start, end, moves, UINT64_MAX);
  EXPECT_EQ(onFaces.status, onGrid.status);
  EXPECT_EQ(onFaces.out, onGrid.out);
  EXPECT_EQ(onFaces.err, onGrid.err);
  return onFaces;
}

void expectWalk(const Words& outcome, int status, const std::string& out,
                const std::string& err = "") {
  EXPECT_EQ(status, outcome.status);
  EXPECT_EQ(out, outcome.out);
  EXPECT_EQ(err, outcome.err);
}

TEST(Walk, RoutesThroughTheBuiltInPuzzle) {
  const NumberList route = {0, 0, 2, 2, 2, 2, 1, 1, 2, 2, 0, 0, 4, 4, 2, 2, 0, 0, 3, 3, 3, 3, 4, 4,
                            4, 4, 2, 2, 5, 5, 2, 2, 4, 4, 1, 1, 4, 4, 0, 0, 0, 0, 5, 5, 0, 0, 4, 4};
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {9, 9, 9}, route), 0, "SUCCESS\n");
  NumberList short1(route.begin(), route.end() - 1);
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {9, 9, 9}, short1), 0, "FAILURE (47)\n");
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {3, 1, 1}, {0, 0}), 0, "SUCCESS\n");
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {1, 1, 1}, {0, 1}), 0, "SUCCESS\n");
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {2, 1, 1}, {0, 0, 0}), 0,
             "Stopped after executing 2steps.\nFAILURE (2)\n");
}

TEST(Walk, OnlyOpenNeighboursOfTheStartCanBeEntered) {
  const std::string stopped = "Stopped after executing 0steps.\nFAILURE (0)\n";
  for (std::uint64_t code : {1, 2, 3, 5}) {
    SCOPED_TRACE(code);
    expectWalk(walk(builtInMaze(), {1, 1, 1}, {9, 9, 9}, {code}), 0, stopped);
  }
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {2, 1, 1}, {0}), 0, "SUCCESS\n");
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {1, 1, 2}, {4}), 0, "SUCCESS\n");
}

TEST(Walk, InvalidCodesEndTheWalkWhenReached) {
  for (std::uint64_t code : {std::uint64_t{6}, std::uint64_t{7}, UINT64_MAX}) {
    expectWalk(walk(builtInMaze(), {1, 1, 1}, {9, 9, 9}, {0, code, 0}), 1, "",
               "Invalid move (" + std::to_string(code) + ")!\n");
  }
  // A stop comes first: the code after it is never looked at.
  expectWalk(walk(builtInMaze(), {1, 1, 1}, {9, 9, 9}, {1, 7}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
}

TEST(Walk, BoxEdgeInEveryDirection) {
  const NumberList sizes = {1, 1, 1}, open = {0};
  const Maze cell = listMaze(sizes, open, open, open);
  for (std::uint64_t code = 0; code < 6; ++code) {
    SCOPED_TRACE(code);
    expectWalk(walk(cell, {0, 0, 0}, {0, 0, 0}, {code, 9}), 0,
               "Stopped after executing 0steps.\nSUCCESS\n",
               "Attempt to access out of boundary!\n");
  }
}

TEST(Walk, AnyNonZeroCellBlocksAMove) {
  // A 2 x 1 x 1 box: moving along x changes the cells of faces 0 and 2 only.
  // Face 0 (x + Y*y) needs 2 cells, face 2 (z + X*x) 3.
  const NumberList sizes = {2, 1, 1}, free0 = {0, 0}, free1 = {0}, free2 = {0, 0, 0};
  const NumberList blocked0 = {0, 2}, blocked2 = {0, 0, 7};
  expectWalk(walk(listMaze(sizes, free0, free1, free2), {0, 0, 0}, {1, 0, 0}, {0, 1, 0}), 0,
             "SUCCESS\n");
  expectWalk(walk(listMaze(sizes, blocked0, free1, free2), {0, 0, 0}, {1, 0, 0}, {0}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
  expectWalk(walk(listMaze(sizes, free0, free1, blocked2), {0, 0, 0}, {1, 0, 0}, {0}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
  // Face 1 does not hold the x axis: a wall there is never looked at.
  const NumberList wall1 = {5};
  expectWalk(walk(listMaze(sizes, free0, wall1, free2), {0, 0, 0}, {1, 0, 0}, {0}), 0, "SUCCESS\n");
}

TEST(Walk, OverlappingRowsShareTheirCells) {
  // X = 3, Y = 2: face 0 rows are cells 0-2 and 2-4, so a wall in cell 2
  // blocks both (2,0,z) and (0,1,z).
  const NumberList sizes = {3, 2, 2};
  const NumberList face0 = {0, 0, 1, 0, 0}, face1(4, 0), face2(8, 0);
  const Maze maze = listMaze(sizes, face0, face1, face2);
  expectWalk(walk(maze, {0, 0, 0}, {2, 0, 0}, {0, 0}), 0,
             "Stopped after executing 1steps.\nFAILURE (1)\n");
  expectWalk(walk(maze, {0, 0, 0}, {0, 1, 0}, {2}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
  expectWalk(walk(maze, {0, 0, 0}, {1, 1, 1}, {4, 0, 2}), 0, "SUCCESS\n");
}

}  // namespace

namespace {

TEST(Walk, OutcomeTellsWhereAndWhyItStopped) {
  WalkOutcome outcome = walkMoveList(builtInMaze(), {1, 1, 1}, NumberList{0, 0, 0, 4}, 0);
  EXPECT_EQ(MoveResult::kWall, outcome.stop);
  EXPECT_EQ(0u, outcome.stopCode);
  EXPECT_EQ(2u, outcome.executed);
  EXPECT_EQ((Position{3, 1, 1}), outcome.position);
  outcome = walkMoveList(builtInMaze(), {1, 1, 1}, NumberList{0, 9, 1}, UINT64_MAX);
  EXPECT_EQ(MoveResult::kInvalid, outcome.stop);
  EXPECT_EQ(9u, outcome.stopCode);
  EXPECT_EQ(1u, outcome.executed);
  outcome = walkMoveList(builtInMaze(), {1, 1, 1}, NumberList{0, 1}, UINT64_MAX);
  EXPECT_EQ(MoveResult::kMoved, outcome.stop);
  EXPECT_EQ((Position{1, 1, 1}), outcome.position);
}

// What stops a move, found once when the walker stops.
Blocker blockerAt(const Maze& maze, const Position& from, std::uint64_t code) {
  return walkMoveList(maze, from, NumberList{code}, 0).blocker;
}

TEST(Walk, BlockerNamesTheFirstFaceInTheWalksOrder) {
  // From (3,1,1) x+1 enters (4,1,1): face 0 cell 4 + 11*1 = 15 is open,
  // face 2 cell 1 + 11*4 = 45 holds 1.
  Blocker blocker = blockerAt(builtInMaze(), {3, 1, 1}, 0);
  EXPECT_EQ(MoveResult::kWall, blocker.reason);
  EXPECT_EQ(2, blocker.face);
  EXPECT_EQ(45u, blocker.cell);
  EXPECT_EQ(1u, blocker.value);
  EXPECT_EQ((Position{4, 1, 1}), blocker.target);
  // From (1,1,1) x-1 enters (0,1,1), walled in face 0 (cell 11) and face 2
  // (cell 1): face 0 comes first for x.
  blocker = blockerAt(builtInMaze(), {1, 1, 1}, 1);
  EXPECT_EQ(0, blocker.face);
  EXPECT_EQ(11u, blocker.cell);
  // y-1 from (1,1,1): face 1 (cell 0 + 11*1) before face 0.
  blocker = blockerAt(builtInMaze(), {1, 1, 1}, 3);
  EXPECT_EQ(1, blocker.face);
  EXPECT_EQ(11u, blocker.cell);
  EXPECT_EQ(MoveResult::kMoved, blockerAt(builtInMaze(), {1, 1, 1}, 0).reason);
  EXPECT_EQ(MoveResult::kInvalid, blockerAt(builtInMaze(), {1, 1, 1}, 6).reason);
  EXPECT_EQ(MoveResult::kInvalid, blockerAt(builtInMaze(), {1, 1, 1}, UINT64_MAX).reason);
  // The edge, on the move's own axis.
  const NumberList sizes = {1, 2, 3}, open(20, 0);
  const Maze box = listMaze(sizes, open, open, open);
  for (std::uint64_t code = 0; code < 6; ++code) {
    const Position corner = code % 2 == 0 ? Position{0, 1, 2} : Position{0, 0, 0};
    blocker = blockerAt(box, corner, code);
    EXPECT_EQ(MoveResult::kEdge, blocker.reason) << code;
    EXPECT_EQ(static_cast<int>(code / 2), blocker.axis);
  }
}

// A moves line that mostly walks on: nearly every code is a move that can be
// executed from where the token stands (where there is one), so runs of
// sixteen go through often; now and then comes any code 0 to 9, or a token
// or byte that changes how the line is read (see randomRunsLine()).
std::string walkingLine(std::mt19937_64& random, const Maze& maze, const Position& start) {
  const SearchBox box = planSearch(maze);
  std::uint32_t cell = searchCell(box, start), next;
  const std::string breaks = randomRunsLine(random, 2);
  std::string line;
  for (std::size_t count = random() % 600; count > 0; --count) {
    unsigned code = random() % 6;
    for (int tries = 0; tries < 24 && random() % 200 != 0; ++tries) {
      if (searchMove(box, cell, code, &next)) break;
      code = random() % 6;
    }
    if (random() % 300 == 0) {
      line += breaks.substr(random() % (breaks.size() + 1), random() % 6);
    } else if (random() % 300 == 0) {
      code = 6 + random() % 4;
    }
    if (code < 6 && searchMove(box, cell, code, &next)) cell = next;
    line += static_cast<char>('0' + code);
    line += ' ';
  }
  return line;
}

std::string outcomeText(const WalkOutcome& outcome) {
  const Blocker& b = outcome.blocker;
  return std::to_string(static_cast<int>(outcome.stop)) + " code " +
         std::to_string(outcome.stopCode) + " after " + std::to_string(outcome.executed) + " at " +
         listText({outcome.position.begin(), outcome.position.end()}) + " blocked by " +
         std::to_string(static_cast<int>(b.reason)) + "/" + std::to_string(b.axis) + "/" +
         std::to_string(b.face) + "/" + std::to_string(b.cell) + "/" + std::to_string(b.value);
}

// The plain model's walk (reference_puzzle.hpp): where it stops and why.
std::string plainWalk(const RefPuzzle& p, const Position& start, const NumberList& codes) {
  NumberList at(start.begin(), start.end());
  WalkOutcome outcome;
  for (std::uint64_t code : codes) {
    const std::optional<NumberList> next =
        code < 6 ? step(p, at, static_cast<int>(code)) : std::nullopt;
    if (next) {
      at = *next;
      ++outcome.executed;
      continue;
    }
    outcome.stopCode = code;
    Blocker& blocker = outcome.blocker;
    const int axis = static_cast<int>(code / 2);
    if (code > 5) {
      blocker.reason = MoveResult::kInvalid;
    } else if (code % 2 == 0 ? at[axis] + 1 == p.sizes[axis] : at[axis] == 0) {
      blocker = {MoveResult::kEdge, axis};
    } else {
      NumberList target = at;
      target[axis] += code % 2 == 0 ? 1 : UINT64_MAX;
      const int face = cellOf(p, axis, target) != 0 ? axis : (axis + 2) % 3;
      const Face shape = faceOf({p.sizes[0], p.sizes[1], p.sizes[2]}, face);
      blocker = {MoveResult::kWall,
                 axis,
                 face,
                 target[face] + shape.stride * target[shape.second],
                 cellOf(p, face, target),
                 {target[0], target[1], target[2]}};
    }
    outcome.stop = blocker.reason;
    break;
  }
  outcome.position = {at[0], at[1], at[2]};
  return outcomeText(outcome);
}

// The walk of the line's numbers as the verifier reads them, runs and all;
// the four-move table comes at the first run, the walks being short.
WalkOutcome walkReader(NumberReader* reader, const Maze& maze, const Position& start,
                       std::uint64_t moveBudget) {
  Walker walker = startWalker(maze, start, moveBudget, false);
  walkLine(&walker, reader);
  nextLine(reader);
  return walkerOutcome(walker);
}

// Every way the walker goes through a line ends as the plain model does:
// over the faces, on its grid, with runs through the four-move table, and
// run by run as the judge hands them over; the lines are read from text and
// from files with buffers that cut runs at every offset.
TEST(Walk, EveryWayThroughALineEndsAsThePlainModel) {
  std::mt19937_64 random(1516);
  std::vector<RefPuzzle> puzzles;
  std::vector<Position> starts;
  std::vector<std::string> lines;
  std::string text;
  for (int round = 0; round < 800; ++round) {
    puzzles.push_back(round % 4 == 0
                          ? RefPuzzle{s_def_dimensions, {s_def_face0, s_def_face1, s_def_face2}}
                          : randomRefPuzzle(random, 6));
    const RefPuzzle& p = puzzles.back();
    const Maze maze = listMaze(p.sizes, p.faces[0], p.faces[1], p.faces[2]);
    // Any start inside the box, walls included: a start on a 2 is allowed,
    // and only the faces a move changes are looked at.
    starts.push_back({random() % p.sizes[0], random() % p.sizes[1], random() % p.sizes[2]});
    lines.push_back(walkingLine(random, maze, starts.back()));
    text += lines.back() + "\n";
  }
  std::size_t executed = 0;
  auto expectLine = [&](std::size_t round, NumberReader* reader) {
    const RefPuzzle& p = puzzles[round];
    const Maze maze = listMaze(p.sizes, p.faces[0], p.faces[1], p.faces[2]);
    const NumberList codes = standardList(lines[round]);
    const std::string plain = plainWalk(p, starts[round], codes);
    ASSERT_EQ(plain, outcomeText(walkMoveList(maze, starts[round], codes, 0))) << lines[round];
    ASSERT_EQ(plain, outcomeText(walkMoveList(maze, starts[round], codes, UINT64_MAX)));
    ASSERT_EQ(plain, outcomeText(walkReader(reader, maze, starts[round], UINT64_MAX)))
        << lines[round];
    executed += walkMoveList(maze, starts[round], codes, 0).executed;
  };
  for (std::size_t round = 0; round < lines.size(); ++round) {
    NumberReader reader;
    openNumberText(lines[round], &reader);
    expectLine(round, &reader);
  }
  EXPECT_GT(executed, 20000u);  // the lines walk far, through many runs
  const std::string dir = makeTempDir();
  writeFile(dir + "/lines", text);
  for (std::size_t bufferSize : {33, 34, 47, 64, 65, 4096}) {
    SCOPED_TRACE(bufferSize);
    NumberReader reader;
    ASSERT_TRUE(openNumberFile(dir + "/lines", &reader, bufferSize));
    for (std::size_t round = 0; round < lines.size(); ++round) expectLine(round, &reader);
  }
  std::filesystem::remove_all(dir);
}

// Runs handed over whole (the judge's way), with and without the warm-up
// before the table, end where the same codes one by one end, and say how
// many codes they took; bytes that are no run are left alone.
TEST(Walk, RunsTakenWholeEndLikeOneByOne) {
  std::mt19937_64 random(16);
  for (int round = 0; round < 3000; ++round) {
    const RefPuzzle p = randomRefPuzzle(random, 4);
    const Maze maze = listMaze(p.sizes, p.faces[0], p.faces[1], p.faces[2]);
    const Position start = {random() % p.sizes[0], random() % p.sizes[1], random() % p.sizes[2]};
    std::string bytes = " ";  // the blank before the runs
    NumberList codes;
    const std::size_t count = (1 + random() % 4) * kRunCodes;
    for (std::size_t token = 0; token < count; ++token) {
      codes.push_back(random() % 8 == 0 ? random() % 6 : token % 2);
      bytes += static_cast<char>('0' + codes.back());
      bytes += ' ';
    }
    const WalkOutcome oneByOne = walkMoveList(maze, start, codes, UINT64_MAX);
    for (bool warmUp : {false, true}) {
      Walker walker = startWalker(maze, start, UINT64_MAX, warmUp);
      const RunsTaken taken = walkRuns(&walker, bytes.data(), bytes.size());
      const bool stopped = oneByOne.stop != MoveResult::kMoved;
      ASSERT_EQ(stopped, taken.stopped);
      ASSERT_EQ(stopped ? oneByOne.executed + 1 : codes.size(), taken.tokens);
      ASSERT_EQ(outcomeText(oneByOne), outcomeText(walkerOutcome(walker)));
    }
  }
  Walker walker = startWalker(builtInMaze(), {1, 1, 1}, UINT64_MAX, false);
  const std::string twoBlanks = "  0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0";
  EXPECT_EQ(0u, walkRuns(&walker, twoBlanks.data(), twoBlanks.size()).tokens);
}

}  // namespace

}  // namespace tesmo
