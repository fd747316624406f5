// Tests of `tesmo test`: hostile solvers each get their verdict within the
// time limit and a second and leave no process and no file behind, also
// when tesmo test is interrupted; the JUnit file holds a testcase a case;
// the settings it refuses.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/run_binary.hpp"

extern char** environ;

namespace tesmo {

namespace {

namespace fs = std::filesystem;

// Whether a solver of the tests runs (or is left a zombie) with `mark`
// among its arguments.
bool markRunning(const std::string& mark) {
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream file(entry.path() / "cmdline", std::ios::binary);
    std::string arguments((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (arguments.rfind(TESMO_HOSTILE_PATH, 0) == 0 && arguments.find(mark) != std::string::npos) {
      return true;
    }
  }
  return false;
}

class Suite : public InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    tmp_ = dir_ + "/tmp";
    fs::create_directory(tmp_);
    setenv("TMPDIR", tmp_.c_str(), 1);
    mark_ = "mark" + fs::path(dir_).filename().string();
  }
  void TearDown() override {
    unsetenv("TMPDIR");
    InTempDir::TearDown();
  }
  // Nothing of the solver runs, nothing is left in TMPDIR.
  void expectNothingLeft() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(markRunning(mark_));
    EXPECT_TRUE(fs::is_empty(tmp_));
  }
  std::string tmp_, mark_;
};

}  // namespace

TEST_F(Suite, HostileSolversGetTheirVerdictsAndLeaveNothing) {
  const struct {
    const char* mode;
    const char* verdict;
    const char* message;
  } solvers[] = {
      {"sleep", "TLE", "over the time limit of 1 s"},
      {"spin", "TLE", "over the time limit of 1 s"},
      {"close", "TLE", "over the time limit of 1 s"},
      {"orphans", "WA", "after 1 move the token stands at (2,0,0), 42 moves from the end (1,2,1)"},
      {"print", "OLE", "output over 1 MiB"},
      {"allocate", "MLE", "over the memory limit of 64 MiB (killed by SIGABRT)"},
      {"crash", "RTE", "killed by SIGSEGV"},
      {"exit3", "RTE", "exit status 3"},
      {"forkbomb", "RTE", "reached the limit of 64 processes"},
  };
  for (const auto& solver : solvers) {
    SCOPED_TRACE(solver.mode);
    const RunResult run =
        runProgram(TESMO_PATH, dir_,
                   {"test", "--generate", "5x5x5", "--time-limit", "1", "--memory-limit", "64",
                    "--output-limit", "1", "--json", "--", TESMO_HOSTILE_PATH, solver.mode, mark_},
                   true);
    EXPECT_EQ(1, run.status) << run.err;
    std::smatch match;
    ASSERT_TRUE(std::regex_search(
        run.out, match,
        std::regex("\"verdict\":\"([A-Z]+)\",\"time\":([0-9.]+),.*\"message\":\"([^\"]*)\"")))
        << run.out;
    EXPECT_EQ(solver.verdict, match[1].str());
    EXPECT_LE(std::stod(match[2]), 2.0);
    EXPECT_EQ(solver.message, match[3].str());
    expectNothingLeft();
  }
}

TEST_F(Suite, AnInterruptKillsEverythingAndRemovesItsFiles) {
  const std::string out = dir_ + "/out", err = dir_ + "/err";
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT, 0644);
  posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT, 0644);
  std::vector<std::string> args = {TESMO_PATH, "test", "--generate", "5x5x5", "--seeds",
                                   "1-4",      "-j",   "2",          "--",    TESMO_HOSTILE_PATH,
                                   "sleep",    mark_};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  pid_t tesmo = 0;
  ASSERT_EQ(0, posix_spawn(&tesmo, TESMO_PATH, &files, nullptr, argv.data(), environ));
  posix_spawn_file_actions_destroy(&files);
  for (int tries = 0; tries < 500 && !markRunning(mark_); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(tesmo, SIGINT);
  int status = 0;
  ASSERT_EQ(tesmo, waitpid(tesmo, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(130, WEXITSTATUS(status));
  std::ifstream said(err);
  std::string line;
  std::getline(said, line);
  EXPECT_EQ("tesmo test: interrupted by SIGINT", line);
  expectNothingLeft();
}

TEST_F(Suite, JunitHoldsATestcaseACaseAndAFailureEachFailed) {
  const std::string package = std::string(TESMO_EXAMPLES_DIR) + "/tesmomaze";
  // The accepted submission prints a moves line: read as a solution file,
  // every case is a WA, and a failure.
  const RunResult run = runProgram(TESMO_PATH, dir_,
                                   {"test", package, "--generate", "6x6x6", "--seeds", "1-2",
                                    "--format", "solution", "--junit", "junit.xml", "--",
                                    TESMO_ACCEPTED_PATH},
                                   true);
  EXPECT_EQ(1, run.status) << run.err;
  std::ifstream file(dir_ + "/junit.xml");
  std::ostringstream text;
  text << file.rdbuf();
  const std::string xml = text.str();
  const auto count = [&](const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = xml.find(what); at != std::string::npos; at = xml.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(14u, count("<testcase "));
  EXPECT_EQ(14u, count("<failure type=\"WA\""));
  EXPECT_NE(std::string::npos,
            xml.find("<testsuite name=\"tesmo test\" tests=\"14\" failures=\"14\" errors=\"0\""));
  if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
    EXPECT_EQ(0, std::system(("xmllint --noout '" + dir_ + "/junit.xml'").c_str()));
  }
  const RunResult accepted =
      runProgram(TESMO_PATH, dir_, {"test", package, "--", TESMO_ACCEPTED_PATH}, true);
  EXPECT_EQ(0, accepted.status) << accepted.out << accepted.err;
  EXPECT_NE(std::string::npos, accepted.out.find("\n12 of 12 cases passed; slowest: "));
}

TEST_F(Suite, RefusedSettings) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"test", "--generate", "5x5x5"},
       "the solver comes after --: tesmo test [CASES...] [options] -- SOLVER [ARGS...]\n"},
      {{"test", "--generate", "5x5", "--", "true"}, "--generate takes three sizes, as 11x11x11\n"},
      {{"test", "--generate", "5x5x5", "--seeds", "3-1", "--", "true"},
       "--seeds takes N or FIRST-LAST, at most 100000 seeds\n"},
      {{"test", "--", "true"},
       "no cases: name a package, a folder or a puzzle file, or --generate\n"},
      {{"test", "none.in", "--", "true"}, "none.in: no such file or directory\n"},
      {{"test", "--generate", "5x5x5", "--", "./no-such-solver"},
       "cannot run ./no-such-solver: No such file or directory\n"},
      {{"test", "--generate", "5x5x5", "--time-limit", "0", "--", "true"},
       "--time-limit is from 0 to 3600 seconds\n"},
      {{"test", "--generate", "5x5x5", "--format", "xml", "--", "true"},
       "--format is moves or solution\n"},
  };
  for (const auto& c : cases) {
    const RunResult run = runProgram(TESMO_PATH, dir_, c.args, true);
    EXPECT_EQ(2, run.status) << c.err;
    EXPECT_EQ(c.err, run.err);
    EXPECT_EQ("", run.out);
  }
}

}  // namespace tesmo
