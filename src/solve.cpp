#include "solve.hpp"

#include <deque>
#include <ostream>
#include <vector>

#include "walk.hpp"

namespace {

constexpr std::uint8_t kUnvisited = 0;
constexpr std::uint8_t kStartCell = 7;  // codes are stored as code + 1

struct Box {
  std::uint64_t sizeX, sizeY;
};

std::uint64_t indexOf(const Box& box, const std::uint64_t* position) {
  return position[0] + box.sizeX * (position[1] + box.sizeY * position[2]);
}

NumberList positionOf(const Box& box, std::uint64_t index) {
  return {index % box.sizeX, index / box.sizeX % box.sizeY,
          index / box.sizeX / box.sizeY};
}

// The route to the cell at `last`, walked back along the codes that reached
// each cell, then `code`, the move out of it.
NumberList routeBack(const Box& box, const std::vector<std::uint8_t>& reachedBy,
                     std::uint64_t last, std::uint64_t code) {
  NumberList route = {code};
  NumberList position = positionOf(box, last);
  for (std::uint8_t mark; (mark = reachedBy[indexOf(box, position.data())]) != kStartCell;) {
    const std::uint64_t back = mark - 1;
    route.push_back(back);
    position[back / 2] += back % 2 == 0 ? UINT64_MAX : 1;  // one step back
  }
  return NumberList(route.rbegin(), route.rend());
}

}  // namespace

bool boxCells(const NumberList& dimensions, std::uint64_t* cells) {
  std::uint64_t area;
  return !__builtin_mul_overflow(dimensions[0], dimensions[1], &area) &&
         !__builtin_mul_overflow(area, dimensions[2], cells);
}

bool shortestRoute(const Maze& maze, const NumberList& start,
                   const NumberList& end, NumberList* route) {
  const MovePlan plan = planMoves(maze);
  std::ostream discard(nullptr);  // moves past the box edge are simply not taken
  std::uint64_t cells = 0;
  boxCells(maze.dimensions, &cells);
  const Box box{maze.dimensions[0], maze.dimensions[1]};
  std::vector<std::uint8_t> reachedBy(cells, kUnvisited);
  std::deque<std::uint64_t> frontier;
  reachedBy[indexOf(box, start.data())] = kStartCell;
  frontier.push_back(indexOf(box, start.data()));
  const std::uint64_t target = indexOf(box, end.data());
  // Cells leave the frontier in order of distance, so the first move into
  // the target ends a shortest route; when the target is the start, that is
  // the shortest way back, which need not retrace the first move: a cell of
  // the start holding 2 lets the token out but not back in along its axes.
  while (!frontier.empty()) {
    const std::uint64_t fromIndex = frontier.front();
    const Walk from = startWalk(maze, positionOf(box, fromIndex));
    frontier.pop_front();
    for (std::uint64_t code = 0; code < 6; ++code) {
      Walk to = from;
      if (applyMove(plan, code, &to, discard) != MoveResult::kMoved) continue;
      const std::uint64_t index = indexOf(box, to.position);
      if (index == target) {
        *route = routeBack(box, reachedBy, fromIndex, code);
        return true;
      }
      if (reachedBy[index] != kUnvisited) continue;
      reachedBy[index] = static_cast<std::uint8_t>(code + 1);
      frontier.push_back(index);
    }
  }
  return false;
}
