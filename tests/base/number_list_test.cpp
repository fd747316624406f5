#include "base/number_list.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "support/moves_lines.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace {

using number_detail::kNoDigitRun;
using number_detail::nextNumberSlowly;
using number_detail::readDigitRun;

constexpr std::uint64_t kMax = UINT64_MAX;

// The current line read with nextNumberSlowly() alone, which forEachNumber()
// falls back on.
NumberList lineByNextNumber(NumberReader* reader) {
  NumberList numbers;
  std::uint64_t number;
  while (nextNumberSlowly(reader, &number)) numbers.push_back(number);
  nextLine(reader);
  return numbers;
}

TEST(NumberList, TextForm) {
  EXPECT_EQ("", listText({}));
  EXPECT_EQ("0", listText({0}));
  EXPECT_EQ("11,11,11", listText({11, 11, 11}));
  EXPECT_EQ("18446744073709551615,0", listText({kMax, 0}));
}

struct LineCase {
  std::string line;
  NumberList numbers;
};

TEST(NumberList, LinesReadLikeTheStandardExtraction) {
  const LineCase cases[] = {
      {"", {}},
      {"   ", {}},
      {"1 2 3", {1, 2, 3}},
      {" \t\v\f\r1 \t2\r", {1, 2}},
      {"0", {0}},
      {"+7", {7}},
      {"-1", {kMax}},
      {"-0", {0}},
      {"-18446744073709551615", {1}},
      {"18446744073709551615", {kMax}},
      {"18446744073709551616", {}},
      {"1 18446744073709551616 2", {1}},
      {"99999999999999999999", {}},
      {"00000000000000000000000000000000000001", {1}},
      {"-18446744073709551616", {}},
      {"1x 2", {1}},
      {"1-2", {1, kMax - 1}},
      {"1+2", {1, 2}},
      {"1,1,1", {1}},
      {"1 2 x 3", {1, 2}},
      {"+", {}},
      {"-", {}},
      {"+-1", {}},
      {"- 1", {}},
      {"0x10", {0}},
      {"1.5", {1}},
      {std::string("1\0 2", 4), {1}},
      {"\xff"
       "1",
       {}},
      {"\xc3\xa9 1", {}},
      {"7 \xff", {7}},
      // Runs of one-digit tokens, which are read eight bytes at a time.
      {"0 1 2 3 4 5 6 7 8 9", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"0 1 2 34 5 6 7", {0, 1, 2, 34, 5, 6, 7}},
      {"0 1 2 3 45 6 7 8", {0, 1, 2, 3, 45, 6, 7, 8}},
      {"0 1 2 3 4-5 6 7", {0, 1, 2, 3, 4, kMax - 4, 6, 7}},
      {"0 1 2 3 4 5 6 7x8 9", {0, 1, 2, 3, 4, 5, 6, 7}},
      {"0 1 2 3\t4 5 6 7 8", {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"0 1 2 3 4 \xb5 6 7 8", {0, 1, 2, 3, 4}},  // '5' | 0x80
      {"0 1 2 3 4\xa0"
       "5 6 7 8",
       {0, 1, 2, 3, 4}},  // ' ' | 0x80
      {std::string("0 1 2 3 4\0 5 6 7", 16), {0, 1, 2, 3, 4}},
      {"0 1 2 3 4 5 6 7 8 9 18446744073709551616 1", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(c.numbers, parseNumberList(c.line));
    EXPECT_EQ(c.numbers, parseNumberList(c.line + "\n9"));
    EXPECT_EQ(c.numbers, standardList(c.line));
    NumberReader reader;
    openNumberText(c.line, &reader);
    EXPECT_EQ(c.numbers, lineByNextNumber(&reader));
  }
}

TEST(NumberList, HugeNumbers) {
  const std::string zeros(1000000, '0');
  EXPECT_EQ((NumberList{5, 6}), parseNumberList(zeros + "5 6x"));
  EXPECT_EQ(NumberList{}, parseNumberList("1" + zeros));
  EXPECT_EQ(NumberList{3}, parseNumberList("3 1" + zeros + " 4"));
}

TEST(NumberList, LinesOfAText) {
  NumberReader reader;
  openNumberText("1 2\r\n\n3 x 4\n5\n6", &reader);
  EXPECT_EQ((NumberList{1, 2}), readListLine(&reader));
  EXPECT_EQ(NumberList{}, readListLine(&reader));
  EXPECT_EQ(NumberList{3}, readListLine(&reader));
  std::uint64_t number = 0;
  EXPECT_TRUE(nextNumber(&reader, &number));
  EXPECT_EQ(5u, number);
  EXPECT_FALSE(nextNumber(&reader, &number));
  EXPECT_FALSE(nextNumber(&reader, &number));  // stays ended until nextLine()
  nextLine(&reader);
  EXPECT_EQ(NumberList{6}, readListLine(&reader));  // no final newline
  EXPECT_EQ(NumberList{}, readListLine(&reader));   // past the end
  EXPECT_EQ(NumberList{}, readListLine(&reader));
}

TEST(NumberList, FilesThatCannotBeRead) {
  const std::string dir = makeTempDir();
  NumberReader reader;
  EXPECT_FALSE(openNumberFile(dir + "/missing", &reader));
  EXPECT_FALSE(openNumberFile(dir, &reader));  // a directory
  EXPECT_FALSE(openNumberFile("", &reader));
  writeFile(dir + "/empty", "");
  EXPECT_TRUE(openNumberFile(dir + "/empty", &reader));
  EXPECT_EQ(NumberList{}, readListLine(&reader));
  std::filesystem::remove_all(dir);
}

// A random line of tokens chosen to probe the edges of the extraction:
// signs, leading zeros, numbers around 2^64, words, separators of every kind.
std::string randomLine(std::mt19937_64& random) {
  static const char* const kPieces[] = {"0",
                                        "1",
                                        "5",
                                        "42",
                                        "007",
                                        "18446744073709551615",
                                        "18446744073709551616",
                                        "18446744073709551614",
                                        "99999999999999999999",
                                        "1844674407370955161",
                                        "184467440737095516150",
                                        "00000000000000000000018446744073709551615",
                                        "+",
                                        "-",
                                        "x",
                                        ",",
                                        ".",
                                        "e",
                                        "\xff",
                                        "\t",
                                        "\v",
                                        "\f",
                                        "\r",
                                        " ",
                                        "  "};
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces));
  std::uniform_int_distribution<int> length(0, 12);
  std::string line;
  for (int count = length(random); count > 0; --count) {
    const std::size_t index = piece(random);
    if (index == std::size(kPieces))
      line += std::to_string(random());
    else
      line += kPieces[index];
    if (random() % 3 != 0) line += ' ';
  }
  if (random() % 50 == 0) line += '\0';
  return line;
}

