// tesmo test [CASES...] [options] -- SOLVER [ARGS...]: runs a solver on a
// suite of cases and judges each run as the judge would (see suite.hpp for
// the cases and verdicts, run.hpp for how the solver runs).
//
// Each case runs in a fresh directory under a temporary one, with the
// case's puzzle file on standard input; "{}" in ARGS stands for that
// file's path, and an ARG that names an existing file or directory is
// passed as its absolute path, since the solver runs elsewhere. Prints a
// table (or --json objects), the first lines of stderr of each case that
// did not pass, and a summary (on stderr with --json); --junit FILE writes
// JUnit XML too. On a terminal a progress line on stderr follows a long
// run and the verdicts are coloured, unless NO_COLOR is set.
//
// Exit status: see kSuiteFailed in exit_status.hpp.

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/exit_status.hpp"
#include "base/parallel.hpp"
#include "base/paths.hpp"
#include "base/quote.hpp"
#include "cli/settings.hpp"
#include "judge/suite.hpp"
#include "judge/suite_report.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"
#include "programs/progress.hpp"
#include "render/render.hpp"
#include "run/run.hpp"

namespace tesmo {

namespace po = boost::program_options;
namespace fs = std::filesystem;

namespace {

CommandLine testCommandLine() {
  CommandLine commandLine{optionGroup(), -1,
                          "usage: tesmo test [CASES...] [options] -- SOLVER [ARGS...]\n\n"
                          "Runs SOLVER on each case, its puzzle file on standard input, and judges "
                          "its\noutput as the judge does. CASES are problem packages, folders and "
                          "puzzle\nfiles; --generate makes cases too. \"{}\" in ARGS is the "
                          "case's file."};
  addInputFiles(&commandLine.group, "packages, folders and puzzle files, as the arguments");
  commandLine.group.add_options()("generate", po::value<std::string>(),
                                  "generated cases of this size, as 11x11x11")(
      "seeds", po::value<std::string>()->default_value("1"),
      "the seeds of --generate: N or FIRST-LAST")("budget", po::value<double>()->default_value(0.0),
                                                  "the budget of --generate, in seconds")(
      "format", po::value<std::string>()->default_value("moves"),
      "the solver prints a moves line, or a whole solution file: moves or solution")(
      "time-limit", po::value<double>()->default_value(2.0), "wall time a case, in seconds")(
      "memory-limit", po::value<std::uint64_t>()->default_value(1024),
      "address space a case, in MiB")("output-limit", po::value<std::uint64_t>()->default_value(64),
                                      "size of each output file a case, in MiB");
  addJobsOption(&commandLine.group, "cases run at once (default: the number of cores)");
  commandLine.group.add_options()("shortest", "accept only a shortest route, as the judge's flag")(
      "score", "score an accepted route shortest / length, as the judge's flag");
  addJsonOption(&commandLine.group, "one JSON object per case on stdout");
  commandLine.group.add_options()("junit", po::value<std::string>(),
                                  "write JUnit XML to this file");
  return commandLine;
}

// "11x11x11" as three sizes, or empty.
NumberList sizesOf(const std::string& text) {
  NumberList sizes;
  std::istringstream parts(text);
  for (std::string part; std::getline(parts, part, 'x');) {
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos ||
        part.size() > 9) {
      return {};
    }
    sizes.push_back(std::stoull(part));
  }
  return sizes.size() == 3 ? sizes : NumberList{};
}

// "N" or "FIRST-LAST", FIRST <= LAST, at most 100000 seeds.
bool seedsOf(const std::string& text, std::uint64_t* first, std::uint64_t* last) {
  const std::size_t dash = text.find('-');
  const std::string a = text.substr(0, dash),
                    b = dash == std::string::npos ? a : text.substr(dash + 1);
  const auto number = [](const std::string& digits, std::uint64_t* value) {
    if (digits.empty() || digits.size() > 18 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    *value = std::stoull(digits);
    return true;
  };
  return number(a, first) && number(b, last) && *first <= *last && *last - *first < 100000;
}

// What the settings ask for, checked; a refusal in *fault.
struct SuiteSettings {
  RunLimits limits;
  JudgeOptions options;
  OutputFormat format = OutputFormat::kMoves;
  unsigned jobs = 1;
  double budget = 0;
  bool json = false;
  std::string junit;
};

std::string readSettings(const po::variables_map& settings, SuiteSettings* suite) {
  suite->limits.wallSeconds = settings["time-limit"].as<double>();
  if (!(suite->limits.wallSeconds > 0 && suite->limits.wallSeconds <= 3600)) {
    return "--time-limit is from 0 to 3600 seconds";
  }
  const std::uint64_t memory = settings["memory-limit"].as<std::uint64_t>();
  const std::uint64_t output = settings["output-limit"].as<std::uint64_t>();
  if (memory < 16 || memory > (std::uint64_t{1} << 20))
    return "--memory-limit is from 16 to 1048576 MiB";
  if (output < 1 || output > (std::uint64_t{1} << 20))
    return "--output-limit is from 1 to 1048576 MiB";
  suite->limits.memoryBytes = memory << 20;
  suite->limits.fileBytes = output << 20;
  const std::string format = settings["format"].as<std::string>();
  if (format != "moves" && format != "solution") return "--format is moves or solution";
  suite->format = format == "moves" ? OutputFormat::kMoves : OutputFormat::kSolution;
  if (std::string refused = jobsOf(settings, &suite->jobs); !refused.empty()) return refused;
  suite->budget = settings["budget"].as<double>();
  if (!(suite->budget >= 0 && suite->budget <= 3600)) return "the budget is from 0 to 3600 seconds";
  suite->options.shortest = settings.count("shortest") != 0;
  suite->options.score = settings.count("score") != 0;
  suite->json = settings.count("json") != 0;
  if (settings.count("junit")) suite->junit = settings["junit"].as<std::string>();
  return "";
}

// The cases the settings name, or a refusal in *fault.
std::vector<SuiteCase> casesOf(const po::variables_map& settings, std::string* fault) {
  std::vector<SuiteCase> cases;
  if (settings.count("input-file") &&
      !collectCases(settings["input-file"].as<std::vector<std::string>>(), &cases, fault)) {
    return {};
  }
  if (settings.count("generate")) {
    const NumberList sizes = sizesOf(settings["generate"].as<std::string>());
    std::uint64_t first = 0, last = 0;
    if (sizes.empty()) {
      *fault = "--generate takes three sizes, as 11x11x11";
    } else if (!seedsOf(settings["seeds"].as<std::string>(), &first, &last)) {
      *fault = "--seeds takes N or FIRST-LAST, at most 100000 seeds";
    } else {
      for (SuiteCase& testCase : generatedCases(sizes, first, last)) {
        cases.push_back(std::move(testCase));
      }
    }
  }
  if (fault->empty() && cases.empty()) {
    *fault = "no cases: name a package, a folder or a puzzle file, or --generate";
  }
  return fault->empty() ? cases : std::vector<SuiteCase>{};
}

// Prepares every case, `jobs` at a time; after an interrupt, no more.
void prepareAll(std::vector<SuiteCase>* cases, const SuiteSettings& suite) {
  forEachIndex(cases->size(), suite.jobs, [&](unsigned, std::size_t i) {
    if (interruptSignal() == 0) prepareCase(&(*cases)[i], suite.options, suite.budget);
  });
}

// The solver's command for a case whose input is `input`.
std::vector<std::string> commandFor(const std::vector<std::string>& solver,
                                    const std::string& input) {
  std::vector<std::string> argv = solver;
  for (std::size_t i = 1; i < argv.size(); ++i) {
    std::string& argument = argv[i];
    std::error_code error;
    if (argument.find("{}") != std::string::npos) {
      for (std::size_t at; (at = argument.find("{}")) != std::string::npos;) {
        argument.replace(at, 2, input);
      }
    } else if (!argument.empty() && argument[0] != '/' && argument[0] != '-' &&
               fs::exists(argument, error)) {
      argument = absolutePath(argument);
    }
  }
  return argv;
}

// Removes a directory the solver may have left unwritable: its
// directories (never what a link names) are made writable, then removed.
void removeTree(const fs::path& dir) {
  std::error_code error;
  if (fs::remove_all(dir, error) != static_cast<std::uintmax_t>(-1) && !error) return;
  error.clear();
  for (fs::recursive_directory_iterator walk(dir, error), end; !error && walk != end;
       walk.increment(error)) {
    std::error_code kind;
    if (fs::is_directory(walk->symlink_status(kind))) {
      fs::permissions(walk->path(), fs::perms::owner_all, fs::perm_options::add, kind);
    }
  }
  fs::remove_all(dir, error);
}

// A temporary directory for the run, or "" with errno's reason in *fault.
std::string makeRunDir(std::string* fault) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = absolutePath(std::string(tmp && *tmp ? tmp : "/tmp") + "/tesmo-test-XXXXXX");
  if (!mkdtemp(&pattern[0])) {
    *fault = "cannot make a temporary directory: " + std::string(std::strerror(errno));
    return "";
  }
  return pattern;
}

// Runs the solver on every case; false when interrupted.
bool runCases(const std::vector<SuiteCase>& cases, const std::vector<std::string>& solver,
              const SuiteSettings& suite, const std::string& runDir,
              std::vector<CaseReport>* reports, std::ostream& err) {
  reports->assign(cases.size(), CaseReport{});
  Progress progress = startProgress("tested");
  std::size_t done = 0;
  const auto caseDir = [&](std::size_t i) { return fs::path(runDir) / std::to_string(i); };
  // Cases that cannot be judged are not run.
  std::vector<std::size_t> runnable;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    (*reports)[i].testCase = &cases[i];
    if (cases[i].fault.empty()) {
      runnable.push_back(i);
    } else {
      (*reports)[i].outcome = judgeRun(cases[i], RunResult{}, suite.limits, "", "", suite.format);
    }
  }
  // A case whose files cannot be made is a judge error, not the solver's.
  const auto setUpFault = [&](std::size_t i, const std::string& reason) {
    (*reports)[i].outcome = {Verdict::kJudgeError, "cannot set the case up: " + reason, {}, {}};
    showProgress(&progress, ++done, runnable.size(), err);
  };
  const auto startRun = [&](std::size_t k) -> std::optional<RunSpec> {
    const std::size_t i = runnable[k];
    const fs::path dir = caseDir(i);
    std::error_code error;
    fs::create_directories(dir / "work", error);
    // The input is copied beside the work directory: whatever the solver
    // does to it, the case's file stays as it was.
    RunSpec spec;
    spec.inputPath = (dir / "input.txt").string();
    if (!error && cases[i].inputPath.empty()) {
      std::ofstream input(spec.inputPath, std::ios::binary);
      if (!(input << cases[i].inputText) || !input.flush())
        error.assign(errno, std::generic_category());
    } else if (!error) {
      fs::copy_file(cases[i].inputPath, spec.inputPath, error);
    }
    if (error) {
      setUpFault(i, error.message());
      return std::nullopt;
    }
    spec.workDir = (dir / "work").string();
    spec.outputPath = (dir / "output").string();
    spec.errorPath = (dir / "stderr").string();
    spec.argv = commandFor(solver, spec.inputPath);
    return spec;
  };
  const auto endRun = [&](std::size_t k, const RunResult& run) {
    const std::size_t i = runnable[k];
    const fs::path dir = caseDir(i);
    CaseReport& report = (*reports)[i];
    report.run = run;
    if (run.end == RunEnd::kCannotStart) {
      report.outcome = {Verdict::kRunTimeError,
                        "cannot start: " + std::string(std::strerror(run.startError)),
                        {},
                        {}};
    } else {
      report.outcome = judgeRun(cases[i], run, suite.limits, (dir / "output").string(),
                                (dir / "stderr").string(), suite.format);
      report.stderrHead = stderrHeadOf((dir / "stderr").string());
    }
    removeTree(dir);
    showProgress(&progress, ++done, runnable.size(), err);
  };
  const bool finished = runAll(runnable.size(), suite.jobs, suite.limits, startRun, endRun);
  endProgress(&progress, err);
  return finished;
}

