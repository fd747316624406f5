#include "verify/explain.hpp"

#include <optional>

#include "base/quote.hpp"
#include "engine/grid.hpp"
#include "engine/walk.hpp"
#include "verify/words.hpp"

namespace tesmo {

namespace {

// Whether every position's distance to an end may be kept.
bool distancesFit(const Maze& maze) {
  std::uint64_t cells = 0;
  return gridCellCount(maze.size, &cells) && cells <= kMaxDistanceCells && searchFits(maze.size);
}

Distance shortestDistance(Searches* searches, const Position& from, const Position& to) {
  // From the end itself the route must leave and come back: a search of
  // its own.
  if (from != to && distancesFit(searches->maze)) {
    if (!searches->box) searches->box = planSearch(searches->maze);
    const SearchBox& box = *searches->box;
    auto known = searches->toEnd.find(to);
    if (known == searches->toEnd.end()) {
      // Solutions of one puzzle share their end, mostly: a map or two is
      // enough, and each may take 64 MiB.
      if (searches->toEnd.size() >= kKeptEnds) searches->toEnd.clear();
      known = searches->toEnd.emplace(to, distancesTo(box, searchCell(box, to))).first;
    }
    const std::uint32_t moves = known->second[searchCell(box, from)];
    Distance distance;
    distance.searched = true;
    if (moves != kNoRoute) distance.moves = moves;
    return distance;
  }
  const auto key = std::make_pair(from, to);
  const auto found = searches->known.find(key);
  if (found != searches->known.end()) return found->second;
  const Distance distance = searchDistance(searches->maze, from, to);
  searches->known.emplace(key, distance);
  return distance;
}

void writeTrace(std::ostream& out, const Maze& maze, const Explanation& e) {
  const ReplayFacts& facts = e.facts;
  Walker walker = startWalker(maze, *facts.start, facts.moves.size());
  for (std::uint64_t i = 0; i < facts.outcome.executed; ++i) {
    const Position from = walkerPosition(walker);
    stepWalker(&walker, facts.moves[i]);
    out << "move " << i + 1 << ": code " << facts.moves[i] << " (" << moveName(facts.moves[i])
        << ") " << positionText(from) << " -> " << positionText(walkerPosition(walker)) << '\n';
  }
}

void writeStop(std::ostream& out, const WalkOutcome& outcome) {
  static const char* const kReasons[] = {"moved", "edge", "wall", "invalid"};
  static const char* const kAxes[] = {"\"x\"", "\"y\"", "\"z\""};
  const Blocker& blocker = outcome.blocker;
  out << "{\"move\":";
  writeJsonNumber(out, outcome.executed + 1);
  out << ",\"code\":";
  writeJsonNumber(out, outcome.stopCode);
  out << ",\"reason\":\"" << kReasons[static_cast<int>(blocker.reason)] << "\",\"from\":";
  writeJsonTriple(out, outcome.position);
  if (blocker.reason == MoveResult::kEdge) out << ",\"axis\":" << kAxes[blocker.axis];
  if (blocker.reason == MoveResult::kWall) {
    out << ",\"face\":" << blocker.face << ",\"cell\":";
    writeJsonNumber(out, blocker.cell);
    out << ",\"value\":";
    writeJsonNumber(out, blocker.value);
  }
  out << '}';
}

void writeOptionalPosition(std::ostream& out, const std::optional<Position>& position) {
  if (position) {
    writeJsonTriple(out, *position);
  } else {
    out << "null";
  }
}

}  // namespace

Explanation explainSolution(const std::string& file, Searches* searches, bool keepMoves) {
  Explanation e;
  e.file = file;
  replaySolution(file, searches->maze, false, keepMoves, &e.facts);
  const ReplayFacts& facts = e.facts;
  if (facts.endpointsUsable) e.shortest = shortestDistance(searches, *facts.start, *facts.end);
  if (facts.walked && facts.outcome.stop != MoveResult::kInvalid) {
    e.success = facts.outcome.position == *facts.end;
    if (!e.success) e.toEnd = shortestDistance(searches, facts.outcome.position, *facts.end);
  }
  return e;
}

void writeExplanationText(std::ostream& out, const Maze& maze, const Explanation& e, bool trace) {
  const ReplayFacts& facts = e.facts;
  for (const SaidLine& line : facts.said) out << line.text << '\n';
  out << "exit status " << facts.status << '\n';
  if (!facts.opened) out << "the solution file cannot be opened or read\n";
  if (!facts.walked) return;
  if (trace) writeTrace(out, maze, e);
  const WalkOutcome& outcome = facts.outcome;
  if (outcome.stop != MoveResult::kMoved) out << stopLine(outcome) << '\n';
  if (outcome.stop == MoveResult::kInvalid) return;
  if (e.success) {
    out << successLine(outcome.executed, e.shortest) << '\n';
  } else {
    out << failureLine(outcome, *facts.end, e.toEnd) << '\n';
  }
}

void writeExplanationJson(std::ostream& out, const Explanation& e) {
  const ReplayFacts& facts = e.facts;
  const bool judged = facts.walked && facts.outcome.stop != MoveResult::kInvalid;
  std::optional<Position> position;
  if (facts.walked) {
    position = facts.outcome.position;
  } else if (facts.endpointsUsable) {
    position = facts.start;
  }
  out << "{\"file\":";
  writeJsonString(out, e.file);
  out << ",\"status\":" << facts.status << ",\"verdict\":"
      << (!judged     ? "null"
          : e.success ? "\"SUCCESS\""
                      : "\"FAILURE\"")
      << ",\"executed\":";
  writeJsonNumber(out, facts.walked ? facts.outcome.executed : 0);
  out << ",\"start\":";
  writeOptionalPosition(out, facts.start);
  out << ",\"position\":";
  writeOptionalPosition(out, position);
  out << ",\"end\":";
  writeOptionalPosition(out, facts.end);
  out << ",\"stop\":";
  if (facts.walked && facts.outcome.stop != MoveResult::kMoved) {
    writeStop(out, facts.outcome);
  } else {
    out << "null";
  }
  out << ",\"shortest\":";
  writeJsonNumberOrNull(out, e.shortest.moves);
  out << ",\"remaining\":";
  writeJsonNumberOrNull(out, !judged     ? std::nullopt
                             : e.success ? std::optional<std::uint64_t>(0)
                                         : e.toEnd.moves);
  out << ",\"lines\":[";
  for (std::size_t i = 0; i < facts.said.size(); ++i) {
    if (i > 0) out << ',';
    writeJsonString(out, facts.said[i].text);
  }
  out << "]}\n";
}

}  // namespace tesmo
