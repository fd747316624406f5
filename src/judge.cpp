#include "judge.hpp"

#include <fstream>
#include <sstream>
#include <vector>

#include "messages.hpp"
#include "search.hpp"
#include "walk.hpp"

namespace {

constexpr std::size_t kQuotedBytes = 40;

bool isSpace(unsigned char byte) {
  return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\v' ||
         byte == '\f';
}

// A token as a message quotes it: at most 40 bytes, bytes outside
// printable ASCII written \xNN, "..." when cut.
std::string quoteToken(const std::string& kept, std::uint64_t length) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (unsigned char byte : kept) {
    if (byte >= 0x20 && byte < 0x7F) {
      text += static_cast<char>(byte);
    } else {
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 15];
    }
  }
  return "'" + text + (length > kQuotedBytes ? "...'" : "'");
}

// The strict reading of a route: tokens between whitespace, each a move
// code, all on one line. Fed a chunk at a time, it hands each code on.
struct RouteScan {
  std::uint64_t tokens = 0;   // tokens ended so far
  bool inToken = false;
  bool lineEnded = false;     // a line break came after a token
  std::string kept;           // the current token's first bytes
  std::uint64_t length = 0;   // the current token's length
  std::string fault;          // the first fault, "" while none
  bool readFailed = false;    // the output could not be read (a directory)
};

template <typename OnCode>
void endToken(RouteScan* scan, OnCode& onCode) {
  scan->inToken = false;
  ++scan->tokens;
  const std::string quoted = quoteToken(scan->kept, scan->length);
  const std::string name = "token " + std::to_string(scan->tokens) + " (" + quoted + ")";
  if (scan->lineEnded) {
    scan->fault = name + " is on a second line; the moves are one line";
  } else if (scan->length != 1 || scan->kept[0] < '0' || scan->kept[0] > '5') {
    scan->fault = name + " is not a move code 0 to 5";
  } else {
    onCode(static_cast<std::uint64_t>(scan->kept[0] - '0'));
  }
}

template <typename OnCode>
void scanChunk(RouteScan* scan, const char* data, std::size_t size, OnCode& onCode) {
  for (std::size_t i = 0; i < size && scan->fault.empty(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(data[i]);
    if (isSpace(byte)) {
      if (scan->inToken) endToken(scan, onCode);
      if (byte == '\n' && scan->tokens > 0) scan->lineEnded = true;
      continue;
    }
    if (!scan->inToken) {
      scan->inToken = true;
      scan->kept.clear();
      scan->length = 0;
    }
    if (scan->kept.size() < kQuotedBytes) scan->kept += static_cast<char>(byte);
    ++scan->length;
  }
}

// Scans all of `file`; stops reading at the first fault.
template <typename OnCode>
RouteScan scanRoute(std::FILE* file, OnCode onCode) {
  RouteScan scan;
  std::vector<char> buffer(1 << 16);
  for (std::size_t got; scan.fault.empty() &&
                        (got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0;) {
    scanChunk(&scan, buffer.data(), got, onCode);
  }
  scan.readFailed = std::ferror(file) != 0;
  if (scan.fault.empty() && scan.inToken) endToken(&scan, onCode);
  return scan;
}

template <typename OnCode>
RouteScan scanRouteText(const std::string& text, OnCode onCode) {
  RouteScan scan;
  scanChunk(&scan, text.data(), text.size(), onCode);
  if (scan.fault.empty() && scan.inToken) endToken(&scan, onCode);
  return scan;
}

// A walk fed one code at a time, that stops at the first move it cannot
// make and then only counts.
struct RouteWalk {
  const Maze& maze;
  MovePlan plan;
  Walk walk;
  WalkOutcome outcome;  // stop and stopCode once stopped
};

RouteWalk startRouteWalk(const Maze& maze, const Position& start) {
  return RouteWalk{maze, planMoves(maze), startWalk(maze, start), WalkOutcome()};
}

void takeMove(RouteWalk* route, std::uint64_t code) {
  if (route->outcome.stop != MoveResult::kMoved) return;
  const MoveResult result = applyMove(route->plan, code, &route->walk);
  if (result != MoveResult::kMoved) {
    route->outcome.stop = result;
    route->outcome.stopCode = code;
  }
}

WalkOutcome finishRouteWalk(const RouteWalk& route) {
  WalkOutcome outcome = route.outcome;
  outcome.executed = route.walk.steps;
  outcome.position = {route.walk.position[0], route.walk.position[1], route.walk.position[2]};
  return outcome;
}

NumberList listOf(const Position& position) {
  return NumberList(position.begin(), position.end());
}

std::string endpointFault(const Puzzle& puzzle, const Position& position, const char* name) {
  const Maze maze = puzzleMaze(puzzle);
  const std::string where = std::string("the ") + name + " " + positionText(position);
  if (!insideBox(listOf(position), maze.dimensions)) return where + " lies outside the box";
  if (endpointOnWall(listOf(position), maze)) return where + " lies on a wall";
  return "";
}

}  // namespace

std::string judgeInputFault(const Puzzle& puzzle) {
  if (!puzzle.start) return "the puzzle has no start";
  if (!puzzle.end) return "the puzzle has no end";
  std::string fault = endpointFault(puzzle, *puzzle.start, "start");
  if (fault.empty()) fault = endpointFault(puzzle, *puzzle.end, "end");
  if (!fault.empty()) return fault;
  const Distance distance = searchDistance(puzzleMaze(puzzle), *puzzle.start, *puzzle.end);
  if (distance.searched && !distance.moves) return "no route leads from the start to the end";
  return "";
}

bool loadJudgeInput(const std::string& path, Puzzle* puzzle, std::string* error) {
  Puzzle loaded;
  if (!loadPuzzleFile(path, &loaded, error)) return false;
  const std::string fault = judgeInputFault(loaded);
  if (!fault.empty()) {
    *error = path + ": " + fault;
    return false;
  }
  movePuzzle(&loaded, puzzle);
  return true;
}

bool loadJudgeAnswer(const std::string& path, const Puzzle& puzzle, std::uint64_t* moves,
                     std::string* error) {
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
    if (start != listOf(*puzzle.start) || end != listOf(*puzzle.end)) {
      *error = path + ": the answer's start and end are not the input's";
      return false;
    }
  } else if (lines.size() != 1) {
    *error = path + ": the answer holds " + std::to_string(lines.size()) +
             " lines; a moves line or a solution file (start, end, moves) was expected";
    return false;
  }
  const Maze maze = puzzleMaze(puzzle);
  RouteWalk route = startRouteWalk(maze, *puzzle.start);
  const RouteScan scan =
      scanRouteText(lines.back(), [&](std::uint64_t code) { takeMove(&route, code); });
  const WalkOutcome outcome = finishRouteWalk(route);
  std::string fault = scan.fault;
  if (fault.empty() && scan.tokens == 0) fault = "no move";
  if (fault.empty() && outcome.stop != MoveResult::kMoved) fault = stopLine(maze, outcome);
  if (fault.empty() && outcome.position != *puzzle.end) {
    fault = "it ends at " + positionText(outcome.position) + ", not on the end";
  }
  if (!fault.empty()) {
    *error = path + ": the answer is no route: " + fault;
    return false;
  }
  *moves = scan.tokens;
  return true;
}

