#include "formats/puzzle_file.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "model/builtin_puzzle.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace {

std::string written(const Maze& maze, const std::optional<Position>& start = std::nullopt,
                    const std::optional<Position>& end = std::nullopt) {
  std::ostringstream out;
  writePuzzle(out, maze, start, end);
  return out.str();
}

Puzzle parsed(std::string_view text) {
  Puzzle puzzle;
  std::string error;
  EXPECT_TRUE(parsePuzzle(text, "maze.txt", &puzzle, &error)) << error;
  return puzzle;
}

std::string refusal(std::string_view text) {
  Puzzle puzzle;
  puzzle.size = {7, 7, 7};
  std::string error;
  EXPECT_FALSE(parsePuzzle(text, "maze.txt", &puzzle, &error)) << text;
  EXPECT_EQ((Sizes{7, 7, 7}), puzzle.size) << "a refusal leaves the puzzle as it was";
  return error;
}

// A face of the puzzle as the index rule lists it, 0 between rows.
NumberList indexOrder(const Puzzle& puzzle, int number) {
  const Face face = faceOf(puzzle.size, number);
  NumberList cells(*faceLength(face), 0);
  for (std::uint64_t b = 0; b < face.rows; ++b) {
    for (std::uint64_t a = 0; a < face.columns; ++a) {
      cells[faceIndex(face, {a, b})] = puzzle.faces[number][b * face.columns + a];
    }
  }
  return cells;
}

NumberList sizesOf(const Puzzle& puzzle) { return {puzzle.size.begin(), puzzle.size.end()}; }

TEST(PuzzleFile, BuiltInPuzzleWrittenAndReadBack) {
  const std::string text = written(builtInMaze(), Position{1, 1, 1}, Position{9, 9, 9});
  EXPECT_EQ(0u, text.find("# A puzzle of 11 x 11 x 11 cells. In the faces 0 is open and any other\n"
                          "# digit a wall; a start or an end may lie on a 2 to 9, not on a 1.\n"
                          "size 11 11 11\nstart 1 1 1\nend 9 9 9\n"
                          "# face 0: a row for each y, a digit for each x (cell x + 11*y)\n"
                          "face 0\n11111111111\n10000000001\n11101111101\n"));
  EXPECT_NE(std::string::npos, text.find("\n# face 2: a row for each x, a digit for each z "
                                         "(cell z + 11*x)\nface 2\n11111111111\n10001000001\n"));
  std::istringstream lines(text);
  int rows = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line[0] == '#' || line.rfind("face ", 0) == 0) continue;
    rows += line.size() == 11 && line.find_first_not_of("01") == std::string::npos ? 1 : 0;
  }
  EXPECT_EQ(33, rows);
  const Puzzle puzzle = parsed(text);
  EXPECT_EQ(s_def_dimensions, sizesOf(puzzle));
  EXPECT_EQ(s_def_face0, indexOrder(puzzle, 0));
  EXPECT_EQ(s_def_face1, indexOrder(puzzle, 1));
  EXPECT_EQ(s_def_face2, indexOrder(puzzle, 2));
  EXPECT_EQ((Position{1, 1, 1}), puzzle.start);
  EXPECT_EQ((Position{9, 9, 9}), puzzle.end);
}

TEST(PuzzleFile, CommentsBlanksAndLineEndsAnywhere) {
  const Puzzle puzzle = parsed(
      "# a 2 x 1 x 3 puzzle\r\n\r\n  end 0 0 2 # after the faces would do too\r\n"
      "\tsize  2\t1 003\t\r\nface 2   # 2 rows of 3 digits\n#\n  012 \n\n# between rows\n"
      "245\nface 0\n\t78\t#\nface 1\r\n5#\n6\n7\nstart 1 0 0\r\n# the end\n \t");
  EXPECT_EQ((NumberList{2, 1, 3}), sizesOf(puzzle));
  EXPECT_EQ((NumberList{7, 8}), indexOrder(puzzle, 0));
  EXPECT_EQ((NumberList{5, 0, 0, 6, 0, 0, 7}), indexOrder(puzzle, 1));  // cells between rows are 0
  EXPECT_EQ((NumberList{0, 1, 2, 4, 5}), indexOrder(puzzle, 2));        // rows overlap at cell 2
  EXPECT_EQ((std::vector<std::uint8_t>{0, 1, 2, 2, 4, 5}), puzzle.faces[2]);  // as drawn
  EXPECT_EQ((Position{1, 0, 0}), puzzle.start);
  EXPECT_EQ((Position{0, 0, 2}), puzzle.end);
  EXPECT_FALSE(parsed("size 1 1 1\nface 0\n0\nface 1\n0\nface 2\n0").start);
}

