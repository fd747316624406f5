#include "tesmoVerifier.hpp"

#include <cstdint>
#include <deque>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <boost/program_options/variables_map.hpp>

#include "endpoints.hpp"
#include "maze.hpp"
#include "number_list.hpp"
#include "settings.hpp"
#include "walk.hpp"

namespace po = boost::program_options;

namespace {

constexpr int kMalformedSolution = 1;

void echoSettings(const std::string& fileName, const Maze& maze,
                  std::ostream& out) {
  out << "input file: " << oneLine(fileName) << std::endl;
  echoList(out, "Face 0 : ", maze.face0);
  echoList(out, "Face 1 : ", maze.face1);
  echoList(out, "Face 2 : ", maze.face2);
}

int reportNoMoves(std::ostream& err) {
  err << "Solution () is empty!" << std::endl;
  return kMalformedSolution;
}

// Reads the moves line and walks it. The echo needs the count before the
// list, so a verbose run keeps the moves (a deque grows without copying);
// otherwise every move is walked as it is read and nothing is kept. A move
// takes at least two bytes of the file, so its size bounds the grid's cost.
int walkSolution(NumberReader* reader, const Maze& maze,
                 const NumberList& start, const NumberList& end, bool verbose,
                 std::ostream& out, std::ostream& err) {
  if (verbose) {
    std::deque<std::uint64_t> moves;
    forEachNumber(reader, [&](std::uint64_t code) {
      moves.push_back(code);
      return true;
    });
    echoList(out, "Solu: ", moves);
    if (moves.empty()) return reportNoMoves(err);
    return walkMoveList(maze, start, end, moves, moves.size(), out, err);
  }
  std::uint64_t firstMove;
  if (!nextNumber(reader, &firstMove)) return reportNoMoves(err);
  auto forEachMove = [&](auto step) {
    if (step(firstMove)) forEachNumber(reader, step);
  };
  return walkAndVerdict(maze, start, end, forEachMove, reader->fileSize / 2,
                        out, err);
}

}  // namespace

int runVerifier(int argc, const char* const argv[], std::ostream& out,
                std::ostream& err) {
  po::variables_map settings;
  if (std::optional<int> status =
          loadSettings(argc, argv, verifierOptions(), &settings, out, err)) {
    return *status;
  }
  const bool verbose = settings["verbose-level"].as<std::uint64_t>() != 0;
  const Maze maze = settingsMaze(settings);
  const std::string problem = mazeProblem(maze);
  if (!problem.empty()) {
    err << problem << std::endl;
    return kSettingsRefused;
  }
  const std::string& fileName = inputFileName(settings, s_def_solution_filename);
  if (verbose) echoSettings(fileName, maze, out);

  NumberReader reader;
  if (!openNumberFile(fileName, &reader)) return kMalformedSolution;
  NumberList start;
  NumberList end;
  if (!readPosition(&reader, kStart, verbose, &start, out, err) ||
      !readPosition(&reader, kEnd, verbose, &end, out, err)) {
    return kMalformedSolution;
  }
  if (!endpointUsable(start, kStart, maze, out, err) ||
      !endpointUsable(end, kEnd, maze, out, err)) {
    return 0;
  }
  return walkSolution(&reader, maze, start, end, verbose, out, err);
}

#ifndef TESMO_VERIFIER_NO_MAIN
// The option library's exceptions are caught where it is called; what is
// left to throw is std::bad_alloc.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  // The one failure no check can foresee: a solution line of more numbers
  // than memory holds. End in order rather than abort.
  try {
    return runVerifier(argc, argv, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory!" << std::endl;
    return kMalformedSolution;
  }
}
#endif
