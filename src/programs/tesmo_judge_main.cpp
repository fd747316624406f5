// The judge as a program of its own: the file a contest's judge compiles
// alone (scripts/make_tesmo_judge.sh builds it from the modules it needs).
// By default it is the Kattis-format output validator; compiled with
// -DTESMO_JUDGE_PROTOCOL=testlib, cms or input it is the testlib or CMS
// checker or the input validator, and a first argument --protocol=NAME
// chooses too.

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <new>
#include <string>

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
  tesmo::JudgeReply reply;
  try {
    reply = tesmo::runJudgeProtocol(protocol, argc, argv, STDIN_FILENO);
  } catch (const std::bad_alloc&) {
    std::cerr << "FAIL out of memory" << std::endl;
    return tesmo::kTestlibFail;
  }
  tesmo::printSaid(&reply.said, std::cout, std::cerr);
  // A score that did not reach the judge is a failure of the checker.
  if (!std::cout.flush()) {
    std::cerr << "FAIL cannot write to standard output" << std::endl;
    return reply.status == 0 ? tesmo::kTestlibFail : reply.status;
  }
  return reply.status;
}
