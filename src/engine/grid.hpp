// The box grid, the walker's: the maze unfolded into one byte per cell of
// the box and of a layer one cell thick around it, so that a move costs one
// addition and one look-up instead of updates to three coordinates and reads
// of two faces. For walk.cpp and quad_grid.cpp; the search numbers the box
// its own way (search.hpp), from the same cellBlockBits().
//
// Contract:
//  - gridCellCount() stores (X+2)(Y+2)(Z+2) in *cells, or returns false
//    when the product does not fit in 64 bits.
//  - gridFits() holds when the grid of the maze has at most `cellBudget`
//    cells and at most kMaxGridCells, the most the walk unfolds.
//  - planGrid() builds the grid of a usable maze (see mazeProblem()) whose
//    cells the caller has counted and can afford. Bits 4 to 7 of every cell
//    are 0 and left to the caller (the search marks its visits there).
//  - gridIndex() is the index of a position inside the box; gridPosition()
//    turns the index of a cell inside the box back into its position.
//  - gridEntry() gives, for the cell at `index` and move code `code` (0 to
//    5), the index of the cell the move leads to and why it may not be
//    entered: 0 when it may, kGridEdge set when it lies outside the box,
//    else other bits when a face that the move's axis changes (face 0 and 2
//    for x, 1 and 0 for y, 2 and 1 for z) holds a non-zero cell there. The
//    cell at `index` must lie inside the box; the one it leads to then lies
//    inside the grid.

#ifndef TESMO_ENGINE_GRID_HPP
#define TESMO_ENGINE_GRID_HPP

#include <cstdint>
#include <vector>

#include "model/maze.hpp"

namespace tesmo {

constexpr std::uint64_t kMaxGridCells = std::uint64_t{1} << 24;
constexpr std::uint8_t kGridEdge = 8;

struct Grid {
  // Per cell: bit k set when the cell cannot be entered along axis k;
  // kGridEdge and all three axis bits on the layer around the box.
  std::vector<std::uint8_t> blocked;
  std::uint64_t rowSize;         // X + 2
  std::uint64_t layerSize;       // (X + 2)(Y + 2)
  std::uint64_t step[6];         // per move code, added to the index mod 2^64
  std::uint8_t blockingBits[6];  // per move code: its axis bit and kGridEdge
};

bool gridCellCount(const Sizes& size, std::uint64_t* cells);

// The blocking bits of a cell inside the box from the walls of its three
// face cells: axis x changes faces 0 and 2, y faces 1 and 0, z faces 2 and 1.
inline std::uint8_t cellBlockBits(unsigned wall0, unsigned wall1, unsigned wall2) {
  return static_cast<std::uint8_t>((wall0 | wall2) | (wall1 | wall0) << 1 | (wall2 | wall1) << 2);
}

// Calls onRow(y, z, bits) for every row along x of the box, bits[x] the
// blocking bits of cell (x, y, z). The rows are worked out from three byte
// arrays, one per face, each read in order: a box of 10^9 cells takes a
// second, where looking up three face cells per cell takes many. The
// walker's grid and the search's tiles are both made from them.
template <typename OnRow>
void forEachBoxRow(const Maze& maze, OnRow onRow) {
  const std::uint64_t sizeX = maze.size[0], sizeY = maze.size[1], sizeZ = maze.size[2];
  const std::vector<std::uint8_t> wall0 = faceWalls(maze, 0);        // [y][x]
  const std::vector<std::uint8_t> wall1 = faceWalls(maze, 1);        // [z][y]
  const std::vector<std::uint8_t> wall2 = faceWalls(maze, 2, true);  // [z][x]
  std::vector<std::uint8_t> bits(sizeX);
  for (std::uint64_t z = 0; z < sizeZ; ++z) {
    const std::uint8_t* byX2 = wall2.data() + z * sizeX;
    for (std::uint64_t y = 0; y < sizeY; ++y) {
      const std::uint8_t* byX0 = wall0.data() + y * sizeX;
      const unsigned w1 = wall1[z * sizeY + y];
      for (std::uint64_t x = 0; x < sizeX; ++x) bits[x] = cellBlockBits(byX0[x], w1, byX2[x]);
      onRow(y, z, bits.data());
    }
  }
}

bool gridFits(const Maze& maze, std::uint64_t cellBudget);

Grid planGrid(const Maze& maze);

inline std::uint64_t gridIndex(const Grid& grid, const Position& position) {
  return (position[0] + 1) + grid.rowSize * (position[1] + 1) + grid.layerSize * (position[2] + 1);
}

Position gridPosition(const Grid& grid, std::uint64_t index);

// Inline: it runs once per move, up to 10^8 times in a run.
inline std::uint8_t gridEntry(const Grid& grid, std::uint64_t index, std::uint64_t code,
                              std::uint64_t* next) {
  *next = index + grid.step[code];
  return grid.blocked[*next] & grid.blockingBits[code];
}

}  // namespace tesmo

#endif  // TESMO_ENGINE_GRID_HPP
