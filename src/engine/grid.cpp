#include "engine/grid.hpp"

#include <algorithm>

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace grid_local {

constexpr std::uint8_t kAllAxes = 7;

}  // namespace grid_local

bool gridCellCount(const Sizes& size, std::uint64_t* cells) {
  std::uint64_t product = 1;
  for (int axis = 0; axis < 3; ++axis) {
    if (size[axis] > UINT64_MAX - 2 || __builtin_mul_overflow(product, size[axis] + 2, &product)) {
      return false;
    }
  }
  *cells = product;
  return true;
}

bool gridFits(const Maze& maze, std::uint64_t cellBudget) {
  std::uint64_t cells;
  return gridCellCount(maze.size, &cells) && cells <= std::min(cellBudget, kMaxGridCells);
}

Grid planGrid(const Maze& maze) {
  const std::uint64_t sizeX = maze.size[0], sizeY = maze.size[1], sizeZ = maze.size[2];
  Grid grid;
  grid.rowSize = sizeX + 2;
  grid.layerSize = grid.rowSize * (sizeY + 2);
  grid.blocked.assign(grid.layerSize * (sizeZ + 2), kGridEdge | grid_local::kAllAxes);
  forEachBoxRow(maze, [&](std::uint64_t y, std::uint64_t z, const std::uint8_t* bits) {
    std::copy(bits, bits + sizeX, grid.blocked.data() + gridIndex(grid, {0, y, z}));
  });
  const std::uint64_t strides[3] = {1, grid.rowSize, grid.layerSize};
  for (int code = 0; code < 6; ++code) {
    const int axis = code / 2;
    grid.step[code] = code % 2 == 0 ? strides[axis] : 0 - strides[axis];
    grid.blockingBits[code] = static_cast<std::uint8_t>(1u << axis | kGridEdge);
  }
  return grid;
}

Position gridPosition(const Grid& grid, std::uint64_t index) {
  return {index % grid.rowSize - 1, index % grid.layerSize / grid.rowSize - 1,
          index / grid.layerSize - 1};
}

}  // namespace tesmo
