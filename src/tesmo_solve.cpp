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
#include <vector>

#include "endpoints.hpp"
#include "number_list.hpp"
#include "puzzle_source.hpp"
#include "search.hpp"
#include "tesmo.hpp"

namespace po = boost::program_options;

namespace {

constexpr int kNoSolution = 1;

CommandLine solveCommandLine() {
  CommandLine commandLine{optionGroup(), 1,
                          "usage: tesmo solve [options] [PROBLEM]\n\n"
                          "Prints a shortest solution: start, end and moves, as the verifier "
                          "reads them.\nStart and end come from PROBLEM (its first two lines), "
                          "else from the puzzle\nfile, else from problem.txt."};
  commandLine.group.add_options()
      ("verbose-level,v", po::value<std::uint64_t>()->default_value(0),
       "non-zero: report the route's length on stderr")
      ("input-file", po::value<std::vector<std::string>>(),
       "problem file, as the first argument");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

void writeLine(std::ostream& out, const NumberList& numbers) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) out.put(' ');
    writeNumber(out, numbers[i]);
  }
  out.put('\n');
}

}  // namespace

int runSolve(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (std::optional<int> status = loadPuzzle(argc, argv, solveCommandLine(), &source, out, err)) {
    return *status;
  }
  const Maze maze = sourceMaze(source);
  if (!searchFits(maze.dimensions)) {
    err << "The box is too large to search: (X+2)(Y+2)(Z+2) must be at most "
        << kMaxSearchCells << " cells!" << std::endl;
    return kSettingsRefused;
  }
  NumberList start, end;
  if (!problemEndpoints(source, maze, &start, &end, out, err)) return kNoSolution;
  NumberList route;
  if (!shortestRoute(maze, asPosition(start), asPosition(end), &route)) {
    err << "No route from (" << listText(start) << ") to (" << listText(end)
        << ")!" << std::endl;
    return kNoSolution;
  }
  if (source.settings["verbose-level"].as<std::uint64_t>() != 0) {
    err << "Route of " << route.size() << " moves" << std::endl;
  }
  writeLine(out, start);
  writeLine(out, end);
  writeLine(out, route);
  out.flush();
  return 0;
}