struct Refusal {
  std::string text;
  std::string message;
};

TEST(PuzzleFile, EveryFaultWithItsLine) {
  const std::string cube = "size 3 3 3\n";
  const std::string faces = "face 0\n000\n000\n000\nface 1\n000\n000\n000\n";
  const Refusal refusals[] = {
      {"", "maze.txt:1: the puzzle file is empty"},
      {"\n\n# nothing\n", "maze.txt:3: size is missing"},
      {"start 1 1 1", "maze.txt:1: size is missing"},
      {std::string("size 1 1 1\n# \0\n", 15), "maze.txt:2: a NUL byte; a puzzle file is text"},
      {"bogus line", "maze.txt:1: expected size, start, end or face, found 'bogus line'"},
      {"this line is far longer than forty characters, so it is cut",
       "maze.txt:1: expected size, start, end or face, found "
       "'this line is far longer than forty chara...'"},
      {"\x1b[1m\xc3\xa9",
       "maze.txt:1: expected size, start, end or face, found '\\x1b[1m\\xc3\\xa9'"},
      {"Size 1 1 1", "maze.txt:1: expected size, start, end or face, found 'Size 1 1 1'"},
      {"size3 3 3", "maze.txt:1: expected size, start, end or face, found 'size3 3 3'"},
      {"size 1 1", "maze.txt:1: size needs three numbers"},
      {"size 1 1 1 1 x", "maze.txt:1: size needs three numbers"},
      {"size", "maze.txt:1: size needs three numbers"},
      {"\nstart 1 1", "maze.txt:2: start needs three numbers"},
      {"end 1 1 1 1", "maze.txt:1: end needs three numbers"},
      {"size 1 -1 1", "maze.txt:1: a number is plain decimal digits, found '-1'"},
      {"start +1 1 1", "maze.txt:1: a number is plain decimal digits, found '+1'"},
      {"size 1 1 1e3", "maze.txt:1: a number is plain decimal digits, found '1e3'"},
      {"size 1 1 18446744073709551616",
       "maze.txt:1: number out of range, found '18446744073709551616'"},
      {"face 0", "maze.txt:1: a face comes before size"},
      {cube + "size 3 3 3", "maze.txt:2: size is given twice"},
      {"start 1 1 1\nstart 1 1 1", "maze.txt:2: start is given twice"},
      {"end 1 1 1\nend 1 1 1", "maze.txt:2: end is given twice"},
      {cube + "face 3", "maze.txt:2: face needs one number: 0, 1 or 2"},
      {cube + "face 0 1", "maze.txt:2: face needs one number: 0, 1 or 2"},
      {cube + "face x", "maze.txt:2: a number is plain decimal digits, found 'x'"},
      {cube + faces + "face 1", "maze.txt:10: face 1 is given twice"},
      {cube + "face 0\n0x0", "maze.txt:3: a cell is a digit 0 to 9, found 'x'"},
      {cube + "face 0\n0 0", "maze.txt:3: a cell is a digit 0 to 9, found ' '"},
      {cube + "face 0\n0\x01\xff", "maze.txt:3: a cell is a digit 0 to 9, found '\\x01'"},
      {cube + "face 0\n000\n00", "maze.txt:4: face 0 row 1 needs 3 cells, found 2"},
      {cube + "face 0\n0000", "maze.txt:3: face 0 row 0 needs 3 cells, found 4"},
      {cube + "face 0\n000\n000\nface 1",
       "maze.txt:5: face 0 needs 9 cells, found 6 (2 of 3 rows)"},
      {cube + "face 2\n000\n# end\n", "maze.txt:4: face 2 needs 9 cells, found 3 (1 of 3 rows)"},
      {cube + "face 2\n", "maze.txt:2: face 2 needs 9 cells, found 0 (0 of 3 rows)"},
      {cube + faces + "000", "maze.txt:10: too many rows for face 1 (it has 3), found '000'"},
      {cube + faces + "\n# two faces\n", "maze.txt:11: face 2 is missing"},
      {cube + "face 1\n000\n000\n000\nface 2\n000\n000\n000", "maze.txt:9: face 0 is missing"},
      {"size 3 2 1\nface 0\n010\n100",
       "maze.txt:4: face 0 cell 2 is drawn as 0 and as 1 (rows 0 and 1 overlap)"},
      {"size 5 1 1\nface 0\n01234\n", "maze.txt:3: face 1 is missing"},
  };
  for (const Refusal& refusal_ : refusals) EXPECT_EQ(refusal_.message, refusal(refusal_.text));
  Puzzle puzzle;
  std::string error;
  EXPECT_FALSE(parsePuzzle("", "odd\nname\x7f", &puzzle, &error));
  EXPECT_EQ("odd\\nname\\x7f:1: the puzzle file is empty", error);
}

