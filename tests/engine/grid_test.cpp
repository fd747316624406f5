#include "engine/grid.hpp"

#include <gtest/gtest.h>

namespace tesmo {

namespace {

bool fits(const Sizes& size, std::uint64_t budget) {
  Maze maze;
  maze.size = size;
  return gridFits(maze, budget);
}

TEST(Grid, FitsCountsTheLayerAroundTheBox) {
  EXPECT_TRUE(fits({3, 3, 3}, 125));  // 5 x 5 x 5
  EXPECT_FALSE(fits({3, 3, 3}, 124));
  EXPECT_TRUE(fits({0, 0, 0}, 8));
  EXPECT_FALSE(fits({0, 0, 0}, 7));
  EXPECT_FALSE(fits({0, 0, 0}, 0));
  EXPECT_TRUE(fits({254, 254, 254}, UINT64_MAX));  // exactly kMaxGridCells
  EXPECT_FALSE(fits({255, 254, 254}, UINT64_MAX));
  EXPECT_FALSE(fits({kMaxGridCells, 0, 0}, UINT64_MAX));
  // Sizes whose product wraps around 2^64 must not pass for small.
  EXPECT_FALSE(fits({UINT64_MAX, UINT64_MAX, UINT64_MAX}, UINT64_MAX));
  EXPECT_FALSE(fits({UINT64_MAX - 1, 0, 0}, UINT64_MAX));
  EXPECT_FALSE(fits({std::uint64_t{1} << 32, std::uint64_t{1} << 32, 0}, UINT64_MAX));
}

TEST(Grid, CellCountFitsIn64Bits) {
  std::uint64_t cells = 0;
  ASSERT_TRUE(gridCellCount({11, 11, 11}, &cells));
  EXPECT_EQ(13u * 13 * 13, cells);
  ASSERT_TRUE(gridCellCount({0, 0, 0}, &cells));
  EXPECT_EQ(8u, cells);
  EXPECT_FALSE(gridCellCount({UINT64_MAX, 0, 0}, &cells));
  EXPECT_FALSE(gridCellCount({UINT64_MAX - 2, 0, 0}, &cells));
  EXPECT_FALSE(gridCellCount({std::uint64_t{1} << 32, std::uint64_t{1} << 32, 0}, &cells));
  const std::uint64_t quarter = std::uint64_t{1} << 62;
  ASSERT_TRUE(gridCellCount({quarter - 3, 0, 0}, &cells));  // (2^62 - 1) * 2 * 2
  EXPECT_EQ(UINT64_MAX - 3, cells);
  EXPECT_FALSE(gridCellCount({quarter - 2, 0, 0}, &cells));  // 2^64
}

}  // namespace

}  // namespace tesmo