int suiteStatus(const std::vector<CaseReport>& reports) {
  int status = 0;
  for (const CaseReport& report : reports) {
    if (report.outcome.verdict == Verdict::kJudgeError) return kSuiteJudgeError;
    if (report.outcome.verdict != Verdict::kAccepted) status = kSuiteFailed;
  }
  return status;
}

int runTest(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  int split = 1;
  while (split < argc && std::strcmp(argv[split], "--") != 0) ++split;
  po::variables_map settings;
  Said said;
  const std::optional<int> loaded = loadSettings(split, argv, testCommandLine(), &settings, &said);
  printSaid(&said, out, err);
  if (loaded) return *loaded;
  const std::vector<std::string> solver(argv + std::min(split + 1, argc), argv + argc);
  SuiteSettings suite;
  std::string fault = readSettings(settings, &suite);
  if (fault.empty() && solver.empty()) {
    fault = "the solver comes after --: tesmo test [CASES...] [options] -- SOLVER [ARGS...]";
  }
  if (fault.empty()) {
    if (const int error = startFault(solver[0])) {
      fault = "cannot run " + printableName(solver[0]) + ": " + std::strerror(error);
    }
  }
  std::vector<SuiteCase> cases;
  if (fault.empty()) cases = casesOf(settings, &fault);
  if (!fault.empty()) {
    err << fault << std::endl;
    return kSettingsRefused;
  }
  watchInterrupts();
  const auto started = std::chrono::steady_clock::now();
  prepareAll(&cases, suite);
  const std::string runDir = interruptSignal() ? "" : makeRunDir(&fault);
  if (!fault.empty()) {
    err << fault << std::endl;
    return kSettingsRefused;
  }
  std::vector<CaseReport> reports;
  const bool finished =
      interruptSignal() == 0 && runCases(cases, solver, suite, runDir, &reports, err);
  if (!runDir.empty()) removeTree(runDir);
  if (!finished) {
    err << "tesmo test: interrupted by " << signalName(interruptSignal()) << std::endl;
    return kInterruptedBase + interruptSignal();
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::ostringstream text;
  if (suite.json) {
    for (const CaseReport& report : reports) writeSuiteJson(text, report);
  } else {
    writeSuiteTable(text, reports,
                    colourWanted(isatty(STDOUT_FILENO) != 0, std::getenv("NO_COLOR")));
    writeStderrHeads(text, reports);
  }
  out << text.str();
  const std::string summary = suiteSummary(reports, suite.options.score);
  if (suite.json) {
    out.flush();
    err << summary << std::endl;
  } else {
    out << summary << '\n';
    out.flush();
  }
  if (!suite.junit.empty() &&
      !writeOutputFile(suite.junit, "JUnit file",
                       [&](std::ostream& file) { writeJunit(file, reports, seconds); }, err)) {
    return kSettingsRefused;
  }
  // An interrupt after the last case still ends the run as interrupted.
  if (interruptSignal() != 0) return kInterruptedBase + interruptSignal();
  return suiteStatus(reports);
}

}  // namespace

extern const Command kTestCommand = {"test", "run a solver on a suite of cases and judge each run",
                                     runTest};

}  // namespace tesmo
