#include "quad_grid.hpp"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

struct SmallMaze {
  NumberList sizes, faces[3];
};

// Mostly open cells with walls of 1 and 2, faces as long as the cell rule
// reads; sizes 1 to 4, so the layer around the box is reached often. More
// open than randomRefPuzzle()'s, so that whole runs get through.
SmallMaze randomMaze(std::mt19937_64& random) {
  SmallMaze maze;
  for (int axis = 0; axis < 3; ++axis) maze.sizes.push_back(1 + random() % 4);
  for (int face = 0; face < 3; ++face) {
    const std::uint64_t first = maze.sizes[face], second = maze.sizes[(face + 1) % 3];
    for (std::uint64_t cell = 0; cell < first + second * second; ++cell) {
      const std::uint64_t roll = random() % 10;
      maze.faces[face].push_back(roll < 8 ? 0 : roll < 9 ? 1 : 2);
    }
  }
  return maze;
}

// Whether four moves can all be executed from `cell`, one at a time.
bool fourMovesExecute(const Grid& grid, std::uint64_t cell, const int codes[4]) {
  for (int move = 0; move < 4; ++move) {
    std::uint64_t next;
    if (gridEntry(grid, cell, static_cast<std::uint64_t>(codes[move]), &next) != 0) {
      return false;
    }
    cell = next;
  }
  return true;
}

// Whether a move along some axis may enter the cell.
bool canBeEntered(const Grid& grid, std::uint64_t cell) {
  return (grid.blocked[cell] & kGridEdge) == 0 && (grid.blocked[cell] & 7) != 7;
}

// Every cell inside the box, every four codes: the table lets four moves
// through exactly when the walk executes them, for every cell a move can
// enter; from any other cell it never lets through what the walk stops.
TEST(QuadGrid, EveryFourMovesFromEveryCell) {
  std::mt19937_64 random(4);
  for (int round = 0; round < 40; ++round) {
    const SmallMaze cells = randomMaze(random);
    const Maze maze{cells.sizes, cells.faces[0], cells.faces[1], cells.faces[2]};
    const Grid grid = planGrid(maze);
    const QuadGrid quads = planQuadGrid(grid);
    ASSERT_EQ(grid.blocked.size() * kQuadCount, quads.blocked.size());
    for (std::uint64_t cell = 0; cell < grid.blocked.size(); ++cell) {
      if (grid.blocked[cell] & kGridEdge) continue;
      for (std::uint32_t quad = 0; quad < kQuadCount; ++quad) {
        const int codes[4] = {static_cast<int>(quad / 216), static_cast<int>(quad / 36 % 6),
                              static_cast<int>(quad / 6 % 6), static_cast<int>(quad % 6)};
        const bool through = quads.blocked[cell * kQuadCount + quad] == 0;
        const bool executes = fourMovesExecute(grid, cell, codes);
        if (canBeEntered(grid, cell)) {
          ASSERT_EQ(executes, through) << "cell " << cell << " quad " << quad;
        } else {
          ASSERT_FALSE(through) << "cell " << cell << " quad " << quad;
        }
        if (through) {
          std::uint64_t end = cell;
          for (int code : codes) end += grid.step[code];
          ASSERT_EQ(end * kQuadCount,
                    cell * kQuadCount + static_cast<std::uint64_t>(quads.scaledStep[quad]));
        }
      }
    }
  }
}

// Runs of random codes from random cells, walked through the table and one
// move at a time: how far the table goes, where it stops and why.
TEST(QuadGrid, RunsWalkLikeSingleMoves) {
  std::mt19937_64 random(16);
  int throughTheTable = 0;  // rounds where at least one run went through
  for (int round = 0; round < 3000; ++round) {
    const SmallMaze cells = randomMaze(random);
    const Maze maze{cells.sizes, cells.faces[0], cells.faces[1], cells.faces[2]};
    const Grid grid = planGrid(maze);
    const QuadGrid quads = planQuadGrid(grid);
    const Position start = {random() % cells.sizes[0], random() % cells.sizes[1],
                            random() % cells.sizes[2]};
    // From a cell no move can enter the table lets no run through.
    const bool startRow = canBeEntered(grid, gridIndex(grid, start));
    // Mostly moves back and forth, so that runs get through often.
    std::string bytes;
    const std::size_t runs = 1 + random() % 4;
    for (std::size_t token = 0; token < runs * kRunCodes; ++token) {
      const std::uint64_t code = random() % 8 == 0 ? random() % 6 : token % 2;
      bytes += static_cast<char>('0' + code);
      bytes += ' ';
    }
    // A code 7 or a byte other than a blank between codes ends the runs.
    if (random() % 4 == 0) bytes[random() % bytes.size()] = random() % 2 ? '7' : '\t';
    std::uint64_t expectedIndex = gridIndex(grid, start);
    std::size_t expectedWalked = 0;
    bool expectedStop = false;
    for (std::size_t run = 0; run < runs && !expectedStop; ++run) {
      const std::string runBytes = bytes.substr(run * kRunBytes, kRunBytes);
      if (runBytes.find_first_of("6789\t") != std::string::npos) break;
      std::uint64_t index = expectedIndex;
      if (run == 0 && !startRow) {
        expectedStop = true;
        break;
      }
      for (std::size_t token = 0; token < kRunCodes; ++token) {
        const char digit = runBytes[2 * token];
        std::uint64_t next;
        if (gridEntry(grid, index, static_cast<std::uint64_t>(digit - '0'), &next) != 0) {
          expectedStop = true;
          break;
        }
        index = next;
      }
      if (expectedStop) break;
      expectedIndex = index;
      expectedWalked += kRunBytes;
    }
    std::uint64_t scaledIndex = gridIndex(grid, start) * kQuadCount;
    bool stopped = true;
    const std::size_t walked =
        walkQuadRuns(quads, bytes.data(), bytes.size(), &scaledIndex, &stopped);
    ASSERT_EQ(expectedWalked, walked) << bytes;
    throughTheTable += walked > 0;
    ASSERT_EQ(expectedStop, stopped) << bytes;
    ASSERT_EQ(expectedIndex * kQuadCount, scaledIndex) << bytes;
  }
  EXPECT_GT(throughTheTable, 100);  // 118 with this seed
}

TEST(QuadGrid, FitsWithinTheBudgetAndTheLimit) {
  const Maze builtIn{s_def_dimensions, s_def_face0, s_def_face1, s_def_face2};
  const Grid grid = planGrid(builtIn);  // 13^3 = 2197 cells
  const std::uint64_t movesNeeded = 2197 * kQuadCount * kMovesPerQuadByte;
  EXPECT_TRUE(quadGridFits(grid, movesNeeded));
  EXPECT_FALSE(quadGridFits(grid, movesNeeded - 1));
  EXPECT_FALSE(quadGridFits(grid, 0));
  const NumberList sizes = {30, 30, 14}, open(30 + 30 * 30, 0), open1(30 + 14 * 14, 0),
                   open2(14 + 30 * 30, 0);  // 32 * 32 * 16 = 2^14 cells
  const Grid largest = planGrid(Maze{sizes, open, open1, open2});
  EXPECT_EQ(kMaxQuadCells, largest.blocked.size());
  EXPECT_TRUE(quadGridFits(largest, UINT64_MAX));
  const NumberList larger = {31, 30, 14}, open31(31 + 30 * 30, 0), open14(14 + 31 * 31, 0);
  EXPECT_FALSE(quadGridFits(planGrid(Maze{larger, open31, open1, open14}), UINT64_MAX));
}

}  // namespace
