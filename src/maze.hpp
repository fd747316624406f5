// The puzzle: a box of X x Y x Z cells whose walls are given by three faces,
// each the projection of the box onto a pair of axes. A cell value of 0 is
// open, anything else a wall.
//
// Contract:
//  - A Maze only refers to lists owned by the caller, which must outlive it.
//  - faceCell() maps a position onto a face: face 0 (x and y) at x + Y*y,
//    face 1 (y and z) at y + Z*z, face 2 (z and x) at z + X*x. Rows of a face
//    overlap when its first axis is longer than its second.
//  - mazeProblem() names, as a one-line message, settings that the cell rule
//    would read past: fewer than three sizes, or a face shorter than the
//    largest index a position inside the box reaches. It returns "" for a
//    usable maze; the other functions expect one, and still never read past
//    the end of a list (a missing cell reads as a wall).
//  - insideBox() holds when x < X, y < Y and z < Z; a size of 0 leaves every
//    position outside.
//  - endpointOnWall() is asked of a position inside the box: it holds when a
//    cell of the position holds exactly 1, so a cell holding 2 blocks a move
//    but not a start or an end.

#ifndef TESMO_MAZE_HPP
#define TESMO_MAZE_HPP

#include <array>
#include <cstdint>
#include <string>

#include "number_list.hpp"

// A position inside the box: x, y, z, each counted from 0.
using Position = std::array<std::uint64_t, 3>;

// The axes' names, as messages and files write them.
inline constexpr const char* kAxisNames[3] = {"x", "y", "z"};

struct Maze {
  const NumberList& dimensions;  // X, Y, Z; any further elements are unused
  const NumberList& face0;       // spans x and y
  const NumberList& face1;       // spans y and z
  const NumberList& face2;       // spans z and x
};

// The built-in 11 x 11 x 11 puzzle.
extern const NumberList s_def_dimensions;
extern const NumberList s_def_face0;
extern const NumberList s_def_face1;
extern const NumberList s_def_face2;

std::string mazeProblem(const Maze& maze);

// Index into face `face` (0, 1 or 2) of a position of three elements (a
// Position, or a NumberList of three).
template <typename Coordinates = Position>
std::uint64_t faceCell(int face, const Coordinates& position,
                       const NumberList& dimensions) {
  const std::uint64_t x = position[0], y = position[1], z = position[2];
  switch (face) {
    case 0: return x + dimensions[1] * y;
    case 1: return y + dimensions[2] * z;
    default: return z + dimensions[0] * x;
  }
}

// Face 0, 1 or 2 of the maze.
inline const NumberList& faceList(const Maze& maze, int face) {
  return face == 0 ? maze.face0 : face == 1 ? maze.face1 : maze.face2;
}

// Value of a cell; an index past the end of the face reads as a wall.
inline std::uint64_t cellValue(const NumberList& face, std::uint64_t index) {
  return index < face.size() ? face[index] : 1;
}

bool insideBox(const NumberList& position, const NumberList& dimensions);

bool endpointOnWall(const NumberList& position, const Maze& maze);

#endif  // TESMO_MAZE_HPP
