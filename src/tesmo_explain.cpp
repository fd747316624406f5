// tesmo explain [SOLUTION...]: replays each solution (default
// "solution.txt") exactly as the verifier does, prints the verifier's own
// lines and its exit status, then says where and why, one short line each
// (see messages.hpp). With --json, stdout holds one JSON object per solution
// and nothing else; with --trace, every executed move is printed too.
//
// Exit status: the verifier's for one solution, the highest for several;
// 2 when the settings are refused (nothing is replayed).

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "json.hpp"
#include "messages.hpp"
#include "puzzle_source.hpp"
#include "replay.hpp"
#include "search.hpp"
#include "tesmo.hpp"
#include "walk.hpp"

namespace po = boost::program_options;

namespace {

CommandLine explainCommandLine() {
  CommandLine commandLine{optionGroup(), -1,
                          "usage: tesmo explain [options] [SOLUTION...]\n\n"
                          "Replays each solution (default solution.txt) as tesmoVerifier does, "
                          "prints its\nlines and exit status, then says where and why it "
                          "stopped or failed."};
  commandLine.group.add_options()
      ("input-file", po::value<std::vector<std::string>>(), "solution files, as the arguments")
      ("json", "one JSON object per solution on stdout, and nothing else")
      ("trace", "print every executed move");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

// Shortest routes, kept per start and end: graders explain many solutions
// of one problem.
struct Searches {
  const Maze& maze;
  std::map<std::pair<Position, Position>, Distance> known;
};

Distance shortestDistance(Searches* searches, const Position& from, const Position& to) {
  const auto key = std::make_pair(from, to);
  const auto found = searches->known.find(key);
  if (found != searches->known.end()) return found->second;
  const Distance distance = searchDistance(searches->maze, from, to);
  searches->known.emplace(key, distance);
  return distance;
}

// What a replay found, with the searches it calls for.
struct Explanation {
  std::string file;
  ReplayFacts facts;
  std::string lines;  // the verifier's lines, both streams in order
  std::deque<std::uint64_t> moves;  // kept for --trace
  Distance shortest;  // start to end
  Distance toEnd;     // from where the token stands, after a FAILURE
  bool success = false;
};

Explanation explainOne(const std::string& file, Searches* searches, bool trace) {
  Explanation e;
  e.file = file;
  std::ostringstream lines;
  e.facts = replaySolution(file, searches->maze, false, trace ? &e.moves : nullptr, lines,
                           lines);
  e.lines = lines.str();
  if (e.facts.endpointsUsable) {
    e.shortest = shortestDistance(searches, *e.facts.start, *e.facts.end);
  }
  if (e.facts.walked && e.facts.outcome.stop != MoveResult::kInvalid) {
    e.success = e.facts.outcome.position == *e.facts.end;
    if (!e.success) e.toEnd = shortestDistance(searches, e.facts.outcome.position, *e.facts.end);
  }
  return e;
}

void writeTrace(std::ostream& out, const Maze& maze, const Explanation& e) {
  const MovePlan plan = planMoves(maze);
  Walk walk = startWalk(maze, *e.facts.start);
  for (std::uint64_t i = 0; i < e.facts.outcome.executed; ++i) {
    const Position from = {walk.position[0], walk.position[1], walk.position[2]};
    applyMove(plan, e.moves[i], &walk);
    out << "move " << i + 1 << ": code " << e.moves[i] << " (" << moveName(e.moves[i])
        << ") " << positionText(from) << " -> "
        << positionText({walk.position[0], walk.position[1], walk.position[2]}) << '\n';
  }
}

void writeText(std::ostream& out, const Maze& maze, const Explanation& e, bool trace) {
  out << e.lines << "exit status " << e.facts.status << '\n';
  if (!e.facts.opened) out << "the solution file cannot be opened or read\n";
  if (!e.facts.walked) return;
  if (trace) writeTrace(out, maze, e);
  const WalkOutcome& outcome = e.facts.outcome;
  if (outcome.stop != MoveResult::kMoved) out << stopLine(maze, outcome) << '\n';
  if (outcome.stop == MoveResult::kInvalid) return;
  if (e.success) {
    out << successLine(outcome.executed, e.shortest) << '\n';
  } else {
    out << failureLine(outcome, *e.facts.end, e.toEnd) << '\n';
  }
}

void writeStop(std::ostream& out, const Maze& maze, const WalkOutcome& outcome) {
  static const char* const kReasons[] = {"moved", "edge", "wall", "invalid"};
  static const char* const kAxes[] = {"\"x\"", "\"y\"", "\"z\""};
  const Blocker blocker = blockerOf(maze, outcome.position, outcome.stopCode);
  out << "{\"move\":" << outcome.executed + 1 << ",\"code\":" << outcome.stopCode
      << ",\"reason\":\"" << kReasons[static_cast<int>(blocker.reason)] << "\",\"from\":";
  writeJsonPosition(out, outcome.position);
  if (blocker.reason == MoveResult::kEdge) out << ",\"axis\":" << kAxes[blocker.axis];
  if (blocker.reason == MoveResult::kWall) {
    out << ",\"face\":" << blocker.face << ",\"cell\":" << blocker.cell
        << ",\"value\":" << blocker.value;
  }
  out << '}';
}

void writeOptionalPosition(std::ostream& out, const std::optional<Position>& position) {
  if (position) {
    writeJsonPosition(out, *position);
  } else {
    out << "null";
  }
}

void writeJson(std::ostream& out, const Maze& maze, const Explanation& e) {
  const ReplayFacts& facts = e.facts;
  const bool judged = facts.walked && facts.outcome.stop != MoveResult::kInvalid;
  std::optional<Position> position;
  if (facts.walked) position = facts.outcome.position;
  else if (facts.endpointsUsable) position = facts.start;
  out << "{\"file\":";
  writeJsonString(out, e.file);
  out << ",\"status\":" << facts.status << ",\"verdict\":"
      << (!judged ? "null" : e.success ? "\"SUCCESS\"" : "\"FAILURE\"")
      << ",\"executed\":" << (facts.walked ? facts.outcome.executed : 0) << ",\"start\":";
  writeOptionalPosition(out, facts.start);
  out << ",\"position\":";
  writeOptionalPosition(out, position);
  out << ",\"end\":";
  writeOptionalPosition(out, facts.end);
  out << ",\"stop\":";
  if (facts.walked && facts.outcome.stop != MoveResult::kMoved) {
    writeStop(out, maze, facts.outcome);
  } else {
    out << "null";
  }
  out << ",\"shortest\":";
  writeJsonNumberOrNull(out, e.shortest.moves);
  out << ",\"remaining\":";
  writeJsonNumberOrNull(out, !judged ? std::nullopt
                             : e.success ? std::optional<std::uint64_t>(0)
                                         : e.toEnd.moves);
  out << ",\"lines\":[";
  std::istringstream lines(e.lines);
  bool first = true;
  for (std::string line; std::getline(lines, line); first = false) {
    if (!first) out << ',';
    writeJsonString(out, line);
  }
  out << "]}\n";
}

}  // namespace

int runExplain(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (std::optional<int> status =
          loadPuzzle(argc, argv, explainCommandLine(), &source, out, err)) {
    return *status;
  }
  const bool json = source.settings.count("json") != 0;
  const bool trace = source.settings.count("trace") != 0;
  if (json && trace) {
    err << "--json and --trace cannot be given together" << std::endl;
    return kSettingsRefused;
  }
  std::vector<std::string> files = {"solution.txt"};
  if (source.settings.count("input-file")) {
    files = source.settings["input-file"].as<std::vector<std::string>>();
  }
  const Maze maze = sourceMaze(source);
  Searches searches{maze, {}};
  int status = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Explanation e = explainOne(files[i], &searches, trace);
    status = std::max(status, e.facts.status);
    if (json) {
      writeJson(out, maze, e);
    } else {
      if (files.size() > 1) out << (i > 0 ? "\n" : "") << "==> " << oneLine(files[i]) << " <==\n";
      writeText(out, maze, e, trace);
    }
    out.flush();
  }
  return status;
}
