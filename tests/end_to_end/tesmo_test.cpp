// End-to-end tests of `tesmo`: its commands and help, the puzzle taken from
// the settings or a puzzle file, `convert` and `explain`, checked against
// the verifier and against the plain model of reference_puzzle.hpp.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/number_list.hpp"
#include "support/reference_puzzle.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace {

const std::string kRoute =
    "0 0 2 2 2 2 1 1 2 2 0 0 4 4 2 2 0 0 3 3 3 3 4 4 4 4 2 2 5 5 2 2 4 4 1 1 "
    "4 4 0 0 0 0 5 5 0 0 4 4";

class Tesmo : public InTempDir {
 protected:
  RunResult tesmo(const std::vector<std::string>& args) {
    return runProgram(TESMO_PATH, dir_, args, true);
  }
  void expectRun(const std::vector<std::string>& args, int status, const std::string& out,
                 const std::string& err) {
    const RunResult result = tesmo(args);
    EXPECT_EQ(status, result.status);
    EXPECT_EQ(out, result.out);
    EXPECT_EQ(err, result.err);
  }
  void file(const std::string& name, const std::string& text) {
    writeFile(dir_ + "/" + name, text);
  }
};

const std::string kOverview =
    "usage: tesmo [--version] [--help] COMMAND [ARGS]\n\n"
    "Tools for three-dimensional maze puzzles whose walls are three faces,\n"
    "beside the verifier tesmoVerifier.\n\nCommands:\n"
    "  solve     print a shortest solution of a puzzle\n"
    "  explain   replay solutions as tesmoVerifier does and say where and why they fail\n"
    "  grade     grade many solutions of one puzzle, each as tesmoVerifier judges it\n"
    "  convert   write a puzzle as a puzzle file or as tesmo.cfg lines\n"
    "  judge     check a contestant's route as a contest judge's checker\n"
    "  generate  make a perfect puzzle with a long route\n"
    "  stats     measure a puzzle: its cells, routes and dead ends\n"
    "  render    draw a puzzle's faces as SVG or in the terminal\n"
    "  test      run a solver on a suite of cases and judge each run\n\n"
    "See 'tesmo help COMMAND' or 'tesmo COMMAND --help' for a command's options.\n";

// Every command, on each kind of bad input: one line on stderr that says
// why, and the status its manual page gives.
TEST_F(Tesmo, EveryFailureSaysWhyInOneLine) {
  file("bad.txt", "size 2 2\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string line;  // the start of stderr's one line
  } failures[] = {
      {{"solve", "nosuch.txt"}, 1, "nosuch.txt: cannot read the problem file: No such file"},
      {{"solve", "/"}, 1, "/: cannot read the problem file: Is a directory"},
      {{"stats", "nosuch.txt"}, 1, "nosuch.txt: cannot read the problem file: No such file"},
      {{"stats", "/"}, 1, "/: cannot read the problem file: Is a directory"},
      {{"explain", "nosuch.txt"}, 1, "nosuch.txt: cannot read the solution file: No such file"},
      {{"explain", "--json", "/"}, 1, "/: cannot read the solution file: Is a directory"},
      {{"convert", "--problem", "nosuch.txt"}, 1, "nosuch.txt: cannot read the problem file"},
      {{"render", "--solution", "/"}, 1, "/: cannot read the solution file: Is a directory"},
      {{"render", "nosuch.txt"}, 2, "nosuch.txt: cannot read the puzzle file: No such file"},
      {{"stats", "--puzzle", "bad.txt"}, 2, "bad.txt:1: size needs three numbers"},
      {{"solve", "--bogus"}, 2, "unrecognised option '--bogus'"},
      {{"convert", "--to", "svg"}, 2, "--to takes puzzle or cfg, not 'svg'"},
      {{"generate", "1", "1"}, 2, "tesmo generate takes three sizes: X Y Z"},
      {{"generate", "0", "1", "1"}, 2, "each size must be from 1 to 1000"},
      {{"judge", "cms", "nosuch.in", "a", "b"}, 1, "nosuch.in: cannot read the puzzle file"},
      {{"judge", "testlib", "nosuch.in", "a", "b"}, 3, "FAIL nosuch.in: cannot read the puzzle"},
      {{"judge", "input", "bogus"}, 1, "unknown flag 'bogus'"},
      {{"judge", "kattis"}, 1, "usage: tesmo judge kattis INPUT ANSWER FEEDBACK_DIR"},
      {{"bogus"}, 2, "tesmo: 'bogus' is not a tesmo command; see 'tesmo help'"},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.args[0] + " " + failure.args.back());
    const RunResult result = tesmo(failure.args);
    EXPECT_EQ(failure.status, result.status);
    EXPECT_EQ(0u, result.err.find(failure.line)) << result.err;
    EXPECT_EQ(result.err.size() - 1, result.err.find('\n')) << "one line";
  }
}

