// The checker protocols, run as each judge runs them (arguments, a fresh
// feedback directory, the output on standard input or as a file), against
// `tesmo judge` and against the one-file judge compiled alone: both must
// answer alike, byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_binary.hpp"

namespace tesmo {

namespace {

const std::string kRoute =
    "0 0 2 2 2 2 1 1 2 2 0 0 4 4 2 2 0 0 3 3 3 3 4 4 4 4 2 2 5 5 2 2 4 4 1 1 "
    "4 4 0 0 0 0 5 5 0 0 4 4";
const std::string kWallStop =
    "move 3: code 0 (x+1) from (3,1,1) runs into a wall: face 2 cell 45 (z=1, x=4) holds 1";

std::string readText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// A judge: the program and the arguments that pick a protocol.
struct Judge {
  const char* name;
  std::string program;
  bool single;  // the one-file judge, told its protocol by --protocol=
};

// Names the judge in test listings, rather than its bytes.
void PrintTo(const Judge& judge, std::ostream* out) { *out << judge.name; }

class Protocols : public InTempDir, public ::testing::WithParamInterface<Judge> {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    // The built-in puzzle, from 1 1 1 to 9 9 9, and its shortest route.
    const RunResult maze = runProgram(
        TESMO_PATH, dir_, {"convert", "--problem", TESMO_EXAMPLES_DIR "/problem.txt"}, true);
    ASSERT_EQ(0, maze.status);
    writeFile(path("maze.in"), maze.out);
    writeFile(path("maze.ans"), kRoute + "\n");
  }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  std::vector<std::string> command(const std::string& protocol,
                                   const std::vector<std::string>& args) const {
    std::vector<std::string> all;
    if (GetParam().single) {
      all.push_back("--protocol=" + protocol);
    } else {
      all = {"judge", protocol};
    }
    all.insert(all.end(), args.begin(), args.end());
    return all;
  }

  // Kattis: INPUT ANSWER FEEDBACK_DIR flags < OUTPUT, in a fresh directory.
  RunResult kattis(const std::string& output, const std::vector<std::string>& flags = {},
                   const std::string& input = "maze.in", const std::string& answer = "maze.ans") {
    std::filesystem::remove_all(path("feedback"));
    std::filesystem::create_directory(path("feedback"));
    writeFile(path("team.out"), output);
    std::vector<std::string> args = {path(input), path(answer), path("feedback") + "/"};
    args.insert(args.end(), flags.begin(), flags.end());
    return runProgramWithInput(GetParam().program, dir_, command("kattis", args), path("team.out"));
  }
  std::string feedback(const std::string& name) const { return readText(path("feedback/" + name)); }
  // The team's message is the judge's unless given: no position or length
  // from the test data reaches the team.
  void expectKattis(const std::string& output, int status, const std::string& message,
                    const std::vector<std::string>& flags = {}, std::string team = "") {
    SCOPED_TRACE(output);
    const RunResult result = kattis(output, flags);
    EXPECT_EQ(status, result.status);
    EXPECT_EQ(message + "\n", feedback("judgemessage.txt"));
    EXPECT_EQ((team.empty() ? message : team) + "\n", feedback("teammessage.txt"));
    EXPECT_EQ("", result.out);
  }

