// The puzzle: a box whose walls are given by three faces (see face.hpp). A
// cell value of 0 is open; any other value blocks a move, and 1 also
// refuses a start or an end on it.
//
// Contract:
//  - A Maze refers to cells owned by the caller, which must outlive it. A
//    face's cells are held either as a list in index order, as the
//    verifier's settings give them (8 bytes for every number of the
//    index's span), or as one byte per drawn cell, row by row, as a puzzle
//    file draws them (so memory follows the cells drawn, not the span).
//  - listMazeProblem() names, as a one-line message, settings a maze
//    cannot be made of: fewer than three sizes ("Dimensions (5,5) must
//    hold three sizes!"), or a face list shorter than its faceLength()
//    ("Face 1 holds 12 cells but the dimensions need 121!", or "... need
//    more than 18446744073709551615!"). It returns "" when listMaze() may
//    make one.
//  - cellValue() is the value at a spot of a face of the maze; a list too
//    short for the spot reads as a wall (never in a maze listMaze() makes
//    after listMazeProblem() returned "").
//  - endpointOnWall() is asked of a position inside the box: it holds when
//    a cell of the position holds exactly 1, in the order face 0, 1, 2.
//  - faceWalls() is face K's walls as bytes, 1 for a non-zero cell: entry
//    [b * F + a] for column a and row b, or with `transposed` [a * S + b].

#ifndef TESMO_MODEL_MAZE_HPP
#define TESMO_MODEL_MAZE_HPP

#include <cstdint>
#include <string>
#include <vector>

#include "base/number_list.hpp"
#include "model/face.hpp"

namespace tesmo {

struct FaceCells {
  const std::uint64_t* values = nullptr;  // a list in index order, `valueCount` long
  std::uint64_t valueCount = 0;
  const std::uint8_t* drawn = nullptr;  // or a byte per drawn cell, row b at b * F
};

struct Maze {
  Sizes size{};
  FaceCells faces[3];
};

std::string listMazeProblem(const NumberList& dimensions, const NumberList& face0,
                            const NumberList& face1, const NumberList& face2);

Maze listMaze(const NumberList& dimensions, const NumberList& face0, const NumberList& face1,
              const NumberList& face2);

inline Face mazeFace(const Maze& maze, int number) { return faceOf(maze.size, number); }

inline std::uint64_t cellValue(const Maze& maze, const Face& face, const Spot& spot) {
  const FaceCells& cells = maze.faces[face.number];
  if (cells.drawn) return cells.drawn[drawnIndex(face, spot)];
  const std::uint64_t index = faceIndex(face, spot);
  return index < cells.valueCount ? cells.values[index] : 1;
}

bool endpointOnWall(const Position& position, const Maze& maze);

std::vector<std::uint8_t> faceWalls(const Maze& maze, int face, bool transposed = false);

}  // namespace tesmo

#endif  // TESMO_MODEL_MAZE_HPP
