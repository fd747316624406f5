#include "solve.hpp"

#include <gtest/gtest.h>

namespace {

const Maze kBuiltIn{s_def_dimensions, s_def_face0, s_def_face1, s_def_face2};

TEST(Solve, ShortestRouteThroughTheBuiltInPuzzle) {
  NumberList route;
  ASSERT_TRUE(shortestRoute(kBuiltIn, {1, 1, 1}, {9, 9, 9}, &route));
  EXPECT_EQ((NumberList{0, 0, 2, 2, 2, 2, 1, 1, 2, 2, 0, 0, 4, 4, 2, 2,
                        0, 0, 3, 3, 3, 3, 4, 4, 4, 4, 2, 2, 5, 5, 2, 2,
                        4, 4, 1, 1, 4, 4, 0, 0, 0, 0, 5, 5, 0, 0, 4, 4}),
            route);
  ASSERT_TRUE(shortestRoute(kBuiltIn, {1, 1, 1}, {3, 1, 1}, &route));
  EXPECT_EQ((NumberList{0, 0}), route);
}

TEST(Solve, StartEqualsEndGoesOutAndBack) {
  NumberList route;
  ASSERT_TRUE(shortestRoute(kBuiltIn, {1, 1, 1}, {1, 1, 1}, &route));
  EXPECT_EQ((NumberList{0, 1}), route);  // code 0 is the first open one
  const NumberList sizes = {1, 1, 1}, open = {0};
  EXPECT_FALSE(shortestRoute({sizes, open, open, open}, {0, 0, 0}, {0, 0, 0}, &route));
}

TEST(Solve, NoRouteThroughAWall) {
  // A 3 x 1 x 1 row whose middle cell is walled in face 0 (cell x + 1*y).
  const NumberList sizes = {3, 1, 1}, face0 = {0, 2, 0}, face1 = {0}, face2(7, 0);
  NumberList route;
  EXPECT_FALSE(shortestRoute({sizes, face0, face1, face2}, {0, 0, 0}, {2, 0, 0}, &route));
  const NumberList open0 = {0, 0, 0};
  ASSERT_TRUE(shortestRoute({sizes, open0, face1, face2}, {2, 0, 0}, {0, 0, 0}, &route));
  EXPECT_EQ((NumberList{1, 1}), route);
}

TEST(Solve, BoxCells) {
  std::uint64_t cells = 0;
  ASSERT_TRUE(boxCells({11, 11, 11}, &cells));
  EXPECT_EQ(1331u, cells);
  ASSERT_TRUE(boxCells({0, UINT64_MAX, UINT64_MAX}, &cells));
  EXPECT_EQ(0u, cells);
  EXPECT_FALSE(boxCells({1ull << 32, 1ull << 32, 1}, &cells));
  EXPECT_FALSE(boxCells({UINT64_MAX, 2, 1}, &cells));
}

}  // namespace
