#include "model/maze.hpp"

#include <gtest/gtest.h>

#include "model/builtin_puzzle.hpp"

namespace tesmo {

namespace {

std::uint64_t faceCell(int face, const Position& position, const Sizes& size) {
  const Face shape = faceOf(size, face);
  return faceIndex(shape, spotOf(shape, position));
}

std::string mazeProblem(const NumberList& sizes, const NumberList& face0, const NumberList& face1,
                        const NumberList& face2) {
  return listMazeProblem(sizes, face0, face1, face2);
}

TEST(Maze, CellRuleUsesTheSecondAxisAsMultiplier) {
  const Sizes cube = {11, 11, 11};
  EXPECT_EQ(58u, faceCell(0, {3, 5, 7}, cube));
  EXPECT_EQ(82u, faceCell(1, {3, 5, 7}, cube));
  EXPECT_EQ(40u, faceCell(2, {3, 5, 7}, cube));
  const Sizes box = {2, 3, 4};
  EXPECT_EQ(7u, faceCell(0, {1, 2, 3}, box));   // 1 + 3 * 2
  EXPECT_EQ(14u, faceCell(1, {1, 2, 3}, box));  // 2 + 4 * 3
  EXPECT_EQ(5u, faceCell(2, {1, 2, 3}, box));   // 3 + 2 * 1
  // X = 3 > Y = 2: rows of face 0 overlap, (2,0) and (0,1) share cell 2.
  EXPECT_EQ(faceCell(0, {2, 0, 0}, {3, 2, 2}), faceCell(0, {0, 1, 0}, {3, 2, 2}));
}

TEST(Maze, InsideTheBox) {
  const Sizes box = {2, 3, 4};
  EXPECT_TRUE(insideBox({0, 0, 0}, box));
  EXPECT_TRUE(insideBox({1, 2, 3}, box));
  EXPECT_FALSE(insideBox({2, 0, 0}, box));
  EXPECT_FALSE(insideBox({0, 3, 0}, box));
  EXPECT_FALSE(insideBox({0, 0, 4}, box));
  EXPECT_FALSE(insideBox({UINT64_MAX, 0, 0}, box));
  EXPECT_FALSE(insideBox({0, 0, 0}, {0, 5, 5}));
  EXPECT_FALSE(insideBox({0, 0, 0}, {5, 5, 0}));
}

TEST(Maze, BuiltInPuzzle) {
  std::uint64_t open = 0;
  for (std::uint64_t x = 0; x < 11; ++x) {
    for (std::uint64_t y = 0; y < 11; ++y) {
      for (std::uint64_t z = 0; z < 11; ++z) {
        const Position position = {x, y, z};
        const bool border = x == 0 || y == 0 || z == 0 || x == 10 || y == 10 || z == 10;
        EXPECT_TRUE(!border || endpointOnWall(position, builtInMaze()));
        open += endpointOnWall(position, builtInMaze()) ? 0 : 1;
      }
    }
  }
  EXPECT_EQ(235u, open);
  EXPECT_FALSE(endpointOnWall({1, 1, 1}, builtInMaze()));
  EXPECT_FALSE(endpointOnWall({9, 9, 9}, builtInMaze()));
  EXPECT_TRUE(endpointOnWall({0, 0, 0}, builtInMaze()));
  EXPECT_TRUE(endpointOnWall({10, 10, 10}, builtInMaze()));
  EXPECT_FALSE(insideBox({11, 1, 1}, builtInMaze().size));
  EXPECT_EQ("", mazeProblem(s_def_dimensions, s_def_face0, s_def_face1, s_def_face2));
  // Spot checks against the drawing: row 2 of face 0 is 11101111101.
  EXPECT_EQ((NumberList{1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1}),
            NumberList(s_def_face0.begin() + 22, s_def_face0.begin() + 33));
  EXPECT_EQ(121u, s_def_face1.size());
  EXPECT_EQ(1u, s_def_face2[11 * 4 + 2]);  // row 4 of face 2 is 11101110101
}

TEST(Maze, EndpointRuleComparesWithOne) {
  const NumberList sizes = {1, 1, 1};
  const NumberList two = {2}, one = {1}, open = {0};
  EXPECT_FALSE(endpointOnWall({0, 0, 0}, listMaze(sizes, two, two, two)));
  EXPECT_TRUE(endpointOnWall({0, 0, 0}, listMaze(sizes, open, open, one)));
  EXPECT_TRUE(endpointOnWall({0, 0, 0}, listMaze(sizes, one, open, open)));
  EXPECT_FALSE(endpointOnWall({0, 0, 0}, listMaze(sizes, open, open, open)));
  // A missing cell reads as a wall.
  const Maze tooShort = listMaze({2, 1, 1}, open, open, open);
  EXPECT_EQ(1u, cellValue(tooShort, mazeFace(tooShort, 0), {1, 0}));
}

TEST(Maze, ProblemsWithSettingsTheCellRuleWouldReadPast) {
  const NumberList none, eight(8, 0), seven(7, 0), fifteen(15, 0), six(6, 0);
  const NumberList box = {2, 3, 4};
  EXPECT_EQ("Dimensions () must hold three sizes!", mazeProblem(none, eight, fifteen, six));
  EXPECT_EQ("Dimensions (5,5) must hold three sizes!", mazeProblem({5, 5}, eight, fifteen, six));
  // Needs: face 0 X + Y(Y-1) = 8, face 1 Y + Z(Z-1) = 15, face 2 Z + X(X-1) = 6.
  EXPECT_EQ("", mazeProblem(box, eight, fifteen, six));
  EXPECT_EQ("", mazeProblem({2, 3, 4, 9}, NumberList(9, 0), NumberList(99, 0), six));
  EXPECT_EQ("Face 0 holds 7 cells but the dimensions need 8!",
            mazeProblem(box, seven, fifteen, six));
  EXPECT_EQ("Face 1 holds 8 cells but the dimensions need 15!",
            mazeProblem(box, eight, eight, six));
  EXPECT_EQ("Face 2 holds 0 cells but the dimensions need 6!",
            mazeProblem(box, eight, fifteen, none));
  // A size of 0 leaves every position outside: no cell is ever read.
  EXPECT_EQ("", mazeProblem({0, 3, 4}, none, none, none));
  EXPECT_EQ("", mazeProblem({UINT64_MAX, UINT64_MAX, 0}, none, none, none));
  EXPECT_EQ("Face 1 holds 0 cells but the dimensions need 1!",
            mazeProblem({1, 1, 1}, NumberList{0}, none, none));
}

TEST(Maze, RequirementsThatOverflowCanNeverBeMet) {
  const NumberList few(121, 0);
  EXPECT_EQ("Face 0 holds 121 cells but the dimensions need more than 18446744073709551615!",
            mazeProblem({UINT64_MAX, UINT64_MAX, UINT64_MAX}, few, few, few));
  // 2^32 * (2^32 - 1) + 2^32 = 2^64 overflows by one; X = 2^32 - 1 just fits.
  EXPECT_EQ("Face 0 holds 121 cells but the dimensions need more than 18446744073709551615!",
            mazeProblem({1ull << 32, 1ull << 32, 1}, few, few, few));
  EXPECT_EQ("Face 0 holds 121 cells but the dimensions need 18446744073709551615!",
            mazeProblem({(1ull << 32) - 1, 1ull << 32, 1}, few, few, few));
}

}  // namespace

}  // namespace tesmo
