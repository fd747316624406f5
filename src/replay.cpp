#include "replay.hpp"

#include "endpoints.hpp"
#include "messages.hpp"
#include "number_list.hpp"
#include "tesmoVerifier.hpp"

namespace {

int reportNoMoves(std::ostream& err) {
  err << "Solution () is empty!" << std::endl;
  return kMalformedSolution;
}

// Reads the moves line and walks it. The echo needs the count before the
// list, so a verbose run keeps the moves (a deque grows without copying);
// otherwise every move is walked as it is read and nothing is kept. A move
// takes at least two bytes of the file, so its size bounds the grid's cost.
void walkSolution(NumberReader* reader, const Maze& maze, bool verbose,
                  std::deque<std::uint64_t>* keptMoves, ReplayFacts* facts,
                  std::ostream& out, std::ostream& err) {
  if (verbose || keptMoves) {
    std::deque<std::uint64_t> ownMoves;
    std::deque<std::uint64_t>& moves = keptMoves ? *keptMoves : ownMoves;
    forEachNumber(reader, [&](std::uint64_t code) {
      moves.push_back(code);
      return true;
    });
    if (verbose) echoList(out, "Solu: ", moves);
    if (moves.empty()) {
      facts->status = reportNoMoves(err);
      return;
    }
    facts->outcome = walkMoveList(maze, *facts->start, moves, moves.size());
  } else {
    std::uint64_t firstMove;
    if (!nextNumber(reader, &firstMove)) {
      facts->status = reportNoMoves(err);
      return;
    }
    auto forEachMove = [&](auto step, auto& runs) {
      if (step(firstMove)) forEachNumber(reader, step, runs);
    };
    facts->outcome = walkMoves(maze, *facts->start, forEachMove, reader->fileSize / 2);
  }
  facts->walked = true;
  facts->status = reportWalk(facts->outcome, *facts->end, out, err);
}

}  // namespace

ReplayFacts replaySolution(const std::string& fileName, const Maze& maze, bool verbose,
                           std::deque<std::uint64_t>* keptMoves, std::ostream& out,
                           std::ostream& err) {
  ReplayFacts facts;
  NumberReader reader;
  if (!openNumberFile(fileName, &reader)) {
    facts.status = kMalformedSolution;
    return facts;
  }
  facts.opened = true;
  NumberList start, end;
  if (!readPosition(&reader, kStart, verbose, &start, out, err)) {
    facts.status = kMalformedSolution;
    return facts;
  }
  facts.start = asPosition(start);
  if (!readPosition(&reader, kEnd, verbose, &end, out, err)) {
    facts.status = kMalformedSolution;
    return facts;
  }
  facts.end = asPosition(end);
  if (!endpointUsable(start, kStart, maze, out, err) ||
      !endpointUsable(end, kEnd, maze, out, err)) {
    return facts;
  }
  facts.endpointsUsable = true;
  walkSolution(&reader, maze, verbose, keptMoves, &facts, out, err);
  return facts;
}
