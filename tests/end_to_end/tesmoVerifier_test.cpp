// End-to-end tests: the built program, run in a temporary directory, with
// its standard output, standard error and exit status compared byte for byte.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/number_list.hpp"
#include "model/builtin_puzzle.hpp"
#include "model/maze.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace {

const std::string kRoute =
    "0 0 2 2 2 2 1 1 2 2 0 0 4 4 2 2 0 0 3 3 3 3 4 4 4 4 2 2 5 5 2 2 4 4 1 1 "
    "4 4 0 0 0 0 5 5 0 0 4 4";

// The verbose echo of the settings for the built-in puzzle.
std::string settingsEcho(const std::string& fileName) {
  return "input file: " + fileName + "\nFace 0 : 121, " + listText(s_def_face0) +
         "\nFace 1 : 121, " + listText(s_def_face1) + "\nFace 2 : 121, " + listText(s_def_face2) +
         "\n";
}

// "--name value" once per element.
std::vector<std::string> repeated(const std::string& name, const NumberList& values) {
  std::vector<std::string> args;
  for (std::uint64_t value : values) {
    args.push_back("--" + name);
    args.push_back(std::to_string(value));
  }
  return args;
}

class VerifierRun : public InTempDir {
 protected:
  void solution(const std::string& text, const std::string& name = "solution.txt") {
    writeFile(dir_ + "/" + name, text);
  }
  RunResult run(const std::vector<std::string>& args = {}) {
    return runProgram(TESMO_VERIFIER_PATH, dir_, args);
  }
  void expectRun(const std::vector<std::string>& args, int status, const std::string& out,
                 const std::string& err) {
    const RunResult result = run(args);
    EXPECT_EQ(status, result.status);
    EXPECT_EQ(out, result.out);
    EXPECT_EQ(err, result.err);
  }
};

struct OutcomeCase {
  const char* what;
  std::string solution;
  int status;
  std::string out;
  std::string err;
};

