// The four-move table: for every cell of the box grid (see grid.hpp) and
// every sequence of four move codes 0 to 5, whether all four moves can be
// executed from the cell one after another. A run of sixteen codes (see
// code_run.hpp) then costs four look-ups and four additions instead of
// sixteen of each, and none of the look-ups waits for another: where the
// token stands after each four moves is known from the codes alone.
//
// Contract:
//  - quadGridFits() holds when a table for `grid` costs at most `moveBudget`
//    moves' worth of work (kQuadWordsPerCell words a cell) and has at most
//    kMaxQuadCells cells.
//  - planQuadGrid() builds the table of a grid planned by planGrid().
//  - The table numbers a cell by its grid index times kPairs, so that a
//    cell's words start at that number.
//  - walkQuadRuns() walks, from the cell numbered *scaledIndex (inside the
//    box), the runs of codes (see code_run.hpp) that follow one another from
//    the front of `bytes`, as long as the next kRunBytes bytes are a run and
//    all its sixteen moves can be executed. It returns the bytes walked, a
//    multiple of kRunBytes, and leaves *scaledIndex numbering the cell
//    reached. *stopped tells whether it ended at a run one of whose moves
//    cannot be executed (rather than at bytes that are no run, or at the
//    end); the caller walks that run move by move to find the stop.

#ifndef TESMO_QUAD_GRID_HPP
#define TESMO_QUAD_GRID_HPP

#include <cstdint>
#include <vector>

#include "code_run.hpp"
#include "grid.hpp"

constexpr std::uint64_t kPairs = 36;
constexpr std::uint64_t kQuadWordsPerCell = kPairs;
// 2^15 cells make a table of 9.4 MB; past that it outgrows the caches it
// is fast in.
constexpr std::uint64_t kMaxQuadCells = std::uint64_t{1} << 15;

struct QuadGrid {
  // [cell * kPairs + first pair]: bit (second pair) set when the four moves
  // cannot all be executed; all bits set for a cell outside the box.
  std::vector<std::uint64_t> blocked;
  std::uint64_t scaledStep[kPairs];  // per pair: its grid step times kPairs
};

bool quadGridFits(const Grid& grid, std::uint64_t moveBudget);

QuadGrid planQuadGrid(const Grid& grid);

std::size_t walkQuadRuns(const QuadGrid& quads, const char* bytes, std::size_t length,
                         std::uint64_t* scaledIndex, bool* stopped);

#endif  // TESMO_QUAD_GRID_HPP