  // testlib's flags come before its files, the others' after them.
  RunResult fileProtocol(const std::string& protocol, const std::string& output,
                         const std::vector<std::string>& flags = {},
                         const std::vector<std::string>& after = {}) {
    writeFile(path("team.out"), output);
    std::vector<std::string> args =
        protocol == "testlib"
            ? std::vector<std::string>{path("maze.in"), path("team.out"), path("maze.ans")}
            : std::vector<std::string>{path("maze.in"), path("maze.ans"), path("team.out")};
    args.insert(protocol == "testlib" ? args.begin() : args.end(), flags.begin(), flags.end());
    args.insert(args.end(), after.begin(), after.end());
    return runProgram(GetParam().program, dir_, command(protocol, args), true);
  }
};

TEST_P(Protocols, KattisVerdictsAndMessages) {
  expectKattis(kRoute + "\n", 42, "route of 48 moves");
  expectKattis("\n\n  " + kRoute, 42, "route of 48 moves");  // blank lines, no final newline
  expectKattis(kRoute + " \r\n\r\n\t\n", 42, "route of 48 moves");
  expectKattis("0 0 0\n", 43, kWallStop, {}, "move 3 runs into a wall");
  expectKattis("0 0 0\n", 43, kWallStop, {"full_feedback"});
  expectKattis("0 0", 43,
               "after 2 moves the token stands at (3,1,1), 46 moves from the end (9,9,9)", {},
               "after 2 moves the token is not on the end");
  expectKattis("", 43, "the output holds no move; a route needs at least one");
  expectKattis(" \n\n", 43, "the output holds no move; a route needs at least one");
  // A stop counts even when the token stands on the end: all moves must run.
  expectKattis(kRoute + " 0", 43,
               "move 49: code 0 (x+1) from (9,9,9) runs into a wall: face 0 cell 109 (x=10, "
               "y=9) holds 1",
               {}, "move 49 runs into a wall");
}

TEST_P(Protocols, KattisReadsStrictly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"0 0 x", "token 3 ('x') is not a move code 0 to 5"},
      {"0 7", "token 2 ('7') is not a move code 0 to 5"},
      {"0 6 1", "token 2 ('6') is not a move code 0 to 5"},
      {"-1", "token 1 ('-1') is not a move code 0 to 5"},
      {"+0", "token 1 ('+0') is not a move code 0 to 5"},
      {"00", "token 1 ('00') is not a move code 0 to 5"},
      {"0,0", "token 1 ('0,0') is not a move code 0 to 5"},
      {"18446744073709551616", "token 1 ('18446744073709551616') is not a move code 0 to 5"},
      {"0 " + std::string(45, '1'),
       "token 2 ('" + std::string(40, '1') + "...') is not a move code 0 to 5"},
      {std::string("0 \0", 3), "token 2 ('\\x00') is not a move code 0 to 5"},
      {"0\xff", "token 1 ('0\\xff') is not a move code 0 to 5"},
      {"0 0\n2", "token 3 ('2') is on a second line; the moves are one line"},
      {kRoute + "\n\n0", "token 49 ('0') is on a second line; the moves are one line"},
  };
  for (const auto& [output, message] : cases) expectKattis(output, 43, message);
}

TEST_P(Protocols, KattisShortestAndScore) {
  const std::string longer = "0 1 " + kRoute;
  expectKattis(longer, 42, "route of 50 moves");
  expectKattis(longer, 43, "route of 50 moves; the shortest has 48", {"shortest"},
               "route of 50 moves is not a shortest one");
  expectKattis(kRoute, 42, "route of 48 moves; the shortest has 48", {"--shortest"},
               "route of 48 moves");
  RunResult result = kattis(longer, {"score"});
  EXPECT_EQ(42, result.status);
  EXPECT_EQ("0.96\n", feedback("score.txt"));
  EXPECT_EQ("route of 50 moves\n", feedback("teammessage.txt"));
  EXPECT_EQ("route of 50 moves; the shortest has 48\n", feedback("judgemessage.txt"));
  result = kattis("0 0", {"score"});
  EXPECT_EQ(43, result.status);
  EXPECT_FALSE(std::filesystem::exists(path("feedback/score.txt")));
}

TEST_P(Protocols, KattisJudgeErrorsAreNoVerdict) {
  RunResult result = kattis(kRoute, {}, "missing.in");
  EXPECT_EQ(1, result.status);
  const std::string missing =
      path("missing.in") + ": cannot read the puzzle file: No such file or directory";
  EXPECT_EQ(missing + "\n", result.err);
  EXPECT_EQ(missing + "\n", feedback("judgemessage.txt"));
  EXPECT_FALSE(std::filesystem::exists(path("feedback/teammessage.txt")));
  writeFile(path("wrong.ans"), "0 0 0\n");
  result = kattis(kRoute, {}, "maze.in", "wrong.ans");
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(path("wrong.ans") + ": the answer is no route: " + kWallStop + "\n", result.err);
  // Under shortest a longer answer is a judge error, whatever the output.
  writeFile(path("long.ans"), "0 1 " + kRoute + "\n");
  for (const std::string& output : {kRoute, std::string("0 0 0"), std::string("x")}) {
    result = kattis(output, {"shortest"}, "maze.in", "long.ans");
    EXPECT_EQ(1, result.status);
    EXPECT_EQ("the answer's route has 50 moves, longer than the shortest, 48\n", result.err);
  }
  result = kattis(kRoute, {"fastest"});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("unknown flag 'fastest'; the flags are shortest, score and full_feedback\n",
            result.err);
  std::filesystem::create_directory(path("feedback"));
  result = runProgramWithInput(GetParam().program, dir_,
                               command("kattis", {path("maze.in"), path("maze.ans"), ""}),
                               path("team.out"));
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("the feedback directory is named by an empty argument\n", result.err);
  // Inputs a judge must not use: no start, an end on a wall, no route.
  writeFile(path("nostart.in"), "size 1 1 2\nend 0 0 1\nface 0\n0\nface 1\n0\n0\nface 2\n00\n");
  result = kattis("4", {}, "nostart.in");
  EXPECT_EQ(path("nostart.in") + ": the puzzle has no start\n", result.err);
  writeFile(path("wall.in"),
            "size 1 1 2\nstart 0 0 0\nend 0 0 1\nface 0\n0\nface 1\n0\n1\nface 2\n00\n");
  result = kattis("4", {}, "wall.in");
  EXPECT_EQ(path("wall.in") + ": the end (0,0,1) lies on a wall\n", result.err);
  writeFile(path("cut.in"),
            "size 1 1 2\nstart 0 0 0\nend 0 0 1\nface 0\n0\nface 1\n0\n0\nface 2\n02\n");
  result = kattis("4", {}, "cut.in");
  EXPECT_EQ(path("cut.in") + ": no route leads from the start to the end\n", result.err);
  // A solution file is an answer too, when its start and end are the input's.
  writeFile(path("whole.ans"), "1 1 1\n9 9 9\n" + kRoute + "\n");
  EXPECT_EQ(42, kattis(kRoute, {}, "maze.in", "whole.ans").status);
  writeFile(path("other.ans"), "1 1 1\n3 1 1\n0 0\n");
  result = kattis(kRoute, {}, "maze.in", "other.ans");
  EXPECT_EQ(path("other.ans") + ": the answer's start and end are not the input's\n", result.err);
}