TEST_F(VerifierRun, EveryOutcomeOfTheBuiltInPuzzle) {
  const std::string route = "1 1 1\n9 9 9\n" + kRoute + "\n";
  const OutcomeCase cases[] = {
      {"shortest route", route, 0, "SUCCESS\n", ""},
      {"CR LF line ends", "1 1 1\r\n9 9 9\r\n" + kRoute + "\r\n", 0, "SUCCESS\n", ""},
      {"no final newline", "1 1 1\n9 9 9\n" + kRoute, 0, "SUCCESS\n", ""},
      {"lines after the third", route + "garbage\n7 7 7\n", 0, "SUCCESS\n", ""},
      {"start of two", "1 1\n9 9 9\n0\n", 1, "", "Start position (1,1) is not 3-dimensional!\n"},
      {"start of four", "1 1 1 1\n9 9 9\n0\n", 1, "",
       "Start position (1,1,1,1) is not 3-dimensional!\n"},
      {"word in start", "1 1 x 1\n9 9 9\n0\n", 1, "",
       "Start position (1,1) is not 3-dimensional!\n"},
      {"commas", "1,1,1\n9 9 9\n0\n", 1, "", "Start position (1) is not 3-dimensional!\n"},
      {"empty first line", "\n9 9 9\n0\n", 1, "", "Start position () is not 3-dimensional!\n"},
      {"empty file", "", 1, "", "Start position () is not 3-dimensional!\n"},
      {"end of two", "1 1 1\n1 1\n0\n", 1, "", "End position (1,1) is not 3-dimensional!\n"},
      {"missing end", "1 1 1\n", 1, "", "End position () is not 3-dimensional!\n"},
      {"shape before box", "11 1 1\n1 1\n0\n", 1, "", "End position (1,1) is not 3-dimensional!\n"},
      {"start outside", "11 1 1\n9 9 9\n0\n", 0, "", "Start position out of boundary (11,1,1)!\n"},
      {"start wraps", "-1 1 1\n9 9 9\n0\n", 0, "",
       "Start position out of boundary (18446744073709551615,1,1)!\n"},
      {"start of maxima",
       "18446744073709551615 18446744073709551615 18446744073709551615\n9 9 9\n0\n", 0, "",
       "Start position out of boundary "
       "(18446744073709551615,18446744073709551615,18446744073709551615)!\n"},
      {"start on a wall", "0 0 0\n9 9 9\n0\n", 0, "Invalid start position (0,0,0)!\n", ""},
      {"start before end", "0 0 0\n11 1 1\n0\n", 0, "Invalid start position (0,0,0)!\n", ""},
      {"end outside", "1 1 1\n1 11 1\n0\n", 0, "", "End position out of boundary (1,11,1)!\n"},
      {"end on a wall", "1 1 1\n10 10 10\n0\n", 0, "Invalid end position (10,10,10)!\n", ""},
      {"two lines", "1 1 1\n9 9 9\n", 1, "", "Solution () is empty!\n"},
      {"two lines, no newline", "1 1 1\n9 9 9", 1, "", "Solution () is empty!\n"},
      {"moves line of a word", "1 1 1\n9 9 9\nx 0\n", 1, "", "Solution () is empty!\n"},
      {"invalid code", "1 1 1\n9 9 9\n0 7\n", 1, "", "Invalid move (7)!\n"},
      {"wrapped code", "1 1 1\n9 9 9\n-1\n", 1, "", "Invalid move (18446744073709551615)!\n"},
      {"wall before invalid code", "1 1 1\n9 9 9\n1 7\n", 0,
       "Stopped after executing 0steps.\nFAILURE (0)\n", ""},
      {"wall at once", "1 1 1\n9 9 9\n1\n", 0, "Stopped after executing 0steps.\nFAILURE (0)\n",
       ""},
      {"passes over the end", "1 1 1\n2 1 1\n0 0 0\n", 0,
       "Stopped after executing 2steps.\nFAILURE (2)\n", ""},
      {"stops on the end", "1 1 1\n2 1 1\n0 3\n", 0, "Stopped after executing 1steps.\nSUCCESS\n",
       ""},
      {"there and back", "1 1 1\n1 1 1\n0 1\n", 0, "SUCCESS\n", ""},
      {"all moves, wrong end", "1 1 1\n9 9 9\n0 0\n", 0, "FAILURE (2)\n", ""},
      {"list ends at a word", "1 1 1\n2 1 1\n0 x 7\n", 0, "SUCCESS\n", ""},
      {"list ends at a NUL", std::string("1 1 1\n2 1 1\n0\0 7\n", 17), 0, "SUCCESS\n", ""},
      {"list ends at an overflow", "1 1 1\n2 1 1\n0 18446744073709551616 7\n", 0, "SUCCESS\n", ""},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.what);
    solution(c.solution);
    expectRun({}, c.status, c.out, c.err);
  }
}

TEST_F(VerifierRun, SolutionFileThatCannotBeReadPrintsNothing) {
  expectRun({}, 1, "", "");  // no solution.txt
  expectRun({"missing.txt"}, 1, "", "");
  expectRun({"--input-file", ""}, 1, "", "");
  std::filesystem::create_directory(dir_ + "/folder");
  expectRun({"folder"}, 1, "", "");  // a directory is no file
  expectRun({"-v", "1", "folder"}, 1, settingsEcho("folder"), "");
}

TEST_F(VerifierRun, SolutionFileNames) {
  solution("1 1 1\n9 9 9\n" + kRoute + "\n", "first.txt");
  solution("0 0 0\n9 9 9\n0\n", "second.txt");
  solution("1 1 1\n9 9 9\n1\n");
  expectRun({"first.txt", "second.txt"}, 0, "SUCCESS\n", "");
  expectRun({"--input-file", "first.txt"}, 0, "SUCCESS\n", "");
  expectRun({dir_ + "/first.txt"}, 0, "SUCCESS\n", "");
  expectRun({}, 0, "Stopped after executing 0steps.\nFAILURE (0)\n", "");
}

TEST_F(VerifierRun, SpecialFilesAsSolution) {
  expectRun({"/dev/null"}, 1, "", "Start position () is not 3-dimensional!\n");
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  // A FIFO is read as its writer writes it.
  std::thread writer([&] { writeFile(fifo, "1 1 1\n9 9 9\n" + kRoute + "\n"); });
  const RunResult result = runProgram(TESMO_VERIFIER_PATH, dir_, {"fifo"}, true);
  writer.join();
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("SUCCESS\n", result.out);
}