TEST_F(Tesmo, CommandsAndHelp) {
  expectRun({"help"}, 0, kOverview, "");
  expectRun({"--help"}, 0, kOverview, "");
  expectRun({"-h"}, 0, kOverview, "");
  expectRun({}, 2, "", kOverview);
  expectRun({"--version"}, 0, "tesmo 1.0.0\nfor puzzles of tesmoVerifier 1.0.0\n", "");
  expectRun({"bogus"}, 2, "", "tesmo: 'bogus' is not a tesmo command; see 'tesmo help'\n");
  expectRun({"--bogus"}, 2, "", "tesmo: '--bogus' is not a tesmo command; see 'tesmo help'\n");
  expectRun({"help", "bogus"}, 2, "", "tesmo: 'bogus' is not a tesmo command; see 'tesmo help'\n");
  for (const char* command : {"solve", "explain", "convert"}) {
    SCOPED_TRACE(command);
    const RunResult help = tesmo({command, "--help"});
    EXPECT_EQ(0, help.status);
    EXPECT_EQ(0u, help.out.find(std::string("usage: tesmo ") + command + " [options]"));
    EXPECT_NE(std::string::npos, help.out.find("--puzzle arg"));
    EXPECT_NE(std::string::npos, help.out.find("--face2 arg (=built-in)"));
    EXPECT_EQ(help.out, tesmo({"help", command}).out);
  }
  expectRun({"convert", "extra"}, 2, "",
            "too many positional options have been specified on the command line\n");
  expectRun({"convert", "--to", "svg"}, 2, "", "--to takes puzzle or cfg, not 'svg'\n");
  expectRun({"explain", "--json", "--trace"}, 2, "",
            "--json and --trace cannot be given together\n");
}

TEST_F(Tesmo, PuzzleFromAFileOrTheSettings) {
  const RunResult converted = tesmo({"convert"});
  ASSERT_EQ(0, converted.status);
  file("maze.txt", converted.out);
  file("problem.txt", "1 1 1\n3 1 1\n");
  expectRun({"solve", "--puzzle", "maze.txt"}, 0, "1 1 1\n3 1 1\n0 0\n", "");
  // The file's puzzle wins over tesmo.cfg's; beside puzzle options on the
  // command line it is refused.
  file("tesmo.cfg", "dimensions=1\ndimensions=1\ndimensions=1\nface0=0\nface1=0\nface2=0\n");
  expectRun({"solve", "--puzzle", "maze.txt"}, 0, "1 1 1\n3 1 1\n0 0\n", "");
  expectRun({"solve"}, 1, "", "Start position out of boundary (1,1,1)!\n");
  expectRun({"solve", "--puzzle", "maze.txt", "--face1", "0"}, 2, "",
            "--puzzle and --face1 cannot be given together\n");
  expectRun({"explain", "--puzzle", "missing.txt"}, 2, "",
            "missing.txt: cannot read the puzzle file: No such file or directory\n");
  file("bad.txt", "size 2 2 2\nface 0\n00\n0\n");
  expectRun({"convert", "--puzzle", "bad.txt"}, 2, "",
            "bad.txt:4: face 0 row 1 needs 2 cells, found 1\n");
  // Start and end of the puzzle file serve solve when no problem is named.
  file("tesmo.cfg", "");
  file("ends.txt", "size 2 1 1\nstart 0 0 0\nend 1 0 0\nface 0\n00\nface 1\n0\nface 2\n0\n0\n");
  std::remove((dir_ + "/problem.txt").c_str());
  expectRun({"solve", "--puzzle", "ends.txt"}, 0, "0 0 0\n1 0 0\n0\n", "");
  file("other.txt", "1 0 0\n0 0 0\n");
  expectRun({"solve", "--puzzle", "ends.txt", "other.txt"}, 0, "1 0 0\n0 0 0\n1\n", "");
  expectRun({"solve", "--dimensions", "70000", "--dimensions", "300", "--dimensions", "300"}, 2, "",
            "Face 0 holds 121 cells but the dimensions need 159700!\n");
}

