// End-to-end tests of the solver: its routes, run through the verifier, on
// the built-in puzzle and on many random small puzzles.

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "number_list.hpp"
#include "run_binary.hpp"

namespace {

struct Puzzle {
  NumberList sizes;
  NumberList faces[3];
};

// The cell of a position in a face, straight from the layout: face 0 at
// x + Y*y, face 1 at y + Z*z, face 2 at z + X*x.
std::uint64_t cellOf(const Puzzle& p, int face, const NumberList& at) {
  const std::uint64_t first = at[face], second = at[(face + 1) % 3];
  return p.faces[face][first + p.sizes[(face + 1) % 3] * second];
}

// The position one move away, if the move is open.
std::optional<NumberList> step(const Puzzle& p, const NumberList& at, int code) {
  const int axis = code / 2;
  NumberList next = at;
  if (code % 2 == 0 ? at[axis] + 1 == p.sizes[axis] : at[axis] == 0) return std::nullopt;
  next[axis] += code % 2 == 0 ? 1 : -1;
  // The faces holding the axis: face `axis` and the face before it.
  if (cellOf(p, axis, next) != 0 || cellOf(p, (axis + 2) % 3, next) != 0) return std::nullopt;
  return next;
}

// Breadth-first distance, written apart from the solver's own search; -1
// when the end cannot be reached, 0 from a cell to itself.
int pathLength(const Puzzle& p, const NumberList& start, const NumberList& end) {
  std::vector<NumberList> seen = {start};
  std::deque<std::pair<NumberList, int>> queue = {{start, 0}};
  while (!queue.empty()) {
    const auto [at, steps] = queue.front();
    queue.pop_front();
    if (at == end) return steps;
    for (int code = 0; code < 6; ++code) {
      const std::optional<NumberList> next = step(p, at, code);
      if (!next || std::find(seen.begin(), seen.end(), *next) != seen.end()) continue;
      seen.push_back(*next);
      queue.push_back({*next, steps + 1});
    }
  }
  return -1;
}

// The length of a shortest solution. A route from a cell to itself must
// leave it: one move out, then the shortest way back in, which a cell of 2
// under the start may make longer than the way out.
int distance(const Puzzle& p, const NumberList& start, const NumberList& end) {
  if (start != end) return pathLength(p, start, end);
  int best = -1;
  for (int code = 0; code < 6; ++code) {
    const std::optional<NumberList> out = step(p, start, code);
    const int back = out ? pathLength(p, *out, start) : -1;
    if (back >= 0 && (best < 0 || back + 1 < best)) best = back + 1;
  }
  return best;
}

std::string configOf(const Puzzle& p) {
  std::string text;
  for (std::uint64_t size : p.sizes) text += "dimensions=" + std::to_string(size) + "\n";
  for (int face = 0; face < 3; ++face) {
    for (std::uint64_t cell : p.faces[face]) {
      text += "face" + std::to_string(face) + "=" + std::to_string(cell) + "\n";
    }
  }
  return text;
}

std::string lineOf(const NumberList& numbers) {
  std::string text;
  for (std::uint64_t n : numbers) text += (text.empty() ? "" : " ") + std::to_string(n);
  return text + "\n";
}

using Solver = InTempDir;

TEST_F(Solver, BuiltInPuzzleRouteIsAcceptedByTheVerifier) {
  writeFile(dir_ + "/problem.txt", "1 1 1\n9 9 9\n");
  const RunResult solved = runProgram(TESMO_SOLVER_PATH, dir_, {"-v", "1"});
  ASSERT_EQ(0, solved.status);
  EXPECT_EQ("Route of 48 moves\n", solved.err);
  writeFile(dir_ + "/solution.txt", solved.out);
  const RunResult verified = runProgram(TESMO_VERIFIER_PATH, dir_, {});
  EXPECT_EQ("SUCCESS\n", verified.out);
}

TEST_F(Solver, RefusalsUseTheVerifiersMessages) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"1 1\n9 9 9\n", "Start position (1,1) is not 3-dimensional!\n"},
      {"11 1 1\n9 9 9\n", "Start position out of boundary (11,1,1)!\n"},
      {"1 1 1\n", "End position () is not 3-dimensional!\n"},
  };
  for (const auto& [problem, message] : cases) {
    writeFile(dir_ + "/problem.txt", problem);
    const RunResult result = runProgram(TESMO_SOLVER_PATH, dir_, {});
    EXPECT_EQ(1, result.status);
    EXPECT_EQ("", result.out);
    EXPECT_EQ(message, result.err);
  }
  writeFile(dir_ + "/problem.txt", "0 0 0\n9 9 9\n");
  RunResult result = runProgram(TESMO_SOLVER_PATH, dir_, {});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("Invalid start position (0,0,0)!\n", result.out);
  result = runProgram(TESMO_SOLVER_PATH, dir_,
                      {"--dimensions", "100000", "--dimensions", "100000", "--dimensions", "1"});
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("Face 0 holds 121 cells but the dimensions need 10000000000!\n", result.err);
  EXPECT_EQ(1, runProgram(TESMO_SOLVER_PATH, dir_, {"missing.txt"}).status);
}

