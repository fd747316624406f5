// Generated puzzles and the measures of puzzles, checked against the plain
// model of reference_puzzle.hpp: valid, perfect, deterministic, long.

#include "engine/generate.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "engine/stats.hpp"
#include "formats/puzzle_file.hpp"
#include "model/builtin_puzzle.hpp"
#include "support/reference_puzzle.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace {

// The puzzle's faces as lists in index order, 0 between rows.
RefPuzzle referenceOf(const Puzzle& puzzle) {
  RefPuzzle p;
  p.sizes.assign(puzzle.size.begin(), puzzle.size.end());
  for (int number = 0; number < 3; ++number) {
    const Face face = faceOf(puzzle.size, number);
    p.faces[number].assign(*faceLength(face), 0);
    for (std::uint64_t b = 0; b < face.rows; ++b) {
      for (std::uint64_t a = 0; a < face.columns; ++a) {
        p.faces[number][faceIndex(face, {a, b})] = puzzle.faces[number][b * face.columns + a];
      }
    }
  }
  return p;
}

NumberList listOf(const Position& at) { return NumberList(at.begin(), at.end()); }

// The cells the token reaches from `start`, by the plain model.
std::vector<NumberList> reachedFrom(const RefPuzzle& p, const NumberList& start) {
  std::vector<NumberList> seen = {start};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    for (int code = 0; code < 6; ++code) {
      const std::optional<NumberList> next = step(p, seen[i], code);
      if (next && std::find(seen.begin(), seen.end(), *next) == seen.end()) seen.push_back(*next);
    }
  }
  return seen;
}

// The greatest distance from `from` to a cell it reaches, by the plain
// model's moves.
int eccentricity(const RefPuzzle& p, const NumberList& from) {
  std::map<NumberList, int> distance = {{from, 0}};
  std::deque<NumberList> queue = {from};
  int farthest = 0;
  while (!queue.empty()) {
    const NumberList at = queue.front();
    queue.pop_front();
    farthest = std::max(farthest, distance[at]);
    for (int code = 0; code < 6; ++code) {
      const std::optional<NumberList> next = step(p, at, code);
      if (!next || distance.count(*next)) continue;
      distance[*next] = distance[at] + 1;
      queue.push_back(*next);
    }
  }
  return farthest;
}

bool fullyOpen(const RefPuzzle& p, const NumberList& at) {
  return cellOf(p, 0, at) == 0 && cellOf(p, 1, at) == 0 && cellOf(p, 2, at) == 0;
}

// Checks what generatePuzzle() promises of `puzzle`, whose route it said
// has `length` moves.
void expectPerfect(const Puzzle& puzzle, std::uint64_t length) {
  ASSERT_TRUE(puzzle.start && puzzle.end);
  const RefPuzzle p = referenceOf(puzzle);
  const NumberList start = listOf(*puzzle.start), end = listOf(*puzzle.end);
  EXPECT_TRUE(fullyOpen(p, start));
  EXPECT_TRUE(fullyOpen(p, end));
  for (int face = 0; face < 3; ++face) {
    for (std::uint64_t cell : p.faces[face]) ASSERT_LE(cell, 1u);
  }
  const std::vector<NumberList> reached = reachedFrom(p, start);
  std::uint64_t moves = 0;
  for (const NumberList& at : reached) {
    for (int code = 0; code < 6; ++code) {
      const std::optional<NumberList> next = step(p, at, code);
      if (!next) continue;
      ++moves;
      ASSERT_TRUE(step(p, *next, code ^ 1)) << "a one-way move";
    }
  }
  EXPECT_EQ(2 * (reached.size() - 1), moves) << "not a tree";
  EXPECT_EQ(static_cast<int>(length), pathLength(p, start, end));
  // No two open reachable cells lie farther apart than start and end.
  for (const NumberList& from : reached) {
    if (!fullyOpen(p, from) || reached.size() > 300) continue;
    for (const NumberList& to : reached) {
      if (fullyOpen(p, to)) {
        ASSERT_LE(pathLength(p, from, to), static_cast<int>(length));
      }
    }
  }
}

