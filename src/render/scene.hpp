// What the pictures of render.hpp share: the faces' shapes, the failed
// move as a face sees it, and the mark each cell shows. For render.cpp,
// render_svg.cpp and render_text.cpp only.

#ifndef TESMO_RENDER_SCENE_HPP
#define TESMO_RENDER_SCENE_HPP

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "render/render.hpp"

namespace tesmo::render_detail {

// ---- what every picture shares: the faces and the marks on them ----

inline bool isWall(const Maze& maze, const Face& face, std::uint64_t column, std::uint64_t row) {
  return cellValue(maze, face, {column, row}) != 0;
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

inline FaceMove faceMove(const Face& face, const WalkOutcome& stop) {
  FaceMove move;
  const int axis = stop.blocker.axis;
  const int step = stop.stopCode % 2 == 0 ? 1 : -1;
  const MoveResult reason = stop.blocker.reason;
  if (reason != MoveResult::kEdge && reason != MoveResult::kWall) return move;
  if (axis != face.first && axis != face.second) return move;
  move.shown = true;
  (axis == face.first ? move.dColumn : move.dRow) = step;
  move.from = spotOf(face, stop.position);
  move.target = {move.from.column + static_cast<std::uint64_t>(move.dColumn),
                 move.from.row + static_cast<std::uint64_t>(move.dRow)};
  move.edge = reason == MoveResult::kEdge;
  move.blocker = reason == MoveResult::kWall && stop.blocker.face == face.number;
  return move;
}

// What a cell shows, the marks after the cells in the order they cover
// each other.
enum class Mark : std::uint8_t { kOpen, kWall, kRoute, kMove, kStart, kEnd, kBlocker };

// The marks of one face, found once.
struct FaceMarks {
  Face face;
  const std::vector<std::uint8_t>* route;  // empty: none
  std::optional<Spot> start, end;
  FaceMove move;
};

inline FaceMarks faceMarks(const Maze& maze, const Scene& scene, int number) {
  FaceMarks marks{mazeFace(maze, number), &scene.route[number], std::nullopt, std::nullopt, {}};
  if (scene.start && insideBox(*scene.start, maze.size)) {
    marks.start = spotOf(marks.face, *scene.start);
  }
  if (scene.end && insideBox(*scene.end, maze.size)) marks.end = spotOf(marks.face, *scene.end);
  if (scene.stop) marks.move = faceMove(marks.face, *scene.stop);
  return marks;
}

inline bool onRoute(const FaceMarks& marks, std::uint64_t column, std::uint64_t row) {
  return !marks.route->empty() && (*marks.route)[drawnIndex(marks.face, {column, row})] != 0;
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
  return isWall(maze, marks.face, spot.column, spot.row) ? Mark::kWall : Mark::kOpen;
}

// The legend: the kinds the picture shows, with their names.
inline std::vector<std::pair<Mark, const char*>> legendOf(const Maze& maze, const Scene& scene) {
  std::vector<std::pair<Mark, const char*>> items = {{Mark::kWall, "wall"}, {Mark::kOpen, "open"}};
  if (!scene.route[0].empty()) items.emplace_back(Mark::kRoute, "route");
  if (scene.start && insideBox(*scene.start, maze.size)) items.emplace_back(Mark::kStart, "start");
  if (scene.end && insideBox(*scene.end, maze.size)) items.emplace_back(Mark::kEnd, "end");
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

}  // namespace tesmo::render_detail

#endif  // TESMO_RENDER_SCENE_HPP
