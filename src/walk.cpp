#include "walk.hpp"

MovePlan planMoves(const Maze& maze) {
  MovePlan plan{};
  for (int k = 0; k < 3; ++k) {
    plan.size[k] = maze.dimensions[k];
    plan.cells[k] = faceList(maze, k).data();
    plan.cellCount[k] = faceList(maze, k).size();
  }
  for (int code = 0; code < 6; ++code) {
    MoveRule& rule = plan.rules[code];
    const int axis = code / 2;
    const std::uint64_t step = code % 2 == 0 ? 1 : UINT64_MAX;
    rule.positionStep[axis] = step;
    // Face k spans axis k and the axis after it, with cell index
    // (axis k) + size[k + 1] * (axis k + 1): a step along axis a moves the
    // cell of face a by one and the cell of the face before it by size[a].
    // The third face's cell does not change and is not looked at.
    const int first = axis, second = (axis + 2) % 3;
    rule.cellStep[first] = step;
    rule.cellStep[second] = step * plan.size[axis];
    rule.cellMask[first] = rule.cellMask[second] = UINT64_MAX;
  }
  return plan;
}

Walk startWalk(const Maze& maze, const Position& start) {
  Walk walk;
  for (int k = 0; k < 3; ++k) {
    walk.position[k] = start[k];
    walk.cell[k] = faceCell(k, start, maze.dimensions);
  }
  return walk;
}

Blocker blockerOf(const Maze& maze, const Position& from, std::uint64_t code) {
  Blocker blocker;
  if (code > 5) {
    blocker.reason = MoveResult::kInvalid;
    return blocker;
  }
  const int axis = static_cast<int>(code / 2);
  const bool up = code % 2 == 0;
  blocker.axis = axis;
  if (up ? from[axis] + 1 >= maze.dimensions[axis] : from[axis] == 0) {
    blocker.reason = MoveResult::kEdge;
    return blocker;
  }
  Position target = from;
  target[axis] += up ? 1 : UINT64_MAX;
  // The two faces holding the axis, in the order the walk reads them.
  for (int face : {axis, (axis + 2) % 3}) {
    const std::uint64_t cell = faceCell(face, target, maze.dimensions);
    const std::uint64_t value = cellValue(faceList(maze, face), cell);
    if (value != 0) {
      blocker.reason = MoveResult::kWall;
      blocker.face = face;
      blocker.cell = cell;
      blocker.value = value;
      blocker.target = target;
      return blocker;
    }
  }
  return blocker;
}