TEST(Generate, RandomSizesArePerfectAndRepeatable) {
  std::mt19937_64 random(5);
  for (int round = 0; round < 40; ++round) {
    NumberList sizes;
    for (int k = 0; k < 3; ++k) sizes.push_back(1 + random() % 7);
    if (sizes[0] * sizes[1] * sizes[2] < 2) continue;
    const GenerateOptions options{random() % 1000, 0.002};
    SCOPED_TRACE(listText(sizes) + " seed " + std::to_string(options.seed));
    Puzzle puzzle, again;
    GenerateReport report, reportAgain;
    std::string error;
    ASSERT_TRUE(generatePuzzle(sizes, options, &puzzle, &report, &error)) << error;
    ASSERT_GT(report.routeLength, 0u);
    expectPerfect(puzzle, report.routeLength);
    ASSERT_TRUE(generatePuzzle(sizes, options, &again, &reportAgain, &error));
    std::ostringstream first, second;
    writePuzzle(first, puzzleMaze(puzzle), puzzle.start, puzzle.end);
    writePuzzle(second, puzzleMaze(again), again.start, again.end);
    EXPECT_EQ(first.str(), second.str());
  }
}

TEST(Generate, RoutesAreLongerThanTheBuiltInPuzzles) {
  // The bar: over seeds 1 to 20, the median route in 11^3 is 64 moves or
  // more (the built-in puzzle's is 48). A small budget keeps this quick.
  std::vector<std::uint64_t> lengths;
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    Puzzle puzzle;
    GenerateReport report;
    std::string error;
    ASSERT_TRUE(generatePuzzle({11, 11, 11}, {seed, 0.02}, &puzzle, &report, &error));
    lengths.push_back(report.routeLength);
  }
  std::sort(lengths.begin(), lengths.end());
  EXPECT_GE((lengths[9] + lengths[10]) / 2, 64u);
}

TEST(Generate, RefusesSizesItDoesNotTake) {
  Puzzle puzzle;
  GenerateReport report;
  std::string error;
  const auto refuse = [&](const NumberList& sizes) {
    EXPECT_FALSE(generatePuzzle(sizes, {}, &puzzle, &report, &error));
    return error;
  };
  EXPECT_EQ("each size must be from 1 to 1000", refuse({0, 5, 5}));
  EXPECT_EQ("each size must be from 1 to 1000", refuse({5, 1001, 5}));
  EXPECT_EQ("each size must be from 1 to 1000", refuse({5, 5, UINT64_MAX}));
  EXPECT_EQ("the box must hold at least 2 cells", refuse({1, 1, 1}));
  EXPECT_EQ("the box holds 17000000 cells; at most 16777216 are generated",
            refuse({1000, 1000, 17}));
  EXPECT_EQ("three sizes are needed", refuse({5, 5}));
}

// Measures by the plain model: open cells, dead ends, the longest route.
TEST(Stats, BuiltInPuzzleMeasuredApart) {
  const Maze builtIn = builtInMaze();
  const PuzzleStats stats = puzzleStats(builtIn, {1, 1, 1}, {9, 9, 9});
  RefPuzzle p;
  p.sizes = s_def_dimensions;
  p.faces[0] = s_def_face0;
  p.faces[1] = s_def_face1;
  p.faces[2] = s_def_face2;
  std::uint64_t open = 0;
  for (std::uint64_t x = 0; x < 11; ++x) {
    for (std::uint64_t y = 0; y < 11; ++y) {
      for (std::uint64_t z = 0; z < 11; ++z) open += fullyOpen(p, {x, y, z});
    }
  }
  const std::vector<NumberList> reached = reachedFrom(p, {1, 1, 1});
  std::uint64_t deadEnds = 0;
  int longest = 0;
  for (const NumberList& at : reached) {
    int out = 0;
    for (int code = 0; code < 6; ++code) out += step(p, at, code).has_value();
    deadEnds += out == 1 && at != NumberList{1, 1, 1} && at != NumberList{9, 9, 9};
    longest = std::max(longest, eccentricity(p, at));
  }
  EXPECT_EQ(open, stats.open);
  EXPECT_EQ(reached.size(), stats.reachable);
  EXPECT_EQ(std::optional<std::uint64_t>(48), stats.shortest);
  EXPECT_EQ(deadEnds, stats.deadEnds);
  EXPECT_TRUE(stats.tree);
  EXPECT_EQ(static_cast<std::uint64_t>(longest), stats.longest);
  EXPECT_TRUE(stats.longestExact);
}

