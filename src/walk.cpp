#include "walk.hpp"

namespace {

constexpr std::uint64_t kMoveCodes = 6;

}  // namespace

MoveResult applyMove(const Maze& maze, std::uint64_t code, Walk* walk,
                     std::ostream& err) {
  if (code >= kMoveCodes) {
    err << "Invalid move (" << code << ")!" << std::endl;
    return MoveResult::kInvalid;
  }
  const int axis = static_cast<int>(code / 2);  // 0 x, 1 y, 2 z
  const bool forward = code % 2 == 0;
  NumberList& position = walk->position;
  const std::uint64_t from = position[axis];
  if (forward ? from + 1 == maze.dimensions[axis] : from == 0) {
    err << "Attempt to access out of boundary!" << std::endl;
    return MoveResult::kStopped;
  }
  position[axis] = forward ? from + 1 : from - 1;
  // Face k spans axis k and the axis after it, so the faces holding the
  // moving axis are face `axis` and the face before it; the third face's
  // cell does not change with the move.
  const int firstFace = axis;
  const int secondFace = (axis + 2) % 3;
  if (cellValue(faceList(maze, firstFace),
                faceCell(firstFace, position, maze.dimensions)) != 0 ||
      cellValue(faceList(maze, secondFace),
                faceCell(secondFace, position, maze.dimensions)) != 0) {
    position[axis] = from;
    return MoveResult::kStopped;
  }
  ++walk->steps;
  return MoveResult::kMoved;
}

int printVerdict(const Walk& walk, const NumberList& end, bool stopped,
                 std::ostream& out) {
  // A stop leaves at least the stopping move unexecuted, so the count of
  // executed moves differs from the count of moves exactly when it stopped.
  if (stopped) {
    out << "Stopped after executing " << walk.steps << "steps." << std::endl;
  }
  if (walk.position == end) {
    out << "SUCCESS" << std::endl;
  } else {
    out << "FAILURE (" << walk.steps << ")" << std::endl;
  }
  return 0;
}
