// Fuzz target: one input is a solution file, a "tesmo.cfg" and up to four
// arguments, separated by the byte 0x1e:
//
//   solution 0x1e config 0x1e arg 0x1e arg ...
//
// A missing config part means no "tesmo.cfg". Each input runs the whole
// verifier twice in a scratch directory and checks what must always hold:
// exit status 0, 1 or 2; each stream empty or ended by a newline; the last
// line one of the run's final messages; the same result both times.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "programs/tesmoVerifier.hpp"

namespace {

constexpr char kSeparator = '\x1e';
constexpr std::size_t kMaxArgs = 4;

struct Outcome {
  int status;
  std::string out;
  std::string err;
  std::string merged;
};

Outcome runOnce(const std::vector<std::string>& args) {
  std::vector<const char*> argv = {"tesmoVerifier"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(argv.size() - 1);
  Outcome outcome;
  std::ostringstream out, err, merged;
  outcome.status = tesmo::runVerifier(argc, argv.data(), out, err);
  tesmo::runVerifier(argc, argv.data(), merged, merged);
  outcome.out = out.str();
  outcome.err = err.str();
  outcome.merged = merged.str();
  return outcome;
}

void fail(const char* what, const Outcome& outcome) {
  std::fprintf(stderr, "invariant broken: %s (status %d)\n--- out\n%s--- err\n%s", what,
               outcome.status, outcome.out.c_str(), outcome.err.c_str());
  std::abort();
}

// The lines of `text`, which ends with a newline, less the verbose echo.
std::vector<std::string> linesAfterEcho(const std::string& text) {
  static const std::regex kEcho(
      "input file: .*|Face [012] : [0-9]+, [0-9,]*|"
      "(Star|End |Solu): [0-9]+, [0-9,]*");
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!std::regex_match(line, kEcho) || !lines.empty()) lines.push_back(line);
  }
  return lines;
}

// The messages that may end a run, by exit status.
bool isFinalLine(int status, const std::string& line) {
  static const std::regex kStatus0(
      "SUCCESS|FAILURE \\([0-9]+\\)|Start position out of boundary \\([0-9,]*\\)!|"
      "End position out of boundary \\([0-9,]*\\)!|Invalid (start|end) position \\([0-9,]*\\)!");
  static const std::regex kStatus1(
      "(Start|End) position \\([0-9,]*\\) is not 3-dimensional!|"
      "Solution \\(\\) is empty!|Invalid move \\([0-9]+\\)!");
  if (status == 0) return std::regex_match(line, kStatus0);
  if (status == 1) return std::regex_match(line, kStatus1);
  return true;  // status 2: the option library's message or a maze refusal
}

void check(const Outcome& outcome) {
  if (outcome.status < 0 || outcome.status > 2) fail("exit status", outcome);
  for (const std::string* text : {&outcome.out, &outcome.err, &outcome.merged}) {
    if (!text->empty() && text->back() != '\n') fail("unterminated line", outcome);
  }
  if (outcome.merged.size() != outcome.out.size() + outcome.err.size()) {
    fail("merged run differs", outcome);
  }
  if (outcome.status == 2) {
    if (!outcome.out.empty() || outcome.err.find('\n') != outcome.err.size() - 1) {
      fail("settings refusal is not one line on stderr", outcome);
    }
    return;
  }
  if (outcome.out.rfind("  --help", 0) == 0) return;  // the help text
  const std::vector<std::string> lines = linesAfterEcho(outcome.merged);
  if (lines.empty()) {
    // Only an unreadable solution file ends a run silently.
    if (outcome.status != 1) fail("silent run with status other than 1", outcome);
    return;
  }
  if (!isFinalLine(outcome.status, lines.back())) fail("last line", outcome);
}

std::vector<std::string> splitParts(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == kSeparator)
      parts.emplace_back();
    else
      parts.back() += static_cast<char>(data[i]);
  }
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every run reads "tesmo.cfg" and the solution from the working directory.
  char scratch[] = "/tmp/tesmo-fuzz-XXXXXX";
  if (!mkdtemp(scratch) || chdir(scratch) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = splitParts(data, size);
  if (parts.size() > 2 + kMaxArgs) return -1;
  std::vector<std::string> args(parts.begin() + std::min<std::size_t>(parts.size(), 2),
                                parts.end());
  for (const std::string& arg : args) {
    // Paths outside the scratch directory (/dev/zero never ends) are out of
    // scope; an embedded NUL cannot reach a real argv.
    if (arg.find('/') != std::string::npos || arg.find('\0') != std::string::npos) return -1;
  }
  std::ofstream("solution.txt", std::ios::binary) << parts[0];
  std::error_code ignored;
  std::filesystem::remove_all("tesmo.cfg", ignored);
  if (parts.size() > 1) std::ofstream("tesmo.cfg", std::ios::binary) << parts[1];

  const Outcome first = runOnce(args);
  check(first);
  const Outcome second = runOnce(args);
  if (second.status != first.status || second.out != first.out || second.err != first.err) {
    fail("second run differs", second);
  }
  return 0;
}
