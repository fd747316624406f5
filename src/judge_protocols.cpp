#include "judge_protocols.hpp"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <vector>

#include "judge.hpp"

namespace {

constexpr int kKattisAccepted = 42;
constexpr int kKattisWrong = 43;
constexpr int kJudgeFailure = 1;
constexpr int kTestlibOk = 0, kTestlibWrong = 1, kTestlibFormat = 2, kTestlibFail = 3,
              kTestlibPoints = 7;

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The case a protocol judges: its files loaded, its flags read.
struct JudgeCase {
  Puzzle puzzle;
  std::uint64_t answerMoves = 0;
  JudgeOptions options;
};

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
  return loadJudgeInput(input, &judged->puzzle, fault) &&
         loadJudgeAnswer(answer, judged->puzzle, &judged->answerMoves, fault);
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

int runKattis(int argc, const char* const argv[], std::ostream& err) {
  if (argc < 4) {
    err << "usage: " << argv[0] << " INPUT ANSWER FEEDBACK_DIR [shortest] [score] < OUTPUT"
        << std::endl;
    return kJudgeFailure;
  }
  const std::string feedback = argv[3];
  JudgeCase judged;
  std::string fault;
  Judgment judgment;
  if (!readFlags(argc, argv, 4, &judged.options, &fault) ||
      !loadCase(argv[1], argv[2], &judged, &fault)) {
    judgment.message = fault;
  } else {
    judgment = judgeOutput(judged.puzzle, judged.answerMoves, judged.options, stdin);
  }
  const bool written =
      writeFeedback(feedback, "judgemessage.txt", judgment.message) &&
      (judgment.result == JudgeResult::kJudgeError ||
       writeFeedback(feedback, "teammessage.txt", judgment.message)) &&
      (judgment.result != JudgeResult::kAccepted || !judgment.score ||
       writeFeedback(feedback, "score.txt", scoreText(*judgment.score)));
  if (judgment.result == JudgeResult::kJudgeError || !written) {
    err << judgment.message << (written ? "" : " (the feedback files cannot be written)")
        << std::endl;
    return kJudgeFailure;
  }
  return judgment.result == JudgeResult::kAccepted ? kKattisAccepted : kKattisWrong;
}

// The judgment of an output file, or a judge error for one that cannot be
// read.
Judgment judgeOutputFile(const JudgeCase& judged, const char* path) {
  File output(std::fopen(path, "rb"), &std::fclose);
  if (!output) {
    return {JudgeResult::kJudgeError, std::string(path) + ": cannot read the output",
            std::nullopt};
  }
  return judgeOutput(judged.puzzle, judged.answerMoves, judged.options, output.get());
}

int runTestlib(int argc, const char* const argv[], std::ostream& err) {
  if (argc < 4) {
    err << "FAIL usage: " << argv[0] << " INPUT OUTPUT ANSWER [RESULT_FILE] [shortest] [score]"
        << std::endl;
    return kTestlibFail;
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
    err << "FAIL " << fault << std::endl;
    return kTestlibFail;
  }
  const Judgment judgment = judgeOutputFile(judged, argv[2]);
  switch (judgment.result) {
    case JudgeResult::kAccepted:
      if (judgment.score) {
        err << "points " << scoreText(*judgment.score) << ' ' << judgment.message << std::endl;
        return kTestlibPoints;
      }
      err << "ok " << judgment.message << std::endl;
      return kTestlibOk;
    case JudgeResult::kWrongAnswer:
      err << "wrong answer " << judgment.message << std::endl;
      return kTestlibWrong;
    case JudgeResult::kFormatError:
      err << "wrong output format " << judgment.message << std::endl;
      return kTestlibFormat;
    case JudgeResult::kJudgeError:
      break;
  }
  err << "FAIL " << judgment.message << std::endl;
  return kTestlibFail;
}

int runCms(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  if (argc < 4) {
    err << "usage: " << argv[0] << " INPUT CORRECT_OUTPUT CONTESTANT_OUTPUT [shortest] [score]"
        << std::endl;
    return kJudgeFailure;
  }
  JudgeCase judged;
  std::string fault;
  if (!readFlags(argc, argv, 4, &judged.options, &fault) ||
      !loadCase(argv[1], argv[2], &judged, &fault)) {
    err << fault << std::endl;
    return kJudgeFailure;
  }
  const Judgment judgment = judgeOutputFile(judged, argv[3]);
  if (judgment.result == JudgeResult::kJudgeError) {
    err << judgment.message << std::endl;
    return kJudgeFailure;
  }
  const bool accepted = judgment.result == JudgeResult::kAccepted;
  out << (judgment.score ? scoreText(*judgment.score) : accepted ? "1.0" : "0.0") << std::endl;
  err << judgment.message << std::endl;
  return 0;
}

int runInputValidator(int argc, const char* const argv[], std::ostream& err) {
  JudgeOptions ignored;
  std::string fault;
  if (!readFlags(argc, argv, 1, &ignored, &fault)) {
    err << fault << std::endl;
    return kKattisWrong;
  }
  const std::string text((std::istreambuf_iterator<char>(std::cin)), {});
  Puzzle puzzle;
  if (!parsePuzzle(text, "input", &puzzle, &fault) ||
      !(fault = judgeInputFault(puzzle)).empty()) {
    err << (fault.compare(0, 6, "input:") == 0 ? fault : "input: " + fault) << std::endl;
    return kKattisWrong;
  }
  return kKattisAccepted;
}

}  // namespace

int runJudgeProtocol(const std::string& protocol, int argc, const char* const argv[],
                     std::ostream& out, std::ostream& err) {
  if (protocol == "kattis") return runKattis(argc, argv, err);
  if (protocol == "testlib") return runTestlib(argc, argv, err);
  if (protocol == "cms") return runCms(argc, argv, out, err);
  if (protocol == "input") return runInputValidator(argc, argv, err);
  err << "unknown protocol '" << protocol << "'; the protocols are kattis, testlib, cms and input"
      << std::endl;
  return 2;
}
