#include "engine/generate.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/search.hpp"

namespace tesmo {

namespace {

// The budget is counted in units of work, each about 2.5 ns on one core of
// the machine bench/generate_budget.sh ran on; the weights were fitted to
// its CPU times over thin, flat and cubic boxes. A cell a carve looks at
// costs by how far apart its line's cells lie in memory (kLineWork: under
// 16 cells, under 1024, farther); a carve attempt, held or not, costs
// kCarveWork more and kJoinWork a cell it joins; a maze costs kMazeCellWork
// a cell of the box and of its faces (made, drawn and searched twice).
constexpr double kWorkPerSecond = 4e8;
constexpr std::uint64_t kLineWork[3] = {6, 10, 30};
constexpr std::uint64_t kCarveWork = 100;
constexpr std::uint64_t kJoinWork = 10;
constexpr std::uint64_t kMazeCellWork = 5;

// Work allowed whatever the budget, so that a budget of 0 still carves one
// maze of some size.
constexpr std::uint64_t kMinimumWork = 4000000;

// A maze is grown from its newest cell this often (in 1/16), else from a
// cell drawn at random: mostly newest gives long corridors, the rest lets
// it branch out and fill the box.
constexpr std::uint64_t kNewestOutOf16 = 14;

std::uint64_t splitmix(std::uint64_t* state) {
  std::uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t below(std::uint64_t* state, std::uint64_t count) { return splitmix(state) % count; }

// The state of one maze as it is carved.
struct Carver {
  std::uint64_t size[3];
  Face faces[3];
  // 1 wall, 0 open, a byte per number of the index rule that a spot has
  // (see keptAt()): in a thin box the rule's span is the square of a side.
  std::array<std::vector<std::uint8_t>, 3> face;
  std::vector<std::uint8_t> enter;   // per cell: bit a when it may be entered along axis a
  std::vector<std::uint32_t> stamp;  // == round for the cells of the current carve
  std::vector<std::uint32_t> local;  // their number in `affected`
  std::uint32_t round = 0;
  std::vector<std::uint32_t> affected;
  std::vector<std::uint8_t> affectedEnter;
  std::vector<std::uint32_t> growable;   // open cells carving may go on from
  std::vector<std::uint8_t> reach;       // 1 for the cells the token reaches: the tree
  std::vector<std::uint32_t> joinStamp;  // == round for the cells a carve adds to the tree
  std::vector<std::uint32_t> joinIndex;  // their number in `joined`
  std::vector<std::uint32_t> joined;
  std::vector<std::uint32_t> parent;  // union-find over `joined`
  std::uint64_t work = 0;
  std::uint64_t random = 0;
  std::uint64_t origin = 0;  // the first cell carved
};

std::uint64_t cellOf(const Carver& c, const Position& at) {
  return at[0] + c.size[0] * (at[1] + c.size[1] * at[2]);
}

Position positionOf(const Carver& c, std::uint64_t cell) {
  return {cell % c.size[0], cell / c.size[0] % c.size[1], cell / c.size[0] / c.size[1]};
}

// Face k's cell of a position, by the index rule.
std::uint64_t cellIndex(const Carver& c, int k, const Position& at) {
  return faceIndex(c.faces[k], spotOf(c.faces[k], at));
}

// Where the carver keeps face k's cell `index`: when rows leave gaps
// (F <= S) the numbers a spot has are packed row by row, F a row, so that a
// face costs F*S bytes, not F + S*(S - 1); when rows overlap their span is
// smaller than F*S and kept as it is.
std::uint64_t keptAt(const Carver& c, int k, std::uint64_t index) {
  const Face& face = c.faces[k];
  if (face.columns >= face.stride) return index;  // no gaps: no division

  return index / face.stride * face.columns + index % face.stride;
}

std::uint8_t& faceCell(Carver& c, int k, std::uint64_t index) {
  return c.face[k][keptAt(c, k, index)];
}

std::uint8_t enterBits(const Carver& c, const Position& at) {
  const unsigned w0 = c.face[0][keptAt(c, 0, cellIndex(c, 0, at))],
                 w1 = c.face[1][keptAt(c, 1, cellIndex(c, 1, at))],
                 w2 = c.face[2][keptAt(c, 2, cellIndex(c, 2, at))];
  const unsigned x = (w0 | w2) == 0, y = (w1 | w0) == 0, z = (w2 | w1) == 0;
  return static_cast<std::uint8_t>(x | y << 1 | z << 2);
}

// Calls onPair(a, b) for each first and second coordinate of face k whose
// cell is `index`: two or more when rows overlap.
template <typename OnPair>
void forEachPair(const Carver& c, int k, std::uint64_t index, OnPair onPair) {
  const std::uint64_t first = c.faces[k].columns, second = c.faces[k].rows;
  for (std::uint64_t b = index / second, a = index % second;; --b, a += second) {
    if (a < first && b < second) onPair(a, b);
    if (b == 0 || a + second >= first) break;
  }
}

// Adds to `affected` the cells of the lines through face k's cell `index`.
void collectLines(Carver* c, int k, std::uint64_t index) {
  const int second = secondAxisOf(k), third = secondAxisOf(second);
  const std::uint64_t stride = third == 0 ? 1 : third == 1 ? c->size[0] : c->size[0] * c->size[1];
  const std::uint64_t cellWork = kLineWork[stride < 16 ? 0 : stride < 1024 ? 1 : 2];
  forEachPair(*c, k, index, [&](std::uint64_t a, std::uint64_t b) {
    Position at{};
    at[k] = a;
    at[second] = b;
    for (at[third] = 0; at[third] < c->size[third]; ++at[third]) {
      const std::uint64_t cell = cellOf(*c, at);
      if (c->stamp[cell] == c->round) continue;
      c->stamp[cell] = c->round;
      c->local[cell] = static_cast<std::uint32_t>(c->affected.size());
      c->affected.push_back(static_cast<std::uint32_t>(cell));
      c->work += cellWork;
    }
  });
}

std::uint32_t findRoot(std::vector<std::uint32_t>* parent, std::uint32_t node) {
  while ((*parent)[node] != node) node = (*parent)[node] = (*parent)[(*parent)[node]];
  return node;
}

std::uint8_t bitsNow(const Carver& c, std::uint64_t cell) {
  return c.stamp[cell] == c.round ? c.affectedEnter[c.local[cell]] : c.enter[cell];
}

// Adds `cell` to the cells the carve lets the token reach.
void join(Carver* c, std::uint64_t cell) {
  c->joinStamp[cell] = c->round;
  c->joinIndex[cell] = static_cast<std::uint32_t>(c->joined.size());
  c->joined.push_back(static_cast<std::uint32_t>(cell));
}

// Whether the cells the token reaches stay a tree, with the affected cells'
// new bits: every move from a reachable cell goes both ways, and the moves
// join each newly reached cell to the tree exactly once. Cells the token
// may enter but never reaches are left alone. With no tree yet, the origin
// starts it.
bool keepsATree(Carver* c, bool treeEmpty) {
  c->joined.clear();
  if (treeEmpty) join(c, c->origin);
  for (std::size_t i = 0; i < c->affected.size(); ++i) {
    const std::uint32_t cell = c->affected[i];
    const unsigned gained = c->affectedEnter[i] & ~c->enter[cell];
    const Position at = positionOf(*c, cell);
    for (int code = 0; code < 6 && gained != 0; ++code) {
      const int axis = code / 2;
      Position next = at;
      if (!(gained >> axis & 1)) continue;
      if (code % 2 == 0 ? ++next[axis] >= c->size[axis] : next[axis]-- == 0) continue;
      if (!c->reach[cellOf(*c, next)]) continue;
      // A new move from the tree: into a tree cell it closes a cycle.
      if (c->reach[cell]) return false;
      if (c->joinStamp[cell] != c->round) join(c, cell);
    }
  }
  // Union-find: node 0 is the tree, node i + 1 the i-th joined cell.
  c->parent.assign(1, 0);
  const auto nodeOf = [&](std::uint64_t cell) -> std::uint32_t {
    return c->reach[cell] ? 0 : c->joinIndex[cell] + 1;
  };
  for (std::size_t i = 0; i < c->joined.size(); ++i) {
    const std::uint32_t cell = c->joined[i];
    const std::uint8_t bits = bitsNow(*c, cell);
    const Position at = positionOf(*c, cell);
    for (int code = 0; code < 6; ++code) {
      const int axis = code / 2;
      Position next = at;
      if (code % 2 == 0 ? ++next[axis] >= c->size[axis] : next[axis]-- == 0) continue;
      const std::uint64_t other = cellOf(*c, next);
      const std::uint8_t otherBits = bitsNow(*c, other);
      if (!c->reach[other] && c->joinStamp[other] != c->round) {
        if (!(otherBits >> axis & 1)) continue;  // neither reached nor entered
        join(c, other);
      }
      if ((bits >> axis & 1) != (otherBits >> axis & 1)) return false;  // one way only
      if (!(bits >> axis & 1)) continue;
      // Each move between two joined cells is met from both; take it once.
      if (!c->reach[other] && c->joinIndex[other] < i) continue;
      while (c->parent.size() < c->joined.size() + 1) {
        c->parent.push_back(static_cast<std::uint32_t>(c->parent.size()));
      }
      const std::uint32_t from = findRoot(&c->parent, static_cast<std::uint32_t>(i + 1));
      const std::uint32_t to = findRoot(&c->parent, nodeOf(other));
      if (from == to) return false;  // a second route: a cycle
      c->parent[from] = to;
    }
  }
  // Every joined cell must hang on the tree (or, for the first carve, on
  // the origin).
  for (std::size_t i = 0; i < c->joined.size(); ++i) {
    while (c->parent.size() < c->joined.size() + 1) {
      c->parent.push_back(static_cast<std::uint32_t>(c->parent.size()));
    }
    const std::uint32_t root = findRoot(&c->parent, static_cast<std::uint32_t>(i + 1));
    const std::uint32_t anchor = findRoot(&c->parent, treeEmpty ? 1 : 0);
    if (root != anchor) return false;
  }
  return true;
}

// Opens the face cells `opened` (face, index) if the reachable cells stay a
// tree; otherwise leaves the faces as they were.
bool carve(Carver* c, const std::vector<std::pair<int, std::uint64_t>>& opened, bool treeEmpty) {
  ++c->round;
  c->affected.clear();
  c->joined.clear();
  std::vector<std::pair<int, std::uint64_t>> walls;
  for (const auto& [k, index] : opened) {
    if (faceCell(*c, k, index) == 0) continue;
    faceCell(*c, k, index) = 0;
    walls.emplace_back(k, index);
    collectLines(c, k, index);
  }
  c->affectedEnter.resize(c->affected.size());
  for (std::size_t i = 0; i < c->affected.size(); ++i) {
    c->affectedEnter[i] = enterBits(*c, positionOf(*c, c->affected[i]));
  }
  // A carve that fails costs as much as one that holds: count both.
  const bool tree = !walls.empty() && keepsATree(c, treeEmpty);
  c->work += kCarveWork + kJoinWork * c->joined.size();
  if (!tree) {
    for (const auto& [k, index] : walls) faceCell(*c, k, index) = 1;
    return false;
  }
  for (std::size_t i = 0; i < c->affected.size(); ++i) {
    c->enter[c->affected[i]] = c->affectedEnter[i];
  }
  for (const std::uint32_t cell : c->joined) {
    c->reach[cell] = 1;
    c->growable.push_back(cell);
  }
  return true;
}

// The two face cells that a move along `axis` into `at` reads: face axis
// and the face before it.
void axisFaces(const Carver& c, int axis, const Position& at,
               std::vector<std::pair<int, std::uint64_t>>* faces) {
  for (int k : facesOfAxis(axis)) faces->emplace_back(k, cellIndex(c, k, at));
}

Carver emptyCarver(const NumberList& sizes, std::uint64_t seed) {
  Carver c;
  for (int k = 0; k < 3; ++k) c.size[k] = sizes[k];
  for (int k = 0; k < 3; ++k) {
    c.faces[k] = faceOf({sizes[0], sizes[1], sizes[2]}, k);
    // Cells between rows are never read: they stay 0.
    const Face& face = c.faces[k];
    c.face[k].assign(face.columns > face.stride ? *faceLength(face) : face.columns * face.rows, 1);
  }
  const std::uint64_t cells = c.size[0] * c.size[1] * c.size[2];
  c.enter.assign(cells, 0);
  c.stamp.assign(cells, 0);
  c.local.assign(cells, 0);
  c.reach.assign(cells, 0);
  c.joinStamp.assign(cells, 0);
  c.joinIndex.assign(cells, 0);
  c.random = seed;
  return c;
}

// Carves one maze until it can grow no more or the work runs out. A step
// goes from a cell of the tree to a new neighbour along one axis, opening
// the face cells that a move along that axis reads at both: a straight
// corridor needs two face cells a cell, a turn all three.
void carveMaze(Carver* c, std::uint64_t workLimit) {
  c->origin = below(&c->random, c->enter.size());
  const Position origin = positionOf(*c, c->origin);
  std::vector<std::pair<int, std::uint64_t>> faces = {
      {0, cellIndex(*c, 0, origin)}, {1, cellIndex(*c, 1, origin)}, {2, cellIndex(*c, 2, origin)}};
  carve(c, faces, true);
  while (!c->growable.empty() && c->work < workLimit) {
    const std::size_t pick = below(&c->random, 16) < kNewestOutOf16
                                 ? c->growable.size() - 1
                                 : below(&c->random, c->growable.size());
    const Position at = positionOf(*c, c->growable[pick]);
    const std::uint64_t first = below(&c->random, 6);
    bool grown = false;
    for (std::uint64_t turn = 0; turn < 6 && !grown; ++turn) {
      const int code = static_cast<int>((first + turn) % 6), axis = code / 2;
      Position next = at;
      if (code % 2 == 0 ? ++next[axis] >= c->size[axis] : next[axis]-- == 0) continue;
      if (c->reach[cellOf(*c, next)]) continue;
      faces.clear();
      axisFaces(*c, axis, next, &faces);
      axisFaces(*c, axis, at, &faces);
      grown = carve(c, faces, false);
    }
    if (!grown) {
      c->growable[pick] = c->growable.back();
      c->growable.pop_back();
    }
  }
}

// The carver's faces drawn, and the puzzle they make.
Puzzle puzzleOf(const Carver& c) {
  Puzzle puzzle;
  puzzle.size = {c.size[0], c.size[1], c.size[2]};
  for (int k = 0; k < 3; ++k) {
    const Face& face = c.faces[k];
    puzzle.faces[k].resize(face.columns * face.rows);
    for (std::uint64_t b = 0; b < face.rows; ++b) {
      for (std::uint64_t a = 0; a < face.columns; ++a) {
        puzzle.faces[k][drawnIndex(face, {a, b})] =
            c.face[k][keptAt(c, k, faceIndex(face, {a, b}))];
      }
    }
  }
  return puzzle;
}

// The farthest open cell (all three face cells 0, so that it can be an
// endpoint) from `from` over the tree, the first found at its distance,
// and that distance; the marks are cleared.
std::pair<std::uint32_t, std::uint64_t> farthestOpen(SearchBox* box, std::uint32_t from) {
  const Sweep swept = sweep(box, from, std::nullopt, true);
  clearSweep(box, swept);
  std::pair<std::uint32_t, std::uint64_t> best = {from, 0};
  for (std::uint64_t distance = swept.layerStarts.size(); distance-- > 1;) {
    const std::size_t end = distance + 1 < swept.layerStarts.size()
                                ? swept.layerStarts[distance + 1]
                                : swept.reached.size();
    for (std::size_t i = swept.layerStarts[distance]; i < end; ++i) {
      if (searchCellOpen(*box, swept.reached[i])) return {swept.reached[i], distance};
    }
  }
  return best;
}

std::string sizesFault(const NumberList& sizes) {
  std::uint64_t cells = 1;
  for (std::uint64_t size : sizes) {
    if (size == 0 || size > kMaxGenerateSize) {
      return "each size must be from 1 to " + std::to_string(kMaxGenerateSize);
    }
    cells *= size;
  }
  if (cells < 2) return "the box must hold at least 2 cells";
  if (cells > kMaxGenerateCells) {
    return "the box holds " + std::to_string(cells) + " cells; at most " +
           std::to_string(kMaxGenerateCells) + " are generated";
  }
  return "";
}

}  // namespace

bool generatePuzzle(const NumberList& sizes, const GenerateOptions& options, Puzzle* puzzle,
                    GenerateReport* report, std::string* error) {
  *error = sizes.size() == 3 ? sizesFault(sizes) : "three sizes are needed";
  if (!error->empty()) return false;
  const std::uint64_t budget = std::max<std::uint64_t>(
      kMinimumWork, static_cast<std::uint64_t>(std::max(0.0, std::min(options.budgetSeconds, 1e6)) *
                                               kWorkPerSecond));
  std::uint64_t seeds = options.seed, work = 0, bestLength = 0;
  *report = GenerateReport();
  do {
    Carver carver = emptyCarver(sizes, splitmix(&seeds));
    carveMaze(&carver, budget > work ? budget - work : 0);
    Puzzle carved = puzzleOf(carver);
    SearchBox box = planSearch(puzzleMaze(carved));
    const Position origin = positionOf(carver, carver.origin);
    const std::uint32_t start = farthestOpen(&box, searchCell(box, origin)).first;
    const auto [end, length] = farthestOpen(&box, start);
    const std::uint64_t mazeCells = carver.enter.size() + carved.faces[0].size() +
                                    carved.faces[1].size() + carved.faces[2].size();
    work += carver.work + kMazeCellWork * mazeCells;
    ++report->mazes;
    if (length > bestLength) {
      bestLength = length;
      carved.start = searchPosition(box, start);
      carved.end = searchPosition(box, end);
      *puzzle = std::move(carved);
    }
  } while (work < budget);
  report->routeLength = bestLength;
  report->work = work;
  if (bestLength == 0) {
    *error = "no maze with a route was carved within the budget";
    return false;
  }
  return true;
}

}  // namespace tesmo
