// The four-move table, the walker's (walk.cpp): for every cell of the box grid (see grid.hpp) and
// every sequence of four move codes 0 to 5, whether all four moves can be
// executed from the cell one after another. A run of sixteen codes (see
// code_run.hpp) then costs four look-ups and four additions instead of
// sixteen of each, and no look-up waits for another: where the token stands
// after each four moves follows from the codes alone.
//
// Contract:
//  - The table numbers a cell by its grid index times kQuadCount, where its
//    row of kQuadCount bytes starts, one byte per four codes (in base 6, as
//    decodeCodeRun() gives them): 0 when all four moves can be executed.
//  - Any other byte means they may not: the rows of cells that cannot be
//    entered are never worked out (the token stands there only at the
//    start), and a run that meets one is walked move by move. So a 0 is
//    always exact, and that is all the walk relies on.
//  - quadGridFits() holds when a table for `grid` (kQuadCount bytes a cell)
//    has at most one byte per kMovesPerQuadByte moves of `moveBudget`, and
//    at most kMaxQuadCells cells.
//  - quadGridWarmup() is how many moves a walk should make one by one
//    before it builds the table: about as much work as building it, so
//    that a walk that stops soon never pays for a table, and one that goes
//    on pays at most twice.
//  - planQuadGrid() builds the table of a grid planned by planGrid().
//  - walkQuadRuns() walks, from the cell numbered *scaledIndex (inside the
//    box), the runs of codes that follow one another from the front of
//    `bytes`, as long as the next kRunBytes bytes are a run and the table
//    says all its sixteen moves can be executed. It returns the bytes
//    walked, a multiple of kRunBytes, and leaves *scaledIndex numbering the
//    cell reached. *stopped tells whether it ended at a run the table does
//    not let through (rather than at bytes that are no run, or at the end);
//    the caller walks that run move by move.

#ifndef TESMO_ENGINE_QUAD_GRID_HPP
#define TESMO_ENGINE_QUAD_GRID_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/code_run.hpp"
#include "engine/grid.hpp"

namespace tesmo {

// 2^14 cells make a table of 21 MB; past that it outgrows the caches it
// is fast in.
constexpr std::uint64_t kMaxQuadCells = std::uint64_t{1} << 14;
// Measured: a table pays for itself within about twice as many moves as it
// has bytes (one memset, then a row for every cell a move can enter), and
// building it costs about what walking an eighth as many moves one by one
// does.
constexpr std::uint64_t kMovesPerQuadByte = 2;
constexpr std::uint64_t kQuadBytesPerWarmupMove = 8;

struct QuadGrid {
  std::vector<std::uint8_t> blocked;     // [cell * kQuadCount + quad]
  std::vector<std::int64_t> scaledStep;  // per quad: its grid step times kQuadCount
};

bool quadGridFits(const Grid& grid, std::uint64_t moveBudget);

std::uint64_t quadGridWarmup(const Grid& grid);

QuadGrid planQuadGrid(const Grid& grid);

std::size_t walkQuadRuns(const QuadGrid& quads, const char* bytes, std::size_t length,
                         std::uint64_t* scaledIndex, bool* stopped);

}  // namespace tesmo

#endif  // TESMO_ENGINE_QUAD_GRID_HPP
