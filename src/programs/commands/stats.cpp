// tesmo stats [PROBLEM] [--json]: a puzzle's measures (see stats.hpp), for
// the start and end of PROBLEM, else of the puzzle file, else of
// "problem.txt".
//
// Exit status 0: printed. 1: the start or end cannot be read or used (the
// verifier's messages). 2: settings refused, or a box too large to measure.

#include "engine/stats.hpp"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "cli/puzzle_source.hpp"
#include "engine/grid.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"
#include "verify/words.hpp"

namespace tesmo {

namespace {

// The search's byte a cell, and a cell number of 4 bytes for each reached.
constexpr std::uint64_t kMaxStatsCells = std::uint64_t{1} << 28;

CommandLine statsCommandLine() {
  CommandLine commandLine{optionGroup(), 1,
                          "usage: tesmo stats [options] [PROBLEM]\n\n"
                          "Prints a puzzle's measures: open and reachable cells, the shortest "
                          "route,\ndead ends, whether the reachable cells form a tree, and the "
                          "longest shortest\nroute between two of them."};
  addInputFiles(&commandLine.group, "problem file, as the argument");
  addJsonOption(&commandLine.group, "one JSON object on stdout");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

void writeText(std::ostream& out, const Maze& maze, const Position& start, const Position& end,
               const PuzzleStats& stats) {
  out << "size: " << maze.size[0] << " x " << maze.size[1] << " x " << maze.size[2]
      << "\nopen cells: " << stats.open << "\nreachable cells: " << stats.reachable
      << "\nshortest route: ";
  if (stats.shortest) {
    out << movesText(*stats.shortest);
  } else {
    out << "none";
  }
  out << ", from " << positionText(start) << " to " << positionText(end)
      << "\ndead ends: " << stats.deadEnds << "\ntree: " << (stats.tree ? "yes" : "no")
      << "\nlongest shortest route: " << (stats.longestExact ? "" : "at least ")
      << movesText(stats.longest) << '\n';
}

void writeJson(std::ostream& out, const Maze& maze, const Position& start, const Position& end,
               const PuzzleStats& stats) {
  out << "{\"size\":";
  writeJsonTriple(out, maze.size);
  out << ",\"start\":";
  writeJsonTriple(out, start);
  out << ",\"end\":";
  writeJsonTriple(out, end);
  out << ",\"open\":" << stats.open << ",\"reachable\":" << stats.reachable << ",\"shortest\":";
  writeJsonNumberOrNull(out, stats.shortest);
  out << ",\"deadEnds\":" << stats.deadEnds << ",\"tree\":" << (stats.tree ? "true" : "false")
      << ",\"longest\":" << stats.longest
      << ",\"longestExact\":" << (stats.longestExact ? "true" : "false") << "}\n";
}

int runStats(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  Said said;
  if (const std::optional<int> loaded =
          startCommand(argc, argv, statsCommandLine(), &source, out, err)) {
    return *loaded;
  }
  const Maze maze = sourceMaze(source);
  std::uint64_t cells = 0;
  if (!gridCellCount(maze.size, &cells) || cells > kMaxStatsCells) {
    err << "The box is too large to measure: (X+2)(Y+2)(Z+2) must be at most " << kMaxStatsCells
        << " cells!" << std::endl;
    return kSettingsRefused;
  }
  Position start, end;
  const bool usable = problemEndpoints(source, maze, &start, &end, &said);
  printSaid(&said, out, err);
  if (!usable) return kCannotUse;
  const PuzzleStats stats = puzzleStats(maze, start, end);
  if (source.settings.count("json")) {
    writeJson(out, maze, start, end, stats);
  } else {
    writeText(out, maze, start, end, stats);
  }
  out.flush();
  return 0;
}

}  // namespace

extern const Command kStatsCommand = {"stats", "measure a puzzle: its cells, routes and dead ends",
                                      runStats};

}  // namespace tesmo
