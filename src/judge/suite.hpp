// A solver tested on a suite of cases, as a judge would test it: the cases
// from problem packages, folders, puzzle files or the generator, and the
// verdict of each run of the solver.
//
// Contract:
//  - collectCases() turns each path into cases, in order: a problem package
//    (a directory holding data/) gives the .in files below data/sample and
//    then data/secret; another directory the .in files below it, or, when
//    it holds none, every regular file below it but .ans files; any other
//    path is one case. Files below a directory come in the order of their
//    paths' bytes. A case's answer is FILE.ans beside FILE.in when there is
//    one; else the search's shortest route is. A path that does not exist
//    is refused: false, with "PATH: no such file or directory".
//  - generatedCases() names a case per seed from `firstSeed` to `lastSeed`
//    of a puzzle of `sizes`: "11x11x11 seed 3".
//  - prepareCase() makes the case ready to judge: reads its input (or
//    generates it, as `tesmo generate` with that seed and `budget`, and
//    keeps its text), its answer (or searches), and holds the options to
//    them (see judge.hpp). A case that cannot be judged keeps the reason in
//    `fault`, worded as the judge words it.
//  - judgeRun() is the verdict of one run, the first that applies: a judge
//    error for a case with a fault (JE); the time limit (TLE); a file that
//    reached its size limit, or a run killed for writing past it (OLE); a run that ended badly
//    (a signal, a status other than 0) near the memory limit (MLE); any
//    other that ended badly, or that started too many processes (RTE:
//    "exit status 3", "killed by SIGSEGV", "reached the limit of 64
//    processes"); then the judge's verdict on the output: AC, or WA with
//    the judge's one-line message. A solution-format output (three lines)
//    is replayed as the verifier does; its start and end must be the
//    case's, and its moves are then judged as a moves line.
//  - verdictCode() is the verdict's short name: AC, WA, TLE, MLE, RTE, OLE,
//    JE.

#ifndef TESMO_JUDGE_SUITE_HPP
#define TESMO_JUDGE_SUITE_HPP

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/number_list.hpp"
#include "judge/judge.hpp"
#include "run/run.hpp"

namespace tesmo {

enum class Verdict : std::uint8_t {
  kAccepted,
  kWrongAnswer,
  kTimeLimit,
  kMemoryLimit,
  kRunTimeError,
  kOutputLimit,
  kJudgeError
};

enum class OutputFormat : std::uint8_t { kMoves, kSolution };

struct SuiteCase {
  std::string name;
  std::string inputPath;   // a file; "" for a generated case
  std::string answerPath;  // "" when the search answers
  NumberList sizes;        // of a generated case
  std::uint64_t seed = 0;
  // Made by prepareCase():
  std::string inputText;  // a generated case's puzzle file
  JudgeCase judged;
  std::string fault;
};

struct CaseOutcome {
  Verdict verdict = Verdict::kJudgeError;
  std::string message;                 // one line
  std::optional<std::uint64_t> moves;  // the route's, when the output was read
  std::optional<double> score;         // with JudgeOptions::score
};

bool collectCases(const std::vector<std::string>& paths, std::vector<SuiteCase>* cases,
                  std::string* error);

std::vector<SuiteCase> generatedCases(const NumberList& sizes, std::uint64_t firstSeed,
                                      std::uint64_t lastSeed);

void prepareCase(SuiteCase* testCase, const JudgeOptions& options, double budget);

CaseOutcome judgeRun(const SuiteCase& testCase, const RunResult& run, const RunLimits& limits,
                     const std::string& outputPath, const std::string& errorPath,
                     OutputFormat format);

const char* verdictCode(Verdict verdict);

}  // namespace tesmo

#endif  // TESMO_JUDGE_SUITE_HPP