TEST_F(Tesmo, SolveRefusesABoxTooLargeToSearch) {
  // 1700 x 1700 x 1500 has a grid of 1702 * 1702 * 1502 > 2^32 cells. Its
  // faces come from a puzzle file whose rows are all open.
  const std::uint64_t sizes[3] = {1700, 1700, 1500};
  std::string text = "size 1700 1700 1500\n";
  for (int face = 0; face < 3; ++face) {
    text += "face " + std::to_string(face) + "\n";
    const std::string row(sizes[face], '0');
    for (std::uint64_t b = 0; b < sizes[(face + 1) % 3]; ++b) text += row + "\n";
  }
  file("huge.txt", text);
  file("problem.txt", "0 0 0\n1 0 0\n");
  expectRun({"solve", "--puzzle", "huge.txt"}, 2, "",
            "The box is too large to search: (X+2)(Y+2)(Z+2) must be at most 4294967296 cells!\n");
}

TEST_F(Tesmo, ConvertWritesStartAndEndOfAProblem) {
  file("problem.txt", "1 1 1\n9 9 9\n");
  RunResult result = tesmo({"convert", "--problem", "problem.txt"});
  ASSERT_EQ(0, result.status);
  EXPECT_NE(std::string::npos, result.out.find("\nstart 1 1 1\nend 9 9 9\n"));
  file("maze.txt", result.out);
  // The puzzle file's own start and end go through to the next file.
  result = tesmo({"convert", "--puzzle", "maze.txt"});
  EXPECT_NE(std::string::npos, result.out.find("\nstart 1 1 1\nend 9 9 9\n"));
  result = tesmo({"convert", "--puzzle", "maze.txt", "--to", "cfg"});
  EXPECT_EQ(0u, result.out.find("# start 1 1 1 (tesmo.cfg holds no start; a problem file does)\n"
                                "# end 9 9 9 (tesmo.cfg holds no end; a problem file does)\n"));
  file("short.txt", "1 1\n9 9 9\n");
  expectRun({"convert", "--problem", "short.txt"}, 1, "",
            "Start position (1,1) is not 3-dimensional!\n");
  expectRun({"convert", "--problem", "missing.txt"}, 1, "",
            "missing.txt: cannot read the problem file: No such file or directory\n");
}

// The verdict of the verifier on `solution` under `config`, as one text.
std::string verdict(const std::string& dir, const std::string& config,
                    const std::string& solution) {
  writeFile(dir + "/tesmo.cfg", config);
  writeFile(dir + "/solution.txt", solution);
  const RunResult result = runProgram(TESMO_VERIFIER_PATH, dir, {}, true);
  return std::to_string(result.status) + "|" + result.out + "|" + result.err;
}

