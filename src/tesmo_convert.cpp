// tesmo convert: writes the puzzle it was given (settings, or --puzzle FILE)
// on stdout as a puzzle file, or as tesmo.cfg lines with --to cfg.
// --problem FILE adds the start and end of a problem or solution file (its
// first two lines); otherwise those of the puzzle file, if it has them.
//
// Exit status 0: written. 1: the problem file cannot be read or a line of
// it is no position (the verifier's message). 2: settings refused, or --to
// names no format.

#include <optional>
#include <ostream>
#include <string>

#include "endpoints.hpp"
#include "number_list.hpp"
#include "puzzle_file.hpp"
#include "puzzle_source.hpp"
#include "tesmo.hpp"

namespace po = boost::program_options;

namespace {

CommandLine convertCommandLine() {
  CommandLine commandLine{optionGroup(), 0,
                          "usage: tesmo convert [options]\n\n"
                          "Writes the puzzle as a puzzle file, or as tesmo.cfg lines."};
  commandLine.group.add_options()
      ("to", po::value<std::string>()->default_value("puzzle"),
       "puzzle (a puzzle file) or cfg (tesmo.cfg lines)")
      ("problem", po::value<std::string>(),
       "problem or solution file whose start and end to add");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

// The start and end of the problem file; false after the verifier's
// message when they are not three numbers each, or the file cannot be read.
bool readProblem(const std::string& fileName, std::optional<Position>* start,
                 std::optional<Position>* end, std::ostream& out, std::ostream& err) {
  NumberReader reader;
  if (!openNumberFile(fileName, &reader)) {
    err << "cannot read the problem file '" << oneLine(fileName) << "'" << std::endl;
    return false;
  }
  NumberList startLine, endLine;
  if (!readPosition(&reader, kStart, false, &startLine, out, err) ||
      !readPosition(&reader, kEnd, false, &endLine, out, err)) {
    return false;
  }
  *start = asPosition(startLine);
  *end = asPosition(endLine);
  return true;
}

void writeEndpointComment(std::ostream& out, const char* name,
                          const std::optional<Position>& position) {
  if (!position) return;
  out << "# " << name << ' ' << (*position)[0] << ' ' << (*position)[1] << ' '
      << (*position)[2] << " (tesmo.cfg holds no " << name << "; a problem file does)\n";
}

}  // namespace

int runConvert(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (std::optional<int> status =
          loadPuzzle(argc, argv, convertCommandLine(), &source, out, err)) {
    return *status;
  }
  const std::string format = source.settings["to"].as<std::string>();
  if (format != "puzzle" && format != "cfg") {
    err << "--to takes puzzle or cfg, not '" << oneLine(format) << "'" << std::endl;
    return kSettingsRefused;
  }
  std::optional<Position> start, end;
  if (source.fromFile) {
    start = source.file.start;
    end = source.file.end;
  }
  if (source.settings.count("problem") &&
      !readProblem(source.settings["problem"].as<std::string>(), &start, &end, out, err)) {
    return 1;
  }
  const Maze maze = sourceMaze(source);
  if (format == "cfg") {
    writeEndpointComment(out, "start", start);
    writeEndpointComment(out, "end", end);
    writeConfig(out, maze);
  } else {
    writePuzzle(out, maze, start, end);
  }
  out.flush();
  return 0;
}
