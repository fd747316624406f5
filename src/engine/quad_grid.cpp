#include "engine/quad_grid.hpp"

#include <cstring>

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace quad_local {

constexpr std::uint64_t kPairs = 36;
constexpr std::uint64_t kAllPairs = (std::uint64_t{1} << kPairs) - 1;

// Bit p set when the pair of moves p (first code p / 6, then p % 6) cannot
// both be executed from `cell`, a cell inside the box. The first move leads
// into the grid, and only a cell inside the box can be entered, so the
// second one does too.
std::uint64_t blockedPairs(const Grid& grid, std::uint64_t cell) {
  std::uint64_t blocked = 0;
  for (std::uint64_t first = 0; first < 6; ++first) {
    std::uint64_t middle;
    if (gridEntry(grid, cell, first, &middle) != 0) {
      blocked |= std::uint64_t{0x3F} << (6 * first);
      continue;
    }
    for (std::uint64_t second = 0; second < 6; ++second) {
      std::uint64_t last;
      if (gridEntry(grid, middle, second, &last) != 0) {
        blocked |= std::uint64_t{1} << (6 * first + second);
      }
    }
  }
  return blocked;
}

bool cellInsideBox(const Grid& grid, std::uint64_t cell) {
  return (grid.blocked[cell] & kGridEdge) == 0;
}

// Whether a move along some axis may enter the cell (bits 0 to 2 of its
// grid cell not all set).
bool cellCanBeEntered(const Grid& grid, std::uint64_t cell) {
  return cellInsideBox(grid, cell) && (grid.blocked[cell] & 7) != 7;
}

}  // namespace quad_local

bool quadGridFits(const Grid& grid, std::uint64_t moveBudget) {
  const std::uint64_t cells = grid.blocked.size();
  return cells <= kMaxQuadCells && cells * kQuadCount <= moveBudget / kMovesPerQuadByte;
}

std::uint64_t quadGridWarmup(const Grid& grid) {
  return grid.blocked.size() * kQuadCount / kQuadBytesPerWarmupMove;
}

// Four moves from a cell are two pairs: the first from the cell, the second
// from where the first leads. So a row is worked out from the cell's
// blocked pairs and those of the 36 cells its pairs lead to.
QuadGrid planQuadGrid(const Grid& grid) {
  using namespace quad_local;  // NOLINT(google-build-using-namespace): this file's own
  QuadGrid quads;
  std::uint64_t pairStep[kPairs];
  for (std::uint64_t pair = 0; pair < kPairs; ++pair) {
    pairStep[pair] = grid.step[pair / 6] + grid.step[pair % 6];
  }
  quads.scaledStep.resize(kQuadCount);
  for (std::uint64_t quad = 0; quad < kQuadCount; ++quad) {
    // The steps are in the grid's arithmetic mod 2^64; as offsets of a row
    // they are signed.
    quads.scaledStep[quad] =
        static_cast<std::int64_t>((pairStep[quad / kPairs] + pairStep[quad % kPairs]) * kQuadCount);
  }
  const std::uint64_t cells = grid.blocked.size();
  std::vector<std::uint64_t> pairs(cells, kAllPairs);
  for (std::uint64_t cell = 0; cell < cells; ++cell) {
    if (cellInsideBox(grid, cell)) pairs[cell] = blockedPairs(grid, cell);
  }
  quads.blocked.assign(cells * kQuadCount, 1);
  for (std::uint64_t cell = 0; cell < cells; ++cell) {
    if (!cellCanBeEntered(grid, cell)) continue;
    std::uint8_t* row = quads.blocked.data() + cell * kQuadCount;
    for (std::uint64_t first = 0; first < kPairs; ++first, row += kPairs) {
      if (pairs[cell] >> first & 1) continue;  // left blocked
      const std::uint64_t after = pairs[cell + pairStep[first]];
      for (std::uint64_t second = 0; second < kPairs; ++second) {
        row[second] = static_cast<std::uint8_t>(after >> second & 1);
      }
    }
  }
  return quads;
}

// Out of line, so that the loop gets registers of its own rather than what
// is left of a caller's. Each four codes cost a byte look-up, a test and an
// addition; the row moves on only past four moves the table lets through,
// so it never leaves the rows of cells inside the box, and the tests, all
// predicted to pass, let the look-ups of a run overlap.
std::size_t walkQuadRuns(const QuadGrid& quads, const char* bytes, std::size_t length,
                         std::uint64_t* scaledIndex, bool* stopped) {
  const std::uint8_t* const blocked = quads.blocked.data();
  const std::int64_t* const scaledStep = quads.scaledStep.data();
  const std::uint8_t* row = blocked + *scaledIndex;
  const char* run = bytes;
  const char* const lastRun = bytes + length - length % kRunBytes;
  std::uint32_t codes[kRunQuads];
  *stopped = false;
  for (; run != lastRun; run += kRunBytes) {
    if (!decodeCodeRun(run, codes)) break;
    const std::uint8_t* next = row;
    for (std::size_t quad = 0; quad < kRunQuads; ++quad) {
      if (next[codes[quad]] != 0) {
        *stopped = true;
        *scaledIndex = static_cast<std::uint64_t>(row - blocked);
        return static_cast<std::size_t>(run - bytes);
      }
      next += scaledStep[codes[quad]];
    }
    row = next;
  }
  *scaledIndex = static_cast<std::uint64_t>(row - blocked);
  return static_cast<std::size_t>(run - bytes);
}

}  // namespace tesmo
