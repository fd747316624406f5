// A whole puzzle as the toolkit keeps it: its sizes, its faces drawn (one
// byte per cell, row by row, as a puzzle file draws them), and a start and
// an end when it has them.

#ifndef TESMO_MODEL_PUZZLE_HPP
#define TESMO_MODEL_PUZZLE_HPP

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/face.hpp"
#include "model/maze.hpp"

namespace tesmo {

struct Puzzle {
  Sizes size{};
  std::array<std::vector<std::uint8_t>, 3> faces;  // face K: F * S cells, row b at b * F
  std::optional<Position> start, end;
};

// The puzzle as a maze; it refers to the puzzle's faces.
inline Maze puzzleMaze(const Puzzle& puzzle) {
  Maze maze;
  maze.size = puzzle.size;
  for (int face = 0; face < 3; ++face) maze.faces[face].drawn = puzzle.faces[face].data();
  return maze;
}

}  // namespace tesmo

#endif  // TESMO_MODEL_PUZZLE_HPP
