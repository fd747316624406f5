#include "puzzle_source.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "endpoints.hpp"

namespace po = boost::program_options;

namespace {

const char* const kPuzzleOptions[] = {"dimensions", "face0", "face1", "face2"};

}  // namespace

void addPuzzleSource(po::options_description* group) {
  group->add_options()("puzzle", po::value<std::string>(),
                       "puzzle file (instead of the puzzle options)");
  addPuzzleOptions(group, false);
}

std::optional<int> loadPuzzle(int argc, const char* const argv[],
                              const CommandLine& commandLine, PuzzleSource* source,
                              std::ostream& out, std::ostream& err) {
  po::variables_map& settings = source->settings;
  std::vector<std::string> given;
  if (std::optional<int> status =
          loadSettings(argc, argv, commandLine, &settings, out, err, &given)) {
    return status;
  }
  if (settings.count("puzzle")) {
    for (const char* name : kPuzzleOptions) {
      if (std::find(given.begin(), given.end(), name) != given.end()) {
        err << "--puzzle and --" << name << " cannot be given together" << std::endl;
        return kSettingsRefused;
      }
    }
    std::string error;
    if (!loadPuzzleFile(settings["puzzle"].as<std::string>(), &source->file, &error)) {
      err << oneLine(error) << std::endl;
      return kSettingsRefused;
    }
    source->fromFile = true;
  }
  const std::string problem = mazeProblem(sourceMaze(*source));
  if (!problem.empty()) {
    err << problem << std::endl;
    return kSettingsRefused;
  }
  return std::nullopt;
}

Maze sourceMaze(const PuzzleSource& source) {
  return source.fromFile ? puzzleMaze(source.file) : settingsMaze(source.settings);
}

const std::string s_def_problem_filename = "problem.txt";

bool problemEndpoints(const PuzzleSource& source, const Maze& maze, NumberList* start,
                      NumberList* end, std::ostream& out, std::ostream& err) {
  const bool named = source.settings.count("input-file") != 0;
  const Puzzle& file = source.file;
  if (!named && source.fromFile && file.start && file.end) {
    *start = NumberList(file.start->begin(), file.start->end());
    *end = NumberList(file.end->begin(), file.end->end());
  } else {
    NumberReader reader;
    if (!openNumberFile(inputFileName(source.settings, s_def_problem_filename), &reader)) {
      return false;
    }
    if (!readPosition(&reader, kStart, false, start, out, err) ||
        !readPosition(&reader, kEnd, false, end, out, err)) {
      return false;
    }
  }
  return endpointUsable(*start, kStart, maze, out, err) &&
         endpointUsable(*end, kEnd, maze, out, err);
}
