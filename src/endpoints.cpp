#include "endpoints.hpp"

const Endpoint kStart = {"Start", "start", "Star: "};
const Endpoint kEnd = {"End", "end", "End : "};

// Reads the next line as a position; false after reporting one that does not
// hold three numbers.
bool readPosition(NumberReader* reader, const Endpoint& endpoint, bool verbose,
                  NumberList* position, std::ostream& out, std::ostream& err) {
  *position = readListLine(reader);
  if (verbose) echoList(out, endpoint.echo, *position);
  if (position->size() == 3) return true;
  err << endpoint.title << " position (" << listText(*position)
      << ") is not 3-dimensional!" << std::endl;
  return false;
}

// False after reporting a position outside the box or on a wall.
bool endpointUsable(const NumberList& position, const Endpoint& endpoint,
                    const Maze& maze, std::ostream& out, std::ostream& err) {
  if (!insideBox(position, maze.dimensions)) {
    err << endpoint.title << " position out of boundary ("
        << listText(position) << ")!" << std::endl;
    return false;
  }
  if (endpointOnWall(position, maze)) {
    out << "Invalid " << endpoint.word << " position (" << listText(position)
        << ")!" << std::endl;
    return false;
  }
  return true;
}
