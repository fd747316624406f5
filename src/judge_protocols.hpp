// The checker protocols of contest judges around judge.hpp: how each is
// called, where its verdict and message go, and its exit codes.
//
// Contract of runJudgeProtocol(protocol, argc, argv, out, err), argv[0]
// being the program's or the protocol's name:
//  - "kattis": argv INPUT ANSWER FEEDBACK_DIR [FLAG...], the output on
//    standard input, as the Kattis problem package format (and DOMjudge)
//    call an output validator. Exit 42 accepted, 43 wrong answer (a format
//    error included); the message goes to FEEDBACK_DIR's judgemessage.txt
//    and teammessage.txt, one line each; with the score flag an accepted
//    route writes score.txt (shortest / length). A judge error exits 1,
//    with its reason on `err` and in judgemessage.txt.
//  - "testlib": argv INPUT OUTPUT ANSWER [RESULT_FILE] [FLAG...], the
//    testlib convention (Codeforces, Polygon): exit 0 ok, 1 wrong answer, 2
//    presentation error (a format error), 3 judge failure, and with the
//    score flag 7 for an accepted route; one line on `err`: "ok ...",
//    "wrong answer ...", "wrong output format ...", "FAIL ...", or
//    "points SCORE ...". A RESULT_FILE is accepted and left alone.
//  - "cms": argv INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [FLAG...], as CMS
//    calls a comparator: the score (1.0 or 0.0, shortest / length with the
//    score flag) alone on the first line of `out`, the message on `err`,
//    exit 0. A judge error prints no score, its reason on `err`, exit 1.
//  - "input": argv [FLAG...], a test case's input on standard input, as
//    the Kattis format calls an input validator: exit 42 valid, 43 invalid,
//    the reason on `err`.
//  - Flags: "shortest" or "--shortest", "score" or "--score" (see
//    JudgeOptions); any other is a judge error, and so are missing
//    arguments. An unknown protocol: exit 2.

#ifndef TESMO_JUDGE_PROTOCOLS_HPP
#define TESMO_JUDGE_PROTOCOLS_HPP

#include <ostream>
#include <string>

int runJudgeProtocol(const std::string& protocol, int argc, const char* const argv[],
                     std::ostream& out, std::ostream& err);

#endif  // TESMO_JUDGE_PROTOCOLS_HPP
