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
//  - walkQuadRun() is given the number of a cell inside the box and a run's
//    pairs of codes (pair = 6 * first code + second code, as
//    decodeCodeRun() gives them). When all sixteen moves can be executed it
//    moves *scaledIndex to the number of the cell they lead to and returns
//    true; otherwise it returns false and leaves *scaledIndex alone, and the
//    caller walks the run move by move to find the stop.

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

// Inline: it runs once per sixteen moves, up to 10^8 moves in a run. The
// blocked bits of the four look-ups are or-ed and tested once.
inline bool walkQuadRun(const QuadGrid& quads, const std::uint32_t pairs[kRunPairs],
                        std::uint64_t* scaledIndex) {
  const std::uint64_t* blocked = quads.blocked.data();
  const std::uint64_t* scaledStep = quads.scaledStep;
  std::uint64_t at = *scaledIndex, stops = 0;
  for (std::size_t quad = 0; quad < kRunPairs / 2; ++quad) {
    const std::uint32_t first = pairs[2 * quad], second = pairs[2 * quad + 1];
    stops |= blocked[at + first] >> second;
    at += scaledStep[first] + scaledStep[second];
  }
  if (stops & 1) return false;
  *scaledIndex = at;
  return true;
}

#endif  // TESMO_QUAD_GRID_HPP
