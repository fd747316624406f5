// What a suite's runs come to, in words: the table, JSON and JUnit XML of
// `tesmo test`.
//
// Contract:
//  - writeSuiteTable() writes a header and a row a case: case, verdict,
//    seconds (wall time, 3 decimals), MiB (peak resident memory, 1
//    decimal), moves (the route's), shortest, message; "-" where there is
//    none, names and messages through printableName(), the last column
//    unpadded. With
//    `colour` the verdict is wrapped in an ANSI colour (the text is
//    otherwise the same).
//  - writeStderrHeads() writes, for each case that did not pass and wrote
//    to standard error, "stderr of CASE:" and its first lines (kStderrLines
//    at most, each cut at kStderrLineBytes), indented by two blanks.
//  - suiteSummary() is one line: "N of M cases passed", then with `score`
//    "; score S of M" (the judge's scores added), then "; slowest: CASE
//    (T s)".
//  - writeSuiteJson() writes one object a case, a line each: case,
//    verdict, time, memory (bytes), moves, shortest, message, score (null
//    without --score), stderr (its first lines), in quote.hpp's JSON.
//  - writeJunit() writes JUnit XML as test reporters read it (GitLab,
//    GitHub Actions, Jenkins): testsuites and one testsuite "tesmo test"
//    with the counts and time, a testcase a case (name, classname "tesmo
//    test", time) holding a failure (a verdict against the solver) or an
//    error (JE) with type the verdict and message the message, and the
//    solver's stderr head in system-err.

#ifndef TESMO_JUDGE_SUITE_REPORT_HPP
#define TESMO_JUDGE_SUITE_REPORT_HPP

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "judge/suite.hpp"
#include "run/run.hpp"

namespace tesmo {

constexpr std::size_t kStderrLines = 5;
constexpr std::size_t kStderrLineBytes = 200;

struct CaseReport {
  const SuiteCase* testCase = nullptr;
  CaseOutcome outcome;
  RunResult run;
  std::string stderrHead;  // as stderrHeadOf() keeps it
};

// The first kStderrLines lines of an error file, each cut at
// kStderrLineBytes, joined by line feeds: as a report keeps them.
std::string stderrHeadOf(const std::string& path);

void writeSuiteTable(std::ostream& out, const std::vector<CaseReport>& reports, bool colour);

void writeStderrHeads(std::ostream& out, const std::vector<CaseReport>& reports);

std::string suiteSummary(const std::vector<CaseReport>& reports, bool score);

void writeSuiteJson(std::ostream& out, const CaseReport& report);

void writeJunit(std::ostream& out, const std::vector<CaseReport>& reports, double seconds);

}  // namespace tesmo

#endif  // TESMO_JUDGE_SUITE_REPORT_HPP
