// tesmoSolver: prints a shortest solution of a puzzle, in the verifier's
// solution file format, for the start and end of a problem file.
//
// Exit status 0: a solution was printed. 1: the problem file cannot be
// read, a position is malformed, outside the box or on a wall, or no route
// exists. 2: settings refused, or a box too large to search.

#include <cstdint>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <boost/program_options/variables_map.hpp>

#include "endpoints.hpp"
#include "maze.hpp"
#include "number_list.hpp"
#include "settings.hpp"
#include "solve.hpp"

namespace po = boost::program_options;

namespace {

constexpr int kNoSolution = 1;
const std::string s_def_problem_filename = "problem.txt";

// Refuses a box whose search state would not fit; "" when it fits.
std::string boxProblem(const NumberList& dimensions) {
  std::uint64_t cells = 0;
  const bool fits = boxCells(dimensions, &cells);
  if (fits && cells <= kMaxSolverCells) return "";
  return "The box holds " +
         (fits ? std::to_string(cells) : "more than " + std::to_string(UINT64_MAX)) +
         " cells; the solver searches at most " + std::to_string(kMaxSolverCells) + "!";
}

void writeLine(std::ostream& out, const NumberList& numbers) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) out.put(' ');
    writeNumber(out, numbers[i]);
  }
  out.put('\n');
}

int runSolver(int argc, const char* const argv[], std::ostream& out,
              std::ostream& err) {
  po::variables_map settings;
  if (std::optional<int> status =
          loadSettings(argc, argv, solverOptions(), &settings, out, err)) {
    return *status;
  }
  const bool verbose = settings["verbose-level"].as<std::uint64_t>() != 0;
  const Maze maze = settingsMaze(settings);
  std::string problem = mazeProblem(maze);
  if (problem.empty()) problem = boxProblem(maze.dimensions);
  if (!problem.empty()) {
    err << problem << std::endl;
    return kSettingsRefused;
  }
  NumberReader reader;
  const std::string& fileName = inputFileName(settings, s_def_problem_filename);
  if (!openNumberFile(fileName, &reader)) return kNoSolution;
  NumberList start, end;
  if (!readPosition(&reader, kStart, false, &start, out, err) ||
      !readPosition(&reader, kEnd, false, &end, out, err) ||
      !endpointUsable(start, kStart, maze, out, err) ||
      !endpointUsable(end, kEnd, maze, out, err)) {
    return kNoSolution;
  }
  NumberList route;
  if (!shortestRoute(maze, start, end, &route)) {
    err << "No route from (" << listText(start) << ") to (" << listText(end)
        << ")!" << std::endl;
    return kNoSolution;
  }
  if (verbose) err << "Route of " << route.size() << " moves" << std::endl;
  writeLine(out, start);
  writeLine(out, end);
  writeLine(out, route);
  out.flush();
  return 0;
}

}  // namespace

// The option library's exceptions are caught where it is called; what is
// left to throw is std::bad_alloc.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  try {
    return runSolver(argc, argv, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory!" << std::endl;
    return kNoSolution;
  }
}