TEST(NumberList, ReaderAgreesWithTheStandardExtractionOnRandomLines) {
  std::mt19937_64 random(20261208);
  for (int round = 0; round < 100000; ++round) {
    const std::string line = round % 2 == 0 ? randomLine(random) : randomMovesLine(random);
    const NumberList expected = standardList(line);
    ASSERT_EQ(expected, parseNumberList(line)) << "line: " << line;
    NumberReader reader;
    openNumberText(line, &reader);
    ASSERT_EQ(expected, lineByNextNumber(&reader)) << "line: " << line;
  }
}

TEST(NumberList, FileReaderAgreesAcrossBufferBoundaries) {
  std::mt19937_64 random(7);
  std::vector<std::string> lines;
  std::string text;
  for (int round = 0; round < 4000; ++round) {
    lines.push_back(round % 2 == 0 ? randomLine(random) : randomMovesLine(random));
    text += lines.back() + "\n";
  }
  const std::string dir = makeTempDir();
  writeFile(dir + "/lines", text);
  for (std::size_t bufferSize : {1, 2, 3, 7, 64, 4096}) {
    SCOPED_TRACE(bufferSize);
    NumberReader reader;
    ASSERT_TRUE(openNumberFile(dir + "/lines", &reader, bufferSize));
    std::ifstream standard(dir + "/lines", std::ios::binary);
    std::string line;
    for (const std::string& expected : lines) {
      ASSERT_TRUE(std::getline(standard, line));
      ASSERT_EQ(expected, line);
      ASSERT_EQ(standardList(line), readListLine(&reader)) << "line: " << line;
    }
    EXPECT_EQ(NumberList{}, readListLine(&reader));
  }
  std::filesystem::remove_all(dir);
}

// The eight-byte test of readDigitRun() against a byte-by-byte one, for
// every value of every byte in an otherwise matching run.
TEST(NumberList, DigitRunsAcceptExactlyBlankDigitPairs) {
  auto isRun = [](const char* data) {
    for (int byte = 0; byte < 7; ++byte) {
      const bool wantBlank = byte % 2 == 0;
      if (wantBlank ? data[byte] != ' ' : (data[byte] < '0' || data[byte] > '9')) {
        return false;
      }
    }
    return true;
  };
  for (int byte = 0; byte < 8; ++byte) {
    for (int value = 0; value < 256; ++value) {
      char data[] = " 1 5 9 7";
      data[byte] = static_cast<char>(value);
      const std::uint64_t run = readDigitRun(data);
      SCOPED_TRACE(std::to_string(byte) + ": " + std::to_string(value));
      ASSERT_EQ(isRun(data), run != kNoDigitRun);
      if (run == kNoDigitRun) continue;
      for (int token = 0; token < 3; ++token) {
        EXPECT_EQ(static_cast<std::uint64_t>(data[2 * token + 1] - '0'),
                  (run >> (16 * token + 8)) & 0xFF);
      }
    }
  }
}

