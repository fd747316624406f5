#include "verify/replay.hpp"

#include "base/exit_status.hpp"
#include "base/number_list.hpp"
#include "verify/endpoints.hpp"

namespace tesmo {

namespace {

int sayNoMoves(Said* said) {
  sayErr(said, "Solution () is empty!");
  return kMalformedSolution;
}

// Reads the moves line and walks it. A move takes at least two bytes of
// the file, so its size bounds the grid's cost. Moves kept for the caller
// are read whole, then walked; otherwise each is walked as it is read, and
// after a stop nothing more is read, unless the verbose echo, which needs
// the count before the list, reads on: it keeps the list as the echo's text
// only (a byte or two a move), walking as it reads.
void walkSolution(NumberReader* reader, const Maze& maze, bool verbose, bool keepMoves,
                  ReplayFacts* facts) {
  Walker walker = startWalker(maze, *facts->start, reader->fileSize / 2);
  std::uint64_t count = 0;
  if (keepMoves) {
    std::deque<std::uint64_t>& moves = facts->moves;
    forEachNumber(reader, [&](std::uint64_t code) {
      moves.push_back(code);
      return true;
    });
    for (std::uint64_t code : moves) {
      if (!stepWalker(&walker, code)) break;
    }
    count = moves.size();
  } else if (verbose) {
    std::string list;
    forEachNumber(reader, [&](std::uint64_t code) {
      if (count++ > 0) list += ',';
      appendNumber(&list, code);
      stepWalker(&walker, code);
      return true;
    });
    sayOut(&facts->said, "Solu: " + std::to_string(count) + ", " + list);
  } else {
    std::uint64_t firstMove;
    if (nextNumber(reader, &firstMove)) {
      count = 1;
      if (stepWalker(&walker, firstMove)) walkLine(&walker, reader);
    }
  }
  if (count == 0) {
    facts->status = sayNoMoves(&facts->said);
    return;
  }
  facts->outcome = walkerOutcome(walker);
  facts->walked = true;
  facts->status = sayVerdict(facts->outcome, *facts->end, &facts->said);
}

}  // namespace

int sayVerdict(const WalkOutcome& outcome, const Position& end, Said* said) {
  if (outcome.stop == MoveResult::kInvalid) {
    sayErr(said, "Invalid move (" + std::to_string(outcome.stopCode) + ")!");
    return kMalformedSolution;
  }
  if (outcome.stop == MoveResult::kEdge) sayErr(said, "Attempt to access out of boundary!");
  const std::string executed = std::to_string(outcome.executed);
  if (outcome.stop != MoveResult::kMoved) {
    sayOut(said, "Stopped after executing " + executed + "steps.");
  }
  sayOut(said, outcome.position == end ? "SUCCESS" : "FAILURE (" + executed + ")");
  return kVerdictGiven;
}

void replaySolution(const std::string& fileName, const Maze& maze, bool verbose, bool keepMoves,
                    ReplayFacts* facts) {
  NumberReader reader;
  if (!openNumberFile(fileName, &reader)) {
    facts->readError = reader.error;
    facts->status = kMalformedSolution;
    return;
  }
  facts->opened = true;
  Position start, end;
  if (!readPosition(&reader, kStart, verbose, &start, &facts->said)) {
    facts->status = kMalformedSolution;
    return;
  }
  facts->start = start;
  if (!readPosition(&reader, kEnd, verbose, &end, &facts->said)) {
    facts->status = kMalformedSolution;
    return;
  }
  facts->end = end;
  if (!endpointUsable(start, kStart, maze, &facts->said) ||
      !endpointUsable(end, kEnd, maze, &facts->said)) {
    return;
  }
  facts->endpointsUsable = true;
  walkSolution(&reader, maze, verbose, keepMoves, facts);
}

}  // namespace tesmo