// The one form of a contest's inputs: each way out of it, with its line.
TEST(PuzzleFile, CanonicalFormOnly) {
  const std::string head = "size 2 1 1\nstart 0 0 0\nend 1 0 0\n";
  const std::string faces = "face 0\n00\nface 1\n0\nface 2\n0\n0\n";
  EXPECT_EQ("", canonicalFault(head + faces, "in", 100));
  const Refusal refusals[] = {
      {"size 2 1 1\r\n", "in:1: a carriage return; lines end in a line feed alone"},
      {"size\t2 1 1\n", "in:1: a tab; tokens are separated by one blank"},
      {"# a maze\n", "in:1: a comment; the input holds none"},
      {head + "\n" + faces, "in:4: a blank line"},
      {" size 2 1 1\n", "in:1: a blank at the start of the line"},
      {"size 2 1 1 \n", "in:1: a blank at the end of the line"},
      {"size 2  1 1\n", "in:1: two blanks between tokens"},
      {head + faces.substr(0, faces.size() - 1), "in:10: the last line has no line feed"},
      {"size 02 1 1\n", "in:1: a leading zero in '02'"},
      {"size 2 1 1\nend 1 0 0\n", "in:2: expected 'start', found 'end 1 0 0'"},
      {head + "face 1\n0\n", "in:4: expected 'face 0', found 'face 1'"},
      {head + "face 0\n00\nface 2\n", "in:6: expected 'face 1', found 'face 2'"},
      {head + "00\n", "in:4: expected 'face 0', found '00'"},
      {"size 2 101 1\n", "in:1: size 101 is above the bound 100"},
      {"size 2 99999999999999999999 1\n", "in:1: size 99999999999999999999 is above the bound 100"},
  };
  for (const Refusal& refusal_ : refusals) {
    EXPECT_EQ(refusal_.message, canonicalFault(refusal_.text, "in", 100)) << refusal_.text;
  }
  EXPECT_EQ("", canonicalFault("size 100 1 1\n", "in", 100));  // what comes next is the parser's
}

