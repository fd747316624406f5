// The start and end positions of a solution or problem file: read from
// their lines and checked against the maze, in the verifier's words.
//
// Contract:
//  - readPosition() reads the reader's current line as a list and moves on
//    to the next line. With `verbose` it first says the echo "Star: " or
//    "End : ", the count, ", " and the list on standard output. It returns
//    false after saying "<Start|End> position (list) is not 3-dimensional!"
//    on standard error when the list does not hold exactly three numbers.
//  - endpointUsable() returns false after saying "<Start|End> position out
//    of boundary (list)!" on standard error for a position outside the box,
//    or "Invalid <start|end> position (list)!" on standard output for one on
//    a wall cell (a cell holding exactly 1).
//  - echoLine() is the echo: prefix, count, ", " and the list.

#ifndef TESMO_VERIFY_ENDPOINTS_HPP
#define TESMO_VERIFY_ENDPOINTS_HPP

#include <string>

#include "base/number_list.hpp"
#include "base/said.hpp"
#include "model/maze.hpp"

namespace tesmo {

// How the messages name an endpoint.
struct Endpoint {
  const char* title;  // "Start position ..."
  const char* word;   // "Invalid start position ..."
  const char* echo;   // verbose prefix
};
extern const Endpoint kStart;
extern const Endpoint kEnd;

bool readPosition(NumberReader* reader, const Endpoint& endpoint, bool verbose, Position* position,
                  Said* said);

bool endpointUsable(const Position& position, const Endpoint& endpoint, const Maze& maze,
                    Said* said);

template <typename Numbers>
std::string echoLine(const char* prefix, const Numbers& numbers) {
  std::string line = prefix + std::to_string(numbers.size()) + ", ";
  bool first = true;
  for (std::uint64_t number : numbers) {
    if (!first) line += ',';
    appendNumber(&line, number);
    first = false;
  }
  return line;
}

}  // namespace tesmo

#endif  // TESMO_VERIFY_ENDPOINTS_HPP
