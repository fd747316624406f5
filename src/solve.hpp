// Shortest routes through a maze, by breadth-first search over its cells.
//
// Contract:
//  - A route follows the walk's rules: each move stays in the box and enters
//    a cell whose two changed face cells hold 0.
//  - boxCells() stores X * Y * Z in *cells, or returns false when the product
//    does not fit in 64 bits. kMaxSolverCells is the largest box searched:
//    the search keeps one byte per cell.
//  - shortestRoute() stores in *route a shortest non-empty route from
//    `start` to `end` and returns true, or returns false when there is none.
//    Moves are explored in code order 0 to 5, so ties always break the same
//    way. When start equals end the route is a shortest one that leaves the
//    start and comes back to it (the walk needs at least one move).
//  - The maze must be usable (see mazeProblem()), the box at most
//    kMaxSolverCells, and both positions inside it and open.

#ifndef TESMO_SOLVE_HPP
#define TESMO_SOLVE_HPP

#include <cstdint>

#include "maze.hpp"
#include "number_list.hpp"

constexpr std::uint64_t kMaxSolverCells = 4000000000;  // about 4 GiB of state

bool boxCells(const NumberList& dimensions, std::uint64_t* cells);

bool shortestRoute(const Maze& maze, const NumberList& start,
                   const NumberList& end, NumberList* route);

#endif  // TESMO_SOLVE_HPP
