// Tests of `tesmo grade`: each file's status and lines are the verifier's
// run on that file, for a mixed set, with the built-in puzzle and with a
// tesmo.cfg; the table byte for byte, awkward names included; the exit
// status.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_binary.hpp"

namespace tesmo {

namespace {

// RFC 4180 records: quoted fields may hold commas, quotes and line breaks.
std::vector<std::vector<std::string>> readCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    std::string& field = records.back().back();
    if (quoted && c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
      field += '"';
      ++at;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      records.back().emplace_back();
    } else if (!quoted && c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
      ++at;
      if (at + 1 < text.size()) records.emplace_back(1);
    } else {
      field += c;
    }
  }
  return records;
}

class Grade : public InTempDir {
 protected:
  std::string path(const std::string& name) { return dir_ + "/" + name; }
  void file(const std::string& name, const std::string& text) { writeFile(path(name), text); }

  // Grades `names` as CSV in `where` and checks each row against the
  // verifier's run on that file there.
  void expectTheVerifiersRuns(const std::string& where, const std::vector<std::string>& names) {
    std::vector<std::string> args = {"grade", "--csv", "-j", "2", "--"};
    args.insert(args.end(), names.begin(), names.end());
    const RunResult grade = runProgram(TESMO_PATH, where, args, true);
    const auto records = readCsv(grade.out);
    ASSERT_EQ(names.size() + 1, records.size()) << grade.out;
    EXPECT_EQ("file,status,verdict", records[0][0] + "," + records[0][1] + "," + records[0][2]);
    int highest = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
      SCOPED_TRACE(names[i]);
      const RunResult verifier = runProgram(TESMO_VERIFIER_PATH, where, {"--", names[i]});
      const std::vector<std::string>& row = records[i + 1];
      ASSERT_EQ(7u, row.size());
      EXPECT_EQ(names[i], row[0]);
      EXPECT_EQ(std::to_string(verifier.status), row[1]);
      std::string lines = verifier.merged;
      if (!lines.empty() && lines.back() == '\n') lines.pop_back();
      EXPECT_EQ(lines, row[6]);
      EXPECT_EQ(lines.substr(lines.empty() ? 0 : lines.rfind('\n') + 1), row[2]);
      highest = std::max(highest, verifier.status);
    }
    EXPECT_EQ(highest, grade.status);
  }
};

}  // namespace

TEST_F(Grade, EachRowIsTheVerifiersRunOnThatFile) {
  const std::string examples = TESMO_EXAMPLES_DIR;
  std::filesystem::copy_file(examples + "/solution.txt", path("success.txt"));
  std::filesystem::copy_file(examples + "/wall.txt", path("wall.txt"));
  std::filesystem::copy_file(examples + "/solution.txt", path("-v1"));
  file("failure.txt", "1 1 1\n9 9 9\n0 0\n");
  file("edge.txt", "1 1 1\n9 9 9\n1 1\n");
  file("invalid.txt", "1 1 1\n9 9 9\n0 7 0\n");
  file("malformed.txt", "1 1\n9 9 9\n0\n");
  file("outside.txt", "0 0 0\n9 9 9\n0\n");
  file("no moves.txt", "1 1 1\n9 9 9\n");
  file("line\nbreak, \"quoted\".txt", "1 1 1\n9 9 9\n0\n");
  expectTheVerifiersRuns(dir_, {"success.txt", "wall.txt", "-v1", "failure.txt", "edge.txt",
                                "invalid.txt", "malformed.txt", "outside.txt", "no moves.txt",
                                "line\nbreak, \"quoted\".txt", "missing.txt"});
  // Another puzzle, read from the tesmo.cfg where the verifier runs.
  expectTheVerifiersRuns(examples + "/custom", {"solution.txt", "blocked.txt", "maze.txt"});
}

TEST_F(Grade, TableAndSummaryOfADirectory) {
  std::filesystem::create_directories(path("class/b"));
  std::filesystem::copy_file(std::string(TESMO_EXAMPLES_DIR) + "/solution.txt",
                             path("class/b/tab\there.txt"));
  file("class/a.txt", "1 1 1\n9 9 9\n0 0\n");
  file("class/c.txt", "1 1 1\n9 9 9\n7\n");
  const RunResult run = runProgram(TESMO_PATH, dir_, {"grade", "class", "gone.txt"});
  EXPECT_EQ(
      "file                   status  verdict                                   moves  shortest  "
      "remaining\n"
      "class/a.txt            0       FAILURE (2)                               2      48        "
      "46\n"
      "class/b/tab\\there.txt  0       SUCCESS                                   48     48        "
      "0\n"
      "class/c.txt            1       Invalid move (7)!                         0      48        "
      "-\n"
      "gone.txt               1       (cannot read: No such file or directory)  -      -         "
      "-\n"
      "4 solutions: 1 succeed, 1 fail, 2 not judged\n",
      run.out);
  EXPECT_EQ("", run.err);
  EXPECT_EQ(1, run.status);
  const RunResult both = runProgram(TESMO_PATH, dir_, {"grade", "--csv", "--json", "class"});
  EXPECT_EQ("", both.out);
  EXPECT_EQ("--csv and --json cannot be given together\n", both.err);
  EXPECT_EQ(2, both.status);
}

}  // namespace tesmo
