// tesmo explain [SOLUTION...]: replays each solution (default
// "solution.txt") exactly as the verifier does, prints the verifier's own
// lines and its exit status, then says where and why, one short line each
// (see explain.hpp). With --json, stdout holds one JSON object per solution
// and nothing else; with --trace, every executed move is printed too. A
// solution file that cannot be read is also said on stderr.
//
// Exit status: the verifier's for one solution, the highest for several;
// 2 when the settings are refused (nothing is replayed).

#include "verify/explain.hpp"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "cli/puzzle_source.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"

namespace tesmo {

namespace {

CommandLine explainCommandLine() {
  CommandLine commandLine{optionGroup(), -1,
                          "usage: tesmo explain [options] [SOLUTION...]\n\n"
                          "Replays each solution (default solution.txt) as tesmoVerifier does, "
                          "prints its\nlines and exit status, then says where and why it "
                          "stopped or failed."};
  addInputFiles(&commandLine.group, "solution files, as the arguments");
  addJsonOption(&commandLine.group, "one JSON object per solution on stdout, and nothing else");
  commandLine.group.add_options()("trace", "print every executed move");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

int runExplain(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (const std::optional<int> loaded =
          startCommand(argc, argv, explainCommandLine(), &source, out, err)) {
    return *loaded;
  }
  const bool json = source.settings.count("json") != 0;
  const bool trace = source.settings.count("trace") != 0;
  if (json && trace) {
    err << "--json and --trace cannot be given together" << std::endl;
    return kSettingsRefused;
  }
  std::vector<std::string> files = {"solution.txt"};
  if (source.settings.count("input-file")) {
    files = source.settings["input-file"].as<std::vector<std::string>>();
  }
  const Maze maze = sourceMaze(source);
  Searches searches{maze, {}, std::nullopt, {}};
  int status = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Explanation e = explainSolution(files[i], &searches, trace);
    status = std::max(status, e.facts.status);
    if (json) {
      writeExplanationJson(out, e);
    } else {
      if (files.size() > 1) out << (i > 0 ? "\n" : "") << "==> " << oneLine(files[i]) << " <==\n";
      writeExplanationText(out, maze, e, trace);
    }
    out.flush();
    if (!e.facts.opened) err << cannotRead(files[i], "solution", e.facts.readError) << std::endl;
  }
  return status;
}

}  // namespace

extern const Command kExplainCommand = {
    "explain", "replay solutions as tesmoVerifier does and say where and why they fail",
    runExplain};

}  // namespace tesmo
