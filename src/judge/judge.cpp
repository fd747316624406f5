#include "judge/judge.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "base/code_run.hpp"
#include "base/quote.hpp"
#include "engine/grid.hpp"
#include "engine/walk.hpp"
#include "formats/puzzle_file.hpp"
#include "verify/words.hpp"

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace judging {

bool isSpace(unsigned char byte) {
  return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\v' ||
         byte == '\f';
}

// The strict reading of a route: tokens between whitespace, each a move
// code, all on one line, each code handed to the walker. Fed a chunk at a
// time; it stops at the first fault.
struct RouteScan {
  Walker& walker;
  std::uint64_t tokens = 0;  // tokens ended so far
  bool inToken = false;
  bool lineEnded = false;        // a line break came after a token
  char kept[kQuotedBytes] = {};  // the current token's first bytes
  std::uint64_t length = 0;      // the current token's length
  std::string fault{};           // the first fault, "" while none
};

void endToken(RouteScan* scan) {
  scan->inToken = false;
  ++scan->tokens;
  const bool isCode = scan->length == 1 && scan->kept[0] >= '0' && scan->kept[0] <= '5';
  if (!scan->lineEnded && isCode) {
    stepWalker(&scan->walker, static_cast<std::uint64_t>(scan->kept[0] - '0'));
    return;
  }
  // The one token that decides gets its message.
  const std::string name =
      "token " + std::to_string(scan->tokens) + " (" +
      quotedToken({scan->kept, std::min<std::uint64_t>(scan->length, kQuotedBytes)}, scan->length) +
      ")";
  scan->fault = scan->lineEnded ? name + " is on a second line; the moves are one line"
                                : name + " is not a move code 0 to 5";
}

// Runs of sixteen "c " pairs after a blank, the shape of nearly every byte
// of a long route: walked (or, once the walk has stopped, only counted)
// sixteen codes at a time. Returns the bytes taken.
std::size_t takeRuns(RouteScan* scan, const char* bytes, std::size_t length) {
  const RunsTaken taken = walkRuns(&scan->walker, bytes, length);
  std::size_t tokens = taken.tokens;
  if (taken.stopped) {
    std::uint32_t codes[kRunQuads];
    while (length - 2 * tokens > kRunBytes && decodeCodeRun(bytes + 2 * tokens + 1, codes)) {
      tokens += kRunCodes;
    }
  }
  scan->tokens += tokens;
  return 2 * tokens;
}

void scanChunk(RouteScan* scan, const char* data, std::size_t size) {
  for (std::size_t i = 0; i < size && scan->fault.empty();) {
    const unsigned char byte = static_cast<unsigned char>(data[i]);
    if (byte == ' ' && !scan->lineEnded && size - i > kRunBytes) {
      if (scan->inToken) endToken(scan);  // the blank ends it
      const std::size_t taken = scan->fault.empty() ? takeRuns(scan, data + i, size - i) : 0;
      i += taken > 0 ? taken : 1;
      continue;
    }
    ++i;
    if (isSpace(byte)) {
      if (scan->inToken) endToken(scan);
      if (byte == '\n' && scan->tokens > 0) scan->lineEnded = true;
      continue;
    }
    if (!scan->inToken) {
      scan->inToken = true;
      scan->length = 0;
    }
    if (scan->length < kQuotedBytes) scan->kept[scan->length] = static_cast<char>(byte);
    ++scan->length;
  }
}

// Scans what is left of the reader; stops reading at the first fault.
void scanReader(RouteScan* scan, NumberReader* reader) {
  for (std::string_view bytes; scan->fault.empty() && !(bytes = unreadBytes(reader)).empty();) {
    scanChunk(scan, bytes.data(), bytes.size());
    consumeBytes(reader, bytes.size());
  }
  if (scan->fault.empty() && scan->inToken) endToken(scan);
}

// The walker's budget: a move is two bytes of output at least; the search
// has already paid for as many cells as the grid holds.
std::uint64_t moveBudget(const Maze& maze, std::uint64_t outputBytes) {
  std::uint64_t cells = 0;
  gridCellCount(maze.size, &cells);
  return std::max(outputBytes / 2, cells);
}

std::string endpointFault(const Puzzle& puzzle, const Position& position, const char* name) {
  const std::string where = std::string("the ") + name + " " + positionText(position);
  if (!insideBox(position, puzzle.size)) return where + " lies outside the box";
  if (endpointOnWall(position, puzzleMaze(puzzle))) return where + " lies on a wall";
  return "";
}

}  // namespace judging

std::string judgeInputFault(const Puzzle& puzzle, Distance* shortest) {
  using judging::endpointFault;
  if (!puzzle.start) return "the puzzle has no start";
  if (!puzzle.end) return "the puzzle has no end";
  std::string fault = endpointFault(puzzle, *puzzle.start, "start");
  if (fault.empty()) fault = endpointFault(puzzle, *puzzle.end, "end");
  if (!fault.empty()) return fault;
  *shortest = searchDistance(puzzleMaze(puzzle), *puzzle.start, *puzzle.end);
  if (shortest->searched && !shortest->moves) return "no route leads from the start to the end";
  return "";
}

bool loadJudgeInput(const std::string& path, JudgeCase* judged, std::string* error) {
  if (!loadPuzzleFile(path, &judged->puzzle, error)) return false;
  const std::string fault = judgeInputFault(judged->puzzle, &judged->shortest);
  if (fault.empty()) return true;
  *error = path + ": " + fault;
  return false;
}

