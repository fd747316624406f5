// Pictures of a puzzle: its three faces side by side, as an SVG 1.1
// document or as lines of text for a terminal, with what a replayed
// solution leaves on them: the shadow of its route, its start and end, and
// the move that stopped it.
//
// Contract:
//  - Face K spans its first axis K (F cells) and its second axis
//    (K + 1) % 3 (S cells) and is drawn as the puzzle file draws it: S rows
//    of F cells, the cell in column a of row b being cell a + S*b of the
//    face (rows overlap when F > S), a wall when it is not 0. A position
//    (x, y, z) projects onto column p[K], row p[(K + 1) % 3] of face K.
//  - drawable() holds when every face has at most kMaxDrawnCells cells
//    (F*S); the other functions expect a drawable, usable maze.
//  - A Scene is what is drawn over the faces; every part may be absent (a
//    default Scene draws the faces alone). markRoute() walks the first
//    `executed` codes of `moves` from `start` with the walker and marks the
//    projection of every position it stands on, the start's included, with
//    the shade of the first move that came there; a route of at most
//    kMaxRouteLine moves keeps its positions for the line too.
//  - writeSvg() writes the whole document. Each face is a group
//    id="faceK" holding its title "face K (x, y)" (the axes, first first),
//    its axis names, column numbers along the top and row numbers down the
//    left (every cell, or every 5th, 10th, 50th... when cells are small),
//    and a group translated and scaled to cell units, in which x is the
//    column and y the row: a light rect under the whole face, then a path
//    id="faceK-walls" covering exactly the wall cells (rectangles
//    "Mx yhWvHh-Wz": runs of a row, joined with the same runs of the rows
//    below), group id="faceK-route" of such paths, one a shade, covering
//    the route's shadow, and for a short route group id="faceK-route-line"
//    (a line through the cells' centres with heads showing its direction).
//    Above them the marks, sized to stay visible at 900 pixels wide:
//    circles id="faceK-start" and id="faceK-end" lettered S and E, and
//    for a stop at a wall or the edge a path id="faceK-move" (an arrow from
//    where the token stands towards the cell it could not enter) on each
//    face holding the move's axis, a rect id="blocker" on the blocking cell
//    of the blocker's face, ringed and lettered X, or a line id="faceK-edge"
//    on the border the move would cross. A legend of what is drawn and the
//    caption lines follow. Text is escaped (& < > " '); bytes below 0x20
//    are written as '?'.
//  - writeText() writes each face as its title, a line of column numbers
//    after the first axis's name, then a line per row: the second axis's
//    name on row 0, the row number, and two columns per cell: "██" wall,
//    "· " open, "░░" route, "S " start, "E " end, "X " blocking cell, and
//    "→ ", "← ", "↓ ", "↑ " the failed move's target (where the token stands
//    when the target is outside the box), the first of X, E, S, the arrow,
//    the route that applies; numbers every column up to 10 columns, else
//    every 5th. Nothing it writes is wider than `width` columns: the faces
//    stand side by side, 3 columns apart, when they fit; else one under
//    another with a blank line between; else so, one column a cell
//    ("█", "·", "░", "S"... and numbers every 10th column); else a line
//    "The faces need a terminal N columns wide; this one has W." and the
//    caption. A blank line, the legend (in lines that fit) and the caption
//    lines follow; captions wrap at blanks, a longer word is cut; no line
//    ends in a blank and none is wider than `width` (taken as at least 1).
//    With `colour`, marks, the route and open cells are wrapped in ANSI
//    colour escapes (the text is otherwise the same).
//  - colourWanted(): colour for a terminal only, unless NO_COLOR holds a
//    non-empty value (no-color.org); `noColor` is its value or null.

#ifndef TESMO_RENDER_RENDER_HPP
#define TESMO_RENDER_RENDER_HPP

#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/walk.hpp"
#include "model/maze.hpp"

namespace tesmo {

// 2048 x 2048: an SVG of such a face reaches tens of megabytes, and no
// terminal shows it.
constexpr std::uint64_t kMaxDrawnCells = std::uint64_t{1} << 22;

// The route is drawn in shades, from the first eighth of its moves to the
// last, so that its order can be followed.
constexpr std::uint8_t kRouteShades = 8;

// A route of at most so many moves is also drawn as a line through its
// cells' centres.
constexpr std::uint64_t kMaxRouteLine = 4096;

struct Scene {
  // Face K: F*S bytes, row by row, 0 for a cell off the route, else 1 + the
  // shade of the first move that came there; empty: no route.
  std::vector<std::uint8_t> route[3];
  std::vector<Position> routeLine;  // the route's positions in order, when short

  std::optional<Position> start, end;
  // The walk that stopped at a wall or the box edge (any other stop is not
  // drawn): where the token stands, the code and its blocker.
  std::optional<WalkOutcome> stop;
  std::vector<std::string> caption;  // lines under the faces
};

bool drawable(const Maze& maze);

void markRoute(const Maze& maze, const Position& start, const std::deque<std::uint64_t>& moves,
               std::uint64_t executed, Scene* scene);

void writeSvg(std::ostream& out, const Maze& maze, const Scene& scene);

void writeText(std::ostream& out, const Maze& maze, const Scene& scene, bool colour,
               std::size_t width);

bool colourWanted(bool terminal, const char* noColor);

}  // namespace tesmo

#endif  // TESMO_RENDER_RENDER_HPP
