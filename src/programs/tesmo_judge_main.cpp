// The judge as a program of its own: the file a contest's judge compiles
// alone (scripts/make_tesmo_judge.sh builds it from the modules it needs).
// By default it is the Kattis-format output validator; compiled with
// -DTESMO_JUDGE_PROTOCOL=testlib, cms or input it is the testlib or CMS
// checker or the input validator, and a first argument --protocol=NAME
// chooses too. -DTESMO_JUDGE_SHORTEST and -DTESMO_JUDGE_SCORE give an
// output protocol the flags shortest and score, for judges that call a
// checker with no way to pass them (testlib's).

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "base/exit_status.hpp"
#include "judge/protocols.hpp"
#include "programs/print.hpp"

#ifndef TESMO_JUDGE_PROTOCOL
#define TESMO_JUDGE_PROTOCOL kattis
#endif
#define TESMO_JUDGE_TEXT(name) #name
#define TESMO_JUDGE_NAME(name) TESMO_JUDGE_TEXT(name)

// What is left to throw is std::bad_alloc: a judge failure, in every
// protocol's terms a code that is no verdict.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  std::string protocol = TESMO_JUDGE_NAME(TESMO_JUDGE_PROTOCOL);
  const char* const prefix = "--protocol=";
  if (argc > 1 && std::strncmp(argv[1], prefix, std::strlen(prefix)) == 0) {
    protocol = argv[1] + std::strlen(prefix);
    argv[1] = argv[0];
    ++argv;
    --argc;
  }
  std::vector<const char*> args(argv, argv + argc);
  const std::vector<const char*> flags = {
#ifdef TESMO_JUDGE_SHORTEST
      "--shortest",
#endif
#ifdef TESMO_JUDGE_SCORE
      "--score",
#endif
  };
  // testlib takes its flags before the files, the others after them.
  if (protocol == "testlib") {
    args.insert(args.begin() + 1, flags.begin(), flags.end());
  } else if (protocol != "input") {
    args.insert(args.end(), flags.begin(), flags.end());
  }
  tesmo::JudgeReply reply;
  try {
    reply =
        tesmo::runJudgeProtocol(protocol, static_cast<int>(args.size()), args.data(), STDIN_FILENO);
  } catch (const std::bad_alloc&) {
    reply = tesmo::outOfMemory(protocol);
  }
  tesmo::printSaid(&reply.said, std::cout, std::cerr);
  // A score that did not reach the judge is a failure of the checker.
  if (!std::cout.flush()) {
    std::cerr << "FAIL cannot write to standard output" << std::endl;
    return reply.status == 0 ? tesmo::kTestlibFail : reply.status;
  }
  return reply.status;
}
