// A solution file replayed as the verifier replays it, once its maze is
// known: the start and end lines read and checked, the moves walked, the
// verdict decided. It returns the facts of the run and the verifier's
// lines, each with its stream, for a program to print or to explain.
//
// Contract:
//  - replaySolution() opens `fileName` and says, in facts->said, what the
//    verifier says from there on (with `verbose`, its echo of the start,
//    the end and the moves). The facts: the exit status; whether the file
//    opened; the start and end when their lines held three numbers; whether
//    both are inside the box and not on a wall; whether the walk ran, and
//    its outcome. *facts starts empty; should memory run out (a moves line
//    kept whole), what was said before stays in it.
//  - With `keepMoves`, the moves are read whole into facts.moves before the
//    walk; with `verbose` the whole line is read for the echo; otherwise the
//    walk takes each move as it is read and nothing after a stop is read.
//  - sayVerdict() says what the verifier says once a walk has ended: for
//    an invalid code "Invalid move (code)!" on standard error and nothing
//    else; for a stop at the box edge "Attempt to access out of boundary!"
//    on standard error; then, unless the code was invalid, on standard
//    output "Stopped after executing Nsteps." when the walk stopped early,
//    and "SUCCESS" when the token stands on `end`, else "FAILURE (N)". It
//    returns the exit status: 1 for an invalid code, else 0.

#ifndef TESMO_VERIFY_REPLAY_HPP
#define TESMO_VERIFY_REPLAY_HPP

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "base/said.hpp"
#include "engine/walk.hpp"
#include "model/maze.hpp"

namespace tesmo {

struct ReplayFacts {
  int status = 0;
  bool opened = false;
  int readError = 0;                   // errno, when the file cannot be opened or read
  std::optional<Position> start, end;  // lines of three numbers
  bool endpointsUsable = false;
  bool walked = false;              // the walk ran: at least one move
  WalkOutcome outcome;              // when walked
  Said said;                        // the verifier's lines
  std::deque<std::uint64_t> moves;  // with keepMoves
};

void replaySolution(const std::string& fileName, const Maze& maze, bool verbose, bool keepMoves,
                    ReplayFacts* facts);

int sayVerdict(const WalkOutcome& outcome, const Position& end, Said* said);

}  // namespace tesmo

#endif  // TESMO_VERIFY_REPLAY_HPP