std::string randomSolution(std::mt19937_64& random, const RefPuzzle& p) {
  NumberList start, end, moves(random() % 12);
  for (int k = 0; k < 3; ++k) start.push_back(random() % p.sizes[k]);
  for (int k = 0; k < 3; ++k) end.push_back(random() % p.sizes[k]);
  for (std::uint64_t& code : moves) code = random() % 50 == 0 ? 7 : random() % 6;
  return lineOf(start) + lineOf(end) + lineOf(moves);
}

// Random puzzles, overlapping rows and gaps included, go to a puzzle file
// and back to tesmo.cfg lines; the verifier judges random solutions the
// same under the original settings and under the converted ones.
TEST_F(Tesmo, ConvertKeepsEveryVerdict) {
  std::mt19937_64 random(2026);
  for (int round = 0; round < 40; ++round) {
    RefPuzzle p = randomRefPuzzle(random, 5);
    // Cells above 9 become 9 in a puzzle file, which behaves the same.
    if (round % 4 == 0) p.faces[round % 3][0] = 10 + random() % 1000;
    const std::string original = configOf(p);
    writeFile(dir_ + "/tesmo.cfg", original);
    const RunResult toFile = tesmo({"convert"});
    ASSERT_EQ(0, toFile.status) << toFile.err;
    file("maze.txt", toFile.out);
    writeFile(dir_ + "/tesmo.cfg", "");
    const RunResult back = tesmo({"convert", "--puzzle", "maze.txt", "--to", "cfg"});
    ASSERT_EQ(0, back.status) << back.err;
    for (int i = 0; i < 8; ++i) {
      const std::string solution = randomSolution(random, p);
      SCOPED_TRACE(original + "--\n" + solution);
      EXPECT_EQ(verdict(dir_, original, solution), verdict(dir_, back.out, solution));
    }
  }
}

TEST_F(Tesmo, ExplainSaysWhereAndWhy) {
  file("wall.txt", "1 1 1\n9 9 9\n0 0 0\n");
  file("good.txt", "1 1 1\n9 9 9\n" + kRoute + "\n");
  file("longer.txt", "1 1 1\n9 9 9\n0 1 " + kRoute + "\n");
  file("invalid.txt", "1 1 1\n9 9 9\n0 7\n");
  file("short.txt", "1 1 1\n9 9 9\n0 0\n");
  expectRun({"explain", "wall.txt"}, 0,
            "Stopped after executing 2steps.\nFAILURE (2)\nexit status 0\n"
            "move 3: code 0 (x+1) from (3,1,1) runs into a wall: face 2 cell 45 (z=1, x=4) "
            "holds 1\n"
            "after 2 moves the token stands at (3,1,1), 46 moves from the end (9,9,9)\n",
            "");
  expectRun({"explain", "good.txt"}, 0,
            "SUCCESS\nexit status 0\nroute of 48 moves; the shortest has 48\n", "");
  expectRun({"explain", "longer.txt"}, 0,
            "SUCCESS\nexit status 0\nroute of 50 moves; the shortest has 48\n", "");
  expectRun({"explain", "invalid.txt"}, 1,
            "Invalid move (7)!\nexit status 1\nmove 2: code 7 is no move (codes are 0 to 5)\n", "");
  expectRun({"explain", "--trace", "short.txt"}, 0,
            "FAILURE (2)\nexit status 0\n"
            "move 1: code 0 (x+1) (1,1,1) -> (2,1,1)\nmove 2: code 0 (x+1) (2,1,1) -> (3,1,1)\n"
            "after 2 moves the token stands at (3,1,1), 46 moves from the end (9,9,9)\n",
            "");
  // Several files: a header each, the highest status.
  expectRun({"explain", "good.txt", "missing.txt"}, 1,
            "==> good.txt <==\nSUCCESS\nexit status 0\nroute of 48 moves; the shortest has 48\n"
            "\n==> missing.txt <==\nexit status 1\nthe solution file cannot be opened or read\n",
            "missing.txt: cannot read the solution file: No such file or directory\n");
  // The box edge, and a start that is also the end.
  file("tesmo.cfg",
       "dimensions=2\ndimensions=1\ndimensions=1\nface0=0\nface0=0\nface1=0\n"
       "face2=0\nface2=0\nface2=0\n");
  file("edge.txt", "0 0 0\n0 0 0\n1\n");
  expectRun({"explain", "edge.txt"}, 0,
            "Attempt to access out of boundary!\nStopped after executing 0steps.\nSUCCESS\n"
            "exit status 0\nmove 1: code 1 (x-1) from (0,0,0) runs into the box edge on axis x\n"
            "route of 0 moves; the shortest has 2\n",
            "");
}

