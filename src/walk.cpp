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

Walk startWalk(const Maze& maze, const NumberList& start) {
  Walk walk;
  for (int k = 0; k < 3; ++k) {
    walk.position[k] = start[k];
    walk.cell[k] = faceCell(k, start, maze.dimensions);
  }
  return walk;
}

MoveResult reportInvalidMove(std::uint64_t code, std::ostream& err) {
  err << "Invalid move (" << code << ")!" << std::endl;
  return MoveResult::kInvalid;
}

MoveResult reportBoxEdge(std::ostream& err) {
  err << "Attempt to access out of boundary!" << std::endl;
  return MoveResult::kStopped;
}

int printVerdict(const std::uint64_t (&position)[3], std::uint64_t steps,
                 const NumberList& end, bool stopped, std::ostream& out) {
  // A stop leaves at least the stopping move unexecuted, so the count of
  // executed moves differs from the count of moves exactly when it stopped.
  if (stopped) {
    out << "Stopped after executing " << steps << "steps." << std::endl;
  }
  if (NumberList(position, position + 3) == end) {
    out << "SUCCESS" << std::endl;
  } else {
    out << "FAILURE (" << steps << ")" << std::endl;
  }
  return 0;
}
