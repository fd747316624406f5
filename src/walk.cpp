#include "walk.hpp"

MovePlan planMoves(const Maze& maze) {
  MovePlan plan;
  for (int k = 0; k < 3; ++k) {
    plan.size[k] = maze.dimensions[k];
    plan.cells[k] = faceList(maze, k).data();
    plan.cellCount[k] = faceList(maze, k).size();
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

int printVerdict(const Walk& walk, const NumberList& end, bool stopped,
                 std::ostream& out) {
  // A stop leaves at least the stopping move unexecuted, so the count of
  // executed moves differs from the count of moves exactly when it stopped.
  if (stopped) {
    out << "Stopped after executing " << walk.steps << "steps." << std::endl;
  }
  const std::uint64_t* position = walk.position;
  if (NumberList(position, position + 3) == end) {
    out << "SUCCESS" << std::endl;
  } else {
    out << "FAILURE (" << walk.steps << ")" << std::endl;
  }
  return 0;
}
