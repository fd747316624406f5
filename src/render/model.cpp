#include "render/model.hpp"

#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <tuple>

namespace tesmo {

namespace {

// A rectangle in a plane: [u0, u1] x [w0, w1].
struct Rect2 {
  double u0, u1, w0, w1;
};

// The blocks of the set cells of a cols x rows grid of `pitch`, each `gap`
// narrower on every side, joined to each set cell beside it and across a
// corner where all four are set. Every bound is made by cellLo() or
// cellHi(), so that the blocks meet exactly.
std::vector<Rect2> joinedBlocks(std::uint64_t cols, std::uint64_t rows, double pitch, double gap,
                                const std::function<bool(std::uint64_t, std::uint64_t)>& isSet) {
  const auto lo = [&](std::uint64_t i) { return static_cast<double>(i) * pitch + gap; };
  const auto hi = [&](std::uint64_t i) { return static_cast<double>(i + 1) * pitch - gap; };
  std::vector<Rect2> blocks;
  for (std::uint64_t j = 0; j < rows; ++j) {
    for (std::uint64_t i = 0; i < cols; ++i) {
      if (!isSet(i, j)) continue;
      blocks.push_back({lo(i), hi(i), lo(j), hi(j)});
      const bool right = i + 1 < cols && isSet(i + 1, j);
      const bool down = j + 1 < rows && isSet(i, j + 1);
      if (right) blocks.push_back({hi(i), lo(i + 1), lo(j), hi(j)});
      if (down) blocks.push_back({lo(i), hi(i), hi(j), lo(j + 1)});
      if (right && down && isSet(i + 1, j + 1))
        blocks.push_back({hi(i), lo(i + 1), hi(j), lo(j + 1)});
    }
  }
  return blocks;
}

// Face K's wall blocks, in its own cells' millimetres.
std::vector<Rect2> wallBlocks(const Maze& maze, int number, double cell) {
  const Face face = mazeFace(maze, number);
  return joinedBlocks(face.columns, face.rows, cell, kWallGap * cell,
                      [&](std::uint64_t a, std::uint64_t b) {
                        return cellValue(maze, face, {a, b}) != 0;
                      });
}

Box box(int axisU, double u0, double u1, int axisW, double w0, double w1, int axisT, double t0,
        double t1) {
  Box made{};
  made.lo[axisU] = u0;
  made.hi[axisU] = u1;
  made.lo[axisW] = w0;
  made.hi[axisW] = w1;
  made.lo[axisT] = t0;
  made.hi[axisT] = t1;
  return made;
}

// The digits 0 to 2 in 3 x 5 pixels, top row first.
constexpr const char* kDigits[3][5] = {{"111", "101", "101", "101", "111"},
                                       {"010", "110", "010", "010", "111"},
                                       {"111", "001", "111", "100", "111"}};

}  // namespace

Solid assembledModel(const Maze& maze, const ModelSizes& sizes) {
  const double cell = sizes.cell;
  const double inner = -sizes.wallHeight, outer = -sizes.wallHeight - sizes.base;
  Solid solid;
  for (int face = 0; face < 3; ++face) {
    const int u = face, w = secondAxisOf(face), t = secondAxisOf(w);
    solid.add.push_back(box(u, outer, static_cast<double>(maze.size[u]) * cell, w, outer,
                            static_cast<double>(maze.size[w]) * cell, t, outer, inner));
    for (const Rect2& block : wallBlocks(maze, face, cell)) {
      solid.add.push_back(box(u, block.u0, block.u1, w, block.w0, block.w1, t, inner, 0.0));
    }
  }
  return solid;
}

Solid flatModel(const Maze& maze, const ModelSizes& sizes) {
  const double cell = sizes.cell, base = -sizes.base, engraved = -sizes.base * 0.6;
  Solid solid;
  double offset = 0;
  for (int face = 0; face < 3; ++face) {
    const Face drawn = mazeFace(maze, face);
    const double width = static_cast<double>(drawn.columns) * cell;
    const double height = static_cast<double>(drawn.rows) * cell;
    // Rows run down y, as drawn: a row's w becomes height - w.
    solid.add.push_back(box(0, offset, offset + width, 1, 0.0, height, 2, base, 0.0));
    for (const Rect2& block : wallBlocks(maze, face, cell)) {
      solid.add.push_back(box(0, offset + block.u0, offset + block.u1, 1, height - block.w1,
                              height - block.w0, 2, 0.0, sizes.wallHeight));
    }
    // The number, mirrored in x so that it reads from below, in the
    // middle of the underside.
    const double pixel = std::min({cell, width / 5, height / 7});
    const double left = offset + (width - 3 * pixel) / 2, bottom = (height - 5 * pixel) / 2;
    for (const Rect2& block :
         joinedBlocks(3, 5, pixel, 0.08 * pixel, [&](std::uint64_t i, std::uint64_t j) {
           return kDigits[face][4 - j][2 - i] == '1';
         })) {
      solid.cut.push_back(box(0, left + block.u0, left + block.u1, 1, bottom + block.w0,
                              bottom + block.w1, 2, base, engraved));
    }
    offset += width + kFlatGap;
  }
  return solid;
}

Solid routeModel(const std::vector<Position>& positions, const ModelSizes& sizes) {
  const double cell = sizes.cell;
  const auto around = [&](std::uint64_t i, double half, bool high) {
    const double middle = static_cast<double>(i) * cell + cell / 2;
    return high ? middle + half : middle - half;
  };
  const double tube = kTubeWidth * cell / 2;
  const auto cube = [&](const Position& p, double half) {
    Box made{};
    for (int axis = 0; axis < 3; ++axis) {
      made.lo[axis] = around(p[axis], half, false);
      made.hi[axis] = around(p[axis], half, true);
    }
    return made;
  };
  Solid solid;
  std::set<Position> cells;
  std::set<std::pair<Position, int>> joints;  // the lower cell, the axis
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (cells.insert(positions[i]).second) solid.add.push_back(cube(positions[i], tube));
    if (i == 0) continue;
    const Position& a = positions[i - 1];
    const Position& b = positions[i];
    int axis = 0;
    while (axis < 2 && a[axis] == b[axis]) ++axis;
    const Position& low = a[axis] < b[axis] ? a : b;
    if (!joints.emplace(low, axis).second) continue;
    Box joint = cube(low, tube);
    joint.lo[axis] = around(low[axis], tube, true);
    joint.hi[axis] = around(low[axis] + 1, tube, false);
    solid.add.push_back(joint);
  }
  if (!positions.empty()) {
    solid.add.push_back(cube(positions.back(), kEndMark * cell / 2));
    solid.add.push_back(cube(positions.front(), kStartMark * cell / 2));
  }
  return solid;
}

std::string modelSizesFault(const ModelSizes& sizes) {
  for (const double size : {sizes.cell, sizes.wallHeight, sizes.base}) {
    if (!(size >= kSmallestSize && size <= 1000)) {
      return "--cell, --wall-height and --base are from 0.01 to 1000 millimetres";
    }
  }
  return "";
}

std::string modelGridFault(const Maze& maze, bool flat) {
  // About three bounds a cell on each axis (a cell's edge and its wall
  // block's two), and a few more.
  const Sizes& size = maze.size;
  const double x = flat ? 3.0 * static_cast<double>(size[0] + size[1] + size[2]) + 8
                        : 3.0 * static_cast<double>(size[0]) + 4;
  const double y = flat ? 3.0 * static_cast<double>(std::max({size[0], size[1], size[2]})) + 4
                        : 3.0 * static_cast<double>(size[1]) + 4;
  const double z = flat ? 4 : 3.0 * static_cast<double>(size[2]) + 4;
  if (x * y * z <= static_cast<double>(kMaxMeshCells)) return "";
  return "The box is too large for a model: its grid would pass " + std::to_string(kMaxMeshCells) +
         " cells!";
}

}  // namespace tesmo
