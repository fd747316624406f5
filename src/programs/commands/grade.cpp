// tesmo grade [FILE|DIR]...: grades many solutions of one puzzle in one
// process. Each file is replayed exactly as tesmoVerifier replays it (its
// exit status and its lines), with the moves executed, the shortest route
// and how far from the end the token stands, as explain finds them (see
// explain.hpp); a directory stands for the files below it, walked in the
// order of their names' bytes. The files are graded on every core, and
// printed in their order:
//  - by default a table, a row a file: file, status, verdict (the
//    verifier's last line, "(no output)" for none), moves, shortest,
//    remaining ("-" where there is none), then a summary line;
//  - with --csv, RFC 4180 (CR LF line ends): a header row, then a row a file
//    with file, status, verdict, executed, shortest, remaining and lines
//    (the verifier's, one field, joined by LF); the file name as its bytes;
//  - with --json, one explain object a line (explain.hpp).
// With --csv and --json the summary goes to stderr, so that stdout holds
// the data alone. On a terminal a progress line on stderr follows a long
// run. A directory that cannot be read is said on stderr and counts as a
// file the verifier cannot open.
//
// Exit status: the highest of the files' statuses (0: every file judged,
// 1: a file the verifier refuses); 2 when the settings are refused.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/exit_status.hpp"
#include "base/paths.hpp"
#include "base/parallel.hpp"
#include "base/quote.hpp"
#include "base/table.hpp"
#include "cli/puzzle_source.hpp"
#include "programs/command.hpp"
#include "programs/progress.hpp"
#include "verify/explain.hpp"

