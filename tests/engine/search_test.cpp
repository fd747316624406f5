#include "engine/search.hpp"

#include <gtest/gtest.h>

#include "model/builtin_puzzle.hpp"

namespace tesmo {

namespace {

TEST(Search, ShortestRouteThroughTheBuiltInPuzzle) {
  NumberList route;
  ASSERT_TRUE(shortestRoute(builtInMaze(), {1, 1, 1}, {9, 9, 9}, &route));
  EXPECT_EQ((NumberList{0, 0, 2, 2, 2, 2, 1, 1, 2, 2, 0, 0, 4, 4, 2, 2, 0, 0, 3, 3, 3, 3, 4, 4,
                        4, 4, 2, 2, 5, 5, 2, 2, 4, 4, 1, 1, 4, 4, 0, 0, 0, 0, 5, 5, 0, 0, 4, 4}),
            route);
  ASSERT_TRUE(shortestRoute(builtInMaze(), {1, 1, 1}, {3, 1, 1}, &route));
  EXPECT_EQ((NumberList{0, 0}), route);
}

TEST(Search, StartEqualsEndLeavesAndComesBack) {
  NumberList route;
  ASSERT_TRUE(shortestRoute(builtInMaze(), {1, 1, 1}, {1, 1, 1}, &route));
  EXPECT_EQ((NumberList{0, 1}), route);  // code 0 is the first open one
  const NumberList sizes = {1, 1, 1}, open = {0};
  EXPECT_FALSE(shortestRoute(listMaze(sizes, open, open, open), {0, 0, 0}, {0, 0, 0}, &route));
  // A 2 x 2 x 1 box whose start (0,0,0) holds 2 in face 0 (cell x + 2y):
  // the token leaves it, but cannot come back in along x or y.
  const NumberList square = {2, 2, 1}, walled0 = {2, 0, 0, 0}, open1 = {0, 0}, open2(3, 0);
  EXPECT_FALSE(
      shortestRoute(listMaze(square, walled0, open1, open2), {0, 0, 0}, {0, 0, 0}, &route));
  // In a 2 x 2 x 2 box it can come back along z: the first way out, along
  // x, has no way back, so the route is the one out along z.
  const NumberList cube = {2, 2, 2}, open4(4, 0);
  ASSERT_TRUE(shortestRoute(listMaze(cube, walled0, open4, open4), {0, 0, 0}, {0, 0, 0}, &route));
  EXPECT_EQ((NumberList{4, 5}), route);
}

TEST(Search, NoRouteThroughAWall) {
  // A 3 x 1 x 1 row whose middle cell is walled in face 0 (cell x + 1*y).
  const NumberList sizes = {3, 1, 1}, face0 = {0, 2, 0}, face1 = {0}, face2(7, 0);
  NumberList route;
  EXPECT_FALSE(shortestRoute(listMaze(sizes, face0, face1, face2), {0, 0, 0}, {2, 0, 0}, &route));
  const NumberList open0 = {0, 0, 0};
  ASSERT_TRUE(shortestRoute(listMaze(sizes, open0, face1, face2), {2, 0, 0}, {0, 0, 0}, &route));
  EXPECT_EQ((NumberList{1, 1}), route);
}

TEST(Search, FitsCountsTheGridAroundTheBox) {
  EXPECT_TRUE(searchFits({11, 11, 11}));
  EXPECT_TRUE(searchFits({0, 0, 0}));
  // 2^32 cells exactly: (2^16 - 2 + 2)(2^8 - 2 + 2)(2^8 - 2 + 2).
  EXPECT_TRUE(searchFits({65534, 254, 254}));
  EXPECT_FALSE(searchFits({65535, 254, 254}));
  EXPECT_FALSE(searchFits({UINT64_MAX, 1, 1}));
  EXPECT_FALSE(searchFits({UINT64_MAX - 1, 0, 0}));
  EXPECT_FALSE(searchFits({std::uint64_t{1} << 32, std::uint64_t{1} << 32, 0}));
}

}  // namespace

}  // namespace tesmo