// A writer that keeps its end open after the three lines (a terminal, a
// pipe from a program that goes on) must not hold back the verdict: the
// writer here closes only once the verifier has exited, or after 10 s.
TEST_F(VerifierRun, VerdictComesWhileTheWriterStaysOpen) {
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  std::mutex mutex;
  std::condition_variable changed;
  bool exited = false;
  bool exitedBeforeClose = false;
  std::thread writer([&] {
    const int fd = open(fifo.c_str(), O_WRONLY);
    if (fd < 0) return;
    const std::string text = "1 1 1\n9 9 9\n" + kRoute + "\n";
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    std::unique_lock<std::mutex> lock(mutex);
    exitedBeforeClose =
        written && changed.wait_for(lock, std::chrono::seconds(10), [&] { return exited; });
    close(fd);
  });
  const RunResult result = runProgram(TESMO_VERIFIER_PATH, dir_, {"fifo"}, true);
  {
    std::lock_guard<std::mutex> lock(mutex);
    exited = true;
  }
  changed.notify_one();
  writer.join();
  EXPECT_TRUE(exitedBeforeClose);
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("SUCCESS\n", result.out);
}

TEST_F(VerifierRun, VerboseEchoComesBeforeEachOutcome) {
  const std::string echo = settingsEcho("solution.txt");
  solution("1 1\n9 9 9\n0\n");
  RunResult result = run({"-v", "1"});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(echo + "Star: 2, 1,1\n", result.out);
  EXPECT_EQ(echo + "Star: 2, 1,1\nStart position (1,1) is not 3-dimensional!\n", result.merged);

  solution("1 1 1\n9 9\n0\n");
  expectRun({"-v", "7"}, 1, echo + "Star: 3, 1,1,1\nEnd : 2, 9,9\n",
            "End position (9,9) is not 3-dimensional!\n");

  solution("1 1 1\n9 9 9\n");
  result = run({"--verbose-level=1"});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(echo + "Star: 3, 1,1,1\nEnd : 3, 9,9,9\nSolu: 0, \nSolution () is empty!\n",
            result.merged);

  solution("1 1 1\n9 9 9\n0 7 x 5\n");
  result = run({"-v1"});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(echo + "Star: 3, 1,1,1\nEnd : 3, 9,9,9\nSolu: 2, 0,7\nInvalid move (7)!\n",
            result.merged);

  solution("11 1 1\n9 9 9\n0\n");
  expectRun({"-v", "1"}, 0, echo + "Star: 3, 11,1,1\nEnd : 3, 9,9,9\n",
            "Start position out of boundary (11,1,1)!\n");

  solution("1 1 1\n9 9 9\n" + kRoute + "\n");
  std::string moves = kRoute;
  for (char& c : moves) c = c == ' ' ? ',' : c;
  expectRun({"-v", "18446744073709551615"}, 0,
            echo + "Star: 3, 1,1,1\nEnd : 3, 9,9,9\nSolu: 48, " + moves + "\nSUCCESS\n", "");
}

TEST_F(VerifierRun, MoveAcrossTheBoxEdge) {
  // A 1 x 1 x 1 box of one open cell: every move leaves it.
  std::vector<std::string> args = repeated("dimensions", {1, 1, 1});
  for (const char* face : {"--face0", "--face1", "--face2"}) {
    args.insert(args.end(), {face, "0"});
  }
  solution("0 0 0\n0 0 0\n0\n");
  const RunResult result = run(args);
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("Stopped after executing 0steps.\nSUCCESS\n", result.out);
  EXPECT_EQ("Attempt to access out of boundary!\n", result.err);
  EXPECT_EQ("Attempt to access out of boundary!\nStopped after executing 0steps.\nSUCCESS\n",
            result.merged);
}