TEST_F(Tesmo, ExplainAsJson) {
  file("wall.txt", "1 1 1\n9 9 9\n0 0 0\n");
  file("odd\"name\\\t\xff.txt", "1 1 1\n9 9\n0\n");
  file("outside.txt", "-1 1 1\n9 9 9\n0\n");  // x = 2^64 - 1, written as a string
  expectRun({"explain", "--json", "wall.txt", "odd\"name\\\t\xff.txt", "outside.txt"}, 1,
            "{\"file\":\"wall.txt\",\"status\":0,\"verdict\":\"FAILURE\",\"executed\":2,"
            "\"start\":[1,1,1],\"position\":[3,1,1],\"end\":[9,9,9],\"stop\":{\"move\":3,"
            "\"code\":0,\"reason\":\"wall\",\"from\":[3,1,1],\"face\":2,\"cell\":45,\"value\":1},"
            "\"shortest\":48,\"remaining\":46,\"lines\":[\"Stopped after executing 2steps.\","
            "\"FAILURE (2)\"]}\n"
            "{\"file\":\"odd\\\"name\\\\\\t\\udcff.txt\",\"status\":1,\"verdict\":null,"
            "\"executed\":0,\"start\":[1,1,1],\"position\":null,\"end\":null,\"stop\":null,"
            "\"shortest\":null,\"remaining\":null,"
            "\"lines\":[\"End position (9,9) is not 3-dimensional!\"]}\n"
            "{\"file\":\"outside.txt\",\"status\":0,\"verdict\":null,\"executed\":0,"
            "\"start\":[\"18446744073709551615\",1,1],\"position\":null,\"end\":[9,9,9],"
            "\"stop\":null,\"shortest\":null,\"remaining\":null,"
            "\"lines\":[\"Start position out of boundary (18446744073709551615,1,1)!\"]}\n",
            "");
}

