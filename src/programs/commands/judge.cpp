// tesmo judge PROTOCOL ARGS...: the checker of a contest judge, in the
// protocol it calls (see protocols.hpp).

#include <unistd.h>

#include <ostream>
#include <string>

#include "base/exit_status.hpp"
#include "judge/protocols.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"

namespace tesmo {

namespace {

const char kUsage[] =
    "usage: tesmo judge kattis INPUT ANSWER FEEDBACK_DIR [shortest] [score] < OUTPUT\n"
    "       tesmo judge testlib INPUT OUTPUT ANSWER [RESULT_FILE] [shortest] [score]\n"
    "       tesmo judge cms INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [shortest] [score]\n"
    "       tesmo judge input [shortest] [score] < INPUT\n\n"
    "Judges one line of move codes against a test case: INPUT is a puzzle file with a\n"
    "start and an end, ANSWER a reference route (a moves line or a solution file).\n"
    "shortest accepts only a shortest route; score scores a route shortest / length.\n"
    "kattis exits 42 (accepted) or 43 (wrong answer) and writes judgemessage.txt and\n"
    "teammessage.txt; testlib exits 0 ok, 1 wrong answer, 2 presentation error,\n"
    "3 failure (7 with score); cms prints the score on stdout; input checks a test\n"
    "case's input (42 valid, 43 invalid). The message is one line.\n";

int runJudge(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    out << kUsage << std::flush;
    return 0;
  }
  if (argc < 2) {
    err << kUsage << std::flush;
    return kSettingsRefused;
  }
  JudgeReply reply = runJudgeProtocol(argv[1], argc - 1, argv + 1, STDIN_FILENO);
  printSaid(&reply.said, out, err);
  return reply.status;
}

}  // namespace

extern const Command kJudgeCommand = {
    "judge", "check a contestant's route as a contest judge's checker", runJudge};

}  // namespace tesmo
