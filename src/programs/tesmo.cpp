// tesmo: the toolkit beside the verifier, one program with subcommands as
// git has them.
//
//  - `tesmo help`, `tesmo --help` and `tesmo -h` print the overview (usage
//    and the commands) on stdout, status 0; `tesmo help COMMAND` prints the
//    command's help as `tesmo COMMAND --help` does. `tesmo --version`
//    prints "tesmo VERSION" and a second line naming the verifier it goes
//    with, status 0.
//  - `tesmo COMMAND ARGS...` runs the command with argv[0] = COMMAND.
//  - No command: the overview on stderr, status 2. An unknown command or
//    option: "tesmo: 'WORD' is not a tesmo command; see 'tesmo help'" on
//    stderr, status 2.

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"

namespace tesmo {

// The commands, in the order `tesmo help` lists them, one line each; each
// is defined in its own file under commands/.
// clang-format off
#define TESMO_COMMANDS(command) \
  command(kSolveCommand)        \
  command(kExplainCommand)      \
  command(kGradeCommand)        \
  command(kConvertCommand)      \
  command(kJudgeCommand)        \
  command(kGenerateCommand)     \
  command(kStatsCommand)        \
  command(kRenderCommand)        \
  command(kTestCommand)
// clang-format on

#define TESMO_DECLARE_COMMAND(name) extern const Command name;
#define TESMO_LIST_COMMAND(name) &(name),
TESMO_COMMANDS(TESMO_DECLARE_COMMAND)
const Command* const kCommands[] = {TESMO_COMMANDS(TESMO_LIST_COMMAND)};
const int kCommandCount = sizeof kCommands / sizeof kCommands[0];

namespace {

const Command* findCommand(const char* name) {
  for (const Command* command : kCommands) {
    if (std::strcmp(command->name, name) == 0) return command;
  }
  return nullptr;
}

void printOverview(std::ostream& stream) {
  stream << "usage: tesmo [--version] [--help] COMMAND [ARGS]\n\n"
            "Tools for three-dimensional maze puzzles whose walls are three faces,\n"
            "beside the verifier tesmoVerifier.\n\nCommands:\n";
  for (const Command* command : kCommands) {
    stream << "  " << command->name << std::string(10 - std::strlen(command->name), ' ')
           << command->summary << '\n';
  }
  stream << "\nSee 'tesmo help COMMAND' or 'tesmo COMMAND --help' for a command's options."
         << std::endl;
}

int refuseWord(const char* word, std::ostream& err) {
  err << "tesmo: '" << word << "' is not a tesmo command; see 'tesmo help'" << std::endl;
  return kSettingsRefused;
}

}  // namespace

std::optional<int> startCommand(int argc, const char* const argv[], const CommandLine& commandLine,
                                PuzzleSource* source, std::ostream& out, std::ostream& err) {
  Said said;
  const std::optional<int> status = loadPuzzle(argc, argv, commandLine, source, &said);
  printSaid(&said, out, err);
  return status;
}

bool writeOutputFile(const std::string& path, const char* what,
                     const std::function<void(std::ostream&)>& write, std::ostream& err) {
  std::ofstream file(path, std::ios::binary);
  if (file) {
    write(file);
    file.close();
  }
  if (file) return true;
  err << printableName(path) << ": cannot write the " << what << ": " << std::strerror(errno)
      << std::endl;
  return false;
}

int runTesmo(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  if (argc < 2) {
    printOverview(err);
    return kSettingsRefused;
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

}  // namespace tesmo
