#include "search.hpp"

#include <vector>

#include "grid.hpp"

namespace {

// The search's own layout of the grid's cells (the box and the layer
// around it, rounded up to a multiple of 4 on each axis): tiles of
// 4 x 4 x 4 cells, 64 bytes, one cache line each. The frontier of a
// breadth-first search is a slanted surface; in rows along x it meets a new
// cache line at nearly every cell of every layer, and a search of 10^9
// cells then waits on memory for each; in tiles a line holds cells of many
// layers and neighbours along every axis.
struct TiledCells {
  std::vector<std::uint8_t> cells;  // grid.hpp's bits; bits 4 to 6 the marks
  std::uint64_t tileStep[3];        // from a tile to the next along x, y, z
  std::uint64_t tiles[2];           // tiles along x and y
};

// Bits 4 to 6 of a cell: 0 while unvisited, else the code that first
// reached it plus one, or kStartMark for the start.
constexpr unsigned kMarkShift = 4;
constexpr std::uint8_t kMarkBits = 7 << kMarkShift;
constexpr std::uint8_t kStartMark = 7;
constexpr std::uint8_t kClosed = kGridEdge | 7;
constexpr std::size_t kAhead = 32;

std::uint64_t roundUp4(std::uint64_t size) { return (size + 3) / 4 * 4; }

// The index of grid coordinates (a position plus one on each axis).
std::uint64_t tiledIndex(const TiledCells& tiled, std::uint64_t x, std::uint64_t y,
                         std::uint64_t z) {
  const std::uint64_t tile = ((z >> 2) * tiled.tiles[1] + (y >> 2)) * tiled.tiles[0] + (x >> 2);
  return tile * 64 + ((z & 3) << 4) + ((y & 3) << 2) + (x & 3);
}

// The cell one move away: within the tile one step of the axis's two bits,
// else into the next tile along the axis.
std::uint64_t neighbour(const TiledCells& tiled, std::uint64_t index, unsigned code) {
  const unsigned axis = code / 2, shift = 2 * axis;
  const std::uint64_t unit = std::uint64_t{1} << shift, inner = (index >> shift) & 3;
  if (code % 2 == 0) return inner == 3 ? index + tiled.tileStep[axis] - 3 * unit : index + unit;
  return inner == 0 ? index - tiled.tileStep[axis] + 3 * unit : index - unit;
}

TiledCells planTiles(const Maze& maze) {
  const std::uint64_t sizeX = maze.dimensions[0], sizeY = maze.dimensions[1],
                      sizeZ = maze.dimensions[2];
  TiledCells tiled;
  tiled.tiles[0] = roundUp4(sizeX + 2) / 4;
  tiled.tiles[1] = roundUp4(sizeY + 2) / 4;
  tiled.tileStep[0] = 64;
  tiled.tileStep[1] = 64 * tiled.tiles[0];
  tiled.tileStep[2] = tiled.tileStep[1] * tiled.tiles[1];
  tiled.cells.assign(tiled.tileStep[2] * (roundUp4(sizeZ + 2) / 4), kClosed);
  const std::vector<std::uint8_t> wall0 = faceWalls(maze, 0, false);  // [y][x]
  const std::vector<std::uint8_t> wall1 = faceWalls(maze, 1, false);  // [z][y]
  const std::vector<std::uint8_t> wall2 = faceWalls(maze, 2, true);   // [z][x]
  for (std::uint64_t z = 0; z < sizeZ; ++z) {
    for (std::uint64_t y = 0; y < sizeY; ++y) {
      const std::uint8_t* byX0 = wall0.data() + y * sizeX;
      const std::uint8_t* byX2 = wall2.data() + z * sizeX;
      const unsigned w1 = wall1[z * sizeY + y];
      std::uint8_t* row = tiled.cells.data() + tiledIndex(tiled, 0, y + 1, z + 1);
      for (std::uint64_t x = 0; x < sizeX; ++x) {
        const std::uint64_t gridX = x + 1;
        row[(gridX >> 2) * 64 + (gridX & 3)] = cellBlockBits(byX0[x], w1, byX2[x]);
      }
    }
  }
  return tiled;
}

// Walks back from the cell at `last` along the codes that reached each
// cell; the route is those codes in order, then `code`.
NumberList routeBack(const TiledCells& tiled, std::uint64_t last, std::uint64_t code) {
  NumberList route = {code};
  for (std::uint64_t index = last;;) {
    const unsigned mark = tiled.cells[index] >> kMarkShift;
    if (mark == kStartMark) break;
    route.push_back(mark - 1);
    index = neighbour(tiled, index, (mark - 1) ^ 1);
  }
  return NumberList(route.rbegin(), route.rend());
}

}  // namespace

bool searchFits(const NumberList& dimensions) {
  std::uint64_t cells;
  if (!gridCellCount(dimensions, &cells) || cells > kMaxSearchCells) return false;
  const NumberList rounded = {roundUp4(dimensions[0] + 2) - 2, roundUp4(dimensions[1] + 2) - 2,
                              roundUp4(dimensions[2] + 2) - 2};
  return gridCellCount(rounded, &cells) && cells <= kMaxSearchCells;
}

// The frontier is kept a layer at a time in two vectors of 32-bit cell
// numbers, which cost less than a queue of 64-bit ones; a layer is taken in
// the order it was found, as a queue would take it. Cells leave in order of
// distance, so the first move into the end closes a shortest route; when the
// end is the start, that is the shortest way back, which need not follow
// the first way out: a start cell holding 2 lets the token out along its
// face's two axes but not back in.
bool shortestRoute(const Maze& maze, const Position& start, const Position& end,
                   NumberList* route) {
  TiledCells tiled = planTiles(maze);
  std::uint8_t* cells = tiled.cells.data();
  const std::uint64_t from = tiledIndex(tiled, start[0] + 1, start[1] + 1, start[2] + 1);
  const std::uint64_t target = tiledIndex(tiled, end[0] + 1, end[1] + 1, end[2] + 1);
  cells[from] = static_cast<std::uint8_t>(cells[from] | kStartMark << kMarkShift);
  std::vector<std::uint32_t> layer = {static_cast<std::uint32_t>(from)}, next;
  while (!layer.empty()) {
    for (std::size_t i = 0; i < layer.size(); ++i) {
      const std::uint32_t index = layer[i];
      // The cells of a layer lie all over the box: fetch the tile of a cell
      // some way ahead, so that it is in cache when its turn comes.
      if (i + kAhead < layer.size()) __builtin_prefetch(cells + layer[i + kAhead], 1);
      for (unsigned code = 0; code < 6; ++code) {
        const std::uint64_t to = neighbour(tiled, index, code);
        const std::uint8_t cell = cells[to];
        if (cell & (1u << (code / 2) | kGridEdge)) continue;
        if (to == target) {
          *route = routeBack(tiled, index, code);
          return true;
        }
        if (cell & kMarkBits) continue;
        cells[to] = static_cast<std::uint8_t>(cell | (code + 1) << kMarkShift);
        next.push_back(static_cast<std::uint32_t>(to));
      }
    }
    layer.swap(next);
    next.clear();
  }
  return false;
}

Distance searchDistance(const Maze& maze, const Position& start, const Position& end) {
  Distance distance;
  distance.searched = searchFits(maze.dimensions);
  NumberList route;
  if (distance.searched && shortestRoute(maze, start, end, &route)) distance.moves = route.size();
  return distance;
}
