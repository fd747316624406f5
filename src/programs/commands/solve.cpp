// tesmo solve [PROBLEM]: prints a shortest solution of the puzzle, in the
// verifier's solution file format (start line, end line, moves line), for a
// start and an end taken from PROBLEM, else from the puzzle file, else from
// "problem.txt".
//
// Exit status 0: a solution was printed. 1: the problem file cannot be
// read, a position is malformed, outside the box or on a wall (the
// verifier's messages), or no route exists ("No route from (S) to (E)!").
// 2: settings refused, or a box too large to search.

#include <cstdint>
#include <ostream>
#include <string>

#include "base/exit_status.hpp"
#include "cli/puzzle_source.hpp"
#include "engine/search.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"

namespace tesmo {

namespace po = boost::program_options;

namespace {

CommandLine solveCommandLine() {
  CommandLine commandLine{optionGroup(), 1,
                          "usage: tesmo solve [options] [PROBLEM]\n\n"
                          "Prints a shortest solution: start, end and moves, as the verifier "
                          "reads them.\nStart and end come from PROBLEM (its first two lines), "
                          "else from the puzzle\nfile, else from problem.txt."};
  commandLine.group.add_options()("verbose-level,v", po::value<std::uint64_t>()->default_value(0),
                                  "non-zero: report the route's length on stderr");
  addInputFiles(&commandLine.group, "problem file, as the first argument");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

void writeLine(std::ostream& out, const std::uint64_t* numbers, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out.put(' ');
    writeNumber(out, numbers[i]);
  }
  out.put('\n');
}

int runSolve(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  Said said;
  if (const std::optional<int> status =
          startCommand(argc, argv, solveCommandLine(), &source, out, err)) {
    return *status;
  }
  const Maze maze = sourceMaze(source);
  if (!searchFits(maze.size)) {
    err << "The box is too large to search: (X+2)(Y+2)(Z+2) must be at most " << kMaxSearchCells
        << " cells!" << std::endl;
    return kSettingsRefused;
  }
  Position start, end;
  const bool usable = problemEndpoints(source, maze, &start, &end, &said);
  printSaid(&said, out, err);
  if (!usable) return kCannotUse;
  NumberList route;
  if (!shortestRoute(maze, start, end, &route)) {
    err << "No route from (" << listText({start.begin(), start.end()}) << ") to ("
        << listText({end.begin(), end.end()}) << ")!" << std::endl;
    return kCannotUse;
  }
  if (source.settings["verbose-level"].as<std::uint64_t>() != 0) {
    err << "Route of " << route.size() << " moves" << std::endl;
  }
  writeLine(out, start.data(), 3);
  writeLine(out, end.data(), 3);
  writeLine(out, route.data(), route.size());
  out.flush();
  return 0;
}

}  // namespace

extern const Command kSolveCommand = {"solve", "print a shortest solution of a puzzle", runSolve};

}  // namespace tesmo
