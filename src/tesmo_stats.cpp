// tesmo stats [PROBLEM] [--json]: a puzzle's measures (see stats.hpp), for
// the start and end of PROBLEM, else of the puzzle file, else of
// "problem.txt".
//
// Exit status 0: printed. 1: the start or end cannot be read or used (the
// verifier's messages). 2: settings refused, or a box too large to measure.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "endpoints.hpp"
#include "json.hpp"
#include "messages.hpp"
#include "puzzle_source.hpp"
#include "search.hpp"
#include "stats.hpp"
#include "tesmo.hpp"

namespace po = boost::program_options;

namespace {

// The grid, a distance and the search's own copy: 6 bytes a cell.
constexpr std::uint64_t kMaxStatsCells = std::uint64_t{1} << 28;

CommandLine statsCommandLine() {
  CommandLine commandLine{optionGroup(), 1,
                          "usage: tesmo stats [options] [PROBLEM]\n\n"
                          "Prints a puzzle's measures: open and reachable cells, the shortest "
                          "route,\ndead ends, whether the reachable cells form a tree, and the "
                          "longest shortest\nroute between two of them."};
  commandLine.group.add_options()
      ("input-file", po::value<std::vector<std::string>>(), "problem file, as the argument")
      ("json", "one JSON object on stdout");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

void writeText(std::ostream& out, const Maze& maze, const Position& start, const Position& end,
               const PuzzleStats& stats) {
  out << "size: " << maze.dimensions[0] << " x " << maze.dimensions[1] << " x "
      << maze.dimensions[2] << "\nopen cells: " << stats.open
      << "\nreachable cells: " << stats.reachable << "\nshortest route: ";
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
  writeJsonPosition(out, {maze.dimensions[0], maze.dimensions[1], maze.dimensions[2]});
  out << ",\"start\":";
  writeJsonPosition(out, start);
  out << ",\"end\":";
  writeJsonPosition(out, end);
  out << ",\"open\":" << stats.open << ",\"reachable\":" << stats.reachable
      << ",\"shortest\":";
  writeJsonNumberOrNull(out, stats.shortest);
  out << ",\"deadEnds\":" << stats.deadEnds << ",\"tree\":" << (stats.tree ? "true" : "false")
      << ",\"longest\":" << stats.longest
      << ",\"longestExact\":" << (stats.longestExact ? "true" : "false") << "}\n";
}

}  // namespace

int runStats(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (std::optional<int> status = loadPuzzle(argc, argv, statsCommandLine(), &source, out, err)) {
    return *status;
  }
  const Maze maze = sourceMaze(source);
  std::uint64_t cells = 0;
  if (!gridCellCount(maze.dimensions, &cells) || cells > kMaxStatsCells) {
    err << "The box is too large to measure: (X+2)(Y+2)(Z+2) must be at most "
        << kMaxStatsCells << " cells!" << std::endl;
    return kSettingsRefused;
  }
  NumberList start, end;
  if (!problemEndpoints(source, maze, &start, &end, out, err)) return 1;
  const PuzzleStats stats = puzzleStats(maze, asPosition(start), asPosition(end));
  if (source.settings.count("json")) {
    writeJson(out, maze, asPosition(start), asPosition(end), stats);
  } else {
    writeText(out, maze, asPosition(start), asPosition(end), stats);
  }
  out.flush();
  return 0;
}
