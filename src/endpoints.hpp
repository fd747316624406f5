// The start and end positions of a solution or problem file: read from
// their lines and checked against the maze, with the messages of the
// verifier.
//
// Contract:
//  - readPosition() reads the reader's current line as a list and moves on
//    to the next line. With `verbose` it first echoes "Star: " or "End : ",
//    the count, ", " and the list on `out`. It returns false after printing
//    "<Start|End> position (list) is not 3-dimensional!" on `err` when the
//    list does not hold exactly three numbers.
//  - endpointUsable() returns false after printing "<Start|End> position out
//    of boundary (list)!" on `err` for a position outside the box, or
//    "Invalid <start|end> position (list)!" on `out` for one on a wall cell
//    (a cell holding exactly 1).
//  - echoList() writes prefix, count, ", " and the list as one line.
//  - asPosition() is the Position of a list of three numbers.

#ifndef TESMO_ENDPOINTS_HPP
#define TESMO_ENDPOINTS_HPP

#include <ostream>

#include "maze.hpp"
#include "number_list.hpp"

// How the messages name an endpoint.
struct Endpoint {
  const char* title;  // "Start position ..."
  const char* word;   // "Invalid start position ..."
  const char* echo;   // verbose prefix
};
extern const Endpoint kStart;
extern const Endpoint kEnd;

bool readPosition(NumberReader* reader, const Endpoint& endpoint, bool verbose,
                  NumberList* position, std::ostream& out, std::ostream& err);

bool endpointUsable(const NumberList& position, const Endpoint& endpoint,
                    const Maze& maze, std::ostream& out, std::ostream& err);

// The three numbers of a list that readPosition() accepted.
inline Position asPosition(const NumberList& list) {
  return {list[0], list[1], list[2]};
}

template <typename Numbers>
void echoList(std::ostream& out, const char* prefix, const Numbers& numbers) {
  out << prefix << numbers.size() << ", ";
  writeList(out, numbers);
  out << std::endl;
}

#endif  // TESMO_ENDPOINTS_HPP