TEST(PuzzleFile, SizesAtTheEdges) {
  const Puzzle one = parsed("size 1 1 1\nface 0\n7\nface 1\n1\nface 2\n0\n");
  EXPECT_EQ((NumberList{7}), indexOrder(one, 0));
  EXPECT_EQ((NumberList{1}), indexOrder(one, 1));
  // With a size of 0 no cell is read: faces without rows, any other sizes.
  const Puzzle flat = parsed("size 0 18446744073709551615 3\nface 2\nface 1\nface 0\n");
  EXPECT_EQ((NumberList{0, UINT64_MAX, 3}), sizesOf(flat));
  for (const std::vector<std::uint8_t>& face : flat.faces) EXPECT_TRUE(face.empty());
  EXPECT_EQ("maze.txt:3: too many rows for face 0 (it has 0), found '0'",
            refusal("size 2 0 2\nface 0\n0\n"));
  EXPECT_EQ((NumberList{1, 1, 1}), sizesOf(parsed("size 00000000000000000001 01 1\nface 0\n0\n"
                                                  "face 1\n0\nface 2\n0")));
  // A face costs the cells it draws: 2^28 each, and a thin box whose index
  // rule spans 2^40 numbers draws 2^20 cells a face.
  EXPECT_EQ("maze.txt:1: face 0 is missing", refusal("size 16384 16384 16384"));
  EXPECT_EQ("maze.txt:1: face 0 is missing", refusal("size 1 1048576 1"));
  const Refusal tooLarge[] = {
      {"size 16385 16385 16385", "face 0 would hold 268468225 cells"},
      {"size 16385 16384 1", "face 0 would hold 268451840 cells"},
      {"size 1 1 4294967296", "face 1 would hold 4294967296 cells"},
      {"size 4294967296 4294967296 1", "face 0 would hold 2^64 cells or more"},
      {"size 18446744073709551615 1 1", "face 0 would hold 18446744073709551615 cells"},
      {"size 1 18446744073709551615 1", "face 0 would hold 18446744073709551615 cells"},
      {"size 1 1 018446744073709551615", "face 1 would hold 18446744073709551615 cells"},
  };
  for (const Refusal& size : tooLarge) {
    EXPECT_EQ("maze.txt:1: size too large: " + size.message + " (the limit is 268435456)",
              refusal(size.text));
  }
}

TEST(PuzzleFile, WrittenForEveryShapeOfFace) {
  // X = 3 > Y = 2: face 0 rows overlap; Z = 1 < X: face 2 leaves cells out.
  const NumberList sizes = {3, 2, 1}, face0 = {1, 0, 12, 3, 4, 5}, face1 = {0, 1},
                   face2 = {6, 7, 7, 8, 7, 7, 9};
  const Maze maze = listMaze(sizes, face0, face1, face2);
  EXPECT_EQ(
      "# A puzzle of 3 x 2 x 1 cells. In the faces 0 is open and any other\n"
      "# digit a wall; a start or an end may lie on a 2 to 9, not on a 1.\n"
      "size 3 2 1\nend 0 18446744073709551615 2\n"
      "# face 0: a row for each y, a digit for each x (cell x + 2*y)\n"
      "# rows overlap: a cell in two rows is drawn the same in both\n"
      "face 0\n109\n934\n"
      "# face 1: a row for each z, a digit for each y (cell y + 1*z)\nface 1\n01\n"
      "# face 2: a row for each x, a digit for each z (cell z + 3*x)\n"
      "# the cells between rows are never read, so not drawn\nface 2\n6\n8\n9\n",
      written(maze, std::nullopt, Position{0, UINT64_MAX, 2}));
  std::ostringstream config;
  writeConfig(config, maze);
  EXPECT_EQ(
      "# dimensions= X, Y, Z; then each faceK= line is one cell, in index order.\n"
      "dimensions=3\ndimensions=2\ndimensions=1\nface0=1\nface0=0\nface0=12\nface0=3\n"
      "face0=4\nface1=0\nface1=1\nface2=6\nface2=7\nface2=7\nface2=8\nface2=7\nface2=7\n"
      "face2=9\n",
      config.str());
  const NumberList flat = {4, 0, 4}, none;
  const std::string flatText = written(listMaze(flat, none, none, none));
  EXPECT_NE(std::string::npos, flatText.find("\nsize 4 0 4\n# face 0: a row for each y, a digit "
                                             "for each x; no rows, as a size is 0\nface 0\n#"));
  EXPECT_EQ("maze.txt:10: too many rows for face 2 (it has 0), found '0'", refusal(flatText + "0"));
}

