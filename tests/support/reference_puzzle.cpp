#include "support/reference_puzzle.hpp"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

namespace tesmo {

int pathLength(const RefPuzzle& p, const NumberList& start, const NumberList& end) {
  std::vector<NumberList> seen = {start};
  std::deque<std::pair<NumberList, int>> queue = {{start, 0}};
  while (!queue.empty()) {
    const auto [at, steps] = queue.front();
    queue.pop_front();
    if (at == end) return steps;
    for (int code = 0; code < 6; ++code) {
      const std::optional<NumberList> next = step(p, at, code);
      if (!next || std::find(seen.begin(), seen.end(), *next) != seen.end()) continue;
      seen.push_back(*next);
      queue.push_back({*next, steps + 1});
    }
  }
  return -1;
}

RefPuzzle randomRefPuzzle(std::mt19937_64& random, std::uint64_t maxSize) {
  RefPuzzle p;
  for (int k = 0; k < 3; ++k) p.sizes.push_back(1 + random() % maxSize);
  for (int face = 0; face < 3; ++face) {
    const std::uint64_t first = p.sizes[face], second = p.sizes[(face + 1) % 3];
    for (std::uint64_t c = 0; c < first + second * (second - 1); ++c) {
      const std::uint64_t roll = random() % 10;
      p.faces[face].push_back(roll < 7 ? 0 : roll < 9 ? 1 : 2);
    }
  }
  return p;
}

std::uint64_t& cellOf(RefPuzzle& p, int face, const NumberList& at) {
  const std::uint64_t first = at[face], second = at[(face + 1) % 3];
  return p.faces[face][first + p.sizes[(face + 1) % 3] * second];
}

std::uint64_t cellOf(const RefPuzzle& p, int face, const NumberList& at) {
  return cellOf(const_cast<RefPuzzle&>(p), face, at);
}

bool endpointOpen(const RefPuzzle& p, const NumberList& at) {
  return cellOf(p, 0, at) != 1 && cellOf(p, 1, at) != 1 && cellOf(p, 2, at) != 1;
}

std::optional<NumberList> step(const RefPuzzle& p, const NumberList& at, int code) {
  const int axis = code / 2;
  NumberList next = at;
  if (code % 2 == 0 ? at[axis] + 1 == p.sizes[axis] : at[axis] == 0) return std::nullopt;
  next[axis] += code % 2 == 0 ? 1 : -1;
  // The faces holding the axis: face `axis` and the face before it.
  if (cellOf(p, axis, next) != 0 || cellOf(p, (axis + 2) % 3, next) != 0) return std::nullopt;
  return next;
}

// One move out, then the shortest way back in, which a cell of 2 under the
// start may make longer than the way out.
int distance(const RefPuzzle& p, const NumberList& start, const NumberList& end) {
  if (start != end) return pathLength(p, start, end);
  int best = -1;
  for (int code = 0; code < 6; ++code) {
    const std::optional<NumberList> out = step(p, start, code);
    const int back = out ? pathLength(p, *out, start) : -1;
    if (back >= 0 && (best < 0 || back + 1 < best)) best = back + 1;
  }
  return best;
}

std::string configOf(const RefPuzzle& p) {
  std::string text;
  for (std::uint64_t size : p.sizes) text += "dimensions=" + std::to_string(size) + "\n";
  for (int face = 0; face < 3; ++face) {
    for (std::uint64_t cell : p.faces[face]) {
      text += "face" + std::to_string(face) + "=" + std::to_string(cell) + "\n";
    }
  }
  return text;
}

std::string lineOf(const NumberList& numbers) {
  std::string text;
  for (std::uint64_t n : numbers) text += (text.empty() ? "" : " ") + std::to_string(n);
  return text + "\n";
}

}  // namespace tesmo
