// The built-in 11 x 11 x 11 puzzle: the verifier's default settings, as
// lists in index order.

#ifndef TESMO_MODEL_BUILTIN_PUZZLE_HPP
#define TESMO_MODEL_BUILTIN_PUZZLE_HPP

#include "base/number_list.hpp"
#include "model/maze.hpp"

namespace tesmo {

extern const NumberList s_def_dimensions;
extern const NumberList s_def_face0;
extern const NumberList s_def_face1;
extern const NumberList s_def_face2;

// The built-in puzzle as a maze.
inline Maze builtInMaze() {
  return listMaze(s_def_dimensions, s_def_face0, s_def_face1, s_def_face2);
}

}  // namespace tesmo

#endif  // TESMO_MODEL_BUILTIN_PUZZLE_HPP