namespace tesmo {

namespace po = boost::program_options;

namespace {

CommandLine gradeCommandLine() {
  CommandLine commandLine{optionGroup(), -1,
                          "usage: tesmo grade [options] [FILE|DIR]...\n\n"
                          "Grades solutions of one puzzle, each as tesmoVerifier judges it, in one "
                          "process:\na directory stands for the files below it. Prints a table, "
                          "CSV or JSON, and a\nsummary."};
  addInputFiles(&commandLine.group, "solution files and directories, as the arguments");
  commandLine.group.add_options()("csv", "RFC 4180 CSV on stdout, a header row first");
  addJsonOption(&commandLine.group, "one JSON object per solution on stdout, as explain's");
  addJobsOption(&commandLine.group, "files graded at once (default: the number of cores)");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

// The files the arguments name: a directory's regular files below it, in
// the order of their paths' bytes; anything else as it is named.
std::vector<std::string> filesOf(const std::vector<std::string>& arguments, std::ostream& err,
                                 bool* unreadable) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  for (const std::string& argument : arguments) {
    std::error_code error;
    if (!fs::is_directory(argument, error)) {
      files.push_back(argument);
      continue;
    }
    const std::vector<std::string> below = filesBelow(argument, false, &error);
    if (error) {
      err << printableName(argument) << ": cannot read the directory: " << error.message()
          << std::endl;
      *unreadable = true;
    }
    files.insert(files.end(), below.begin(), below.end());
  }
  return files;
}

// Explains files[i] for every i, `jobs` at a time, each thread with its
// own searches; calls onDone(count) from the calling thread as they finish.
template <typename OnDone>
std::vector<Explanation> gradeAll(const Maze& maze, const std::vector<std::string>& files,
                                  unsigned jobs, OnDone onDone) {
  std::vector<Explanation> explained(files.size());
  std::vector<Searches> searches;
  for (unsigned worker = 0; worker < jobs; ++worker) {
    searches.push_back(Searches{maze, {}, std::nullopt, {}});
  }
  std::atomic<std::size_t> done{0};
  forEachIndex(files.size(), jobs, [&](unsigned worker, std::size_t i) {
    explained[i] = explainSolution(files[i], &searches[worker], false);
    const std::size_t finished = ++done;
    if (worker == 0) onDone(finished);
  });
  onDone(files.size());
  return explained;
}

// What the table and CSV show of a solution.
struct Row {
  std::string status, verdict, executed, shortest, remaining;
};

Row rowOf(const Explanation& e) {
  const ReplayFacts& facts = e.facts;
  const bool judged = facts.walked && facts.outcome.stop != MoveResult::kInvalid;
  std::optional<std::uint64_t> remaining;
  if (judged) remaining = e.success ? std::optional<std::uint64_t>(0) : e.toEnd.moves;
  return {std::to_string(facts.status), facts.said.empty() ? "" : facts.said.back().text,
          facts.walked ? std::to_string(facts.outcome.executed) : "-",
          numberOrDash(e.shortest.moves), numberOrDash(remaining)};
}

void writeGradeTable(std::ostream& out, const std::vector<std::string>& files,
                     const std::vector<Explanation>& explained) {
  std::vector<std::vector<std::string>> rows = {
      {"file", "status", "verdict", "moves", "shortest", "remaining"}};
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Explanation& e = explained[i];
    const Row row = rowOf(e);
    std::string verdict = printableName(row.verdict);
    if (!e.facts.opened) {
      verdict = "(cannot read: " + std::string(std::strerror(e.facts.readError)) + ")";
    } else if (verdict.empty()) {
      verdict = "(no output)";
    }
    rows.push_back(
        {printableName(files[i]), row.status, verdict, row.executed, row.shortest, row.remaining});
  }
  writeTable(out, rows);
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void writeCsv(std::ostream& out, const std::vector<std::string>& files,
              const std::vector<Explanation>& explained) {
  out << "file,status,verdict,executed,shortest,remaining,lines\r\n";
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Row row = rowOf(explained[i]);
    std::string lines;
    for (const SaidLine& said : explained[i].facts.said) {
      lines += (lines.empty() ? "" : "\n") + said.text;
    }
    out << csvField(files[i]) << ',' << row.status << ',' << csvField(row.verdict) << ','
        << row.executed << ',' << row.shortest << ',' << row.remaining << ',' << csvField(lines)
        << "\r\n";
  }
}

// "N solutions: S succeed, F fail, R not judged", where a solution not
// judged is one the verifier refused or could not read.
std::string summaryOf(const std::vector<Explanation>& explained) {
  std::size_t succeed = 0, fail = 0;
  for (const Explanation& e : explained) {
    succeed += e.success;
    fail +=
        !e.success && !e.facts.said.empty() && e.facts.said.back().text.rfind("FAILURE", 0) == 0;
  }
  return std::to_string(explained.size()) +
         (explained.size() == 1 ? " solution: " : " solutions: ") + std::to_string(succeed) +
         " succeed, " + std::to_string(fail) + " fail, " +
         std::to_string(explained.size() - succeed - fail) + " not judged";
}

int runGrade(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (const std::optional<int> loaded =
          startCommand(argc, argv, gradeCommandLine(), &source, out, err)) {
    return *loaded;
  }
  const po::variables_map& settings = source.settings;
  const bool csv = settings.count("csv") != 0, json = settings.count("json") != 0;
  if (csv && json) {
    err << "--csv and --json cannot be given together" << std::endl;
    return kSettingsRefused;
  }
  unsigned jobs = 1;
  if (const std::string refused = jobsOf(settings, &jobs); !refused.empty()) {
    err << refused << std::endl;
    return kSettingsRefused;
  }
  std::vector<std::string> arguments;
  if (settings.count("input-file")) {
    arguments = settings["input-file"].as<std::vector<std::string>>();
  }
  bool unreadable = false;
  const std::vector<std::string> files = filesOf(arguments, err, &unreadable);
  Progress progress = startProgress("graded");
  const std::vector<Explanation> explained =
      gradeAll(sourceMaze(source), files, jobs,
               [&](std::size_t done) { showProgress(&progress, done, files.size(), err); });
  endProgress(&progress, err);
  if (csv || json) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      const ReplayFacts& facts = explained[i].facts;
      if (!facts.opened) err << cannotRead(files[i], "solution", facts.readError) << '\n';
    }
  }
  std::ostringstream text;
  if (json) {
    for (const Explanation& e : explained) writeExplanationJson(text, e);
  } else if (csv) {
    writeCsv(text, files, explained);
  } else {
    writeGradeTable(text, files, explained);
  }
  const std::string summary = summaryOf(explained);
  out << text.str();
  if (csv || json) {
    out.flush();
    err << summary << std::endl;
  } else {
    out << summary << '\n';
    out.flush();
  }
  int status = unreadable ? kMalformedSolution : 0;
  for (const Explanation& e : explained) status = std::max(status, e.facts.status);
  return status;
}

}  // namespace

extern const Command kGradeCommand = {
    "grade", "grade many solutions of one puzzle, each as tesmoVerifier judges it", runGrade};

}  // namespace tesmo
