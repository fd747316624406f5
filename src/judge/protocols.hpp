// The checker protocols of contest judges around judge.hpp: how each is
// called, where its verdict and message go, and its exit codes. It writes
// the feedback files a protocol asks for and returns what is said on the
// standard streams with the exit status; the program prints them.
//
// Contract of runJudgeProtocol(protocol, argc, argv, input), argv[0]
// being the program's or the protocol's name, `input` the descriptor of
// standard input:
//  - "kattis": argv INPUT ANSWER FEEDBACK_DIR [FLAG...], the output on
//    standard input, as the Kattis problem package format (and DOMjudge)
//    call an output validator. Exit 42 accepted, 43 wrong answer (a format
//    error included); the message goes to FEEDBACK_DIR's judgemessage.txt
//    and teammessage.txt, one line each; with the score flag an accepted
//    route writes score.txt (shortest / length). A judge error exits 1,
//    with its reason on standard error and in judgemessage.txt.
//  - "testlib": argv INPUT OUTPUT ANSWER [RESULT_FILE] [FLAG...], the
//    testlib convention (Codeforces, Polygon): exit 0 ok, 1 wrong answer, 2
//    presentation error (a format error), 3 judge failure, and with the
//    score flag 7 for an accepted route; one line on standard error: "ok
//    ...", "wrong answer ...", "wrong output format ...", "FAIL ...", or
//    "points SCORE ...". A RESULT_FILE is accepted and left alone.
//  - "cms": argv INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [FLAG...], as CMS
//    calls a comparator: the score (1.0 or 0.0, shortest / length with the
//    score flag) alone on standard output, the message on standard error,
//    exit 0. A judge error prints no score, its reason on standard error,
//    exit 1.
//  - "input": argv [FLAG...], a test case's input on standard input, as
//    the Kattis format calls an input validator: exit 42 valid, 43 invalid,
//    the reason on standard error.
//  - Flags: "shortest" or "--shortest", "score" or "--score" (see
//    JudgeOptions); any other is a judge error, and so are missing
//    arguments. An unknown protocol: exit 2.

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

}  // namespace tesmo

#endif  // TESMO_JUDGE_PROTOCOLS_HPP
