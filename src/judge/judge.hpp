// Judging a contestant's route, as contest judges call a checker: the test
// case's input is a puzzle file with a start and an end, the judge's answer
// a reference route, the contestant's output one line of move codes.
//
// Contract:
//  - loadJudgeInput() reads the input file: a puzzle file (its faults as
//    the reader words them, "maze.in:14: face 1 needs 121 cells, found
//    120") with a start and an end, both inside the box and on no cell
//    holding 1 ("NAME: the puzzle has no start", "NAME: the start (1,1,1)
//    lies outside the box", "NAME: the end (0,0,0) lies on a wall"), and a
//    route between them when the box is small enough to search ("NAME: no
//    route leads from the start to the end"). It searches once, and keeps
//    the shortest route's length in the case.
//  - judgeInputFault() is the fault of a loaded puzzle as a test case's
//    input, as loadJudgeInput() words it after "NAME: ", or "", with the
//    search's answer in *shortest.
//  - loadJudgeAnswer() reads the answer file, a moves line or a whole
//    solution file (start, end and moves lines, whose start and end must be
//    the input's), and replays it: false, with a one-line reason, when it is
//    no route from the start to the end. The case keeps its length.
//  - judgeOutput() reads the contestant's output from `output` and judges
//    it. Reading is strict: tokens are separated by any whitespace (a
//    missing final newline is fine), and every token is a move code, one
//    digit 0 to 5; any other token, or a token on a second non-empty line,
//    is a format error naming the token's number (counting from 1) and
//    quoting it (quotedToken(), quote.hpp). An output with no token is a
//    wrong answer. The moves are replayed by the walker from the start:
//    accepted when all execute and the token ends on the end. A wrong answer
//    is explained in one line, in explain's words (see words.hpp): the move
//    that stopped, or where the token ends and how far from the end. The
//    output is read with the verifier's reader, runs of codes sixteen at a
//    time; a message is built only for the token that decides.
//  - Every judgment has a team message too, which tells the kind of wrong
//    answer and the move number but no position or length from the test
//    data: "move 3 runs into a wall", "after 5 moves the token is not on
//    the end", "route of 50 moves is not a shortest one".
//  - With `shortest`, only a route as short as a shortest one is accepted;
//    with `score`, an accepted route scores shortest / length. Both need a
//    box the search can take and, with `shortest`, an answer no longer than
//    the search's route: optionsFault() says so before any output is read
//    (a judge error, whatever the output).
//  - scoreText() writes a score in decimals, never in an exponent, with ten
//    significant digits at least and no trailing zero after the first
//    decimal, so that no score above 0 reads as 0: "1.0", "0.96",
//    "0.00000048".
//  - An output that cannot be read (a directory) is a judge error.
//  - A judge error is kJudgeError with its reason: a fault of the judge's
//    files, never a verdict against the contestant.

#ifndef TESMO_JUDGE_JUDGE_HPP
#define TESMO_JUDGE_JUDGE_HPP

#include <cstdint>
#include <optional>
#include <string>

#include "base/number_list.hpp"
#include "engine/search.hpp"
#include "model/puzzle.hpp"

namespace tesmo {

enum class JudgeResult : std::uint8_t { kAccepted, kWrongAnswer, kFormatError, kJudgeError };

struct JudgeOptions {
  bool shortest = false;
  bool score = false;
};

// A test case as the judge holds it.
struct JudgeCase {
  Puzzle puzzle;
  Distance shortest;  // start to end, searched once
  std::uint64_t answerMoves = 0;
  JudgeOptions options;
};

struct Judgment {
  JudgeResult result = JudgeResult::kJudgeError;
  std::string message;          // one line
  std::string teamMessage;      // one line, for the team
  std::optional<double> score;  // with JudgeOptions::score: 0 unless accepted
};

bool loadJudgeInput(const std::string& path, JudgeCase* judged, std::string* error);

std::string judgeInputFault(const Puzzle& puzzle, Distance* shortest);

bool loadJudgeAnswer(const std::string& path, JudgeCase* judged, std::string* error);

std::string optionsFault(const JudgeCase& judged);

Judgment judgeOutput(const JudgeCase& judged, NumberReader* output);

std::string scoreText(double score);

}  // namespace tesmo

#endif  // TESMO_JUDGE_JUDGE_HPP
