// What the pictures of render.hpp share: the faces' shapes, the failed
// move as a face sees it, and the mark each cell shows. For render.cpp,
// render_svg.cpp and render_text.cpp only.

#ifndef TESMO_RENDER_SCENE_HPP
#define TESMO_RENDER_SCENE_HPP

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "number_list.hpp"
#include "render.hpp"

namespace render_detail {

// ---- what every picture shares: the faces' shapes and the marks on them ----

struct FaceAxes {
  int face, second;        // the face and its second axis; its first is `face`
  std::uint64_t columns;   // F
  std::uint64_t rows;      // S; 0 in a box with a size of 0
};

inline FaceAxes faceAxes(const Maze& maze, int face) {
  const NumberList& sizes = maze.dimensions;
  const bool empty = sizes[0] == 0 || sizes[1] == 0 || sizes[2] == 0;
  const int second = (face + 1) % 3;
  return {face, second, empty ? 0 : sizes[face], empty ? 0 : sizes[second]};
}

inline bool isWall(const Maze& maze, const FaceAxes& axes, std::uint64_t column, std::uint64_t row) {
  return cellValue(faceList(maze, axes.face), column + axes.rows * row) != 0;
}

struct Spot {
  std::uint64_t column, row;
  bool operator==(const Spot& other) const {
    return column == other.column && row == other.row;
  }
};

inline Spot spotOf(const FaceAxes& axes, const Position& position) {
  return {position[axes.face], position[axes.second]};
}

inline bool inBox(const Maze& maze, const Position& position) {
  for (int k = 0; k < 3; ++k) {
    if (position[k] >= maze.dimensions[k]) return false;
  }
  return true;
}

// The failed move as seen on one face: on a face holding the move's axis,
// its direction in columns and rows and the cell it heads for.
struct FaceMove {
  bool shown = false;
  int dColumn = 0, dRow = 0;
  Spot from{}, target{};  // target: outside the face for a stop at the edge
  bool blocker = false;   // the target is the blocking cell of this face
  bool edge = false;
};

inline FaceMove faceMove(const FaceAxes& axes, const FailedMove& stop) {
  FaceMove move;
  const int axis = stop.blocker.axis;
  const int step = stop.code % 2 == 0 ? 1 : -1;
  const MoveResult reason = stop.blocker.reason;
  if (reason != MoveResult::kEdge && reason != MoveResult::kWall) return move;
  if (axis != axes.face && axis != axes.second) return move;
  move.shown = true;
  (axis == axes.face ? move.dColumn : move.dRow) = step;
  move.from = spotOf(axes, stop.from);
  move.target = {move.from.column + static_cast<std::uint64_t>(move.dColumn),
                 move.from.row + static_cast<std::uint64_t>(move.dRow)};
  move.edge = reason == MoveResult::kEdge;
  move.blocker = reason == MoveResult::kWall && stop.blocker.face == axes.face;
  return move;
}

// What a cell shows, the marks after the cells in the order they cover
// each other.
enum class Mark : std::uint8_t { kOpen, kWall, kRoute, kMove, kStart, kEnd, kBlocker };

// The marks of one face, found once.
struct FaceMarks {
  FaceAxes axes;
  const std::vector<std::uint8_t>* route;  // empty: none
  std::optional<Spot> start, end;
  FaceMove move;
};

inline FaceMarks faceMarks(const Maze& maze, const Scene& scene, int face) {
  FaceMarks marks{faceAxes(maze, face), &scene.route[face], std::nullopt, std::nullopt, {}};
  if (scene.start && inBox(maze, *scene.start)) marks.start = spotOf(marks.axes, *scene.start);
  if (scene.end && inBox(maze, *scene.end)) marks.end = spotOf(marks.axes, *scene.end);
  if (scene.stop) marks.move = faceMove(marks.axes, *scene.stop);
  return marks;
}

inline bool onRoute(const FaceMarks& marks, std::uint64_t column, std::uint64_t row) {
  return !marks.route->empty() && (*marks.route)[row * marks.axes.columns + column] != 0;
}

// The text's marks, one per cell: the move's mark stands on its target, or
// where the token stands when the target is outside the box.
inline Mark markAt(const Maze& maze, const FaceMarks& marks, const Spot& spot) {
  const FaceMove& move = marks.move;
  if (move.shown && move.blocker && spot == move.target) return Mark::kBlocker;
  if (marks.end && spot == *marks.end) return Mark::kEnd;
  if (marks.start && spot == *marks.start) return Mark::kStart;
  if (move.shown && spot == (move.edge ? move.from : move.target)) return Mark::kMove;
  if (onRoute(marks, spot.column, spot.row)) return Mark::kRoute;
  return isWall(maze, marks.axes, spot.column, spot.row) ? Mark::kWall : Mark::kOpen;
}

// The legend: the kinds the picture shows, with their names.
inline std::vector<std::pair<Mark, const char*>> legendOf(const Maze& maze, const Scene& scene) {
  std::vector<std::pair<Mark, const char*>> items = {{Mark::kWall, "wall"},
                                                     {Mark::kOpen, "open"}};
  if (!scene.route[0].empty()) items.emplace_back(Mark::kRoute, "route");
  if (scene.start && inBox(maze, *scene.start)) items.emplace_back(Mark::kStart, "start");
  if (scene.end && inBox(maze, *scene.end)) items.emplace_back(Mark::kEnd, "end");
  const MoveResult stop = scene.stop ? scene.stop->blocker.reason : MoveResult::kMoved;
  if (stop == MoveResult::kWall) items.emplace_back(Mark::kBlocker, "blocking cell");
  if (stop == MoveResult::kWall || stop == MoveResult::kEdge) {
    items.emplace_back(Mark::kMove, "failed move");
  }
  return items;
}

inline std::size_t digitCount(std::uint64_t number) {
  std::size_t digits = 1;
  for (; number >= 10; number /= 10) ++digits;
  return digits;
}

}  // namespace render_detail

#endif  // TESMO_RENDER_SCENE_HPP