bool loadJudgeAnswer(const std::string& path, JudgeCase* judged, std::string* error) {
  const Puzzle& puzzle = judged->puzzle;
  std::ifstream file(path, std::ios::binary);
  std::ostringstream whole;
  if (!file || !(whole << file.rdbuf())) {
    *error = path + ": cannot read the answer file";
    return false;
  }
  std::vector<std::string> lines;
  std::istringstream text(whole.str());
  for (std::string line; std::getline(text, line);) {
    if (line.find_first_not_of(" \t\r\v\f") != std::string::npos) lines.push_back(line);
  }
  if (lines.size() == 3) {
    const NumberList start = parseNumberList(lines[0]), end = parseNumberList(lines[1]);
    if (start != NumberList(puzzle.start->begin(), puzzle.start->end()) ||
        end != NumberList(puzzle.end->begin(), puzzle.end->end())) {
      *error = path + ": the answer's start and end are not the input's";
      return false;
    }
  } else if (lines.size() != 1) {
    *error = path + ": the answer holds " + std::to_string(lines.size()) +
             " lines; a moves line or a solution file (start, end, moves) was expected";
    return false;
  }
  const Maze maze = puzzleMaze(puzzle);
  Walker walker = startWalker(maze, *puzzle.start, lines.back().size() / 2);
  judging::RouteScan scan{walker};
  judging::scanChunk(&scan, lines.back().data(), lines.back().size());
  if (scan.fault.empty() && scan.inToken) judging::endToken(&scan);
  const WalkOutcome outcome = walkerOutcome(walker);
  std::string fault = scan.fault;
  if (fault.empty() && scan.tokens == 0) fault = "no move";
  if (fault.empty() && outcome.stop != MoveResult::kMoved) fault = stopLine(outcome);
  if (fault.empty() && outcome.position != *puzzle.end) {
    fault = "it ends at " + positionText(outcome.position) + ", not on the end";
  }
  if (!fault.empty()) {
    *error = path + ": the answer is no route: " + fault;
    return false;
  }
  judged->answerMoves = scan.tokens;
  return true;
}

std::string optionsFault(const JudgeCase& judged) {
  const JudgeOptions& options = judged.options;
  if (!options.shortest && !options.score) return "";
  const Distance& shortest = judged.shortest;
  if (!shortest.searched || !shortest.moves) {
    return "the box is too large to search for the shortest route";
  }
  if (options.shortest && judged.answerMoves > *shortest.moves) {
    return "the answer's route has " + std::to_string(judged.answerMoves) +
           " moves, longer than the shortest, " + std::to_string(*shortest.moves);
  }
  return "";
}

Judgment judgeOutput(const JudgeCase& judged, NumberReader* output) {
  const Puzzle& puzzle = judged.puzzle;
  const JudgeOptions& options = judged.options;
  const Maze maze = puzzleMaze(puzzle);
  Walker walker = startWalker(maze, *puzzle.start, judging::moveBudget(maze, output->fileSize));
  judging::RouteScan scan{walker};
  judging::scanReader(&scan, output);
  // An output that cannot be read is the judge's trouble, not a verdict.
  if (output->readFailed) return {JudgeResult::kJudgeError, "cannot read the output", "", {}};
  const WalkOutcome outcome = walkerOutcome(walker);
  Judgment judgment;
  if (options.score) judgment.score = 0.0;
  judgment.result = JudgeResult::kWrongAnswer;
  const std::string moves = movesText(outcome.executed);
  if (!scan.fault.empty()) {
    judgment.result = JudgeResult::kFormatError;
    judgment.message = judgment.teamMessage = scan.fault;
  } else if (scan.tokens == 0) {
    judgment.message = judgment.teamMessage =
        "the output holds no move; a route needs at least one";
  } else if (outcome.stop != MoveResult::kMoved) {
    judgment.message = stopLine(outcome);
    judgment.teamMessage = "move " + std::to_string(outcome.executed + 1) +
                           (outcome.stop == MoveResult::kWall ? " runs into a wall"
                                                              : " runs into the box edge");
  } else if (outcome.position != *puzzle.end) {
    judgment.message =
        failureLine(outcome, *puzzle.end, searchDistance(maze, outcome.position, *puzzle.end));
    judgment.teamMessage = "after " + moves + " the token is not on the end";
  } else {
    judgment.result = JudgeResult::kAccepted;
    judgment.message = judgment.teamMessage = "route of " + moves;
  }
  if (judgment.result != JudgeResult::kAccepted || !(options.shortest || options.score)) {
    return judgment;
  }
  const std::uint64_t shortest = *judged.shortest.moves;
  judgment.message = successLine(scan.tokens, judged.shortest);
  if (options.shortest && scan.tokens > shortest) {
    judgment.result = JudgeResult::kWrongAnswer;
    judgment.teamMessage = "route of " + moves + " is not a shortest one";
  } else if (options.score) {
    judgment.score = static_cast<double>(shortest) / static_cast<double>(scan.tokens);
  }
  return judgment;
}

std::string scoreText(double score) {
  if (!(score > 0)) return "0.0";
  // Ten significant digits: as many decimals as the first of them needs.
  const int first = static_cast<int>(std::floor(std::log10(score)));
  const int decimals = std::max(1, 9 - first);
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", decimals, score);
  std::string written = text;
  while (written.back() == '0' && written[written.size() - 2] != '.') written.pop_back();
  return written;
}

}  // namespace tesmo