TEST_P(Protocols, AnOutputThatCannotBeReadIsAJudgeError) {
  std::filesystem::create_directory(path("adir"));
  RunResult result =
      runProgram(GetParam().program, dir_,
                 command("testlib", {path("maze.in"), path("adir"), path("maze.ans")}), true);
  EXPECT_EQ(3, result.status);
  EXPECT_EQ("FAIL cannot read the output\n", result.err);
  result = runProgram(GetParam().program, dir_,
                      command("cms", {path("maze.in"), path("maze.ans"), path("adir")}), true);
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  std::filesystem::create_directory(path("feedback"));
  result = runProgramWithInput(
      GetParam().program, dir_,
      command("kattis", {path("maze.in"), path("maze.ans"), path("feedback") + "/"}), path("adir"));
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("cannot read the output\n", result.err);
}

TEST_P(Protocols, Testlib) {
  RunResult result = fileProtocol("testlib", kRoute);
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("ok route of 48 moves\n", result.err);
  result = fileProtocol("testlib", "0 0 0");
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("wrong answer " + kWallStop + "\n", result.err);
  result = fileProtocol("testlib", "0 x");
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("wrong output format token 2 ('x') is not a move code 0 to 5\n", result.err);
  result = fileProtocol("testlib", "0 1 " + kRoute, {"--score"});
  EXPECT_EQ(7, result.status);
  EXPECT_EQ("points 0.96 route of 50 moves; the shortest has 48\n", result.err);
  writeFile(path("maze.ans"), "5\n");
  result = fileProtocol("testlib", kRoute);
  EXPECT_EQ(3, result.status);
  EXPECT_EQ("FAIL " + path("maze.ans") +
                ": the answer is no route: move 1: code 5 (z-1) from (1,1,1) runs into a wall: "
                "face 2 cell 11 (z=0, x=1) holds 1\n",
            result.err);
  EXPECT_EQ("", result.out);
}

