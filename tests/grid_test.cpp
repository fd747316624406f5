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

// The cells worked out row by row must be those of the rule, cell by cell:
// an axis bit is set when a face the axis changes holds a non-zero cell.
TEST(Grid, CellsFollowTheFacesOnRandomMazes) {
  std::mt19937_64 random(7);
  for (int round = 0; round < 300; ++round) {
    NumberList sizes, faces[3];
    for (int axis = 0; axis < 3; ++axis) sizes.push_back(1 + random() % 6);
    for (int face = 0; face < 3; ++face) {
      const std::uint64_t first = sizes[face], second = sizes[(face + 1) % 3];
      for (std::uint64_t c = 0; c < first + second * (second - 1); ++c) {
        faces[face].push_back(random() % 3 == 0 ? random() % 4 : 0);
      }
    }
    const Maze maze{sizes, faces[0], faces[1], faces[2]};
    const Grid grid = planGrid(maze);
    for (std::uint64_t z = 0; z < sizes[2]; ++z) {
      for (std::uint64_t y = 0; y < sizes[1]; ++y) {
        for (std::uint64_t x = 0; x < sizes[0]; ++x) {
          const Position at = {x, y, z};
          bool wall[3];
          for (int face = 0; face < 3; ++face) {
            wall[face] = faces[face][faceCell(face, at, sizes)] != 0;
          }
          const unsigned expected = (wall[0] || wall[2]) | (wall[1] || wall[0]) << 1 |
                                    (wall[2] || wall[1]) << 2;
          ASSERT_EQ(expected, grid.blocked[gridIndex(grid, at)])
              << listText(sizes) << " at " << x << "," << y << "," << z;
        }
      }
    }
  }
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
        EXPECT_EQ((Position{x, y, z}), gridPosition(grid, index));
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

// The whole outcome as text, to compare two walks.
std::string walkText(const Maze& maze, const Position& start, const NumberList& route,
                     std::uint64_t gridBudget) {
  const WalkOutcome outcome = walkMoveList(maze, start, route, gridBudget);
  return std::to_string(static_cast<int>(outcome.stop)) + "|" +
         std::to_string(outcome.stopCode) + "|" + std::to_string(outcome.executed) + "|" +
         listText(NumberList(outcome.position.begin(), outcome.position.end()));
}

TEST(Grid, WalksLikeTheFacesOnRandomMazes) {
  std::mt19937_64 random(31);
  for (int round = 0; round < 3000; ++round) {
    const RandomMaze cells = randomMaze(random);
    const Maze maze{cells.sizes, cells.faces[0], cells.faces[1], cells.faces[2]};
    ASSERT_EQ("", mazeProblem(maze));
    // Any start inside the box, walls included: a start on a 2 is allowed,
    // and only the faces a move changes are looked at.
    const Position start = {random() % cells.sizes[0], random() % cells.sizes[1],
                            random() % cells.sizes[2]};
    const NumberList route = randomRoute(random);
    ASSERT_EQ(walkText(maze, start, route, 0), walkText(maze, start, route, UINT64_MAX))
        << "sizes " << listText(cells.sizes) << " start " << start[0] << "," << start[1]
        << "," << start[2]
        << " route " << listText(route);
  }
}

}  // namespace
