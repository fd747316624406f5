// Making puzzles: a perfect maze carved into a box under the projection rule,
// with its start and end at the two ends of its longest route.
//
// Contract:
//  - generatePuzzle() fills *puzzle with a puzzle of the given sizes whose
//    faces hold only 0 and 1, with a start and an end, and returns true; or
//    returns false with a one-line reason for sizes it does not take: each
//    from 1 to kMaxGenerateSize, the box at least 2 cells and at most
//    kMaxGenerateCells.
//  - The puzzle is perfect: start and end lie on cells whose three face
//    cells hold 0, and the cells the token can reach from the start form a
//    tree: every move between two of them can be made both ways, and
//    between any two there is exactly one route that never turns back. The
//    start and end are the two ends of the tree's longest route between
//    such cells, so the shortest (and only) solution is that route.
//  - Carving: a cell is opened by setting its three face cells to 0, which
//    also opens every other cell whose face cells are then all 0 (and lets
//    the token into cells with two of three, along their one axis). A cell
//    is opened only when the tree stays a tree; cells are carved from the
//    newest one most of the time, which makes long corridors.
//  - The budget (seconds) buys a fixed amount of work, counted in cells
//    looked at and carves tried, weighted by what each costs, never
//    measured by a clock: the same sizes, seed and budget give the same
//    puzzle on every machine, and about the budget's CPU time on the
//    machine the weights were fitted on, whatever the box's shape. Within it, mazes are carved
//    from seeds drawn from `seed` and the one with the longest route wins;
//    a maze the budget cuts short is still perfect. The random numbers are
//    the project's own (splitmix64), not a standard distribution.

#ifndef TESMO_ENGINE_GENERATE_HPP
#define TESMO_ENGINE_GENERATE_HPP

#include <cstdint>
#include <string>

#include "base/number_list.hpp"
#include "model/puzzle.hpp"

namespace tesmo {

constexpr std::uint64_t kMaxGenerateSize = 1000;
constexpr std::uint64_t kMaxGenerateCells = std::uint64_t{1} << 24;

struct GenerateOptions {
  std::uint64_t seed = 1;
  double budgetSeconds = 1.0;
};

// What a generation did, for the bench and the curious.
struct GenerateReport {
  std::uint64_t mazes = 0;  // mazes carved (the last may be cut short)
  std::uint64_t routeLength = 0;
  std::uint64_t work = 0;  // cells looked at
};

bool generatePuzzle(const NumberList& sizes, const GenerateOptions& options, Puzzle* puzzle,
                    GenerateReport* report, std::string* error);

}  // namespace tesmo

#endif  // TESMO_ENGINE_GENERATE_HPP