TEST_F(Solver, RoundTripFromAStartThatCannotBeReentered) {
  // A 3 x 1 x 1 row; the start (1,0,0) holds 2 in face 2 (cell z + 3x), so
  // no move along x, the only axis here, leads back into it.
  writeFile(dir_ + "/tesmo.cfg",
            "dimensions=3\ndimensions=1\ndimensions=1\nface0=0\nface0=0\nface0=0\n"
            "face1=0\nface2=0\nface2=0\nface2=0\nface2=2\nface2=0\nface2=0\nface2=0\n");
  writeFile(dir_ + "/problem.txt", "1 0 0\n1 0 0\n");
  const RunResult result = runProgram(TESMO_SOLVER_PATH, dir_, {});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_EQ("No route from (1,0,0) to (1,0,0)!\n", result.err);
}

TEST_F(Solver, TakesTheVerifiersConfigurationFile) {
  writeFile(dir_ + "/tesmo.cfg", "quite=0\ninput-path=/tmp\nverbose-level=1\n");
  writeFile(dir_ + "/problem.txt", "1 1 1\n3 1 1\n");
  RunResult result = runProgram(TESMO_SOLVER_PATH, dir_, {});
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("1 1 1\n3 1 1\n0 0\n", result.out);
  EXPECT_EQ("Route of 2 moves\n", result.err);
  // Still only options of the two programs.
  writeFile(dir_ + "/tesmo.cfg", "quiet=0\n");
  result = runProgram(TESMO_SOLVER_PATH, dir_, {});
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("unrecognised option 'quiet'\n", result.err);
  // On the command line the solver's own options only.
  writeFile(dir_ + "/tesmo.cfg", "");
  result = runProgram(TESMO_SOLVER_PATH, dir_, {"--quite", "0"});
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("unrecognised option '--quite'\n", result.err);
}

TEST_F(Solver, RandomPuzzlesAgreeWithAnIndependentSearchAndTheVerifier) {
  std::mt19937_64 random(12345);
  int solved = 0, unreachable = 0;
  int roundTrips = 0;
  for (int round = 0; round < 400; ++round) {
    Puzzle p;
    for (int k = 0; k < 3; ++k) p.sizes.push_back(1 + random() % 4);
    for (int face = 0; face < 3; ++face) {
      const std::uint64_t first = p.sizes[face], second = p.sizes[(face + 1) % 3];
      for (std::uint64_t c = 0; c < first + second * (second - 1); ++c) {
        const std::uint64_t roll = random() % 10;  // mostly open; 2 blocks moves only
        p.faces[face].push_back(roll < 7 ? 0 : roll < 9 ? 1 : 2);
      }
    }
    NumberList start, end;
    for (int k = 0; k < 3; ++k) start.push_back(random() % p.sizes[k]);
    for (int k = 0; k < 3; ++k) end.push_back(random() % p.sizes[k]);
    if (round % 2 == 1) {
      // A round trip, often from a start whose cell in one face holds 2: it
      // lets the token out, but not back in along that face's axes.
      end = start;
      const int face = static_cast<int>(random() % 4);
      if (face < 3) {
        const std::uint64_t first = start[face], second = start[(face + 1) % 3];
        p.faces[face][first + p.sizes[(face + 1) % 3] * second] = 2;
      }
    }
    bool usable = true;
    for (int face = 0; face < 3; ++face) {
      usable = usable && cellOf(p, face, start) != 1 && cellOf(p, face, end) != 1;
    }
    if (!usable) continue;
    SCOPED_TRACE(configOf(p) + lineOf(start) + lineOf(end));
    writeFile(dir_ + "/tesmo.cfg", configOf(p));
    writeFile(dir_ + "/problem.txt", lineOf(start) + lineOf(end));
    const RunResult result = runProgram(TESMO_SOLVER_PATH, dir_, {}, true);
    const int expected = distance(p, start, end);
    if (expected < 0) {
      ++unreachable;
      EXPECT_EQ(1, result.status);
      EXPECT_EQ("No route from (" + listText(start) + ") to (" + listText(end) + ")!\n",
                result.err);
      continue;
    }
    ++solved;
    roundTrips += start == end;
    ASSERT_EQ(0, result.status) << result.err;
    const NumberList moves = parseNumberList(result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1));
    EXPECT_EQ(static_cast<std::size_t>(expected), moves.size());
    writeFile(dir_ + "/solution.txt", result.out);
    EXPECT_EQ("SUCCESS\n", runProgram(TESMO_VERIFIER_PATH, dir_, {}, true).out);
  }
  EXPECT_GT(solved, 60);
  EXPECT_GT(roundTrips, 30);
  EXPECT_GT(unreachable, 20);
}

}  // namespace