// Random puzzles of sizes 1 to 5, cells 0 to 12 and extra cells, written and
// read back: the cells the index rule reads, above 9 as 9, the others 0.
TEST(PuzzleFile, RandomPuzzlesWrittenAndReadBack) {
  std::mt19937_64 random(20261209);
  for (int round = 0; round < 2000; ++round) {
    NumberList sizes(3), faces[3], expected[3];
    for (std::uint64_t& size : sizes) size = 1 + random() % 5;
    for (int face = 0; face < 3; ++face) {
      const std::uint64_t first = sizes[face], second = sizes[(face + 1) % 3];
      const std::uint64_t length = first + second * (second - 1);
      const std::uint64_t extra = random() % 3;
      for (std::uint64_t cell = 0; cell < length + extra; ++cell) {
        faces[face].push_back(random() % 13);
        if (cell >= length) continue;
        expected[face].push_back(
            cell % second < first ? std::min<std::uint64_t>(faces[face].back(), 9) : 0);
      }
    }
    const std::optional<Position> start =
        random() % 2 ? std::optional<Position>() : Position{random(), random() % 5, 0};
    const Puzzle puzzle = parsed(written(listMaze(sizes, faces[0], faces[1], faces[2]), start));
    EXPECT_EQ(sizes, sizesOf(puzzle));
    for (int face = 0; face < 3; ++face)
      EXPECT_EQ(expected[face], indexOrder(puzzle, face)) << round;
    EXPECT_EQ(start, puzzle.start);
    EXPECT_FALSE(puzzle.end);
  }
}

class PuzzleFileOnDisk : public InTempDir {};

TEST_F(PuzzleFileOnDisk, LoadsLikeTheTextAcrossBlocks) {
  std::mt19937_64 random(7);
  const NumberList sizes = {1000, 1000, 1000};
  NumberList faces[3];
  for (NumberList& face : faces) {
    for (int cell = 0; cell < 1000 * 1000; ++cell) face.push_back(random() % 10);
  }
  // CR LF line ends, and a first line that puts a CR at the end of the
  // reader's first 64 KiB block, its LF at the start of the next.
  std::string text;
  for (char c : written(listMaze(sizes, faces[0], faces[1], faces[2]))) {
    if (c == '\n') text += '\r';
    text += c;
  }
  const std::size_t cr = text.rfind('\r', 65535 - 2);
  text.insert(0, "#" + std::string(65535 - cr - 2, '-') + "\n");
  ASSERT_EQ('\r', text[65535]);
  writeFile(dir_ + "/cube.txt", text);
  Puzzle puzzle;
  std::string error;
  ASSERT_TRUE(loadPuzzleFile(dir_ + "/cube.txt", &puzzle, &error)) << error;
  EXPECT_EQ(sizes, sizesOf(puzzle));
  for (int face = 0; face < 3; ++face) EXPECT_TRUE(faces[face] == indexOrder(puzzle, face));
  writeFile(dir_ + "/cut.txt", text.substr(0, text.size() - 4));  // no final line end
  EXPECT_FALSE(loadPuzzleFile(dir_ + "/cut.txt", &puzzle, &error));
  EXPECT_EQ(dir_ + "/cut.txt:3010: face 2 row 999 needs 1000 cells, found 998", error);
  EXPECT_EQ(sizes, sizesOf(puzzle));
}

TEST_F(PuzzleFileOnDisk, FilesThatCannotBeRead) {
  Puzzle puzzle;
  std::string error;
  EXPECT_FALSE(loadPuzzleFile(dir_ + "/none.txt", &puzzle, &error));
  EXPECT_EQ(dir_ + "/none.txt: cannot read the puzzle file: No such file or directory", error);
  EXPECT_FALSE(loadPuzzleFile(dir_, &puzzle, &error));
  EXPECT_EQ(dir_ + ": cannot read the puzzle file: Is a directory", error);
  writeFile(dir_ + "/empty.txt", "");
  EXPECT_FALSE(loadPuzzleFile(dir_ + "/empty.txt", &puzzle, &error));
  EXPECT_EQ(dir_ + "/empty.txt:1: the puzzle file is empty", error);
}

TEST_F(PuzzleFileOnDisk, LongLinesAreRefused) {
  const std::string longest = "# " + std::string((1 << 20) - 3, '-') + "\r";
  writeFile(dir_ + "/long.txt", "size 1 1 1\n" + longest + "\n" + longest + "-");
  Puzzle puzzle;
  std::string error;
  EXPECT_FALSE(loadPuzzleFile(dir_ + "/long.txt", &puzzle, &error));
  EXPECT_EQ(dir_ + "/long.txt:3: the line is longer than 1048576 bytes", error);
  EXPECT_EQ("maze.txt:3: the line is longer than 1048576 bytes",
            refusal("size 1 1 1\n" + longest + "\n" + longest + "-\n"));
}

}  // namespace

}  // namespace tesmo