// Files of many moves, longer than the read buffer and than the maze's
// grid, so that the moves are read in eight-byte runs and walked on the grid,
// and long enough for the four-move table.
TEST_F(VerifierRun, LongSolutions) {
  std::string forthAndBack;
  for (int pair = 0; pair < 40000; ++pair) forthAndBack += "0 1 ";
  const std::string head = "1 1 1\n9 9 9\n";
  const OutcomeCase cases[] = {
      {"long route", head + forthAndBack + kRoute + "\n", 0, "SUCCESS\n", ""},
      {"wall at the end", head + forthAndBack + "1 " + kRoute + "\n", 0,
       "Stopped after executing 80000steps.\nFAILURE (80000)\n", ""},
      {"invalid code at the end", head + forthAndBack + "0 6\n", 1, "", "Invalid move (6)!\n"},
      {"two-digit code at the end", head + forthAndBack + "0 1 12 0\n", 1, "",
       "Invalid move (12)!\n"},
      {"word at the end", head + forthAndBack + kRoute + " x 7\n", 0, "SUCCESS\n", ""},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.what);
    solution(c.solution);
    expectRun({}, c.status, c.out, c.err);
  }
  std::vector<std::string> args = repeated("dimensions", {2, 1, 1});
  for (const char* face : {"--face0", "--face1", "--face2"}) {
    args.insert(args.end(), {face, "0", face, "0", face, "0"});
  }
  solution("0 0 0\n1 0 0\n" + forthAndBack + "0 0\n");
  expectRun(args, 0, "Stopped after executing 80001steps.\nSUCCESS\n",
            "Attempt to access out of boundary!\n");
  // The built-in puzzle's four-move table pays within 5.7 million moves.
  std::string longer;
  for (int pair = 0; pair < 2900000; ++pair) longer += "0 1 ";
  solution("1 1 1\n9 9 9\n" + longer + "1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1\n");
  expectRun({}, 0, "Stopped after executing 5800000steps.\nFAILURE (5800000)\n", "");
  solution("1 1 1\n9 9 9\n" + longer + kRoute + "\n");
  expectRun({}, 0, "SUCCESS\n", "");
}

// A long solution is read in runs of sixteen codes, which start after the
// first code: a stop of every kind at each place in a run, and just before
// and after one, must read as it does anywhere else. The box is 3 x 1 x 1
// with a wall at x = 2, small enough for its four-move table to pay within
// the 120000 moves before the stop.
TEST_F(VerifierRun, StopsAtEveryPlaceInARunOfALongSolution) {
  std::vector<std::string> args = repeated("dimensions", {3, 1, 1});
  for (std::uint64_t cell : {0, 0, 1}) args.insert(args.end(), {"--face0", std::to_string(cell)});
  args.insert(args.end(), {"--face1", "0"});
  for (int cell = 0; cell < 7; ++cell) args.insert(args.end(), {"--face2", "0"});
  std::string forthAndBack;
  for (int pair = 0; pair < 60000; ++pair) forthAndBack += "0 1 ";
  const std::string tail = " 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1\n";
  for (int moves = 120000; moves < 120034; ++moves) {
    SCOPED_TRACE(moves);
    std::string head = "0 0 0\n0 0 0\n" + forthAndBack;
    for (int more = 0; more < moves - 120000; ++more) head += more % 2 == 0 ? "0 " : "1 ";
    const std::string count = std::to_string(moves);
    const bool home = moves % 2 == 0;  // at x = 0, else at x = 1
    solution(head + "7" + tail);
    expectRun(args, 1, "", "Invalid move (7)!\n");
    solution(head + "12" + tail);
    expectRun(args, 1, "", "Invalid move (12)!\n");
    solution(head + "x" + tail);
    expectRun(args, 0, home ? "SUCCESS\n" : "FAILURE (" + count + ")\n", "");
    const std::string stopped = "Stopped after executing " + count + "steps.\n";
    if (home) {
      solution(head + "1" + tail);
      expectRun(args, 0, stopped + "SUCCESS\n", "Attempt to access out of boundary!\n");
    } else {
      solution(head + "0" + tail);
      expectRun(args, 0, stopped + "FAILURE (" + count + ")\n", "");
    }
  }
}

