#include "walk.hpp"

#include "messages.hpp"

#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "moves_lines.hpp"
#include "reference_puzzle.hpp"
#include "run_binary.hpp"

namespace {

const Maze kBuiltIn{s_def_dimensions, s_def_face0, s_def_face1, s_def_face2};

// The verifier's words for a walk: status, stdout and stderr.
struct Words {
  int status;
  std::string out;
  std::string err;
};

Position at(const NumberList& list) { return {list[0], list[1], list[2]}; }

Words walkWithBudget(const Maze& maze, const NumberList& start, const NumberList& end,
                     const NumberList& moves, std::uint64_t gridBudget) {
  std::ostringstream out, err;
  const WalkOutcome outcome = walkMoveList(maze, at(start), moves, gridBudget);
  const int status = reportWalk(outcome, at(end), out, err);
  return {status, out.str(), err.str()};
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
  const NumberList route = {0, 0, 2, 2, 2, 2, 1, 1, 2, 2, 0, 0, 4, 4, 2, 2,
                            0, 0, 3, 3, 3, 3, 4, 4, 4, 4, 2, 2, 5, 5, 2, 2,
                            4, 4, 1, 1, 4, 4, 0, 0, 0, 0, 5, 5, 0, 0, 4, 4};
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {9, 9, 9}, route), 0, "SUCCESS\n");
  NumberList short1(route.begin(), route.end() - 1);
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {9, 9, 9}, short1), 0, "FAILURE (47)\n");
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {3, 1, 1}, {0, 0}), 0, "SUCCESS\n");
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {1, 1, 1}, {0, 1}), 0, "SUCCESS\n");
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {2, 1, 1}, {0, 0, 0}), 0,
             "Stopped after executing 2steps.\nFAILURE (2)\n");
}

TEST(Walk, OnlyOpenNeighboursOfTheStartCanBeEntered) {
  const std::string stopped = "Stopped after executing 0steps.\nFAILURE (0)\n";
  for (std::uint64_t code : {1, 2, 3, 5}) {
    SCOPED_TRACE(code);
    expectWalk(walk(kBuiltIn, {1, 1, 1}, {9, 9, 9}, {code}), 0, stopped);
  }
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {2, 1, 1}, {0}), 0, "SUCCESS\n");
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {1, 1, 2}, {4}), 0, "SUCCESS\n");
}