// The JSON explain must print for a solution, worked out by the plain
// model: the walk replayed move by move, the routes measured apart.
std::string expectedJson(const RefPuzzle& p, const std::string& name, const NumberList& start,
                         const NumberList& end, const NumberList& moves, const std::string& lines) {
  const auto text = [](const NumberList& at) {
    return "[" + std::to_string(at[0]) + "," + std::to_string(at[1]) + "," + std::to_string(at[2]) +
           "]";
  };
  NumberList at = start;
  std::string stop = "null";
  std::size_t executed = 0;
  bool invalid = false;
  for (; executed < moves.size(); ++executed) {
    const std::uint64_t code = moves[executed];
    const std::string head = "{\"move\":" + std::to_string(executed + 1) +
                             ",\"code\":" + std::to_string(code) + ",\"reason\":";
    if (code > 5) {
      stop = head + "\"invalid\",\"from\":" + text(at) + "}";
      invalid = true;
      break;
    }
    const int axis = static_cast<int>(code / 2);
    if (code % 2 == 0 ? at[axis] + 1 == p.sizes[axis] : at[axis] == 0) {
      stop = head + "\"edge\",\"from\":" + text(at) + ",\"axis\":\"" + "xyz"[axis] + "\"}";
      break;
    }
    if (const std::optional<NumberList> next = step(p, at, static_cast<int>(code))) {
      at = *next;
      continue;
    }
    NumberList target = at;
    target[axis] += code % 2 == 0 ? 1 : -1;
    const int face = cellOf(p, axis, target) != 0 ? axis : (axis + 2) % 3;
    const std::uint64_t index = target[face] + p.sizes[(face + 1) % 3] * target[(face + 1) % 3];
    stop = head + "\"wall\",\"from\":" + text(at) + ",\"face\":" + std::to_string(face) +
           ",\"cell\":" + std::to_string(index) +
           ",\"value\":" + std::to_string(cellOf(p, face, target)) + "}";
    break;
  }
  const int shortest = distance(p, start, end);
  const int remaining = at == end ? 0 : pathLength(p, at, end);
  const auto orNull = [](int n) { return n < 0 ? std::string("null") : std::to_string(n); };
  std::string json = "{\"file\":\"" + name + "\",\"status\":" + (invalid ? "1" : "0") +
                     ",\"verdict\":" +
                     (invalid     ? "null"
                      : at == end ? "\"SUCCESS\""
                                  : "\"FAILURE\"") +
                     ",\"executed\":" + std::to_string(executed) + ",\"start\":" + text(start) +
                     ",\"position\":" + text(at) + ",\"end\":" + text(end) + ",\"stop\":" + stop +
                     ",\"shortest\":" + orNull(shortest) +
                     ",\"remaining\":" + (invalid ? "null" : orNull(remaining)) + ",\"lines\":[";
  std::istringstream stream(lines);
  bool first = true;
  for (std::string line; std::getline(stream, line); first = false) {
    json += (first ? "\"" : ",\"") + line + "\"";
  }
  return json + "]}\n";
}

TEST_F(Tesmo, ExplainAgreesWithAnIndependentReplay) {
  std::mt19937_64 random(99);
  int explained = 0;
  for (int round = 0; round < 60; ++round) {
    const RefPuzzle p = randomRefPuzzle(random, 4);
    writeFile(dir_ + "/tesmo.cfg", configOf(p));
    std::vector<std::string> args = {"explain", "--json"};
    std::string expected;
    for (int i = 0; i < 5; ++i) {
      NumberList start, end, moves(1 + random() % 10);
      for (int k = 0; k < 3; ++k) start.push_back(random() % p.sizes[k]);
      end = random() % 4 == 0
                ? start
                : NumberList{random() % p.sizes[0], random() % p.sizes[1], random() % p.sizes[2]};
      if (!endpointOpen(p, start) || !endpointOpen(p, end)) continue;
      for (std::uint64_t& code : moves) code = random() % 40 == 0 ? 6 : random() % 6;
      const std::string name = "s" + std::to_string(i) + ".txt";
      writeFile(dir_ + "/" + name, lineOf(start) + lineOf(end) + lineOf(moves));
      const RunResult verifier = runProgram(TESMO_VERIFIER_PATH, dir_, {name});
      expected += expectedJson(p, name, start, end, moves, verifier.merged);
      args.push_back(name);
      ++explained;
    }
    if (args.size() == 2) continue;
    SCOPED_TRACE(configOf(p));
    EXPECT_EQ(expected, tesmo(args).out);
  }
  EXPECT_GT(explained, 60);
}

}  // namespace

namespace {

// Output that never reached its reader is no success.
TEST_F(Tesmo, OutputThatCannotBeWrittenIsNoSuccess) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  for (const std::string& command :
       {std::string("convert"), std::string("generate 5 4 3 --budget 0"),
        std::string("render --text")}) {
    const RunResult result = runProgram(
        "/bin/sh", dir_, {"-c", std::string(TESMO_PATH) + " " + command + " > /dev/full"}, true);
    EXPECT_EQ(2, result.status) << command;
    EXPECT_EQ("tesmo: cannot write to standard output\n", result.err) << command;
  }
}

}  // namespace

}  // namespace tesmo
