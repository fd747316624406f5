#include "maze.hpp"

#include <initializer_list>
#include <optional>
#include <string_view>

namespace {

// One row per string, one digit per cell, as the puzzle is drawn.
NumberList faceFromRows(std::initializer_list<std::string_view> rows) {
  NumberList cells;
  for (std::string_view row : rows) {
    for (char digit : row) cells.push_back(static_cast<std::uint64_t>(digit - '0'));
  }
  return cells;
}

// Cells a face needs so that every position inside the box finds its cell:
// the largest index, (first - 1) + second * (second - 1), plus one. Empty
// when that count does not fit in 64 bits.
std::optional<std::uint64_t> cellsNeeded(std::uint64_t first,
                                         std::uint64_t second) {
  std::uint64_t rows;
  std::uint64_t cells;
  if (__builtin_mul_overflow(second, second - 1, &rows) ||
      __builtin_add_overflow(rows, first, &cells)) {
    return std::nullopt;
  }
  return cells;
}

std::string faceProblem(int face, const NumberList& cells, std::uint64_t first,
                        std::uint64_t second) {
  const std::optional<std::uint64_t> needed = cellsNeeded(first, second);
  if (needed && cells.size() >= *needed) return "";
  const std::string need = needed ? std::to_string(*needed)
                                  : "more than " + std::to_string(UINT64_MAX);
  return "Face " + std::to_string(face) + " holds " +
         std::to_string(cells.size()) + " cells but the dimensions need " +
         need + "!";
}

}  // namespace

const NumberList s_def_dimensions = {11, 11, 11};

const NumberList s_def_face0 = faceFromRows({
    "11111111111", "10000000001", "11101111101", "10100000101",
    "10101111111", "10001000101", "10111011101", "10001010101",
    "11101010101", "10000000001", "11111111111"});

const NumberList s_def_face1 = faceFromRows({
    "11111111111", "10000000101", "10101110101", "10101000001",
    "11101011111", "10101010001", "10101010101", "10001000101",
    "10111110101", "10100000101", "11111111111"});

const NumberList s_def_face2 = faceFromRows({
    "11111111111", "10001000001", "10111011101", "10001010001",
    "11101110101", "10100000101", "10101111101", "10100010001",
    "10111110111", "10000000001", "11111111111"});

std::string mazeProblem(const Maze& maze) {
  const NumberList& sizes = maze.dimensions;
  if (sizes.size() < 3) {
    return "Dimensions (" + listText(sizes) + ") must hold three sizes!";
  }
  const std::uint64_t x = sizes[0], y = sizes[1], z = sizes[2];
  // With a size of 0 every position is outside the box and no cell is read.
  if (x == 0 || y == 0 || z == 0) return "";
  std::string problem = faceProblem(0, maze.face0, x, y);
  if (problem.empty()) problem = faceProblem(1, maze.face1, y, z);
  if (problem.empty()) problem = faceProblem(2, maze.face2, z, x);
  return problem;
}

bool insideBox(const NumberList& position, const NumberList& dimensions) {
  if (position.size() < 3 || dimensions.size() < 3) return false;
  return dimensions[0] > position[0] && dimensions[1] > position[1] &&
         dimensions[2] > position[2];
}

bool endpointOnWall(const NumberList& position, const Maze& maze) {
  const NumberList& sizes = maze.dimensions;
  return cellValue(maze.face0, faceCell(0, position, sizes)) == 1 ||
         cellValue(maze.face1, faceCell(1, position, sizes)) == 1 ||
         cellValue(maze.face2, faceCell(2, position, sizes)) == 1;
}
