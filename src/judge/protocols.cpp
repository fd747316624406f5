#include "judge/protocols.hpp"

#include <cstdio>
#include <fstream>

#include "base/exit_status.hpp"
#include "formats/puzzle_file.hpp"
#include "judge/judge.hpp"

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace protocols {

// Reads the flags argv[first..]; false with the fault for an unknown one.
bool readFlags(int argc, const char* const argv[], int first, JudgeOptions* options,
               std::string* fault) {
  for (int i = first; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "shortest" || flag == "--shortest") {
      options->shortest = true;
    } else if (flag == "score" || flag == "--score") {
      options->score = true;
    } else {
      *fault = "unknown flag '" + flag + "'; the flags are shortest and score";
      return false;
    }
  }
  return true;
}

bool loadCase(const char* input, const char* answer, JudgeCase* judged, std::string* fault) {
  return loadJudgeInput(input, judged, fault) && loadJudgeAnswer(answer, judged, fault);
}

std::string scoreText(double score) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", score);
  return text;
}

bool writeFeedback(const std::string& dir, const char* name, const std::string& text) {
  const std::string path = dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
  std::ofstream file(path, std::ios::binary);
  file << text << '\n';
  return static_cast<bool>(file.flush());
}

JudgeReply reply(int status, Stream stream, std::string text) {
  return {status, {{stream, std::move(text)}}};
}

JudgeReply runKattis(int argc, const char* const argv[], int input) {
  if (argc < 4) {
    return reply(kKattisJudgeError, Stream::kErr,
                 std::string("usage: ") + argv[0] +
                     " INPUT ANSWER FEEDBACK_DIR [shortest] [score] < OUTPUT");
  }
  const std::string feedback = argv[3];
  JudgeCase judged;
  std::string fault;
  Judgment judgment;
  if (!readFlags(argc, argv, 4, &judged.options, &fault) ||
      !loadCase(argv[1], argv[2], &judged, &fault)) {
    judgment.message = fault;
  } else {
    NumberReader output;
    attachNumberReader(input, &output);
    judgment = judgeOutput(judged, &output);
  }
  const bool written = writeFeedback(feedback, "judgemessage.txt", judgment.message) &&
                       (judgment.result == JudgeResult::kJudgeError ||
                        writeFeedback(feedback, "teammessage.txt", judgment.message)) &&
                       (judgment.result != JudgeResult::kAccepted || !judgment.score ||
                        writeFeedback(feedback, "score.txt", scoreText(*judgment.score)));
  if (judgment.result == JudgeResult::kJudgeError || !written) {
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
    return {JudgeResult::kJudgeError, std::string(path) + ": cannot read the output", std::nullopt};
  }
  return judgeOutput(judged, &output);
}

JudgeReply runTestlib(int argc, const char* const argv[]) {
  if (argc < 4) {
    return reply(kTestlibFail, Stream::kErr,
                 std::string("FAIL usage: ") + argv[0] +
                     " INPUT OUTPUT ANSWER [RESULT_FILE] [shortest] [score]");
  }
  // A fourth argument that is no flag is testlib's result file.
  const int firstFlag = argc > 4 && argv[4][0] != '-' && std::string(argv[4]) != "shortest" &&
                                std::string(argv[4]) != "score"
                            ? 5
                            : 4;
  JudgeCase judged;
  std::string fault;
  if (!readFlags(argc, argv, firstFlag, &judged.options, &fault) ||
      !loadCase(argv[1], argv[3], &judged, &fault)) {
    return reply(kTestlibFail, Stream::kErr, "FAIL " + fault);
  }
  const Judgment judgment = judgeOutputFile(judged, argv[2]);
  switch (judgment.result) {
    case JudgeResult::kAccepted:
      if (judgment.score) {
        return reply(kTestlibPoints, Stream::kErr,
                     "points " + scoreText(*judgment.score) + ' ' + judgment.message);
      }
      return reply(kTestlibOk, Stream::kErr, "ok " + judgment.message);
    case JudgeResult::kWrongAnswer:
      return reply(kTestlibWrongAnswer, Stream::kErr, "wrong answer " + judgment.message);
    case JudgeResult::kFormatError:
      return reply(kTestlibPresentationError, Stream::kErr,
                   "wrong output format " + judgment.message);
    case JudgeResult::kJudgeError:
      break;
  }
  return reply(kTestlibFail, Stream::kErr, "FAIL " + judgment.message);
}

JudgeReply runCms(int argc, const char* const argv[]) {
  if (argc < 4) {
    return reply(kKattisJudgeError, Stream::kErr,
                 std::string("usage: ") + argv[0] +
                     " INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [shortest] [score]");
  }
  JudgeCase judged;
  std::string fault;
  if (!readFlags(argc, argv, 4, &judged.options, &fault) ||
      !loadCase(argv[1], argv[2], &judged, &fault)) {
    return reply(kKattisJudgeError, Stream::kErr, fault);
  }
  const Judgment judgment = judgeOutputFile(judged, argv[3]);
  if (judgment.result == JudgeResult::kJudgeError) {
    return reply(kKattisJudgeError, Stream::kErr, judgment.message);
  }
  const bool accepted = judgment.result == JudgeResult::kAccepted;
  return {kCmsScored,
          {{Stream::kOut, judgment.score ? scoreText(*judgment.score)
                          : accepted     ? "1.0"
                                         : "0.0"},
           {Stream::kErr, judgment.message}}};
}

JudgeReply runInputValidator(int argc, const char* const argv[], int input) {
  JudgeOptions ignored;
  std::string fault;
  if (!readFlags(argc, argv, 1, &ignored, &fault)) {
    return reply(kKattisWrongAnswer, Stream::kErr, fault);
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
  if (!parsePuzzle(text, "input", &puzzle, &fault) ||
      !(fault = judgeInputFault(puzzle, &shortest)).empty()) {
    return reply(kKattisWrongAnswer, Stream::kErr,
                 fault.compare(0, 6, "input:") == 0 ? fault : "input: " + fault);
  }
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
  return reply(
      kUnknownProtocol, Stream::kErr,
      "unknown protocol '" + protocol + "'; the protocols are kattis, testlib, cms and input");
}

}  // namespace tesmo
