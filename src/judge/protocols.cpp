#include "judge/protocols.hpp"

#include <cstdio>
#include <fstream>
#include <vector>

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "formats/puzzle_file.hpp"
#include "judge/judge.hpp"

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace protocols {

const char kTestlibUsage[] =
    "Program must be run with the following arguments: [--shortest] [--score] <input-file> "
    "<output-file> <answer-file> [<report-file> [<-appes>]]";

JudgeReply reply(int status, Stream stream, std::string text) {
  return {status, {{stream, std::move(text)}}};
}

bool isFlag(const std::string& word, const char* name) {
  return word == name || word == std::string("--") + name;
}

// Takes one flag of the output protocols into *options (full_feedback
// only where `fullFeedback` is given); false with the fault for any other.
bool readFlag(const std::string& flag, JudgeOptions* options, bool* fullFeedback,
              std::string* fault) {
  if (isFlag(flag, "shortest")) {
    options->shortest = true;
  } else if (isFlag(flag, "score")) {
    options->score = true;
  } else if (fullFeedback && isFlag(flag, "full_feedback")) {
    *fullFeedback = true;
  } else {
    *fault = "unknown flag '" + printableAscii(flag) + "'; the flags are " +
             (fullFeedback ? "shortest, score and full_feedback" : "shortest and score");
    return false;
  }
  return true;
}

bool readFlags(int argc, const char* const argv[], int first, JudgeOptions* options,
               bool* fullFeedback, std::string* fault) {
  for (int i = first; i < argc; ++i) {
    if (!readFlag(argv[i], options, fullFeedback, fault)) return false;
  }
  return true;
}

// Loads the input and the answer, and holds the flags to them: with
// shortest or score, a fault here is found before any output is read.
bool loadCase(const char* input, const char* answer, JudgeCase* judged, std::string* fault) {
  if (!loadJudgeInput(input, judged, fault) || !loadJudgeAnswer(answer, judged, fault)) {
    return false;
  }
  *fault = optionsFault(*judged);
  return fault->empty();
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  return static_cast<bool>(file.flush());
}

bool writeFeedback(const std::string& dir, const char* name, const std::string& text) {
  return writeFile(dir.back() == '/' ? dir + name : dir + "/" + name, text + "\n");
}

JudgeReply runKattis(int argc, const char* const argv[], int input) {
  if (argc < 4) {
    return reply(kKattisJudgeError, Stream::kErr,
                 std::string("usage: ") + argv[0] +
                     " INPUT ANSWER FEEDBACK_DIR [shortest] [score] [full_feedback] < OUTPUT");
  }
  const std::string feedback = argv[3];
  if (feedback.empty()) {
    return reply(kKattisJudgeError, Stream::kErr,
                 "the feedback directory is named by an empty argument");
  }
  JudgeCase judged;
  bool fullFeedback = false;
  std::string fault;
  Judgment judgment;
  if (!readFlags(argc, argv, 4, &judged.options, &fullFeedback, &fault) ||
      !loadCase(argv[1], argv[2], &judged, &fault)) {
    judgment.message = fault;
  } else {
    NumberReader output;
    attachNumberReader(input, &output);
    judgment = judgeOutput(judged, &output);
  }
  const bool verdict = judgment.result != JudgeResult::kJudgeError;
  const bool written =
      writeFeedback(feedback, "judgemessage.txt", judgment.message) &&
      (!verdict || writeFeedback(feedback, "teammessage.txt",
                                 fullFeedback ? judgment.message : judgment.teamMessage)) &&
      (judgment.result != JudgeResult::kAccepted || !judgment.score ||
       writeFeedback(feedback, "score.txt", scoreText(*judgment.score)));
  if (!verdict || !written) {
    return reply(kKattisJudgeError, Stream::kErr,
                 judgment.message + (written ? "" : " (the feedback files cannot be written)"));
  }
  return {judgment.result == JudgeResult::kAccepted ? kKattisAccepted : kKattisWrongAnswer, {}};
}

// The judgment of an output file, or a judge error for one that cannot be
// read.
Judgment judgeOutputFile(const JudgeCase& judged, const char* path) {
  NumberReader output;
  if (!openNumberFile(path, &output) && !output.readFailed) {
    return {JudgeResult::kJudgeError, cannotRead(path, "output", output.error), "", {}};
  }
  return judgeOutput(judged, &output);
}

// A testlib verdict: its exit status, its words on standard error, and its
// outcome in the XML result.
struct TestlibVerdict {
  int status;
  const char* words;
  const char* outcome;
};

TestlibVerdict testlibVerdict(const Judgment& judgment) {
  switch (judgment.result) {
    case JudgeResult::kAccepted:
      if (judgment.score) return {kTestlibPoints, "points ", "points"};
      return {kTestlibOk, "ok ", "accepted"};
    case JudgeResult::kWrongAnswer:
      return {kTestlibWrongAnswer, "wrong answer ", "wrong-answer"};
    case JudgeResult::kFormatError:
      return {kTestlibPresentationError, "wrong output format ", "presentation-error"};
    case JudgeResult::kJudgeError:
      break;
  }
  return {kTestlibFail, "FAIL ", "fail"};
}

// Says the verdict as testlib does: on standard error, or into the result
// file (as XML with `appes`), with standard error saying where it went.
JudgeReply testlibReply(const Judgment& judgment, const std::string& resultFile, bool appes) {
  const TestlibVerdict verdict = testlibVerdict(judgment);
  const std::string message =
      judgment.score && judgment.result == JudgeResult::kAccepted
          ? scoreText(*judgment.score) + ' ' + judgment.message
          : judgment.message;
  if (resultFile.empty()) return reply(verdict.status, Stream::kErr, verdict.words + message);
  std::string text = message;
  if (appes) {
    std::string points;
    if (verdict.status == kTestlibPoints) points = " points = \"" + scoreText(*judgment.score) + "\"";
    text = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><result outcome = \"" +
           std::string(verdict.outcome) + "\"" + points + ">" + escapeXml(printableAscii(message)) +
           "</result>\n";
  }
  if (!writeFile(resultFile, text)) {
    return reply(kTestlibFail, Stream::kErr, "FAIL Can not write to the result file");
  }
  return {verdict.status, {{Stream::kErr, ""}, {Stream::kErr, "See file to check exit message"}}};
}

JudgeReply runTestlib(int argc, const char* const argv[]) {
  JudgeCase judged;
  std::string fault;
  int at = 1;  // the first positional argument
  for (; at < argc && std::string(argv[at]).rfind("--", 0) == 0; ++at) {
    if (!readFlag(argv[at], &judged.options, nullptr, &fault)) {
      return reply(kTestlibFail, Stream::kErr, "FAIL " + fault);
    }
  }
  const int positional = argc - at;
  const std::string resultFile = positional >= 4 ? argv[at + 3] : "";
  const bool appes = positional == 5 && (std::string(argv[at + 4]) == "-appes" ||
                                         std::string(argv[at + 4]) == "-APPES");
  if (positional < 3 || positional > 5 || (positional == 5 && !appes)) {
    return reply(kTestlibFail, Stream::kErr, std::string("FAIL ") + kTestlibUsage);
  }
  // A flag, or -appes without a file, where the result file belongs would
  // name a file: refused rather than written.
  if (!resultFile.empty() && (resultFile[0] == '-' || isFlag(resultFile, "shortest") ||
                              isFlag(resultFile, "score"))) {
    return reply(kTestlibFail, Stream::kErr,
                 "FAIL '" + printableAscii(resultFile) + "' stands where the result file belongs; " +
                     kTestlibUsage);
  }
  Judgment judgment;
  if (!loadCase(argv[at], argv[at + 2], &judged, &fault)) {
    judgment.message = fault;
  } else {
    judgment = judgeOutputFile(judged, argv[at + 1]);
  }
  return testlibReply(judgment, resultFile, appes);
}

JudgeReply runCms(int argc, const char* const argv[]) {
  if (argc < 4) {
    return reply(kKattisJudgeError, Stream::kErr,
                 std::string("usage: ") + argv[0] +
                     " INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [shortest] [score]");
  }
  JudgeCase judged;
  std::string fault;
  if (!readFlags(argc, argv, 4, &judged.options, nullptr, &fault) ||
      !loadCase(argv[1], argv[2], &judged, &fault)) {
    return reply(kKattisJudgeError, Stream::kErr, fault);
  }
  const Judgment judgment = judgeOutputFile(judged, argv[3]);
  if (judgment.result == JudgeResult::kJudgeError) {
    return reply(kKattisJudgeError, Stream::kErr, judgment.message);
  }
  const bool accepted = judgment.result == JudgeResult::kAccepted;
  return {kCmsScored,
          {{Stream::kOut, judgment.score ? scoreText(*judgment.score) : accepted ? "1.0" : "0.0"},
           {Stream::kErr, judgment.message}}};
}

// The input validator's flags; false with the fault for one it does not
// take.
bool readInputFlags(int argc, const char* const argv[], bool* lenient, std::uint64_t* maxSize,
                    std::string* fault) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    const std::string bound = flag.substr(flag.find('=') + 1);
    if (flag == "lenient") {
      *lenient = true;
    } else if (flag.rfind("max_size=", 0) == 0 && !bound.empty() && bound.size() < 20 &&
               bound.find_first_not_of("0123456789") == std::string::npos) {
      *maxSize = std::stoull(bound);
    } else {
      *fault = "unknown flag '" + printableAscii(flag) +
               "'; the flags are lenient and max_size=N (N from 0 to 10^19 - 1)";
      return false;
    }
  }
  return true;
}

