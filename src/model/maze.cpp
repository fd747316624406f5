#include "model/maze.hpp"

#include <optional>

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace maze_local {

std::string faceProblem(const Face& face, const NumberList& cells) {
  const std::optional<std::uint64_t> needed = faceLength(face);
  if (needed && cells.size() >= *needed) return "";
  const std::string need =
      needed ? std::to_string(*needed) : "more than " + std::to_string(UINT64_MAX);
  return "Face " + std::to_string(face.number) + " holds " + std::to_string(cells.size()) +
         " cells but the dimensions need " + need + "!";
}

Sizes sizesOf(const NumberList& dimensions) {
  return {dimensions[0], dimensions[1], dimensions[2]};
}

}  // namespace maze_local

std::string listMazeProblem(const NumberList& dimensions, const NumberList& face0,
                            const NumberList& face1, const NumberList& face2) {
  if (dimensions.size() < 3) {
    return "Dimensions (" + listText(dimensions) + ") must hold three sizes!";
  }
  const Sizes size = maze_local::sizesOf(dimensions);
  // With a size of 0 every position is outside the box and no cell is read.
  const NumberList* lists[3] = {&face0, &face1, &face2};
  for (int face = 0; face < 3; ++face) {
    std::string problem = maze_local::faceProblem(faceOf(size, face), *lists[face]);
    if (!problem.empty()) return problem;
  }
  return "";
}

Maze listMaze(const NumberList& dimensions, const NumberList& face0, const NumberList& face1,
              const NumberList& face2) {
  Maze maze;
  maze.size = maze_local::sizesOf(dimensions);
  const NumberList* lists[3] = {&face0, &face1, &face2};
  for (int face = 0; face < 3; ++face) {
    maze.faces[face].values = lists[face]->data();
    maze.faces[face].valueCount = lists[face]->size();
  }
  return maze;
}

bool endpointOnWall(const Position& position, const Maze& maze) {
  for (int number = 0; number < 3; ++number) {
    const Face face = mazeFace(maze, number);
    if (cellValue(maze, face, spotOf(face, position)) == 1) return true;
  }
  return false;
}

std::vector<std::uint8_t> faceWalls(const Maze& maze, int number, bool transposed) {
  const Face face = mazeFace(maze, number);
  std::vector<std::uint8_t> walls(face.columns * face.rows);
  for (std::uint64_t b = 0; b < face.rows; ++b) {
    for (std::uint64_t a = 0; a < face.columns; ++a) {
      const std::uint8_t wall = cellValue(maze, face, {a, b}) != 0;
      walls[transposed ? a * face.rows + b : drawnIndex(face, {a, b})] = wall;
    }
  }
  return walls;
}

}  // namespace tesmo
