// Writes benchmark inputs to standard output.
//
//   tesmo_generate back-and-forth N   N moves 0 1 0 1 ... from 1 1 1 back to 1 1 1
//   tesmo_generate random-walk N      N random moves that all run through the
//                                     built-in puzzle (seeded, so repeatable)
//   tesmo_generate stop-early N       a wall on the first move, then N - 1 moves
//   tesmo_generate invalid-end N      N - 1 moves back and forth, then code 7
//   tesmo_generate cube-config S      "tesmo.cfg" for an open S x S x S puzzle
//   tesmo_generate cube-solution S    S - 1 moves along x from 0 0 0
//   tesmo_generate cube-problem S     corner 0 0 0 to the far corner, for the solver
//   tesmo_generate cube-puzzle S      a puzzle file of the open S x S x S box, with
//                                     that start and end
//   tesmo_generate thin-puzzle S      a puzzle file of the open 1 x S x 1 box, from
//                                     one end to the other (face 0's rows leave
//                                     gaps: its index rule spans S * S numbers)

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

#include "engine/search.hpp"
#include "model/builtin_puzzle.hpp"

namespace tesmo {
namespace {

// Collects output in large chunks; a write per token would dominate.
struct Output {
  std::string chunk;
};

void emit(Output* output, const std::string& text) {
  output->chunk += text;
  if (output->chunk.size() >= (1 << 20)) {
    std::fwrite(output->chunk.data(), 1, output->chunk.size(), stdout);
    output->chunk.clear();
  }
}

void flush(Output* output) {
  std::fwrite(output->chunk.data(), 1, output->chunk.size(), stdout);
  output->chunk.clear();
}

void emitCode(Output* output, std::uint64_t code) { emit(output, std::to_string(code) + " "); }

// Runs a seeded random walk of `count` executed moves through the built-in
// puzzle, writing the codes when `output` is given; returns the end.
NumberList randomWalk(std::uint64_t count, Output* output) {
  const SearchBox box = planSearch(builtInMaze());
  std::uint32_t cell = searchCell(box, {1, 1, 1});
  std::mt19937_64 random(42);
  for (std::uint64_t done = 0; done < count;) {
    const unsigned code = static_cast<unsigned>(random() % 6);
    std::uint32_t next;
    if (!searchMove(box, cell, code, &next)) continue;
    cell = next;
    if (output) emitCode(output, code);
    ++done;
  }
  const Position end = searchPosition(box, cell);
  return NumberList(end.begin(), end.end());
}

int usage() {
  std::fputs(
      "usage: tesmo_generate back-and-forth|random-walk|stop-early|"
      "invalid-end|cube-config|cube-solution|cube-problem|cube-puzzle|thin-puzzle "
      "COUNT\n",
      stderr);
  return 2;
}

}  // namespace
}  // namespace tesmo

using namespace tesmo;  // NOLINT(google-build-using-namespace): the program's

int main(int argc, char* argv[]) {
  if (argc != 3) return usage();
  const std::string kind = argv[1];
  const std::uint64_t count = std::strtoull(argv[2], nullptr, 10);
  Output output;
  if (kind == "back-and-forth" || kind == "invalid-end") {
    emit(&output, "1 1 1\n1 1 1\n");
    const std::uint64_t walked = kind == "invalid-end" ? count - 1 : count;
    for (std::uint64_t index = 0; index < walked; ++index) emitCode(&output, index % 2);
    if (kind == "invalid-end") emitCode(&output, 7);
  } else if (kind == "random-walk") {
    const NumberList end = randomWalk(count, nullptr);
    emit(&output, "1 1 1\n" + std::to_string(end[0]) + " " + std::to_string(end[1]) + " " +
                      std::to_string(end[2]) + "\n");
    randomWalk(count, &output);
  } else if (kind == "stop-early") {
    emit(&output, "1 1 1\n9 9 9\n1 ");  // code 1 from 1 1 1 runs into a wall
    for (std::uint64_t index = 1; index < count; ++index) emitCode(&output, 0);
  } else if (kind == "cube-config") {
    // Face k needs size + size * (size - 1) = size^2 cells.
    for (int k = 0; k < 3; ++k) emit(&output, "dimensions=" + std::to_string(count) + "\n");
    for (int face = 0; face < 3; ++face) {
      const std::string line = "face" + std::to_string(face) + "=0\n";
      for (std::uint64_t cell = 0; cell < count * count; ++cell) emit(&output, line);
    }
    flush(&output);
    return 0;
  } else if (kind == "cube-puzzle") {
    const std::string size = std::to_string(count), far = std::to_string(count - 1);
    emit(&output, "size " + size + " " + size + " " + size + "\nstart 0 0 0\nend " + far + " " +
                      far + " " + far + "\n");
    const std::string row = std::string(count, '0') + "\n";
    for (int face = 0; face < 3; ++face) {
      emit(&output, "face " + std::to_string(face) + "\n");
      for (std::uint64_t index = 0; index < count; ++index) emit(&output, row);
    }
    flush(&output);
    return 0;
  } else if (kind == "thin-puzzle") {
    // Face 0 spans x (1) and y (S): S rows of one cell; face 1 spans y and
    // z (1): one row of S cells; face 2 one cell.
    emit(&output, "size 1 " + std::to_string(count) + " 1\nstart 0 0 0\nend 0 " +
                      std::to_string(count - 1) + " 0\nface 0\n");
    for (std::uint64_t row = 0; row < count; ++row) emit(&output, "0\n");
    emit(&output, "face 1\n" + std::string(count, '0') + "\nface 2\n0\n");
    flush(&output);
    return 0;
  } else if (kind == "cube-problem") {
    const std::string far = std::to_string(count - 1);
    emit(&output, "0 0 0\n" + far + " " + far + " " + far);
  } else if (kind == "cube-solution") {
    emit(&output, "0 0 0\n" + std::to_string(count - 1) + " 0 0\n");
    for (std::uint64_t index = 1; index < count; ++index) emitCode(&output, 0);
  } else {
    return usage();
  }
  emit(&output, "\n");
  flush(&output);
  return 0;
}
