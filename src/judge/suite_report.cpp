#include "judge/suite_report.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/quote.hpp"
#include "base/table.hpp"

namespace tesmo {

namespace {

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

bool passed(const CaseReport& report) { return report.outcome.verdict == Verdict::kAccepted; }

const char* verdictColour(Verdict verdict) {
  switch (verdict) {
    case Verdict::kAccepted:
      return "1;32";
    case Verdict::kWrongAnswer:
    case Verdict::kJudgeError:
      return "1;31";
    default:
      return "1;33";
  }
}

// The stderr head's lines, each cut to kStderrLineBytes.
std::vector<std::string> headLines(const std::string& head) {
  std::vector<std::string> lines;
  std::istringstream text(head);
  for (std::string line; lines.size() < kStderrLines && std::getline(text, line);) {
    lines.push_back(line.substr(0, kStderrLineBytes));
  }
  return lines;
}

// Text in XML: valid UTF-8, escaped, line by line.
std::string xmlLines(const std::string& text) {
  std::string xml;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    xml += (xml.empty() ? "" : "\n") + escapeXml(validUtf8(line));
  }
  return xml;
}

}  // namespace

std::string stderrHeadOf(const std::string& path) {
  // The lines are looked for in the first 64 KiB.
  std::ifstream file(path, std::ios::binary);
  std::string start(1 << 16, '\0');
  file.read(&start[0], static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(file.gcount()));
  std::string head;
  std::istringstream lines(start);
  std::size_t count = 0;
  for (std::string line; count < kStderrLines && std::getline(lines, line); ++count) {
    head += (count > 0 ? "\n" : "") + line.substr(0, kStderrLineBytes);
  }
  return head;
}

void writeSuiteTable(std::ostream& out, const std::vector<CaseReport>& reports, bool colour) {
  std::vector<std::vector<std::string>> rows = {
      {"case", "verdict", "seconds", "MiB", "moves", "shortest", "message"}};
  for (const CaseReport& report : reports) {
    const bool ran = report.outcome.verdict != Verdict::kJudgeError;
    rows.push_back({printableName(report.testCase->name), verdictCode(report.outcome.verdict),
                    ran ? fixed(report.run.wallSeconds, 3) : "-",
                    ran ? fixed(static_cast<double>(report.run.peakMemory) / (1 << 20), 1) : "-",
                    numberOrDash(report.outcome.moves),
                    numberOrDash(report.testCase->judged.shortest.moves),
                    printableName(report.outcome.message)});
  }
  // The verdicts of the cases' rows, in colour.
  const ColourOf verdictColourOf = [&](std::size_t row, std::size_t column) -> const char* {
    return row > 0 && column == 1 ? verdictColour(reports[row - 1].outcome.verdict) : nullptr;
  };
  writeTable(out, rows, colour ? verdictColourOf : nullptr);
}

void writeStderrHeads(std::ostream& out, const std::vector<CaseReport>& reports) {
  for (const CaseReport& report : reports) {
    if (passed(report) || report.stderrHead.empty()) continue;
    out << "stderr of " << printableName(report.testCase->name) << ":\n";
    for (const std::string& line : headLines(report.stderrHead)) {
      out << "  " << printableName(line) << '\n';
    }
  }
}

std::string suiteSummary(const std::vector<CaseReport>& reports, bool score) {
  const std::size_t count =
      static_cast<std::size_t>(std::count_if(reports.begin(), reports.end(), passed));
  std::string summary = std::to_string(count) + " of " + std::to_string(reports.size()) +
                        (reports.size() == 1 ? " case passed" : " cases passed");
  if (score) {
    double total = 0;
    for (const CaseReport& report : reports) total += report.outcome.score.value_or(0);
    summary += "; score " + scoreText(total) + " of " + std::to_string(reports.size());
  }
  const CaseReport* slowest = nullptr;
  for (const CaseReport& report : reports) {
    if (report.outcome.verdict == Verdict::kJudgeError) continue;
    if (!slowest || report.run.wallSeconds > slowest->run.wallSeconds) slowest = &report;
  }
  if (slowest) {
    summary += "; slowest: " + printableName(slowest->testCase->name) + " (" +
               fixed(slowest->run.wallSeconds, 3) + " s)";
  }
  return summary;
}

void writeSuiteJson(std::ostream& out, const CaseReport& report) {
  const bool ran = report.outcome.verdict != Verdict::kJudgeError;
  out << "{\"case\":";
  writeJsonString(out, report.testCase->name);
  out << ",\"verdict\":\"" << verdictCode(report.outcome.verdict)
      << "\",\"time\":" << (ran ? fixed(report.run.wallSeconds, 3) : "null") << ",\"memory\":";
  if (ran) {
    writeJsonNumber(out, report.run.peakMemory);
  } else {
    out << "null";
  }
  out << ",\"moves\":";
  writeJsonNumberOrNull(out, report.outcome.moves);
  out << ",\"shortest\":";
  writeJsonNumberOrNull(out, report.testCase->judged.shortest.moves);
  out << ",\"message\":";
  writeJsonString(out, report.outcome.message);
  out << ",\"score\":" << (report.outcome.score ? scoreText(*report.outcome.score) : "null")
      << ",\"stderr\":";
  writeJsonString(out, report.stderrHead);
  out << "}\n";
}

void writeJunit(std::ostream& out, const std::vector<CaseReport>& reports, double seconds) {
  std::size_t failures = 0, errors = 0;
  for (const CaseReport& report : reports) {
    errors += report.outcome.verdict == Verdict::kJudgeError;
    failures += !passed(report) && report.outcome.verdict != Verdict::kJudgeError;
  }
  const std::string counts = "tests=\"" + std::to_string(reports.size()) + "\" failures=\"" +
                             std::to_string(failures) + "\" errors=\"" + std::to_string(errors) +
                             "\" time=\"" + fixed(seconds, 3) + "\"";
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"tesmo test\" " << counts
      << ">\n<testsuite name=\"tesmo test\" " << counts << " skipped=\"0\">\n";
  for (const CaseReport& report : reports) {
    const Verdict verdict = report.outcome.verdict;
    out << "<testcase name=\"" << escapeXml(validUtf8(report.testCase->name))
        << "\" classname=\"tesmo test\" time=\""
        << fixed(verdict == Verdict::kJudgeError ? 0 : report.run.wallSeconds, 3) << "\">\n";
    if (verdict != Verdict::kAccepted) {
      const char* element = verdict == Verdict::kJudgeError ? "error" : "failure";
      const std::string message = escapeXml(validUtf8(report.outcome.message));
      out << "<" << element << " type=\"" << verdictCode(verdict) << "\" message=\"" << message
          << "\">" << verdictCode(verdict) << ": " << message << "</" << element << ">\n";
    }
    if (!report.stderrHead.empty()) {
      out << "<system-err>" << xmlLines(report.stderrHead) << "</system-err>\n";
    }
    out << "</testcase>\n";
  }
  out << "</testsuite>\n</testsuites>\n";
}

}  // namespace tesmo
