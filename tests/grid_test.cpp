#include "grid.hpp"

#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "walk.hpp"

namespace {

const Maze kBuiltIn{s_def_dimensions, s_def_face0, s_def_face1, s_def_face2};
const NumberList kNoFace;

bool fits(const NumberList& sizes, std::uint64_t budget) {
  return gridFits({sizes, kNoFace, kNoFace, kNoFace}, budget);
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

TEST(Grid, EveryPositionHasItsOwnCellInsideTheLayer) {
  const NumberList sizes = {3, 4, 5};
  const NumberList open(64, 0);
  const Grid grid = planGrid({sizes, open, open, open});
  ASSERT_EQ(5u * 6 * 7, grid.blocked.size());
  std::set<std::uint64_t> seen;
  for (std::uint64_t x = 0; x < 3; ++x) {
    for (std::uint64_t y = 0; y < 4; ++y) {
      for (std::uint64_t z = 0; z < 5; ++z) {
        const std::uint64_t index = gridIndex(grid, {x, y, z});
        ASSERT_LT(index, grid.blocked.size());
        EXPECT_EQ(0, grid.blocked[index]);
        seen.insert(index);
        std::uint64_t position[3];
        gridPosition(grid, index, position);
        EXPECT_EQ((NumberList{x, y, z}), NumberList(position, position + 3));
      }
    }
  }
  EXPECT_EQ(60u, seen.size());
  // Every other cell is the layer, closed from every side.
  for (std::uint64_t index = 0; index < grid.blocked.size(); ++index) {
    if (seen.count(index) == 0) {
      EXPECT_EQ(kGridEdge | 7, grid.blocked[index]);
    }
  }
}

TEST(Grid, EntryTellsTheEdgeFromAWall) {
  const Grid grid = planGrid(kBuiltIn);
  const std::uint64_t start = gridIndex(grid, {1, 1, 1});
  std::uint64_t next;
  EXPECT_EQ(0, gridEntry(grid, start, 0, &next));  // to (2,1,1), open
  EXPECT_EQ(gridIndex(grid, {2, 1, 1}), next);
  const std::uint8_t wall = gridEntry(grid, start, 1, &next);  // (0,1,1)
  EXPECT_NE(0, wall);
  EXPECT_EQ(0, wall & kGridEdge);
  EXPECT_EQ(gridIndex(grid, {0, 1, 1}), next);
  const std::uint64_t corner = gridIndex(grid, {0, 0, 0});
  for (std::uint64_t code = 1; code < 6; code += 2) {
    EXPECT_NE(0, gridEntry(grid, corner, code, &next) & kGridEdge);
    EXPECT_LT(next, grid.blocked.size());
  }
}

// A random maze whose cells are mostly open, with walls of 1 and 2, and
// faces long enough for the cell rule.
struct RandomMaze {
  NumberList sizes, faces[3];
};

RandomMaze randomMaze(std::mt19937_64& random) {
  RandomMaze maze;
  for (int axis = 0; axis < 3; ++axis) maze.sizes.push_back(1 + random() % 5);
  for (int face = 0; face < 3; ++face) {
    const std::uint64_t first = maze.sizes[face], second = maze.sizes[(face + 1) % 3];
    for (std::uint64_t cell = 0; cell < first + second * second; ++cell) {
      const std::uint64_t roll = random() % 10;
      maze.faces[face].push_back(roll < 7 ? 0 : roll < 9 ? 1 : 2);
    }
  }
  return maze;
}

NumberList randomRoute(std::mt19937_64& random) {
  NumberList route(random() % 40);
  for (std::uint64_t& code : route) {
    const std::uint64_t roll = random() % 100;
    code = roll < 98 ? roll % 6 : roll == 98 ? 6 : UINT64_MAX;
  }
  return route;
}

std::string walkText(const Maze& maze, const NumberList& start,
                     const NumberList& route, std::uint64_t gridBudget) {
  std::ostringstream out, err;
  const int status = walkMoveList(maze, start, start, route, gridBudget, out, err);
  return std::to_string(status) + "|" + out.str() + "|" + err.str();
}

TEST(Grid, WalksLikeTheFacesOnRandomMazes) {
  std::mt19937_64 random(31);
  for (int round = 0; round < 3000; ++round) {
    const RandomMaze cells = randomMaze(random);
    const Maze maze{cells.sizes, cells.faces[0], cells.faces[1], cells.faces[2]};
    ASSERT_EQ("", mazeProblem(maze));
    // Any start inside the box, walls included: a start on a 2 is allowed,
    // and only the faces a move changes are looked at.
    const NumberList start = {random() % cells.sizes[0], random() % cells.sizes[1],
                              random() % cells.sizes[2]};
    const NumberList route = randomRoute(random);
    ASSERT_EQ(walkText(maze, start, route, 0), walkText(maze, start, route, UINT64_MAX))
        << "sizes " << listText(cells.sizes) << " start " << listText(start)
        << " route " << listText(route);
  }
}

}  // namespace
