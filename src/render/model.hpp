// The puzzle as 3-D printable solids (see mesh.hpp for their surfaces):
// the assembled corner of the box, the flat-pack of its three plates, and
// a solution's route.
//
// Contract, sizes in millimetres (ModelSizes: a cell's side, the walls'
// height, the plates' thickness):
//  - The box's cells span [a * cell, (a + 1) * cell] on each axis. A wall
//    cell of a face is raised `wallHeight` as a block a little narrower than
//    its cell (kWallGap of the cell on each side), joined to each wall
//    cell beside it on the face (and across a corner where all four are
//    walls): so two walls that touch only at a corner stay apart, and the
//    model stays a 2-manifold.
//  - assembledModel(): one solid, the corner of the box: three plates
//    `base` thick on the sides across z (face 0, x-y), x (face 1, y-z) and
//    y (face 2, z-x), `wallHeight` outside the box, each carrying its
//    face's walls raised towards the box. The solid spans
//    [-(wallHeight + base), size * cell] on each axis.
//  - flatModel(): the three plates side by side on the bed (z from -base
//    to 0, walls up to wallHeight), each its own solid, kFlatGap apart in
//    x, face 0 first; face K's columns run along x and its rows down y, as
//    the faces are drawn, seen from above. Each plate has its face number
//    engraved in its underside, mirrored so that it reads from below.
//  - routeModel(): the route through `positions` as a tube of square
//    section (kTubeWidth of a cell) through the cells' centres, a cube on
//    each cell, with larger cubes on the first position (kStartMark) and
//    the last (kEndMark).
//  - modelSizesFault() says why sizes are refused: each must be from
//    kSmallestSize to 1000. modelGridFault() says, before a model is made,
//    when the box is too large for meshSolid()'s grid.

#ifndef TESMO_RENDER_MODEL_HPP
#define TESMO_RENDER_MODEL_HPP

#include <string>
#include <vector>

#include "model/maze.hpp"
#include "render/mesh.hpp"

namespace tesmo {

struct ModelSizes {
  double cell = 5;
  double wallHeight = 2;
  double base = 2;
};

constexpr double kWallGap = 0.05;    // of a cell, each side
constexpr double kFlatGap = 5;       // millimetres between flat plates
constexpr double kTubeWidth = 0.3;   // of a cell
constexpr double kStartMark = 0.72;  // of a cell
constexpr double kEndMark = 0.56;    // of a cell
// Millimetres: below it a wall block's gap would be lost in a float.
constexpr double kSmallestSize = 0.01;

Solid assembledModel(const Maze& maze, const ModelSizes& sizes);

Solid flatModel(const Maze& maze, const ModelSizes& sizes);

Solid routeModel(const std::vector<Position>& positions, const ModelSizes& sizes);

std::string modelSizesFault(const ModelSizes& sizes);

std::string modelGridFault(const Maze& maze, bool flat);

}  // namespace tesmo

#endif  // TESMO_RENDER_MODEL_HPP
