#include "engine/search.hpp"

#include "engine/grid.hpp"

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
//
// The search's layout of the cells (the box and the layer around it,
// rounded up to a multiple of 4 on each axis) is tiles of 4 x 4 x 4 cells,
// 64 bytes, one cache line each. The frontier of a breadth-first search is
// a slanted surface; in rows along x it meets a new cache line at nearly
// every cell of every layer, and a search of 10^9 cells then waits on
// memory for each; in tiles a line holds cells of many layers and
// neighbours along every axis.
namespace searching {

// Bits 4 to 6 of a cell: 0 while unvisited, else the code that first
// reached it plus one, or kStartMark for the start.
constexpr unsigned kMarkShift = 4;
constexpr std::uint8_t kMarkBits = 7 << kMarkShift;
constexpr std::uint8_t kStartMark = 7;
constexpr std::uint8_t kClosed = kGridEdge | 7;
constexpr std::size_t kAhead = 32;

std::uint64_t roundUp4(std::uint64_t size) { return (size + 3) / 4 * 4; }

// The number of grid coordinates (a position plus one on each axis).
std::uint64_t tiledIndex(const SearchBox& box, std::uint64_t x, std::uint64_t y, std::uint64_t z) {
  const std::uint64_t tile = ((z >> 2) * box.tiles[1] + (y >> 2)) * box.tiles[0] + (x >> 2);
  return tile * 64 + ((z & 3) << 4) + ((y & 3) << 2) + (x & 3);
}

// The cell one move away: within the tile one step of the axis's two bits,
// else into the next tile along the axis.
std::uint64_t neighbour(const SearchBox& box, std::uint64_t index, unsigned code) {
  const unsigned axis = code / 2, shift = 2 * axis;
  const std::uint64_t unit = std::uint64_t{1} << shift, inner = (index >> shift) & 3;
  if (code % 2 == 0) return inner == 3 ? index + box.tileStep[axis] - 3 * unit : index + unit;
  return inner == 0 ? index - box.tileStep[axis] + 3 * unit : index - unit;
}

bool canEnter(std::uint8_t cell, unsigned code) {
  return (cell & (1u << (code / 2) | kGridEdge)) == 0;
}

}  // namespace searching

bool searchFits(const Sizes& size) {
  using searching::roundUp4;
  std::uint64_t cells;
  if (!gridCellCount(size, &cells) || cells > kMaxSearchCells) return false;
  const Sizes rounded = {roundUp4(size[0] + 2) - 2, roundUp4(size[1] + 2) - 2,
                         roundUp4(size[2] + 2) - 2};
  return gridCellCount(rounded, &cells) && cells <= kMaxSearchCells;
}

SearchBox planSearch(const Maze& maze) {
  using searching::roundUp4;
  const std::uint64_t sizeX = maze.size[0], sizeY = maze.size[1], sizeZ = maze.size[2];
  SearchBox box;
  box.tiles[0] = roundUp4(sizeX + 2) / 4;
  box.tiles[1] = roundUp4(sizeY + 2) / 4;
  box.tileStep[0] = 64;
  box.tileStep[1] = 64 * box.tiles[0];
  box.tileStep[2] = box.tileStep[1] * box.tiles[1];
  box.cells.assign(box.tileStep[2] * (roundUp4(sizeZ + 2) / 4), searching::kClosed);
  forEachBoxRow(maze, [&](std::uint64_t y, std::uint64_t z, const std::uint8_t* bits) {
    std::uint8_t* row = box.cells.data() + searching::tiledIndex(box, 0, y + 1, z + 1);
    for (std::uint64_t x = 0; x < sizeX; ++x) {
      const std::uint64_t gridX = x + 1;
      row[(gridX >> 2) * 64 + (gridX & 3)] = bits[x];
    }
  });
  return box;
}

std::uint32_t searchCell(const SearchBox& box, const Position& position) {
  return static_cast<std::uint32_t>(
      searching::tiledIndex(box, position[0] + 1, position[1] + 1, position[2] + 1));
}

Position searchPosition(const SearchBox& box, std::uint32_t cell) {
  const std::uint64_t tile = cell / 64, within = cell % 64;
  const std::uint64_t tileX = tile % box.tiles[0], tileY = tile / box.tiles[0] % box.tiles[1],
                      tileZ = tile / box.tiles[0] / box.tiles[1];
  return {4 * tileX + (within & 3) - 1, 4 * tileY + (within >> 2 & 3) - 1,
          4 * tileZ + (within >> 4) - 1};
}

bool searchCellOpen(const SearchBox& box, std::uint32_t cell) {
  return (box.cells[cell] & searching::kClosed) == 0;
}

bool searchMove(const SearchBox& box, std::uint32_t cell, unsigned code, std::uint32_t* next) {
  *next = static_cast<std::uint32_t>(searching::neighbour(box, cell, code));
  return searching::canEnter(box.cells[*next], code);
}

