// A solution file replayed as the verifier replays it, once its settings
// are loaded: the start and end lines read and checked, the moves walked,
// the verdict printed, with the verifier's messages and exit statuses, and
// the facts of the run handed back for a program that explains them.
//
// Contract:
//  - replaySolution() opens `fileName` and prints on `out` and `err` what
//    the verifier prints from there on (with `verbose`, its echo of the
//    start, the end and the moves). It returns the facts: the exit status;
//    whether the file opened; the start and end when their lines held three
//    numbers; whether both are inside the box and not on a wall; whether the
//    walk ran, and its outcome.
//  - With `keptMoves`, the moves are read whole into *keptMoves before the
//    walk, as the verbose echo reads them; otherwise the walk takes each
//    move as it is read and nothing after a stop is read.
//  - The maze must be usable (see mazeProblem()).

#ifndef TESMO_REPLAY_HPP
#define TESMO_REPLAY_HPP

#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "maze.hpp"
#include "walk.hpp"

struct ReplayFacts {
  int status = 0;
  bool opened = false;
  std::optional<Position> start, end;  // lines of three numbers
  bool endpointsUsable = false;
  bool walked = false;  // the walk ran: at least one move
  WalkOutcome outcome;  // when walked
};

ReplayFacts replaySolution(const std::string& fileName, const Maze& maze, bool verbose,
                           std::deque<std::uint64_t>* keptMoves, std::ostream& out,
                           std::ostream& err);

#endif  // TESMO_REPLAY_HPP
