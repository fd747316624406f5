// End-to-end runs on inputs a broken generator or a hostile user could
// produce: each one ends with its documented message and status, in bounded
// time and memory. The largest are named Huge* so that slow checkers
// (valgrind) can leave them out.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/run_binary.hpp"

namespace tesmo {

namespace {

class Hostile : public InTempDir {
 protected:
  void expectRun(const std::string& solution, const std::vector<std::string>& args, int status,
                 const std::string& out, const std::string& err) {
    writeFile(dir_ + "/solution.txt", solution);
    const RunResult result = runProgram(TESMO_VERIFIER_PATH, dir_, args);
    EXPECT_EQ(status, result.status);
    EXPECT_EQ(out, result.out);
    EXPECT_EQ(err, result.err);
  }
};

// `count` copies of `piece`, written in large blocks.
void writeRepeated(const std::string& path, const std::string& head, const std::string& piece,
                   std::size_t count) {
  std::ofstream file(path, std::ios::binary);
  file << head;
  const std::size_t perBlock = (1 << 20) / piece.size();
  std::string block;
  for (std::size_t i = 0; i < perBlock; ++i) block += piece;
  for (std::size_t left = count; left > 0;) {
    const std::size_t now = std::min(left, perBlock);
    file.write(block.data(), static_cast<std::streamsize>(now * piece.size()));
    left -= now;
  }
}

// Runs the verifier in dir_ within `kib` KiB of address space.
RunResult runWithin(const std::string& dir, int kib) {
  return runProgram("/bin/sh", dir,
                    {"-c", "ulimit -v " + std::to_string(kib) + " && exec " + TESMO_VERIFIER_PATH},
                    true);
}

TEST_F(Hostile, BytesThatAreNoNumbers) {
  expectRun(std::string("1 1\0 1\n9 9 9\n0\n", 14), {}, 1, "",
            "Start position (1,1) is not 3-dimensional!\n");
  expectRun("1 1 \xff\xfe\n9 9 9\n0\n", {}, 1, "", "Start position (1,1) is not 3-dimensional!\n");
  expectRun("1 1 1\n\xc3\xa9 9 9 9\n0\n", {}, 1, "", "End position () is not 3-dimensional!\n");
  expectRun("1 1 1\n2 1 1\n0 \xe2\x82\xac 7\n", {}, 0, "SUCCESS\n", "");
  expectRun(std::string("\0\0\0", 3), {}, 1, "", "Start position () is not 3-dimensional!\n");
}

TEST_F(Hostile, NumbersOfAMillionDigits) {
  const std::string million(1000000, '7');
  expectRun(million + " 1 1\n9 9 9\n0\n", {}, 1, "", "Start position () is not 3-dimensional!\n");
  expectRun(std::string(1000000, '0') + "1 1 1\n9 9 9\n0\n", {}, 0, "FAILURE (1)\n", "");
  expectRun("1 1 1\n2 1 1\n0 " + million + " 7\n", {}, 0, "SUCCESS\n", "");
}

TEST_F(Hostile, TenMillionMovesAfterAWall) {
  writeRepeated(dir_ + "/solution.txt", "1 1 1\n9 9 9\n1 ", "7 ", 10000000);
  const RunResult result = runProgram(TESMO_VERIFIER_PATH, dir_, {});
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("Stopped after executing 0steps.\nFAILURE (0)\n", result.out);
  EXPECT_EQ("", result.err);
}

TEST_F(Hostile, ConfigurationFilesOfGarbage) {
  writeFile(dir_ + "/tesmo.cfg", "\x01\x02\x7f\xff\xfe garbage");
  expectRun(
      "1 1 1\n9 9 9\n0\n", {}, 2, "",
      "the options configuration file contains an invalid line '\x01\x02\x7f\xff\xfe garbage'\n");
  writeFile(dir_ + "/tesmo.cfg", std::string("face0=0\0\0", 9));
  expectRun("1 1 1\n9 9 9\n0\n", {}, 2, "", "the argument ('0\n");
}

TEST_F(Hostile, HugeStartLineLargerThanMemoryEndsInOrder) {
#ifdef TESMO_SANITIZED
  GTEST_SKIP() << "AddressSanitizer cannot run within a small address space";
#endif
  // 30 million numbers on line 1 need 240 MB or more as a list; 300 MB of
  // address space in all is not enough.
  writeRepeated(dir_ + "/solution.txt", "", "1 ", 30000000);
  const RunResult result = runWithin(dir_, 300000);
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_EQ("Out of memory!\n", result.err);
}

TEST_F(Hostile, HugeConfigurationFileOfCommentsInFlatMemory) {
#ifdef TESMO_SANITIZED
  GTEST_SKIP() << "AddressSanitizer cannot run within a small address space";
#endif
  // 200 MB of comments, read within 100 MB of address space.
  const std::string comment = "# " + std::string(97, 'c') + "\n";
  writeRepeated(dir_ + "/tesmo.cfg", "", comment, 2000000);
  writeFile(dir_ + "/solution.txt", "1 1 1\n2 1 1\n0\n");
  const RunResult result = runWithin(dir_, 100000);
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("SUCCESS\n", result.out);
  EXPECT_EQ("", result.err);
}

TEST_F(Hostile, HugeConfigurationFileLargerThanMemoryIsRefused) {
#ifdef TESMO_SANITIZED
  GTEST_SKIP() << "AddressSanitizer cannot run within a small address space";
#endif
  // The parser keeps every option it reads: a million of them take more
  // than 100 MB, which is settings refused, not a malformed solution.
  writeRepeated(dir_ + "/tesmo.cfg", "", "input-path=x\n", 1000000);
  writeFile(dir_ + "/solution.txt", "1 1 1\n2 1 1\n0\n");
  const RunResult result = runWithin(dir_, 100000);
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_EQ("Out of memory!\n", result.err);
}

TEST_F(Hostile, HugeConfigurationFileOfAMillionLines) {
  writeRepeated(dir_ + "/tesmo.cfg", "", "input-path=x\n", 1000000);
  expectRun("1 1 1\n2 1 1\n0\n", {}, 0, "SUCCESS\n", "");
}

TEST_F(Hostile, HugeLineWithoutNewline) {
  // 500 MB of moves with no line end: read in constant memory.
  writeRepeated(dir_ + "/solution.txt", "1 1 1\n1 1 1\n", "0 1 ", 125000000);
  const RunResult result = runProgram(TESMO_VERIFIER_PATH, dir_, {}, true);
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("SUCCESS\n", result.out);
  EXPECT_EQ("", result.err);
}

}  // namespace

}  // namespace tesmo