// The frontier is kept a layer at a time in two vectors of 32-bit cell
// numbers, which cost less than a queue of 64-bit ones; a layer is taken in
// the order it was found, as a queue would take it. Cells leave in order of
// distance, so the first move into the target closes a shortest route; when
// the target is the start, that is the shortest way back, which need not
// follow the first way out: a start cell holding 2 lets the token out along
// its face's two axes but not back in.
Sweep sweep(SearchBox* box, std::uint32_t from, std::optional<std::uint32_t> target,
            bool keepReached) {
  using namespace searching;  // NOLINT(google-build-using-namespace): this file's own
  std::uint8_t* cells = box->cells.data();
  Sweep result;
  cells[from] = static_cast<std::uint8_t>(cells[from] | kStartMark << kMarkShift);
  std::vector<std::uint32_t> layer = {from}, next;
  if (keepReached) result.reached = {from};
  for (std::uint64_t distance = 0; !layer.empty(); ++distance) {
    if (keepReached) result.layerStarts.push_back(result.reached.size() - layer.size());
    result.moves = distance;
    for (std::size_t i = 0; i < layer.size(); ++i) {
      const std::uint32_t index = layer[i];
      // The cells of a layer lie all over the box: fetch the tile of a cell
      // some way ahead, so that it is in cache when its turn comes.
      if (i + kAhead < layer.size()) __builtin_prefetch(cells + layer[i + kAhead], 1);
      for (unsigned code = 0; code < 6; ++code) {
        const std::uint64_t to = neighbour(*box, index, code);
        const std::uint8_t cell = cells[to];
        if (!canEnter(cell, code)) continue;
        if (target && to == *target) {
          if (keepReached) result.reached.insert(result.reached.end(), next.begin(), next.end());
          result.found = true;
          result.moves = distance + 1;
          result.last = index;
          result.lastCode = code;
          return result;
        }
        if (cell & kMarkBits) continue;
        cells[to] = static_cast<std::uint8_t>(cell | (code + 1) << kMarkShift);
        next.push_back(static_cast<std::uint32_t>(to));
      }
    }
    if (keepReached) result.reached.insert(result.reached.end(), next.begin(), next.end());
    layer.swap(next);
    next.clear();
  }
  return result;
}

// Backwards: a move enters a cell when the cell may be entered along the
// move's axis, wherever it comes from inside the box (the cell it leaves is
// not looked at), so the cells one move before `to` are its neighbours
// inside the box along the axes it may be entered by.
std::vector<std::uint32_t> distancesTo(const SearchBox& box, std::uint32_t target) {
  using namespace searching;  // NOLINT(google-build-using-namespace): this file's own
  std::vector<std::uint32_t> distance(box.cells.size(), kNoRoute);
  distance[target] = 0;
  std::vector<std::uint32_t> layer = {target}, next;
  for (std::uint32_t moves = 1; !layer.empty(); ++moves) {
    for (const std::uint32_t to : layer) {
      for (unsigned code = 0; code < 6; ++code) {
        if (!canEnter(box.cells[to], code)) continue;
        // The move `code` into `to` comes from the neighbour against it.
        const std::uint64_t from = neighbour(box, to, code ^ 1);
        if ((box.cells[from] & kGridEdge) || distance[from] != kNoRoute) continue;
        distance[from] = moves;
        next.push_back(static_cast<std::uint32_t>(from));
      }
    }
    layer.swap(next);
    next.clear();
  }
  return distance;
}

// Walks back from the cell the last move leaves along the codes that
// reached each cell.
NumberList sweepRoute(const SearchBox& box, const Sweep& found) {
  using namespace searching;  // NOLINT(google-build-using-namespace): this file's own
  NumberList route = {found.lastCode};
  for (std::uint64_t index = found.last;;) {
    const unsigned mark = box.cells[index] >> kMarkShift;
    if (mark == kStartMark) break;
    route.push_back(mark - 1);
    index = neighbour(box, index, (mark - 1) ^ 1);
  }
  return NumberList(route.rbegin(), route.rend());
}

void clearSweep(SearchBox* box, const Sweep& swept) {
  for (std::uint32_t cell : swept.reached) {
    box->cells[cell] = static_cast<std::uint8_t>(box->cells[cell] & ~searching::kMarkBits);
  }
}

bool shortestRoute(const Maze& maze, const Position& start, const Position& end,
                   NumberList* route) {
  SearchBox box = planSearch(maze);
  const Sweep found = sweep(&box, searchCell(box, start), searchCell(box, end), false);
  if (!found.found) return false;
  *route = sweepRoute(box, found);
  return true;
}

Distance searchDistance(const Maze& maze, const Position& start, const Position& end) {
  Distance distance;
  distance.searched = searchFits(maze.size);
  if (!distance.searched) return distance;
  SearchBox box = planSearch(maze);
  const Sweep found = sweep(&box, searchCell(box, start), searchCell(box, end), false);
  if (found.found) distance.moves = found.moves;
  return distance;
}

}  // namespace tesmo
