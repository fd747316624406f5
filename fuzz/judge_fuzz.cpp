// Fuzz target: the input is a contestant's output, judged against the
// built-in puzzle (its first byte even) or an open 3 x 3 x 3 box (odd), as
// `tesmo judge` judges it. Whatever the bytes, the judgment must be one
// printable line, and the same when the output is handed over a byte at a
// time, where no run of codes is ever read whole.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/puzzle_file.hpp"
#include "judge/judge.hpp"

namespace tesmo {
namespace {

JudgeCase loadCase(const char* text) {
  JudgeCase judged;
  std::string error;
  if (!parsePuzzle(text, "case", &judged.puzzle, &error) ||
      !judgeInputFault(judged.puzzle, &judged.shortest).empty()) {
    std::abort();
  }
  return judged;
}

const char kOpen[] =
    "size 3 3 3\nstart 0 0 0\nend 2 2 2\nface 0\n000\n000\n000\nface 1\n000\n000\n000\n"
    "face 2\n000\n000\n000\n";

std::string judged(const JudgeCase& judgeCase, std::string_view output, std::size_t buffer) {
  NumberReader reader;
  openNumberText(output, &reader, buffer);
  const Judgment judgment = judgeOutput(judgeCase, &reader);
  for (char c : judgment.message) {
    if (c < 0x20 || c > 0x7E) {
      std::fprintf(stderr, "invariant broken: a message byte in '%s'\n", judgment.message.c_str());
      std::abort();
    }
  }
  return std::to_string(static_cast<int>(judgment.result)) + " " + judgment.message;
}

}  // namespace
}  // namespace tesmo

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tesmo;  // NOLINT(google-build-using-namespace): the entry point's
  static const JudgeCase builtIn = loadCase(
      "size 11 11 11\nstart 1 1 1\nend 9 9 9\nface 0\n11111111111\n10000000001\n11101111101\n"
      "10100000101\n10101111111\n10001000101\n10111011101\n10001010101\n11101010101\n"
      "10000000001\n11111111111\nface 1\n11111111111\n10000000101\n10101110101\n10101000001\n"
      "11101011111\n10101010001\n10101010101\n10001000101\n10111110101\n10100000101\n"
      "11111111111\nface 2\n11111111111\n10001000001\n10111011101\n10001010001\n11101110101\n"
      "10100000101\n10101111101\n10100010001\n10111110111\n10000000001\n11111111111\n");
  static const JudgeCase open = loadCase(kOpen);
  if (size == 0) return 0;
  const JudgeCase& judgeCase = data[0] % 2 == 0 ? builtIn : open;
  const std::string_view output(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string whole = judged(judgeCase, output, 1 << 16);
  const std::string byBytes = judged(judgeCase, output, 1);
  if (whole != byBytes) {
    std::fprintf(stderr, "invariant broken: read whole: %s\nbyte by byte: %s\n", whole.c_str(),
                 byBytes.c_str());
    std::abort();
  }
  return 0;
}