TEST(Stats, OneWayMovesAndCyclesAreNoTree) {
  // An open 2 x 2 x 1 box: its four cells form a cycle.
  const NumberList square = {2, 2, 1}, open4(4, 0), open2(2, 0), open3(3, 0);
  PuzzleStats stats = puzzleStats(listMaze(square, open4, open2, open3), {0, 0, 0}, {1, 1, 0});
  EXPECT_EQ(4u, stats.reachable);
  EXPECT_FALSE(stats.tree);
  EXPECT_EQ(2u, stats.longest);
  EXPECT_EQ(0u, stats.deadEnds);
  // A start on a 2 in face 0 of a 2 x 1 x 1 row: out, but never back.
  const NumberList row = {2, 1, 1}, walled = {2, 0}, one = {0}, face2(3, 0);
  stats = puzzleStats(listMaze(row, walled, one, face2), {0, 0, 0}, {1, 0, 0});
  EXPECT_EQ(2u, stats.reachable);
  EXPECT_FALSE(stats.tree);
  EXPECT_EQ(std::optional<std::uint64_t>(1), stats.shortest);
  EXPECT_EQ(1u, stats.open);
}

class GenerateCommand : public InTempDir {};

TEST_F(GenerateCommand, SolvedVerifiedAndMeasured) {
  // Overlapping rows (X > Y), gaps (X < Y), flat and even boxes.
  const std::vector<std::vector<std::string>> sizes = {
      {"5", "4", "3"}, {"2", "7", "1"}, {"6", "6", "6"}, {"8", "3", "5"}, {"1", "9", "4"}};
  for (const std::vector<std::string>& size : sizes) {
    std::vector<std::string> args = {"generate"};
    args.insert(args.end(), size.begin(), size.end());
    args.insert(args.end(), {"--seed", "7", "--budget", "0.05"});
    SCOPED_TRACE(size[0] + " " + size[1] + " " + size[2]);
    const RunResult made = runProgram(TESMO_PATH, dir_, args);
    ASSERT_EQ(0, made.status) << made.err;
    EXPECT_EQ(made.out, runProgram(TESMO_PATH, dir_, args, true).out);
    writeFile(dir_ + "/maze.txt", made.out);
    const RunResult solved = runProgram(TESMO_PATH, dir_, {"solve", "--puzzle", "maze.txt"}, true);
    ASSERT_EQ(0, solved.status) << solved.err;
    writeFile(dir_ + "/solution.txt", solved.out);
    writeFile(
        dir_ + "/tesmo.cfg",
        runProgram(TESMO_PATH, dir_, {"convert", "--puzzle", "maze.txt", "--to", "cfg"}, true).out);
    EXPECT_EQ("SUCCESS\n", runProgram(TESMO_VERIFIER_PATH, dir_, {}, true).out);
    std::remove((dir_ + "/tesmo.cfg").c_str());
    const std::string moves = std::to_string(
        parseNumberList(solved.out.substr(solved.out.rfind('\n', solved.out.size() - 2) + 1))
            .size());
    EXPECT_NE(std::string::npos, made.out.find("only solution takes " + moves + " move"));
    const RunResult stats =
        runProgram(TESMO_PATH, dir_, {"stats", "--puzzle", "maze.txt", "--json"}, true);
    EXPECT_NE(std::string::npos, stats.out.find("\"shortest\":" + moves + ","));
    EXPECT_NE(std::string::npos, stats.out.find("\"tree\":true,\"longest\":" + moves + ","));
  }
  const RunResult refused = runProgram(TESMO_PATH, dir_, {"generate", "5", "5"}, true);
  EXPECT_EQ(2, refused.status);
  EXPECT_EQ("tesmo generate takes three sizes: X Y Z\n", refused.err);
  const RunResult budget =
      runProgram(TESMO_PATH, dir_, {"generate", "5", "5", "5", "--budget", "-1"}, true);
  EXPECT_EQ(2, budget.status);
  EXPECT_EQ("the budget is from 0 to 3600 seconds\n", budget.err);
}

}  // namespace

}  // namespace tesmo
