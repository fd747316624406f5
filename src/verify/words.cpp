#include "verify/words.hpp"

namespace tesmo {

std::string movesText(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " move" : " moves");
}

const char* moveName(std::uint64_t code) {
  static const char* const kNames[] = {"x+1", "x-1", "y+1", "y-1", "z+1", "z-1"};
  return code < 6 ? kNames[code] : "no move";
}

std::string positionText(const Position& position) {
  return "(" + std::to_string(position[0]) + "," + std::to_string(position[1]) + "," +
         std::to_string(position[2]) + ")";
}

std::string stopLine(const WalkOutcome& outcome) {
  const std::string head =
      "move " + std::to_string(outcome.executed + 1) + ": code " + std::to_string(outcome.stopCode);
  const Blocker& blocker = outcome.blocker;
  if (blocker.reason == MoveResult::kInvalid) return head + " is no move (codes are 0 to 5)";
  const std::string move =
      head + " (" + moveName(outcome.stopCode) + ") from " + positionText(outcome.position);
  if (blocker.reason == MoveResult::kEdge) {
    return move + " runs into the box edge on axis " + kAxisNames[blocker.axis];
  }
  const int first = blocker.face, second = secondAxisOf(blocker.face);
  return move + " runs into a wall: face " + std::to_string(blocker.face) + " cell " +
         std::to_string(blocker.cell) + " (" + kAxisNames[first] + "=" +
         std::to_string(blocker.target[first]) + ", " + kAxisNames[second] + "=" +
         std::to_string(blocker.target[second]) + ") holds " + std::to_string(blocker.value);
}

std::string failureLine(const WalkOutcome& outcome, const Position& end, const Distance& toEnd) {
  const std::string stands = "after " + movesText(outcome.executed) + " the token stands at " +
                             positionText(outcome.position);
  if (!toEnd.searched) {
    return stands + ", in a box too large to measure the way to the end " + positionText(end);
  }
  if (!toEnd.moves)
    return stands + ", and no route leads from there to the end " + positionText(end);
  return stands + ", " + movesText(*toEnd.moves) + " from the end " + positionText(end);
}

std::string successLine(std::uint64_t executed, const Distance& shortest) {
  const std::string route = "route of " + movesText(executed);
  if (!shortest.searched) {
    return route + "; no shorter one is known (the box is too large to search)";
  }
  // Only a walk stopped on its first move, where start and end are one,
  // gets here with no route: the token never left.
  if (!shortest.moves) return route + "; no route of one move or more leads back to the start";
  return route + "; the shortest has " + std::to_string(*shortest.moves);
}

}  // namespace tesmo
