// Helpers for end-to-end tests: a temporary working directory, files in it,
// and runs of a built program there with its streams captured.

#ifndef TESMO_TESTS_RUN_BINARY_HPP
#define TESMO_TESTS_RUN_BINARY_HPP

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tesmo {

struct RunResult {
  int status = -1;     // exit status, or -1 when the program did not exit
  std::string out;     // standard output
  std::string err;     // standard error
  std::string merged;  // both streams of a second run, written to one file
};

// A new empty directory under the system's temporary directory.
std::string makeTempDir();

void writeFile(const std::string& path, const std::string& content);

// Runs `program` with `args` in `dir`, with the two streams captured apart
// and, unless `once`, a second time with both written to one file, which
// shows how they interleave. Standard input is /dev/null.
RunResult runProgram(const std::string& program, const std::string& dir,
                     const std::vector<std::string>& args, bool once = false);

// One run as runProgram(..., true) does, with standard input read from the
// file `inputPath`.
RunResult runProgramWithInput(const std::string& program, const std::string& dir,
                              const std::vector<std::string>& args, const std::string& inputPath);

// A test with a fresh temporary directory in dir_, removed afterwards.
class InTempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeTempDir();
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string dir_;
};

}  // namespace tesmo

#endif  // TESMO_TESTS_RUN_BINARY_HPP
