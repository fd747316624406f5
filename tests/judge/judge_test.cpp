#include "judge/judge.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "formats/puzzle_file.hpp"
#include "model/builtin_puzzle.hpp"

namespace tesmo {

namespace {

// An output mostly in the usual shape, "c c c ... ", so that runs of
// sixteen codes come often, now and then broken by what the strict reading
// refuses or must read token by token: a code 6 to 9, a word, a long token,
// two blanks, a tab, a line break, a second line.
std::string randomOutput(std::mt19937_64& random) {
  static const char* const kBreaks[] = {
      "7 ", "x ",   "  ",  "\t",  "\r",
      "\n", "\n5 ", "\n ", "01 ", "0123456789012345678901234567890123456789012 ",
      "+1 "};
  std::string output;
  for (std::size_t count = random() % 400; count > 0; --count) {
    if (random() % 150 == 0) {
      output += kBreaks[random() % (sizeof kBreaks / sizeof kBreaks[0])];
    } else {
      output += static_cast<char>('0' + random() % 6);
      output += ' ';
    }
  }
  if (random() % 2) output += '\n';
  return output;
}

std::string judgmentText(const Judgment& judgment) {
  return std::to_string(static_cast<int>(judgment.result)) + " " + judgment.message;
}

// The judge reads runs of codes sixteen at a time where its buffer holds
// them, else token by token: a buffer of one byte holds no run, so the two
// readings of the same output must judge it alike, on the built-in puzzle
// and on a box whose start can walk far.
TEST(Judge, RunsAreJudgedAsTokenByToken) {
  std::mt19937_64 random(2026);
  JudgeCase cases[2];
  std::string error;
  ASSERT_TRUE(loadJudgeInput(TESMO_EXAMPLES_DIR "/maze.txt", &cases[0], &error)) << error;
  ASSERT_TRUE(
      parsePuzzle("size 3 3 3\nstart 0 0 0\nend 2 2 2\nface 0\n000\n000\n000\n"
                  "face 1\n000\n000\n000\nface 2\n000\n000\n000\n",
                  "open.txt", &cases[1].puzzle, &error))
      << error;
  cases[1].shortest = searchDistance(puzzleMaze(cases[1].puzzle), {0, 0, 0}, {2, 2, 2});
  int stopped = 0;
  for (int round = 0; round < 1500; ++round) {
    const JudgeCase& judged = cases[round % 2];
    const std::string output = randomOutput(random);
    std::string texts[2];
    for (int way = 0; way < 2; ++way) {
      NumberReader reader;
      openNumberText(output, &reader, way == 0 ? 1 << 16 : 1);
      texts[way] = judgmentText(judgeOutput(judged, &reader));
    }
    ASSERT_EQ(texts[1], texts[0]);
    stopped += texts[0].find("runs into") != std::string::npos;
  }
  EXPECT_GT(stopped, 100);  // walls and edges met inside runs and out
}

}  // namespace

}  // namespace tesmo
