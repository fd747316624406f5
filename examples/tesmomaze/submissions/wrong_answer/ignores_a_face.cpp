// Wrong: the breadth-first search of accepted/bfs.cpp, but it treats every
// cell of face 2 as open, so its route may run into a wall of face 2.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <queue>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Puzzle {
  std::int64_t size[3] = {0, 0, 0};  // X, Y, Z
  std::int64_t start[3] = {0, 0, 0};
  std::int64_t end[3] = {0, 0, 0};
  std::vector<char> face[3];  // flat lists of digits, '0' open
};

// A line without its comment and the blanks around it.
std::string clean(std::string line) {
  const std::size_t hash = line.find('#');
  if (hash != std::string::npos) line.erase(hash);
  const char* blanks = " \t\r\n";
  const std::size_t first = line.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  const std::size_t last = line.find_last_not_of(blanks);
  return line.substr(first, last - first + 1);
}

bool nextLine(std::istream& in, std::string* line) {
  std::string raw;
  while (std::getline(in, raw)) {
    *line = clean(raw);
    if (!line->empty()) return true;
  }
  return false;
}

Puzzle readPuzzle(std::istream& in) {
  Puzzle puzzle;
  std::string line;
  while (nextLine(in, &line)) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "size") {
      words >> puzzle.size[0] >> puzzle.size[1] >> puzzle.size[2];
    } else if (keyword == "start") {
      words >> puzzle.start[0] >> puzzle.start[1] >> puzzle.start[2];
    } else if (keyword == "end") {
      words >> puzzle.end[0] >> puzzle.end[1] >> puzzle.end[2];
    } else if (keyword == "face") {
      int k = 0;
      words >> k;
      // Face k spans axis k (size F) and axis k+1 (size S): S rows of F
      // digits, row b holding cells S*b .. S*b + F - 1.
      const std::int64_t f = puzzle.size[k], s = puzzle.size[(k + 1) % 3];
      std::vector<char>& cells = puzzle.face[k];
      cells.assign(static_cast<std::size_t>(f + s * (s - 1)), '0');
      for (std::int64_t b = 0; b < s; ++b) {
        if (!nextLine(in, &line)) break;
        for (std::int64_t a = 0; a < f && a < static_cast<std::int64_t>(line.size()); ++a) {
          cells[static_cast<std::size_t>(s * b + a)] = line[static_cast<std::size_t>(a)];
        }
      }
    }
  }
  return puzzle;
}

}  // namespace

int main() {
  std::ios::sync_with_stdio(false);
  const Puzzle p = readPuzzle(std::cin);
  const std::int64_t X = p.size[0], Y = p.size[1], Z = p.size[2];
  auto id = [&](std::int64_t x, std::int64_t y, std::int64_t z) { return (z * Y + y) * X + x; };
  // The face cells of a position: face 0 at x + Y*y, face 1 at y + Z*z,
  // face 2 at z + X*x.
  auto open = [&](int face, std::int64_t x, std::int64_t y, std::int64_t z) {
    const std::int64_t cell = face == 0 ? x + Y * y : face == 1 ? y + Z * z : z + X * x;
    if (face == 2) return true;  // the mistake: face 2 is never looked at
    return p.face[face][static_cast<std::size_t>(cell)] == '0';
  };
  const std::int64_t cells = X * Y * Z;
  std::vector<int> via(static_cast<std::size_t>(cells), -1);  // the move that reached it
  std::vector<std::int64_t> from(static_cast<std::size_t>(cells), -1);
  const std::int64_t startId = id(p.start[0], p.start[1], p.start[2]);
  const std::int64_t endId = id(p.end[0], p.end[1], p.end[2]);
  // The start is not marked reached: a route needs at least one move, so
  // when start = end the search looks for a way back to it.
  std::queue<std::int64_t> queue;
  queue.push(startId);
  bool found = false;
  while (!queue.empty() && !found) {
    const std::int64_t at = queue.front();
    queue.pop();
    std::array<std::int64_t, 3> pos = {at % X, at / X % Y, at / X / Y};
    for (int code = 0; code < 6 && !found; ++code) {
      const int axis = code / 2;
      std::array<std::int64_t, 3> next = pos;
      next[axis] += code % 2 == 0 ? 1 : -1;
      if (next[axis] < 0 || next[axis] >= p.size[axis]) continue;
      // A move along an axis changes the cells of the two faces spanning it.
      if (!open(axis, next[0], next[1], next[2]) ||
          !open((axis + 2) % 3, next[0], next[1], next[2])) {
        continue;
      }
      const std::int64_t to = id(next[0], next[1], next[2]);
      if (via[static_cast<std::size_t>(to)] != -1) continue;
      via[static_cast<std::size_t>(to)] = code;
      from[static_cast<std::size_t>(to)] = at;
      if (to == endId) found = true;
      queue.push(to);
    }
  }
  if (!found) return EXIT_FAILURE;  // the input promises a route
  std::vector<int> route;
  std::int64_t at = endId;
  do {
    route.push_back(via[static_cast<std::size_t>(at)]);
    at = from[static_cast<std::size_t>(at)];
  } while (at != startId);
  std::string out;
  for (std::size_t i = route.size(); i-- > 0;) {
    out += static_cast<char>('0' + route[i]);
    out += i == 0 ? '\n' : ' ';
  }
  std::cout << out;
  return 0;
}
