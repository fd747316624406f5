// Shortest routes through a maze, by breadth-first search over the cells of
// its grid (grid.hpp): one byte per cell holds both the walls and the move
// that first reached the cell, so the search allocates nothing per cell.
//
// Contract:
//  - A route follows the walk's rules: each move stays in the box and enters
//    a cell whose two changed face cells hold 0.
//  - searchFits() holds when the maze's grid, (X+2)(Y+2)(Z+2) cells, has at
//    most kMaxSearchCells: the search keeps one byte per cell (4 GiB at the
//    most) and numbers cells in 32 bits.
//  - shortestRoute() stores in *route a shortest non-empty route from
//    `start` to `end` and returns true, or returns false when there is none.
//    Moves are explored in code order 0 to 5, so ties always break the same
//    way. When start equals end the route is a shortest one that leaves the
//    start and comes back to it (the walk needs at least one move).
//  - searchDistance() is that route's length, or no length when there is
//    no route, or searched false when the box does not fit.
//  - The maze must be usable (see mazeProblem()) and fit, and both
//    positions inside the box; the start may stand on a wall (only the cells
//    a move enters are looked at).

#ifndef TESMO_SEARCH_HPP
#define TESMO_SEARCH_HPP

#include <cstdint>
#include <optional>

#include "maze.hpp"
#include "number_list.hpp"

constexpr std::uint64_t kMaxSearchCells = std::uint64_t{1} << 32;

bool searchFits(const NumberList& dimensions);

bool shortestRoute(const Maze& maze, const Position& start, const Position& end,
                   NumberList* route);

// A shortest route's length, as a search found it.
struct Distance {
  bool searched = false;               // false: the box is too large to search
  std::optional<std::uint64_t> moves;  // empty: no route
};

// The length of shortestRoute()'s route, when the box fits the search.
Distance searchDistance(const Maze& maze, const Position& start, const Position& end);

#endif  // TESMO_SEARCH_HPP
