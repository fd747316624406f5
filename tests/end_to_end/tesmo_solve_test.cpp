// End-to-end tests of `tesmo solve`: its routes, run through the verifier, on
// the built-in puzzle and on many random small puzzles.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/number_list.hpp"
#include "support/reference_puzzle.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace {

using Solver = InTempDir;

TEST_F(Solver, BuiltInPuzzleRouteIsAcceptedByTheVerifier) {
  writeFile(dir_ + "/problem.txt", "1 1 1\n9 9 9\n");
  const RunResult solved = runProgram(TESMO_PATH, dir_, {"solve", "-v", "1"});
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
    const RunResult result = runProgram(TESMO_PATH, dir_, {"solve"});
    EXPECT_EQ(1, result.status);
    EXPECT_EQ("", result.out);
    EXPECT_EQ(message, result.err);
  }
  writeFile(dir_ + "/problem.txt", "0 0 0\n9 9 9\n");
  RunResult result = runProgram(TESMO_PATH, dir_, {"solve"});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("Invalid start position (0,0,0)!\n", result.out);
  result = runProgram(
      TESMO_PATH, dir_,
      {"solve", "--dimensions", "100000", "--dimensions", "100000", "--dimensions", "1"});
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("Face 0 holds 121 cells but the dimensions need 10000000000!\n", result.err);
  EXPECT_EQ(1, runProgram(TESMO_PATH, dir_, {"solve", "missing.txt"}).status);
}

TEST_F(Solver, RoundTripFromAStartThatCannotBeReentered) {
  // A 3 x 1 x 1 row; the start (1,0,0) holds 2 in face 2 (cell z + 3x), so
  // no move along x, the only axis here, leads back into it.
  writeFile(dir_ + "/tesmo.cfg",
            "dimensions=3\ndimensions=1\ndimensions=1\nface0=0\nface0=0\nface0=0\n"
            "face1=0\nface2=0\nface2=0\nface2=0\nface2=2\nface2=0\nface2=0\nface2=0\n");
  writeFile(dir_ + "/problem.txt", "1 0 0\n1 0 0\n");
  const RunResult result = runProgram(TESMO_PATH, dir_, {"solve"});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_EQ("No route from (1,0,0) to (1,0,0)!\n", result.err);
}

TEST_F(Solver, TakesTheVerifiersConfigurationFile) {
  writeFile(dir_ + "/tesmo.cfg", "quite=0\ninput-path=/tmp\nverbose-level=1\n");
  writeFile(dir_ + "/problem.txt", "1 1 1\n3 1 1\n");
  RunResult result = runProgram(TESMO_PATH, dir_, {"solve"});
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("1 1 1\n3 1 1\n0 0\n", result.out);
  EXPECT_EQ("Route of 2 moves\n", result.err);
  // Still only options of the two programs.
  writeFile(dir_ + "/tesmo.cfg", "quiet=0\n");
  result = runProgram(TESMO_PATH, dir_, {"solve"});
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("unrecognised option 'quiet'\n", result.err);
  // On the command line the solver's own options only.
  writeFile(dir_ + "/tesmo.cfg", "");
  result = runProgram(TESMO_PATH, dir_, {"solve", "--quite", "0"});
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("unrecognised option '--quite'\n", result.err);
}

TEST_F(Solver, RandomPuzzlesAgreeWithAnIndependentSearchAndTheVerifier) {
  std::mt19937_64 random(12345);
  int solved = 0, unreachable = 0;
  int roundTrips = 0;
  for (int round = 0; round < 400; ++round) {
    RefPuzzle p = randomRefPuzzle(random, 4);
    NumberList start, end;
    for (int k = 0; k < 3; ++k) start.push_back(random() % p.sizes[k]);
    for (int k = 0; k < 3; ++k) end.push_back(random() % p.sizes[k]);
    if (round % 2 == 1) {
      // A round trip, often from a start whose cell in one face holds 2: it
      // lets the token out, but not back in along that face's axes.
      end = start;
      const int face = static_cast<int>(random() % 4);
      if (face < 3) cellOf(p, face, start) = 2;
    }
    if (!endpointOpen(p, start) || !endpointOpen(p, end)) continue;
    SCOPED_TRACE(configOf(p) + lineOf(start) + lineOf(end));
    writeFile(dir_ + "/tesmo.cfg", configOf(p));
    writeFile(dir_ + "/problem.txt", lineOf(start) + lineOf(end));
    const RunResult result = runProgram(TESMO_PATH, dir_, {"solve"}, true);
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
    const NumberList moves =
        parseNumberList(result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1));
    EXPECT_EQ(static_cast<std::size_t>(expected), moves.size());
    writeFile(dir_ + "/solution.txt", result.out);
    EXPECT_EQ("SUCCESS\n", runProgram(TESMO_VERIFIER_PATH, dir_, {}, true).out);
  }
  EXPECT_GT(solved, 60);
  EXPECT_GT(roundTrips, 30);
  EXPECT_GT(unreachable, 20);
}

}  // namespace

}  // namespace tesmo
