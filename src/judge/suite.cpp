#include "judge/suite.hpp"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "base/paths.hpp"
#include "engine/generate.hpp"
#include "formats/puzzle_file.hpp"
#include "verify/replay.hpp"
#include "verify/words.hpp"

namespace tesmo {

namespace {

namespace fs = std::filesystem;

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// FILE.ans beside FILE.in, or "".
std::string answerBeside(const std::string& input) {
  if (!endsWith(input, ".in")) return "";
  const std::string answer = input.substr(0, input.size() - 3) + ".ans";
  std::error_code error;
  return fs::is_regular_file(answer, error) ? answer : "";
}

void addFile(const std::string& path, std::vector<SuiteCase>* cases) {
  SuiteCase testCase;
  testCase.name = path;
  testCase.inputPath = path;
  testCase.answerPath = answerBeside(path);
  cases->push_back(std::move(testCase));
}

// A directory's cases: its .in files, else every file but .ans ones.
void addDirectory(const std::string& dir, std::vector<SuiteCase>* cases) {
  std::error_code unreadable;  // what cannot be read holds no case
  const std::vector<std::string> files = filesBelow(dir, true, &unreadable);
  const bool inputs = std::any_of(files.begin(), files.end(),
                                  [](const std::string& f) { return endsWith(f, ".in"); });
  for (const std::string& file : files) {
    if (inputs ? endsWith(file, ".in") : !endsWith(file, ".ans")) addFile(file, cases);
  }
}

std::uint64_t tokenCount(const std::string& text) {
  std::uint64_t count = 0;
  bool inToken = false;
  for (const char c : text) {
    const bool blank = c == ' ' || (c >= '\t' && c <= '\r');
    count += !blank && !inToken;
    inToken = !blank;
  }
  return count;
}

std::string readWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The verdict of the contestant's moves, `text`, as the judge gives it.
CaseOutcome judgeMoves(const SuiteCase& testCase, const std::string& text) {
  NumberReader reader;
  openNumberText(text, &reader, 1 << 16);
  const Judgment judgment = judgeOutput(testCase.judged, &reader);
  CaseOutcome outcome;
  outcome.message = judgment.message;
  outcome.score = judgment.score;
  if (judgment.result == JudgeResult::kJudgeError) return outcome;
  outcome.verdict =
      judgment.result == JudgeResult::kAccepted ? Verdict::kAccepted : Verdict::kWrongAnswer;
  if (judgment.result != JudgeResult::kFormatError) outcome.moves = tokenCount(text);
  return outcome;
}

// A solution file (start, end, moves) replayed as the verifier does, then
// its moves judged when its start and end are the case's.
CaseOutcome judgeSolution(const SuiteCase& testCase, const std::string& outputPath) {
  const Puzzle& puzzle = testCase.judged.puzzle;
  ReplayFacts facts;
  replaySolution(outputPath, puzzleMaze(puzzle), false, true, &facts);
  CaseOutcome outcome;
  outcome.verdict = Verdict::kWrongAnswer;
  if (!facts.start || !facts.end || (facts.status != 0 && !facts.walked) ||
      (facts.walked && facts.outcome.stop == MoveResult::kInvalid)) {
    for (const SaidLine& line : facts.said) {
      outcome.message += (outcome.message.empty() ? "" : "; ") + line.text;
    }
    if (outcome.message.empty()) outcome.message = "the solution holds no moves";
    return outcome;
  }
  if (*facts.start != *puzzle.start || *facts.end != *puzzle.end) {
    outcome.message = "the solution runs from " + positionText(*facts.start) + " to " +
                      positionText(*facts.end) + "; the case from " + positionText(*puzzle.start) +
                      " to " + positionText(*puzzle.end);
    return outcome;
  }
  std::string moves;
  for (std::uint64_t code : facts.moves) appendNumber(&moves, code), moves += ' ';
  return judgeMoves(testCase, moves);
}

std::string limitText(std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

std::string secondsText(double seconds) {
  std::ostringstream text;
  text << seconds;
  return text.str();
}

std::string endText(const RunResult& run) {
  return run.end == RunEnd::kSignaled ? "killed by " + signalName(run.signal)
                                      : "exit status " + std::to_string(run.exitStatus);
}

// A file written up to the limit: a write past it failed, or killed the
// writer.
bool reachedSize(const std::string& path, std::uint64_t limit) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  return !error && size >= limit;
}

}  // namespace

bool collectCases(const std::vector<std::string>& paths, std::vector<SuiteCase>* cases,
                  std::string* error) {
  for (const std::string& path : paths) {
    std::error_code status;
    if (!fs::exists(path, status)) {
      *error = path + ": no such file or directory";
      return false;
    }
    if (!fs::is_directory(path, status)) {
      addFile(path, cases);
    } else if (fs::is_directory(fs::path(path) / "data", status)) {
      for (const char* part : {"sample", "secret"}) {
        const fs::path dir = fs::path(path) / "data" / part;
        if (fs::is_directory(dir, status)) addDirectory(dir.string(), cases);
      }
    } else {
      addDirectory(path, cases);
    }
  }
  return true;
}

std::vector<SuiteCase> generatedCases(const NumberList& sizes, std::uint64_t firstSeed,
                                      std::uint64_t lastSeed) {
  std::vector<SuiteCase> cases;
  std::string shape;
  for (std::uint64_t size : sizes) shape += (shape.empty() ? "" : "x") + std::to_string(size);
  for (std::uint64_t seed = firstSeed; seed <= lastSeed && seed >= firstSeed; ++seed) {
    SuiteCase testCase;
    testCase.name = shape + " seed " + std::to_string(seed);
    testCase.sizes = sizes;
    testCase.seed = seed;
    cases.push_back(std::move(testCase));
    if (seed == UINT64_MAX) break;
  }
  return cases;
}

void prepareCase(SuiteCase* testCase, const JudgeOptions& options, double budget) {
  JudgeCase& judged = testCase->judged;
  judged.options = options;
  std::string& fault = testCase->fault;
  if (testCase->inputPath.empty()) {
    GenerateOptions generate;
    generate.seed = testCase->seed;
    generate.budgetSeconds = budget;
    GenerateReport report;
    if (!generatePuzzle(testCase->sizes, generate, &judged.puzzle, &report, &fault)) return;
    std::ostringstream text;
    writePuzzle(text, puzzleMaze(judged.puzzle), judged.puzzle.start, judged.puzzle.end);
    testCase->inputText = text.str();
    fault = judgeInputFault(judged.puzzle, &judged.shortest);
  } else if (!loadJudgeInput(testCase->inputPath, &judged, &fault)) {
    return;
  }
  if (!fault.empty()) return;
  if (!testCase->answerPath.empty()) {
    if (!loadJudgeAnswer(testCase->answerPath, &judged, &fault)) return;
  } else if (judged.shortest.moves) {
    judged.answerMoves = *judged.shortest.moves;
  } else if (options.shortest || options.score) {
    fault = "the box is too large to search for an answer";
    return;
  }
  fault = optionsFault(judged);
}

CaseOutcome judgeRun(const SuiteCase& testCase, const RunResult& run, const RunLimits& limits,
                     const std::string& outputPath, const std::string& errorPath,
                     OutputFormat format) {
  CaseOutcome outcome;
  const bool badEnd =
      run.end == RunEnd::kSignaled || (run.end == RunEnd::kExited && run.exitStatus != 0);
  if (!testCase.fault.empty()) {
    outcome.message = testCase.fault;
  } else if (run.end == RunEnd::kTimeLimit) {
    outcome = {Verdict::kTimeLimit,
               "over the time limit of " + secondsText(limits.wallSeconds) + " s",
               {},
               {}};
  } else if ((run.end == RunEnd::kSignaled && run.signal == SIGXFSZ) ||
             reachedSize(outputPath, limits.fileBytes) ||
             reachedSize(errorPath, limits.fileBytes)) {
    outcome = {Verdict::kOutputLimit, "output over " + limitText(limits.fileBytes), {}, {}};
  } else if (badEnd && nearMemoryLimit(run, limits)) {
    outcome = {
        Verdict::kMemoryLimit,
        "over the memory limit of " + limitText(limits.memoryBytes) + " (" + endText(run) + ")",
        {},
        {}};
  } else if (run.end == RunEnd::kProcessLimit) {
    outcome = {Verdict::kRunTimeError,
               "reached the limit of " + std::to_string(limits.processes) + " processes",
               {},
               {}};
  } else if (badEnd) {
    outcome = {Verdict::kRunTimeError, endText(run), {}, {}};
  } else if (format == OutputFormat::kSolution) {
    outcome = judgeSolution(testCase, outputPath);
  } else {
    outcome = judgeMoves(testCase, readWhole(outputPath));
  }
  if (testCase.judged.options.score && !outcome.score) outcome.score = 0.0;
  return outcome;
}

const char* verdictCode(Verdict verdict) {
  static const char* const kCodes[] = {"AC", "WA", "TLE", "MLE", "RTE", "OLE", "JE"};
  return kCodes[static_cast<int>(verdict)];
}

}  // namespace tesmo