JudgeReply runInputValidator(int argc, const char* const argv[], int input) {
  bool lenient = false;
  std::uint64_t maxSize = UINT64_MAX;
  std::string fault;
  if (!readInputFlags(argc, argv, &lenient, &maxSize, &fault)) {
    return reply(kKattisJudgeError, Stream::kErr, fault);
  }
  NumberReader reader;
  attachNumberReader(input, &reader);
  std::string text;
  for (std::string_view bytes; !(bytes = unreadBytes(&reader)).empty();) {
    text += bytes;
    consumeBytes(&reader, bytes.size());
  }
  Puzzle puzzle;
  Distance shortest;
  if (!lenient) fault = canonicalFault(text, "input", maxSize);
  if (fault.empty() && parsePuzzle(text, "input", &puzzle, &fault)) {
    for (int axis = 0; axis < 3 && fault.empty(); ++axis) {
      if (puzzle.size[axis] > maxSize) {
        fault = "input: size " + std::to_string(puzzle.size[axis]) + " is above the bound " +
                std::to_string(maxSize);
      }
    }
    if (fault.empty()) fault = judgeInputFault(puzzle, &shortest);
    if (!fault.empty() && fault.compare(0, 6, "input:") != 0) fault = "input: " + fault;
  }
  if (!fault.empty()) return reply(kKattisWrongAnswer, Stream::kErr, fault);
  return {kKattisAccepted, {}};
}

}  // namespace protocols

JudgeReply runJudgeProtocol(const std::string& protocol, int argc, const char* const argv[],
                            int input) {
  using namespace protocols;  // NOLINT(google-build-using-namespace): this file's own
  if (protocol == "kattis") return runKattis(argc, argv, input);
  if (protocol == "testlib") return runTestlib(argc, argv);
  if (protocol == "cms") return runCms(argc, argv);
  if (protocol == "input") return runInputValidator(argc, argv, input);
  return reply(kUnknownProtocol, Stream::kErr,
               "unknown protocol '" + protocol +
                   "'; the protocols are kattis, testlib, cms and input");
}

JudgeReply outOfMemory(const std::string& protocol) {
  if (protocol == "testlib") {
    return protocols::reply(kTestlibFail, Stream::kErr, "FAIL out of memory");
  }
  return protocols::reply(kKattisJudgeError, Stream::kErr, "out of memory");
}

}  // namespace tesmo
