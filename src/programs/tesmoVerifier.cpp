#include "programs/tesmoVerifier.hpp"

#include <cstdint>
#include <new>
#include <string>

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "cli/settings.hpp"
#include "programs/print.hpp"
#include "verify/endpoints.hpp"
#include "verify/replay.hpp"

namespace tesmo {

namespace po = boost::program_options;

namespace {

void echoSettings(const std::string& fileName, const po::variables_map& settings,
                  std::ostream& out) {
  out << "input file: " << oneLine(fileName) << std::endl;
  const char* const faces[] = {"face0", "face1", "face2"};
  const char* const prefixes[] = {"Face 0 : ", "Face 1 : ", "Face 2 : "};
  for (int face = 0; face < 3; ++face) {
    out << echoLine(prefixes[face], settings[faces[face]].as<NumberList>()) << std::endl;
  }
}

}  // namespace

int runVerifier(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  po::variables_map settings;
  Said said;
  // The help's default faces are made only for the help.
  const CommandLine commandLine{verifierOptions(PuzzleHelp::kUnrendered), -1, "", "input-file",
                                [] { return verifierOptions(PuzzleHelp::kEveryCell); }};
  const std::optional<int> status = loadSettings(argc, argv, commandLine, &settings, &said);
  printSaid(&said, out, err);
  if (status) return *status;
  const std::string problem = settingsMazeProblem(settings);
  if (!problem.empty()) {
    err << problem << std::endl;
    return kSettingsRefused;
  }
  const bool verbose = settings["verbose-level"].as<std::uint64_t>() != 0;
  const std::string& fileName = inputFileName(settings, s_def_solution_filename);
  if (verbose) echoSettings(fileName, settings, out);
  ReplayFacts facts;
  // The one failure no check can foresee: a solution line of more numbers
  // than memory holds. What was said before it is printed, then the run
  // ends in order rather than abort.
  try {
    replaySolution(fileName, settingsMaze(settings), verbose, false, &facts);
  } catch (const std::bad_alloc&) {
    printSaid(&facts.said, out, err);
    err << "Out of memory!" << std::endl;
    return kMalformedSolution;
  }
  printSaid(&facts.said, out, err);
  return facts.status;
}

}  // namespace tesmo