TEST_F(VerifierRun, SettingsErrorsEndWithStatusTwo) {
  solution("1 1 1\n9 9 9\n" + kRoute + "\n");
  expectRun({"--bogus"}, 2, "", "unrecognised option '--bogus'\n");
  expectRun({"-q"}, 2, "", "the required argument for option '--quite' is missing\n");
  expectRun({"--help", "--bogus"}, 2, "", "unrecognised option '--bogus'\n");
  expectRun({"-v", "1\n2"}, 2, "",
            "the argument ('1\\n2') for option '--verbose-level' is invalid\n");
  expectRun({"--dimensions", "5", "--dimensions", "5"}, 2, "",
            "Dimensions (5,5) must hold three sizes!\n");
  std::vector<std::string> args = repeated("dimensions", {2, 3, 4});
  for (const char* face : {"face0", "face1", "face2"}) {
    const std::vector<std::string> more = repeated(face, NumberList(5, 0));
    args.insert(args.end(), more.begin(), more.end());
  }
  expectRun(args, 2, "", "Face 0 holds 5 cells but the dimensions need 8!\n");
  expectRun(repeated("dimensions", {UINT64_MAX, UINT64_MAX, UINT64_MAX}), 2, "",
            "Face 0 holds 121 cells but the dimensions need more than "
            "18446744073709551615!\n");
}

TEST_F(VerifierRun, HelpNeedsNoSolutionFile) {
  const RunResult result = run({"--help"});
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("", result.err);
  EXPECT_EQ(0u, result.out.find(
                    "  --help                                print help message\n\nOptions:\n"));
}

TEST_F(VerifierRun, BundledExamples) {
  const std::string examples = TESMO_EXAMPLES_DIR;
  const std::string verifier = TESMO_VERIFIER_PATH;
  RunResult result = runProgram(verifier, examples, {"solution.txt"});
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("SUCCESS\n", result.merged);
  result = runProgram(verifier, examples, {"wall.txt"});
  EXPECT_EQ("Stopped after executing 2steps.\nFAILURE (2)\n", result.merged);
  result = runProgram(verifier, examples + "/custom", {});
  EXPECT_EQ("SUCCESS\n", result.merged);
  result = runProgram(verifier, examples + "/custom", {"blocked.txt"});
  EXPECT_EQ("Stopped after executing 1steps.\nFAILURE (1)\n", result.merged);
}

// "tesmo.cfg" lines giving `name` once per value.
std::string configLines(const std::string& name, const NumberList& values) {
  std::string lines;
  for (std::uint64_t value : values) lines += name + "=" + std::to_string(value) + "\n";
  return lines;
}

TEST_F(VerifierRun, CustomPuzzleFromTheConfigurationFile) {
  // 2 x 3 x 4: face 0 needs 2 + 3*2 = 8 cells, face 1 3 + 4*3 = 15, face 2 4 + 2*1 = 6.
  const std::string sizes = configLines("dimensions", {2, 3, 4});
  const std::string faces12 =
      configLines("face1", NumberList(15, 0)) + configLines("face2", NumberList(6, 0));
  solution("0 0 0\n1 2 3\n0 2 2 4 4 4\n");
  writeFile(dir_ + "/tesmo.cfg", sizes + configLines("face0", NumberList(8, 0)) + faces12);
  expectRun({}, 0, "SUCCESS\n", "");
  // A file named on the command line is read with the same puzzle.
  solution("0 0 0\n1 2 3\n0 5\n", "other.txt");
  expectRun({"other.txt"}, 0, "Stopped after executing 1steps.\nFAILURE (1)\n",
            "Attempt to access out of boundary!\n");
  writeFile(dir_ + "/tesmo.cfg", sizes + configLines("face0", NumberList(7, 0)) + faces12);
  expectRun({}, 2, "", "Face 0 holds 7 cells but the dimensions need 8!\n");
  const RunResult help = run({"--help"});  // help answers before the maze is checked
  EXPECT_EQ(0, help.status);
  EXPECT_EQ("", help.err);
  // Longer faces are accepted: the built-in ones serve a 2 x 3 x 4 box.
  writeFile(dir_ + "/tesmo.cfg", sizes);
  expectRun({}, 0, "Invalid start position (0,0,0)!\n", "");
}

}  // namespace

}  // namespace tesmo