// With a result file testlib's message goes there, as its own checkers
// write it: the message alone, or testlib's XML with -appes; stderr says
// where it went. What stands where the file or -appes belongs, or after
// them, is checked.
TEST_P(Protocols, TestlibResultFile) {
  RunResult result = fileProtocol("testlib", "0 0 0", {}, {path("result.txt")});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("\nSee file to check exit message\n", result.err);
  EXPECT_EQ(kWallStop, readText(path("result.txt")));
  result = fileProtocol("testlib", "0 1 " + kRoute, {"--score"}, {path("result.xml"), "-appes"});
  EXPECT_EQ(7, result.status);
  EXPECT_EQ(
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><result outcome = \"points\" points = "
      "\"0.96\">0.96 route of 50 moves; the shortest has 48</result>\n",
      readText(path("result.xml")));
  result = fileProtocol("testlib", "0 <&>\"", {}, {path("result.xml"), "-APPES"});
  EXPECT_EQ(2, result.status);
  EXPECT_EQ(
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><result outcome = "
      "\"presentation-error\">token 2 (&apos;&lt;&amp;&gt;&quot;&apos;) is not a move code 0 to "
      "5</result>\n",
      readText(path("result.xml")));
  const std::string usage =
      "Program must be run with the following arguments: [--shortest] [--score] <input-file> "
      "<output-file> <answer-file> [<report-file> [<-appes>]]";
  const std::vector<std::vector<std::string>> refused = {
      {path("result.xml"), "-apes"}, {path("result.xml"), "-appes", "more"}};
  for (const std::vector<std::string>& after : refused) {
    result = fileProtocol("testlib", kRoute, {}, after);
    EXPECT_EQ(3, result.status);
    EXPECT_EQ("FAIL " + usage + "\n", result.err);
  }
  result = fileProtocol("testlib", kRoute, {}, {"shortest"});
  EXPECT_EQ(3, result.status);
  EXPECT_EQ("FAIL 'shortest' stands where the result file belongs; " + usage + "\n", result.err);
  result = fileProtocol("testlib", kRoute, {"--shortes"});
  EXPECT_EQ(3, result.status);
  EXPECT_EQ("FAIL unknown flag '--shortes'; the flags are shortest and score\n", result.err);
  EXPECT_FALSE(std::filesystem::exists(path("shortest")));
}

TEST_P(Protocols, Cms) {
  RunResult result = fileProtocol("cms", kRoute);
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("1.0\n", result.out);
  EXPECT_EQ("route of 48 moves\n", result.err);
  result = fileProtocol("cms", "");
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("0.0\n", result.out);
  EXPECT_EQ("the output holds no move; a route needs at least one\n", result.err);
  result = fileProtocol("cms", "0 1 " + kRoute, {"score"});
  EXPECT_EQ("0.96\n", result.out);
  std::filesystem::remove(path("maze.ans"));
  result = fileProtocol("cms", kRoute);
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_EQ(path("maze.ans") + ": cannot read the answer file\n", result.err);
}

// Inputs in their canonical form only, unless lenient; max_size bounds the
// box; the faults a judge must hear of are named with their line.
TEST_P(Protocols, InputValidator) {
  const std::string head = "size 1 1 2\nstart 0 0 0\nend 0 0 1\n";
  const std::string faces = "face 0\n0\nface 1\n0\n0\nface 2\n00\n";
  const struct {
    std::vector<std::string> flags;
    std::string text;
    int status;
    std::string reason;
  } cases[] = {
      {{}, head + faces, 42, ""},
      {{"max_size=2"}, head + faces, 42, ""},
      {{"max_size=1"}, head + faces, 43, "input:1: size 2 is above the bound 1"},
      {{"lenient", "max_size=1"}, head + faces, 43, "input: size 2 is above the bound 1"},
      {{}, "# a comment\n" + head + faces, 43, "input:1: a comment; the input holds none"},
      {{"lenient"}, "# a comment\n" + head + faces, 42, ""},
      {{}, head + "face 0\r\n0\n", 43, "input:4: a carriage return; lines end in a line feed alone"},
      {{}, "size 1 1 02\n", 43, "input:1: a leading zero in '02'"},
      {{}, "", 43, "input:1: the puzzle file is empty"},
      {{}, "size 1 1 2\nend 0 0 1\n", 43, "input:2: expected 'start', found 'end 0 0 1'"},
      {{"lenient"}, "size 1 1 2\n" + faces, 43, "input: the puzzle has no start"},
      {{}, "size 1 1 2\nstart 0 0 0\nend 0 0 2\n" + faces, 43,
       "input: the end (0,0,2) lies outside the box"},
      {{}, head + "face 0\n0\nface 1\n0\n1\nface 2\n00\n", 43,
       "input: the end (0,0,1) lies on a wall"},
      {{}, "size 2 2\n", 43, "input:1: size needs three numbers"},
      {{"max_size"}, head + faces, 1,
       "unknown flag 'max_size'; the flags are lenient and max_size=N (N from 0 to 10^19 - 1)"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    writeFile(path("case.in"), test.text);
    const RunResult result = runProgramWithInput(GetParam().program, dir_,
                                                 command("input", test.flags), path("case.in"));
    EXPECT_EQ(test.status, result.status);
    EXPECT_EQ(test.reason.empty() ? "" : test.reason + "\n", result.err);
  }
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, Protocols,
                         ::testing::Values(Judge{"tesmo", TESMO_PATH, false},
                                           Judge{"single", TESMO_JUDGE_SINGLE_PATH, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace tesmo
