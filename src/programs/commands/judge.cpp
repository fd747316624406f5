// tesmo judge PROTOCOL ARGS...: the checker of a contest judge, in the
// protocol it calls (see protocols.hpp).

#include <unistd.h>

#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "base/exit_status.hpp"
#include "judge/protocols.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"

namespace tesmo {

namespace {

const char kUsage[] =
    "usage: tesmo judge kattis INPUT ANSWER FEEDBACK_DIR [shortest] [score] [full_feedback]\n"
    "                          < OUTPUT\n"
    "       tesmo judge testlib [--shortest] [--score] INPUT OUTPUT ANSWER\n"
    "                           [RESULT_FILE [-appes]]\n"
    "       tesmo judge cms INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [shortest] [score]\n"
    "       tesmo judge input [lenient] [max_size=N] < INPUT\n\n"
    "Judges one line of move codes against a test case: INPUT is a puzzle file with a\n"
    "start and an end, ANSWER a reference route (a moves line or a solution file).\n"
    "shortest accepts only a shortest route; score scores a route shortest / length.\n"
    "kattis exits 42 (accepted) or 43 (wrong answer) and writes judgemessage.txt and\n"
    "teammessage.txt (the full message with full_feedback); testlib exits 0 ok,\n"
    "1 wrong answer, 2 presentation error, 3 failure (7 with score), its message on\n"
    "stderr or in RESULT_FILE (testlib's XML with -appes); cms prints the score on\n"
    "stdout; input checks a test case's input in its canonical form (lenient: any\n"
    "puzzle file), max_size=N bounding the box (42 valid, 43 invalid). A message is\n"
    "one line.\n";

int runJudge(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    out << kUsage << std::flush;
    return 0;
  }
  if (argc < 2) {
    err << kUsage << std::flush;
    return kSettingsRefused;
  }
  // The protocol's usage names the command as it was typed.
  const std::string protocol = argv[1], command = "tesmo judge " + protocol;
  std::vector<const char*> args(argv + 1, argv + argc);
  args[0] = command.c_str();
  JudgeReply reply;
  try {
    reply = runJudgeProtocol(protocol, argc - 1, args.data(), STDIN_FILENO);
  } catch (const std::bad_alloc&) {
    reply = outOfMemory(protocol);
  }
  printSaid(&reply.said, out, err);
  return reply.status;
}

}  // namespace

extern const Command kJudgeCommand = {
    "judge", "check a contestant's route as a contest judge's checker", runJudge};

}  // namespace tesmo
