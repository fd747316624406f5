#include "tesmoVerifier.hpp"

#include <cstdint>
#include <ostream>
#include <string>

#include "endpoints.hpp"
#include "maze.hpp"
#include "puzzle_source.hpp"
#include "replay.hpp"
#include "settings.hpp"

namespace {

void echoSettings(const std::string& fileName, const Maze& maze,
                  std::ostream& out) {
  out << "input file: " << oneLine(fileName) << std::endl;
  echoList(out, "Face 0 : ", maze.face0);
  echoList(out, "Face 1 : ", maze.face1);
  echoList(out, "Face 2 : ", maze.face2);
}

}  // namespace

int runVerifier(int argc, const char* const argv[], std::ostream& out,
                std::ostream& err) {
  PuzzleSource source;
  if (std::optional<int> status =
          loadPuzzle(argc, argv, CommandLine{verifierOptions(), -1, ""}, &source, out, err)) {
    return *status;
  }
  const bool verbose = source.settings["verbose-level"].as<std::uint64_t>() != 0;
  const Maze maze = sourceMaze(source);
  const std::string& fileName = inputFileName(source.settings, s_def_solution_filename);
  if (verbose) echoSettings(fileName, maze, out);
  return replaySolution(fileName, maze, verbose, nullptr, out, err).status;
}
