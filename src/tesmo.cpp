#include "tesmo.hpp"

#include <cstring>
#include <string>

namespace {

using Run = int (*)(int, const char* const[], std::ostream&, std::ostream&);

struct Command {
  const char* name;
  const char* summary;
  Run run;
};

const Command kCommands[] = {
    {"solve", "print a shortest solution of a puzzle", runSolve},
    {"explain", "replay solutions as tesmoVerifier does and say where and why they fail",
     runExplain},
    {"convert", "write a puzzle as a puzzle file or as tesmo.cfg lines", runConvert},
    {"judge", "check a contestant's route as a contest judge's checker", runJudge},
    {"generate", "make a perfect puzzle with a long route", runGenerate},
    {"stats", "measure a puzzle: its cells, routes and dead ends", runStats},
    {"render", "draw a puzzle's faces as SVG or in the terminal", runRender},
};

const Command* findCommand(const char* name) {
  for (const Command& command : kCommands) {
    if (std::strcmp(command.name, name) == 0) return &command;
  }
  return nullptr;
}

void printOverview(std::ostream& stream) {
  stream << "usage: tesmo [--version] [--help] COMMAND [ARGS]\n\n"
            "Tools for three-dimensional maze puzzles whose walls are three faces,\n"
            "beside the verifier tesmoVerifier.\n\nCommands:\n";
  for (const Command& command : kCommands) {
    stream << "  " << command.name << std::string(10 - std::strlen(command.name), ' ')
           << command.summary << '\n';
  }
  stream << "\nSee 'tesmo help COMMAND' or 'tesmo COMMAND --help' for a command's options."
         << std::endl;
}

int refuseWord(const char* word, std::ostream& err) {
  err << "tesmo: '" << word << "' is not a tesmo command; see 'tesmo help'" << std::endl;
  return 2;
}

}  // namespace

int runTesmo(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  if (argc < 2) {
    printOverview(err);
    return 2;
  }
  const std::string word = argv[1];
  if (word == "--version") {
    out << "tesmo " TESMO_VERSION "\nfor puzzles of tesmoVerifier " TESMO_VERSION << std::endl;
    return 0;
  }
  if (word == "--help" || word == "-h" || (word == "help" && argc == 2)) {
    printOverview(out);
    return 0;
  }
  if (word == "help") {
    const Command* command = findCommand(argv[2]);
    if (!command) return refuseWord(argv[2], err);
    const char* const helpArgs[] = {command->name, "--help", nullptr};
    return command->run(2, helpArgs, out, err);
  }
  const Command* command = findCommand(argv[1]);
  if (!command) return refuseWord(argv[1], err);
  return command->run(argc - 1, argv + 1, out, err);
}
