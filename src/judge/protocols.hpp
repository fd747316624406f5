// The checker protocols of contest judges around judge.hpp: how each is
// called, where its verdict and message go, and its exit codes. It writes
// the files a protocol asks for and returns what is said on the standard
// streams with the exit status; the program prints them.
//
// Contract of runJudgeProtocol(protocol, argc, argv, input), argv[0]
// being the command as the usage should name it, `input` the descriptor of
// standard input:
//  - "kattis": argv INPUT ANSWER FEEDBACK_DIR [FLAG...], the output on
//    standard input, as the Kattis problem package format (and DOMjudge)
//    call an output validator. Exit 42 accepted, 43 wrong answer (a format
//    error included). The full message goes to FEEDBACK_DIR's
//    judgemessage.txt, the team message (judge.hpp) to teammessage.txt (the
//    full one with the flag full_feedback), one line each; with the score
//    flag an accepted route writes score.txt. A judge error exits 1, with
//    its reason on standard error and in judgemessage.txt; an empty
//    FEEDBACK_DIR is one.
//  - "testlib": argv [--shortest] [--score] INPUT OUTPUT ANSWER
//    [RESULT_FILE [-appes]], as testlib's checkers take them (Codeforces,
//    Polygon): exit 0 ok, 1 wrong answer, 2 presentation error (a format
//    error), 3 failure, 7 points (an accepted route with --score). Without
//    RESULT_FILE one line on standard error: "ok MESSAGE", "wrong answer
//    MESSAGE", "wrong output format MESSAGE", "FAIL MESSAGE" or "points
//    SCORE MESSAGE". With it, testlib's message (the line less its verdict
//    words) goes to RESULT_FILE, standard error holds an empty line and "See
//    file to check exit message"; with -appes (or -APPES) the file holds
//    testlib's XML result: <?xml version="1.0" encoding="windows-1251"?>
//    <result outcome = "OUTCOME">MESSAGE</result> (one line), OUTCOME
//    "accepted", "wrong-answer", "presentation-error", "fail" or "points"
//    with points = "SCORE" after it. Any other argument in -appes's place or
//    after it, or a flag after INPUT, is a failure.
//  - "cms": argv INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [FLAG...], as CMS
//    calls a comparator: the score (1.0 or 0.0, shortest / length with the
//    score flag) alone on standard output, the message on standard error,
//    exit 0. A judge error prints no score, its reason on standard error,
//    exit 1.
//  - "input": argv [FLAG...], a test case's input on standard input, as
//    the Kattis format calls an input validator: exit 42 valid, 43 invalid,
//    the reason on standard error. The input must have the canonical form
//    (see canonicalFault()) unless the flag lenient is given; max_size=N
//    bounds each size of the box.
//  - Flags of the output protocols: "shortest" and "score" (or "--shortest",
//    "--score"), see JudgeOptions; kattis's full_feedback. Any other flag,
//    or missing arguments, is a judge error (exit 1, 3 for testlib), never
//    ignored. An unknown protocol: exit 2.
//  - outOfMemory() is what a protocol says when memory runs out.

#ifndef TESMO_JUDGE_PROTOCOLS_HPP
#define TESMO_JUDGE_PROTOCOLS_HPP

#include <string>

#include "base/said.hpp"

namespace tesmo {

struct JudgeReply {
  int status = 0;
  Said said;
};

JudgeReply runJudgeProtocol(const std::string& protocol, int argc, const char* const argv[],
                            int input);

JudgeReply outOfMemory(const std::string& protocol);

}  // namespace tesmo

#endif  // TESMO_JUDGE_PROTOCOLS_HPP
