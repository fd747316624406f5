// The search: breadth-first sweeps over the box, for shortest routes and
// the measures built on them. One byte per cell holds both the walls and
// the move that first reached the cell, so a sweep allocates nothing per
// cell but its frontier.
//
// Contract:
//  - A route follows the walker's rules: each move stays in the box and
//    enters a cell whose two changed face cells hold 0. The start may stand
//    on a wall (only the cells a move enters are looked at).
//  - searchFits() holds when the box, with a layer around it and rounded up
//    to tiles, has at most kMaxSearchCells cells: a cell is a byte (4 GiB
//    at the most) and is numbered in 32 bits.
//  - planSearch() numbers the cells of a usable maze that fits; searchCell()
//    is the number of a position inside the box, searchPosition() the
//    position of such a number.
//  - sweep() goes out from `from`, a layer of cells at a time, each layer in
//    the order its cells were found, the moves from a cell in code order 0
//    to 5, so ties always break the same way. With a target it stops at the
//    first move into the target: from the start, when start and target are
//    one, that is the shortest way back. It leaves its marks in the box:
//    clearSweep() takes them away again (needs `keepReached`), or plan
//    anew.
//  - searchMove() tells whether the walker would execute the move `code`
//    from `cell` (inside the box), and where it leads.
//  - distancesTo() is, for every cell, the length of a shortest route from
//    it to `target` (0 at the target itself), kNoRoute where none leads:
//    one sweep backwards from the target answers for every position at
//    once. It needs 4 bytes a cell.
//  - shortestRoute() stores in *route a shortest non-empty route from
//    `start` to `end`, or returns false when there is none.
//    searchDistance() is its length, no length when there is no route, or
//    searched false when the box does not fit.

#ifndef TESMO_ENGINE_SEARCH_HPP
#define TESMO_ENGINE_SEARCH_HPP

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/number_list.hpp"
#include "model/maze.hpp"

namespace tesmo {

constexpr std::uint64_t kMaxSearchCells = std::uint64_t{1} << 32;

bool searchFits(const Sizes& size);

// The box as the search numbers it: tiles of 4 x 4 x 4 cells, one cache
// line each (see search.cpp).
struct SearchBox {
  std::vector<std::uint8_t> cells;  // grid.hpp's bits; bits 4 to 6 the sweep's marks
  std::uint64_t tileStep[3];        // from a tile to the next along x, y, z
  std::uint64_t tiles[2];           // tiles along x and y
};

SearchBox planSearch(const Maze& maze);

std::uint32_t searchCell(const SearchBox& box, const Position& position);

// The position of a cell inside the box.
Position searchPosition(const SearchBox& box, std::uint32_t cell);

// Whether all three face cells of a cell inside the box hold 0.
bool searchCellOpen(const SearchBox& box, std::uint32_t cell);

bool searchMove(const SearchBox& box, std::uint32_t cell, unsigned code, std::uint32_t* next);

struct Sweep {
  bool found = false;       // the target was entered
  std::uint64_t moves = 0;  // found: the route's length; else the farthest distance
  std::uint32_t last = 0;   // found: the cell the last move leaves
  unsigned lastCode = 0;    // found: the last move
  // With keepReached: every cell reached, `from` first, in the order
  // reached; the cells at distance d start at reached[layerStarts[d]].
  std::vector<std::uint32_t> reached;
  std::vector<std::size_t> layerStarts;
};

Sweep sweep(SearchBox* box, std::uint32_t from, std::optional<std::uint32_t> target,
            bool keepReached);

constexpr std::uint32_t kNoRoute = UINT32_MAX;

std::vector<std::uint32_t> distancesTo(const SearchBox& box, std::uint32_t target);

// The codes of a sweep's route to its target.
NumberList sweepRoute(const SearchBox& box, const Sweep& found);

void clearSweep(SearchBox* box, const Sweep& swept);

bool shortestRoute(const Maze& maze, const Position& start, const Position& end, NumberList* route);

// A shortest route's length, as a search found it.
struct Distance {
  bool searched = false;               // false: the box is too large to search
  std::optional<std::uint64_t> moves;  // empty: no route
};

Distance searchDistance(const Maze& maze, const Position& start, const Position& end);

}  // namespace tesmo

#endif  // TESMO_ENGINE_SEARCH_HPP