// A run taker that lists the codes of the runs it is offered, as a walk
// takes them, and stops at the number `stopAt` (counting from 1), as
// onNumber does when the list reaches it.
struct ListingRuns {
  NumberList* numbers;
  std::size_t stopAt;
  std::size_t* runTokens;  // how many numbers came in runs

  bool startsRuns(const char* bytes) const { return bytes[0] == ' '; }

  RunsTaken take(const char* bytes, std::size_t length) const {
    RunsTaken taken;
    std::uint32_t quads[kRunQuads];
    for (std::size_t at = 1; length - at >= kRunBytes; at += kRunBytes) {
      if (!decodeCodeRun(bytes + at, quads)) break;
      for (std::size_t token = 0; token < kRunCodes; ++token) {
        numbers->push_back(static_cast<std::uint64_t>(bytes[at + 2 * token] - '0'));
        ++taken.tokens;
        ++*runTokens;
        if (numbers->size() == stopAt) {
          taken.stopped = true;
          return taken;
        }
      }
    }
    return taken;
  }
};

// The line read by forEachNumber() with runs taken whole, stopped at the
// number stopAt, then the rest of the line read by readListLine(): the two
// parts must make the standard list, split where it was stopped. Counts the
// numbers that came in runs in *runTokens.
void expectRunsReadLikeTokens(NumberReader* reader, const std::string& line, std::size_t stopAt,
                              std::size_t* runTokens) {
  const NumberList expected = standardList(line);
  NumberList numbers;
  ListingRuns runs{&numbers, stopAt, runTokens};
  const bool ended = forEachNumber(
      reader,
      [&](std::uint64_t number) {
        numbers.push_back(number);
        return numbers.size() != stopAt;
      },
      runs);
  ASSERT_EQ(expected.size() < stopAt, ended) << "line: " << line;
  ASSERT_EQ(std::min(stopAt, expected.size()), numbers.size()) << "line: " << line;
  const NumberList rest = readListLine(reader);
  numbers.insert(numbers.end(), rest.begin(), rest.end());
  ASSERT_EQ(expected, numbers) << "line: " << line;
}

TEST(NumberList, RunsTakenWholeReadLikeTokens) {
  std::mt19937_64 random(1515);
  std::size_t runTokens = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string line =
        round % 4 == 0 ? randomMovesLine(random) : randomRunsLine(random, 10 + random() % 200);
    const std::size_t stopAt = random() % 2 ? SIZE_MAX : 1 + random() % 400;
    NumberReader reader;
    openNumberText(line, &reader);
    expectRunsReadLikeTokens(&reader, line, stopAt, &runTokens);
  }
  EXPECT_GT(runTokens, 1000000u);
}

// Runs cut by the end of the buffer at every offset: each line is read with
// buffers of many sizes, and lines of every length shift the cuts.
TEST(NumberList, RunsTakenWholeAcrossBufferBoundaries) {
  std::mt19937_64 random(3232);
  std::vector<std::string> lines;
  std::vector<std::size_t> stops;
  std::string text;
  for (int round = 0; round < 600; ++round) {
    lines.push_back(randomRunsLine(random, 10 + random() % 400));
    stops.push_back(random() % 3 ? SIZE_MAX : 1 + random() % 400);
    text += lines.back() + "\n";
  }
  const std::string dir = makeTempDir();
  writeFile(dir + "/lines", text);
  for (std::size_t bufferSize : {1, 2, 31, 32, 33, 34, 35, 64, 65, 100, 4096}) {
    SCOPED_TRACE(bufferSize);
    NumberReader reader;
    ASSERT_TRUE(openNumberFile(dir + "/lines", &reader, bufferSize));
    std::size_t runTokens = 0;
    for (std::size_t line = 0; line < lines.size(); ++line) {
      expectRunsReadLikeTokens(&reader, lines[line], stops[line], &runTokens);
    }
    EXPECT_EQ(NumberList{}, readListLine(&reader));
    // Runs need 33 bytes at hand.
    if (bufferSize > 64) {
      EXPECT_GT(runTokens, 20000u);
    }
    if (bufferSize <= 32) {
      EXPECT_EQ(0u, runTokens);
    }
  }
  std::filesystem::remove_all(dir);
}

TEST(NumberList, NextNumberAndReadListLineShareTheLine) {
  NumberReader reader;
  openNumberText("1 2 3 44 5\n6", &reader);
  std::uint64_t number = 0;
  ASSERT_TRUE(nextNumber(&reader, &number));
  EXPECT_EQ(1u, number);
  EXPECT_EQ((NumberList{2, 3, 44, 5}), readListLine(&reader));
  EXPECT_EQ(NumberList{6}, readListLine(&reader));
}

}  // namespace

}  // namespace tesmo