Judgment judgeOutput(const Puzzle& puzzle, std::uint64_t answerMoves,
                     const JudgeOptions& options, std::FILE* output) {
  const Maze maze = puzzleMaze(puzzle);
  RouteWalk route = startRouteWalk(maze, *puzzle.start);
  const RouteScan scan = scanRoute(output, [&](std::uint64_t code) { takeMove(&route, code); });
  // An output that cannot be read is the judge's trouble, not a verdict.
  if (scan.readFailed) return {JudgeResult::kJudgeError, "cannot read the output", std::nullopt};
  const WalkOutcome outcome = finishRouteWalk(route);
  Judgment judgment;
  if (options.score) judgment.score = 0.0;
  judgment.result = JudgeResult::kWrongAnswer;
  if (!scan.fault.empty()) {
    judgment.result = JudgeResult::kFormatError;
    judgment.message = scan.fault;
  } else if (scan.tokens == 0) {
    judgment.message = "the output holds no move; a route needs at least one";
  } else if (outcome.stop != MoveResult::kMoved) {
    judgment.message = stopLine(maze, outcome);
  } else if (outcome.position != *puzzle.end) {
    judgment.message = failureLine(outcome, *puzzle.end,
                                   searchDistance(maze, outcome.position, *puzzle.end));
  } else {
    judgment.result = JudgeResult::kAccepted;
    judgment.message = "route of " + movesText(scan.tokens);
  }
  if (judgment.result != JudgeResult::kAccepted || !(options.shortest || options.score)) {
    return judgment;
  }
  const Distance shortest = searchDistance(maze, *puzzle.start, *puzzle.end);
  if (!shortest.searched || !shortest.moves) {
    return {JudgeResult::kJudgeError, "the box is too large to search for the shortest route",
            std::nullopt};
  }
  if (options.shortest && answerMoves > *shortest.moves) {
    return {JudgeResult::kJudgeError,
            "the answer's route has " + std::to_string(answerMoves) +
                " moves, longer than the shortest, " + std::to_string(*shortest.moves),
            std::nullopt};
  }
  judgment.message = successLine(scan.tokens, shortest);
  if (options.shortest && scan.tokens > *shortest.moves) {
    judgment.result = JudgeResult::kWrongAnswer;
  } else if (options.score) {
    judgment.score = static_cast<double>(*shortest.moves) / static_cast<double>(scan.tokens);
  }
  return judgment;
}
