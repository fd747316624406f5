#include "verify/endpoints.hpp"

namespace tesmo {

const Endpoint kStart = {"Start", "start", "Star: "};
const Endpoint kEnd = {"End", "end", "End : "};

bool readPosition(NumberReader* reader, const Endpoint& endpoint, bool verbose, Position* position,
                  Said* said) {
  const NumberList list = readListLine(reader);
  if (verbose) sayOut(said, echoLine(endpoint.echo, list));
  if (list.size() != 3) {
    sayErr(said, std::string(endpoint.title) + " position (" + listText(list) +
                     ") is not 3-dimensional!");
    return false;
  }
  *position = {list[0], list[1], list[2]};
  return true;
}

bool endpointUsable(const Position& position, const Endpoint& endpoint, const Maze& maze,
                    Said* said) {
  const std::string list = listText(NumberList(position.begin(), position.end()));
  if (!insideBox(position, maze.size)) {
    sayErr(said, std::string(endpoint.title) + " position out of boundary (" + list + ")!");
    return false;
  }
  if (endpointOnWall(position, maze)) {
    sayOut(said, std::string("Invalid ") + endpoint.word + " position (" + list + ")!");
    return false;
  }
  return true;
}

}  // namespace tesmo
