#include "cli/puzzle_source.hpp"

#include <algorithm>
#include <vector>

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "formats/puzzle_file.hpp"
#include "verify/endpoints.hpp"

namespace tesmo {

namespace po = boost::program_options;

namespace {

const char* const kPuzzleOptions[] = {"dimensions", "face0", "face1", "face2"};

// The puzzle file named by --puzzle or the PUZZLE argument, if any; a
// status after saying why when both are given.
std::optional<int> puzzleFileName(const po::variables_map& settings, std::string* name,
                                  Said* said) {
  const bool option = settings.count("puzzle") != 0;
  const bool argument = settings.count(kPuzzleArgument) != 0;
  if (option && argument) {
    sayErr(said, "--puzzle and a PUZZLE argument cannot be given together");
    return kSettingsRefused;
  }
  if (option) *name = settings["puzzle"].as<std::string>();
  if (argument) *name = settings[kPuzzleArgument].as<std::string>();
  return std::nullopt;
}

}  // namespace

void addPuzzleSource(po::options_description* group) {
  group->add_options()("puzzle", po::value<std::string>(),
                       "puzzle file (instead of the puzzle options)");
  addPuzzleOptions(group, PuzzleHelp::kBuiltIn);
}

std::optional<int> loadPuzzle(int argc, const char* const argv[], const CommandLine& commandLine,
                              PuzzleSource* source, Said* said) {
  po::variables_map& settings = source->settings;
  std::vector<std::string> given;
  if (std::optional<int> status = loadSettings(argc, argv, commandLine, &settings, said, &given)) {
    return status;
  }
  std::string fileName;
  if (std::optional<int> status = puzzleFileName(settings, &fileName, said)) return status;
  if (settings.count("puzzle") || settings.count(kPuzzleArgument)) {
    for (const char* name : kPuzzleOptions) {
      if (std::find(given.begin(), given.end(), name) != given.end()) {
        sayErr(said, std::string("--puzzle and --") + name + " cannot be given together");
        return kSettingsRefused;
      }
    }
    std::string error;
    if (!loadPuzzleFile(fileName, &source->file, &error)) {
      sayErr(said, oneLine(error));
      return kSettingsRefused;
    }
    source->fromFile = true;
    return std::nullopt;
  }
  const std::string problem = settingsMazeProblem(settings);
  if (!problem.empty()) {
    sayErr(said, problem);
    return kSettingsRefused;
  }
  return std::nullopt;
}

Maze sourceMaze(const PuzzleSource& source) {
  return source.fromFile ? puzzleMaze(source.file) : settingsMaze(source.settings);
}

const std::string s_def_problem_filename = "problem.txt";

bool problemEndpoints(const PuzzleSource& source, const Maze& maze, Position* start, Position* end,
                      Said* said) {
  const bool named = source.settings.count("input-file") != 0;
  const Puzzle& file = source.file;
  if (!named && source.fromFile && file.start && file.end) {
    *start = *file.start;
    *end = *file.end;
  } else if (!readProblemFile(inputFileName(source.settings, s_def_problem_filename), start, end,
                              said)) {
    return false;
  }
  return endpointUsable(*start, kStart, maze, said) && endpointUsable(*end, kEnd, maze, said);
}

bool readProblemFile(const std::string& fileName, Position* start, Position* end, Said* said) {
  NumberReader reader;
  if (!openNumberFile(fileName, &reader)) {
    sayErr(said, cannotRead(fileName, "problem", reader.error));
    return false;
  }
  return readPosition(&reader, kStart, false, start, said) &&
         readPosition(&reader, kEnd, false, end, said);
}

}  // namespace tesmo
