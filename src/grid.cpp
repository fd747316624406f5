#include "grid.hpp"

#include <algorithm>

namespace {

constexpr std::uint8_t kAllAxes = 7;

// The blocking bits of a cell inside the box, from its three face cells.
std::uint8_t cellBits(const Maze& maze, const NumberList& position) {
  const NumberList& sizes = maze.dimensions;
  const unsigned wall0 = cellValue(maze.face0, faceCell(0, position, sizes)) != 0;
  const unsigned wall1 = cellValue(maze.face1, faceCell(1, position, sizes)) != 0;
  const unsigned wall2 = cellValue(maze.face2, faceCell(2, position, sizes)) != 0;
  return static_cast<std::uint8_t>((wall0 | wall2) | (wall1 | wall0) << 1 |
                                   (wall2 | wall1) << 2);
}

}  // namespace

bool gridFits(const Maze& maze, std::uint64_t cellBudget) {
  const std::uint64_t limit = std::min(cellBudget, kMaxGridCells);
  std::uint64_t cells = 1;
  for (int axis = 0; axis < 3; ++axis) {
    const std::uint64_t size = maze.dimensions[axis];
    // Each factor and product stays below 2^25 * 2^24, far from overflow.
    if (size > limit) return false;
    cells *= size + 2;
    if (cells > limit) return false;
  }
  return true;
}

Grid planGrid(const Maze& maze) {
  const NumberList& sizes = maze.dimensions;
  Grid grid;
  grid.rowSize = sizes[0] + 2;
  grid.layerSize = grid.rowSize * (sizes[1] + 2);
  grid.blocked.assign(grid.layerSize * (sizes[2] + 2), kGridEdge | kAllAxes);
  NumberList position(3);
  for (position[2] = 0; position[2] < sizes[2]; ++position[2]) {
    for (position[1] = 0; position[1] < sizes[1]; ++position[1]) {
      for (position[0] = 0; position[0] < sizes[0]; ++position[0]) {
        grid.blocked[gridIndex(grid, position)] = cellBits(maze, position);
      }
    }
  }
  const std::uint64_t strides[3] = {1, grid.rowSize, grid.layerSize};
  for (int code = 0; code < 6; ++code) {
    const int axis = code / 2;
    grid.step[code] = code % 2 == 0 ? strides[axis] : 0 - strides[axis];
    grid.blockingBits[code] = static_cast<std::uint8_t>(1u << axis | kGridEdge);
  }
  return grid;
}

std::uint64_t gridIndex(const Grid& grid, const NumberList& position) {
  return (position[0] + 1) + grid.rowSize * (position[1] + 1) +
         grid.layerSize * (position[2] + 1);
}

void gridPosition(const Grid& grid, std::uint64_t index,
                  std::uint64_t position[3]) {
  position[0] = index % grid.rowSize - 1;
  position[1] = index % grid.layerSize / grid.rowSize - 1;
  position[2] = index / grid.layerSize - 1;
}