TEST(Walk, InvalidCodesEndTheWalkWhenReached) {
  for (std::uint64_t code : {std::uint64_t{6}, std::uint64_t{7}, UINT64_MAX}) {
    expectWalk(walk(kBuiltIn, {1, 1, 1}, {9, 9, 9}, {0, code, 0}), 1, "",
               "Invalid move (" + std::to_string(code) + ")!\n");
  }
  // A stop comes first: the code after it is never looked at.
  expectWalk(walk(kBuiltIn, {1, 1, 1}, {9, 9, 9}, {1, 7}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
}

TEST(Walk, BoxEdgeInEveryDirection) {
  const NumberList sizes = {1, 1, 1}, open = {0};
  const Maze cell{sizes, open, open, open};
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
  expectWalk(walk({sizes, free0, free1, free2}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}), 0, "SUCCESS\n");
  expectWalk(walk({sizes, blocked0, free1, free2}, {0, 0, 0}, {1, 0, 0}, {0}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
  expectWalk(walk({sizes, free0, free1, blocked2}, {0, 0, 0}, {1, 0, 0}, {0}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
  // Face 1 does not hold the x axis: a wall there is never looked at.
  const NumberList wall1 = {5};
  expectWalk(walk({sizes, free0, wall1, free2}, {0, 0, 0}, {1, 0, 0}, {0}), 0, "SUCCESS\n");
}

TEST(Walk, OverlappingRowsShareTheirCells) {
  // X = 3, Y = 2: face 0 rows are cells 0-2 and 2-4, so a wall in cell 2
  // blocks both (2,0,z) and (0,1,z).
  const NumberList sizes = {3, 2, 2};
  const NumberList face0 = {0, 0, 1, 0, 0}, face1(4, 0), face2(8, 0);
  const Maze maze{sizes, face0, face1, face2};
  expectWalk(walk(maze, {0, 0, 0}, {2, 0, 0}, {0, 0}), 0,
             "Stopped after executing 1steps.\nFAILURE (1)\n");
  expectWalk(walk(maze, {0, 0, 0}, {0, 1, 0}, {2}), 0,
             "Stopped after executing 0steps.\nFAILURE (0)\n");
  expectWalk(walk(maze, {0, 0, 0}, {1, 1, 1}, {4, 0, 2}), 0, "SUCCESS\n");
}

}  // namespace

namespace {

TEST(Walk, OutcomeTellsWhereAndWhyItStopped) {
  WalkOutcome outcome = walkMoveList(kBuiltIn, {1, 1, 1}, NumberList{0, 0, 0, 4}, 0);
  EXPECT_EQ(MoveResult::kWall, outcome.stop);
  EXPECT_EQ(0u, outcome.stopCode);
  EXPECT_EQ(2u, outcome.executed);
  EXPECT_EQ((Position{3, 1, 1}), outcome.position);
  outcome = walkMoveList(kBuiltIn, {1, 1, 1}, NumberList{0, 9, 1}, UINT64_MAX);
  EXPECT_EQ(MoveResult::kInvalid, outcome.stop);
  EXPECT_EQ(9u, outcome.stopCode);
  EXPECT_EQ(1u, outcome.executed);
  outcome = walkMoveList(kBuiltIn, {1, 1, 1}, NumberList{0, 1}, UINT64_MAX);
  EXPECT_EQ(MoveResult::kMoved, outcome.stop);
  EXPECT_EQ((Position{1, 1, 1}), outcome.position);
}

TEST(Walk, BlockerNamesTheFirstFaceInTheWalksOrder) {
  // From (3,1,1) x+1 enters (4,1,1): face 0 cell 4 + 11*1 = 15 is open,
  // face 2 cell 1 + 11*4 = 45 holds 1.
  Blocker blocker = blockerOf(kBuiltIn, {3, 1, 1}, 0);
  EXPECT_EQ(MoveResult::kWall, blocker.reason);
  EXPECT_EQ(2, blocker.face);
  EXPECT_EQ(45u, blocker.cell);
  EXPECT_EQ(1u, blocker.value);
  EXPECT_EQ((Position{4, 1, 1}), blocker.target);
  // From (1,1,1) x-1 enters (0,1,1), walled in face 0 (cell 11) and face 2
  // (cell 1): face 0 comes first for x.
  blocker = blockerOf(kBuiltIn, {1, 1, 1}, 1);
  EXPECT_EQ(0, blocker.face);
  EXPECT_EQ(11u, blocker.cell);
  // y-1 from (1,1,1): face 1 (cell 0 + 11*1) before face 0.
  blocker = blockerOf(kBuiltIn, {1, 1, 1}, 3);
  EXPECT_EQ(1, blocker.face);
  EXPECT_EQ(11u, blocker.cell);
  EXPECT_EQ(MoveResult::kMoved, blockerOf(kBuiltIn, {1, 1, 1}, 0).reason);
  EXPECT_EQ(MoveResult::kInvalid, blockerOf(kBuiltIn, {1, 1, 1}, 6).reason);
  EXPECT_EQ(MoveResult::kInvalid, blockerOf(kBuiltIn, {1, 1, 1}, UINT64_MAX).reason);
  // The edge, on the move's own axis, with values that must not wrap.
  const NumberList sizes = {1, 2, 3}, open(20, 0);
  const Maze box{sizes, open, open, open};
  for (std::uint64_t code = 0; code < 6; ++code) {
    const Position corner = code % 2 == 0 ? Position{0, 1, 2} : Position{0, 0, 0};
    blocker = blockerOf(box, corner, code);
    EXPECT_EQ(MoveResult::kEdge, blocker.reason) << code;
    EXPECT_EQ(static_cast<int>(code / 2), blocker.axis);
  }
  const NumberList huge = {UINT64_MAX, 1, 1};
  EXPECT_EQ(MoveResult::kEdge,
            blockerOf({huge, open, open, open}, {UINT64_MAX - 1, 0, 0}, 0).reason);
}

}  // namespace

namespace {

// A moves line that mostly walks on: nearly every code is a move that can be
// executed from where the token stands (where there is one), so runs of
// sixteen go through often; now and then comes any code 0 to 9, or a token
// or byte that changes how the line is read (see randomRunsLine()).
std::string walkingLine(std::mt19937_64& random, const Maze& maze, const Position& start) {
  const MovePlan plan = planMoves(maze);
  Walk walk = startWalk(maze, start);
  const std::string breaks = randomRunsLine(random, 2);
  std::string line;
  for (std::size_t count = random() % 600; count > 0; --count) {
    std::uint64_t code = random() % 6;
    for (int tries = 0; tries < 24 && random() % 200 != 0; ++tries) {
      Walk next = walk;
      if (applyMove(plan, code, &next) == MoveResult::kMoved) break;
      code = random() % 6;
    }
    if (random() % 300 == 0) {
      line += breaks.substr(random() % (breaks.size() + 1), random() % 6);
    } else if (random() % 300 == 0) {
      code = 6 + random() % 4;
    }
    applyMove(plan, code, &walk);
    line += static_cast<char>('0' + code);
    line += ' ';
  }
  return line;
}

std::string outcomeText(const WalkOutcome& outcome) {
  return std::to_string(static_cast<int>(outcome.stop)) + " code " +
         std::to_string(outcome.stopCode) + " after " + std::to_string(outcome.executed) +
         " at " + std::to_string(outcome.position[0]) + "," +
         std::to_string(outcome.position[1]) + "," + std::to_string(outcome.position[2]);
}

// The walk of the line's numbers as the verifier reads them, runs and all;
// the four-move table comes at the first run, the walks being short.
WalkOutcome walkReader(NumberReader* reader, const Maze& maze, const Position& start,
                       std::uint64_t gridBudget) {
  auto forEachMove = [&](auto step, auto& runs) { forEachNumber(reader, step, runs); };
  const WalkOutcome outcome = walkMoves(maze, start, forEachMove, gridBudget, false);
  nextLine(reader);
  return outcome;
}

// Three ways through each line must end alike: read with runs through the
// four-move table, read token by token on the grid, and the standard list
// on the faces. The lines are read from text and from files with buffers
// that cut runs at every offset.
TEST(Walk, RunsThroughTheTableEndLikeSingleMoves) {
  std::mt19937_64 random(1516);
  std::vector<RefPuzzle> puzzles;
  std::vector<Position> starts;
  std::vector<std::string> lines;
  std::string text;
  for (int round = 0; round < 800; ++round) {
    puzzles.push_back(round % 4 == 0 ? RefPuzzle{s_def_dimensions,
                                                 {s_def_face0, s_def_face1, s_def_face2}}
                                     : randomRefPuzzle(random, 6));
    const RefPuzzle& p = puzzles.back();
    const Maze maze{p.sizes, p.faces[0], p.faces[1], p.faces[2]};
    starts.push_back({random() % p.sizes[0], random() % p.sizes[1], random() % p.sizes[2]});
    lines.push_back(walkingLine(random, maze, starts.back()));
    text += lines.back() + "\n";
  }
  auto expectLine = [&](std::size_t round, NumberReader* reader) {
    const RefPuzzle& p = puzzles[round];
    const Maze maze{p.sizes, p.faces[0], p.faces[1], p.faces[2]};
    std::uint64_t cells;
    ASSERT_TRUE(gridCellCount(p.sizes, &cells));
    const std::string onFaces =
        outcomeText(walkMoveList(maze, starts[round], standardList(lines[round]), 0));
    NumberReader copy;
    openNumberText(lines[round], &copy);
    ASSERT_EQ(onFaces, outcomeText(walkReader(&copy, maze, starts[round], cells)))
        << lines[round];
    ASSERT_EQ(onFaces, outcomeText(walkReader(reader, maze, starts[round], UINT64_MAX)))
        << lines[round];
  };
  std::size_t executed = 0;
  for (std::size_t round = 0; round < lines.size(); ++round) {
    NumberReader reader;
    openNumberText(lines[round], &reader);
    expectLine(round, &reader);
    const RefPuzzle& p = puzzles[round];
    executed += walkMoveList(Maze{p.sizes, p.faces[0], p.faces[1], p.faces[2]}, starts[round],
                             standardList(lines[round]), 0).executed;
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

}  // namespace

namespace {

// A start no move can enter has a row the table leaves blocked: a run from
// there is walked move by move, and the walk goes on through the table.
TEST(Walk, RunsFromAStartNoMoveCanEnter) {
  const NumberList sizes = {4, 1, 1}, face0 = {2, 0, 0, 0}, face1 = {2}, face2(13, 0);
  const Maze maze{sizes, face0, face1, face2};
  ASSERT_EQ("", mazeProblem(maze));
  std::string line = " 0";
  for (int pair = 0; pair < 40; ++pair) line += " 0 1";
  line += " 0 0 7";
  NumberReader reader;
  openNumberText(line, &reader);
  const WalkOutcome outcome = walkReader(&reader, maze, {0, 0, 0}, UINT64_MAX);
  EXPECT_EQ(outcomeText(walkMoveList(maze, {0, 0, 0}, standardList(line), 0)),
            outcomeText(outcome));
  EXPECT_EQ(MoveResult::kInvalid, outcome.stop);
  EXPECT_EQ(83u, outcome.executed);
  // With the table built at once, the first run meets the start's row.
  const Grid grid = planGrid(maze);
  std::uint64_t index = gridIndex(grid, {0, 0, 0}), steps = quadGridWarmup(grid);
  auto step = [&](std::uint64_t code) {
    const bool moved = applyGridMove(grid, code, &index) == MoveResult::kMoved;
    steps += moved;
    return moved;
  };
  QuadRuns<decltype(step)> runs{grid, index, steps, step, quadGridWarmup(grid), std::nullopt};
  RunsTaken taken = runs.take(line.data(), line.size());
  EXPECT_EQ(16u, taken.tokens);  // move by move
  EXPECT_FALSE(taken.stopped);
  EXPECT_EQ(gridIndex(grid, {2, 0, 0}), index);
  taken = runs.take(line.data() + 32, line.size() - 32);
  EXPECT_EQ(64u, taken.tokens);  // four runs through the table
  EXPECT_FALSE(taken.stopped);
  EXPECT_EQ(gridIndex(grid, {2, 0, 0}), index);
  EXPECT_EQ(quadGridWarmup(grid) + 80, steps);
}

// The run taker on its own: what starts runs, the walk one by one before
// the table pays, and the table after.
TEST(Walk, QuadRunsWalkOneByOneUntilTheTablePays) {
  const Grid grid = planGrid(kBuiltIn);
  std::uint64_t index = gridIndex(grid, {1, 1, 1}), steps = 0;
  auto step = [&](std::uint64_t code) {
    const bool moved = applyGridMove(grid, code, &index) == MoveResult::kMoved;
    steps += moved;
    return moved;
  };
  QuadRuns<decltype(step)> runs{grid, index, steps, step, quadGridWarmup(grid), std::nullopt};
  EXPECT_TRUE(runs.startsRuns(" 0 1"));
  EXPECT_TRUE(runs.startsRuns(" 5 x"));
  EXPECT_FALSE(runs.startsRuns("  0 1"));
  EXPECT_FALSE(runs.startsRuns(" 6 1"));
  EXPECT_FALSE(runs.startsRuns(" 01 "));
  EXPECT_FALSE(runs.startsRuns("\t0 1"));
  std::string line;
  for (int pair = 0; pair < 1000; ++pair) line += " 0 1";
  line += " ";
  RunsTaken taken = runs.take(line.data(), line.size());
  EXPECT_EQ(kRunCodes, taken.tokens);  // one run, move by move
  EXPECT_FALSE(taken.stopped);
  EXPECT_FALSE(runs.quads.has_value());
  steps = quadGridWarmup(grid);
  taken = runs.take(line.data(), line.size());
  EXPECT_EQ(2000 / kRunCodes * kRunCodes, taken.tokens);  // every whole run
  EXPECT_TRUE(runs.quads.has_value());
  EXPECT_EQ(quadGridWarmup(grid) + taken.tokens, steps);
  EXPECT_EQ(gridIndex(grid, {1, 1, 1}), index);
  const std::string wall = " 0 1 0 1 0 1 0 1 0 1 0 1 1 0 1 0 ";  // x - 1 at token 12
  taken = runs.take(wall.data(), wall.size() + 1);
  EXPECT_EQ(13u, taken.tokens);
  EXPECT_TRUE(taken.stopped);
  EXPECT_EQ(0u, runs.take("  0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0", 35).tokens);
}

}  // namespace
