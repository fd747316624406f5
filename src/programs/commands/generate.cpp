// tesmo generate X Y Z [--seed N] [--budget SECONDS]: writes a perfect
// puzzle of X x Y x Z cells, with its start and end, as a puzzle file on
// stdout (see generate.hpp).
//
// Exit status 0: written. 1: no maze with a route within the budget. 2:
// options refused, or sizes the generator does not take.

#include "engine/generate.hpp"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "base/exit_status.hpp"
#include "cli/settings.hpp"
#include "formats/puzzle_file.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"
#include "verify/words.hpp"

namespace tesmo {

namespace po = boost::program_options;

namespace {

CommandLine generateCommandLine() {
  CommandLine commandLine{optionGroup(), 3,
                          "usage: tesmo generate X Y Z [options]\n\n"
                          "Writes a perfect puzzle of X x Y x Z cells, with its start and end at "
                          "the two\nends of its longest route, as a puzzle file. The same "
                          "arguments give the same\nfile on every machine.",
                          "size"};
  commandLine.group.add_options()("size", po::value<std::vector<std::uint64_t>>(),
                                  "the sizes X, Y and Z, as the arguments")(
      "seed", po::value<std::uint64_t>()->default_value(1), "seed of the random numbers")(
      "budget", po::value<double>()->default_value(1.0),
      "seconds of work to search for a longer route");
  return commandLine;
}

std::string argumentsText(const NumberList& sizes, const GenerateOptions& options) {
  std::string text = "tesmo generate";
  for (std::uint64_t size : sizes) text += " " + std::to_string(size);
  char budget[32];
  std::snprintf(budget, sizeof budget, "%g", options.budgetSeconds);
  return text + " --seed " + std::to_string(options.seed) + " --budget " + budget;
}

int runGenerate(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  po::variables_map settings;
  Said said;
  const std::optional<int> loaded =
      loadSettings(argc, argv, generateCommandLine(), &settings, &said);
  printSaid(&said, out, err);
  if (loaded) return *loaded;
  NumberList sizes;
  if (settings.count("size")) sizes = settings["size"].as<std::vector<std::uint64_t>>();
  GenerateOptions options;
  options.seed = settings["seed"].as<std::uint64_t>();
  options.budgetSeconds = settings["budget"].as<double>();
  if (sizes.size() != 3) {
    err << "tesmo generate takes three sizes: X Y Z" << std::endl;
    return kSettingsRefused;
  }
  if (!(options.budgetSeconds >= 0 && options.budgetSeconds <= 3600)) {
    err << "the budget is from 0 to 3600 seconds" << std::endl;
    return kSettingsRefused;
  }
  Puzzle puzzle;
  GenerateReport report;
  std::string error;
  if (!generatePuzzle(sizes, options, &puzzle, &report, &error)) {
    err << error << std::endl;
    return error.rfind("no maze", 0) == 0 ? kCannotUse : kSettingsRefused;
  }
  out << "# Made by " << argumentsText(sizes, options) << ": a perfect maze whose\n"
      << "# only solution takes " << movesText(report.routeLength) << ".\n";
  writePuzzle(out, puzzleMaze(puzzle), puzzle.start, puzzle.end);
  out.flush();
  return 0;
}

}  // namespace

extern const Command kGenerateCommand = {"generate", "make a perfect puzzle with a long route",
                                         runGenerate};

}  // namespace tesmo
