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

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "cli/puzzle_source.hpp"
#include "formats/puzzle_file.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"

namespace tesmo {

namespace po = boost::program_options;

namespace {

CommandLine convertCommandLine() {
  CommandLine commandLine{optionGroup(), 0,
                          "usage: tesmo convert [options]\n\n"
                          "Writes the puzzle as a puzzle file, or as tesmo.cfg lines."};
  commandLine.group.add_options()("to", po::value<std::string>()->default_value("puzzle"),
                                  "puzzle (a puzzle file) or cfg (tesmo.cfg lines)")(
      "problem", po::value<std::string>(), "problem or solution file whose start and end to add");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

void writeEndpointComment(std::ostream& out, const char* name,
                          const std::optional<Position>& position) {
  if (!position) return;
  out << "# " << name << ' ' << (*position)[0] << ' ' << (*position)[1] << ' ' << (*position)[2]
      << " (tesmo.cfg holds no " << name << "; a problem file does)\n";
}

int runConvert(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  Said said;
  if (const std::optional<int> loaded =
          startCommand(argc, argv, convertCommandLine(), &source, out, err)) {
    return *loaded;
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
  if (source.settings.count("problem")) {
    Position problemStart, problemEnd;
    const bool read = readProblemFile(source.settings["problem"].as<std::string>(), &problemStart,
                                      &problemEnd, &said);
    printSaid(&said, out, err);
    if (!read) return kCannotUse;
    start = problemStart;
    end = problemEnd;
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

}  // namespace

extern const Command kConvertCommand = {
    "convert", "write a puzzle as a puzzle file or as tesmo.cfg lines", runConvert};

}  // namespace tesmo
