// A replayed solution explained: the verifier's lines and status, then
// where and why the walk stopped or failed, with the shortest routes that
// measure it; as text for people or as one JSON object for programs.
//
// Contract:
//  - explainSolution() replays `file` as the verifier does (replay.hpp),
//    keeping the moves when `keepMoves`, and searches (through `searches`,
//    which keeps its answers) a shortest route from start to end when both
//    are usable, and from where the token stands to the end after a
//    FAILURE. In a box of at most kMaxDistanceCells cells the distances of
//    every position to an end are found in one sweep, the first time that
//    end is asked for: graders explain many solutions of one problem.
//  - writeExplanationText(): the verifier's lines (both streams, in order),
//    "exit status N", "the solution file cannot be opened or read" when it
//    could not; then for a walk, with `trace` "move I: code C (x+1) (from)
//    -> (to)" for every executed move (needs kept moves), the stop line
//    and the success or failure line (words.hpp).
//  - writeExplanationJson(): one object on one line: file, status, verdict
//    ("SUCCESS", "FAILURE", or null without one), executed, start, position
//    and end ([x,y,z] or null), stop (null, or move, code, reason "edge",
//    "wall" or "invalid", from, and axis for an edge or face, cell, value
//    for a wall), shortest, remaining (null when unknown) and lines (the
//    verifier's).

#ifndef TESMO_VERIFY_EXPLAIN_HPP
#define TESMO_VERIFY_EXPLAIN_HPP

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/search.hpp"
#include "model/maze.hpp"
#include "verify/replay.hpp"

namespace tesmo {

// 4 bytes a cell: 64 MiB at the most, for each of at most kKeptEnds ends.
constexpr std::uint64_t kMaxDistanceCells = std::uint64_t{1} << 24;
constexpr std::size_t kKeptEnds = 2;

// Shortest routes, kept per start and end, and every position's distance
// to an end.
struct Searches {
  const Maze& maze;
  std::map<std::pair<Position, Position>, Distance> known;
  std::optional<SearchBox> box;  // planned when first needed
  std::map<Position, std::vector<std::uint32_t>> toEnd;
};

struct Explanation {
  std::string file;
  ReplayFacts facts;
  Distance shortest;  // start to end
  Distance toEnd;     // from where the token stands, after a FAILURE
  bool success = false;
};

Explanation explainSolution(const std::string& file, Searches* searches, bool keepMoves);

void writeExplanationText(std::ostream& out, const Maze& maze, const Explanation& e, bool trace);

void writeExplanationJson(std::ostream& out, const Explanation& e);

}  // namespace tesmo

#endif  // TESMO_VERIFY_EXPLAIN_HPP
