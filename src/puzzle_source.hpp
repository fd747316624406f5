// The one preamble of every program: its settings loaded, and the puzzle it
// works on, from the settings (command line, "tesmo.cfg", built-in defaults)
// or, for a program that offers `--puzzle FILE`, from a puzzle file.
//
// Contract:
//  - addPuzzleSource() adds `--puzzle FILE` and the puzzle options
//    (`dimensions`, `face0` to `face2`, their help showing "built-in") to a
//    program's group.
//  - loadPuzzle() loads the settings (see loadSettings()), then the puzzle,
//    and returns no status when the run goes on, with *source filled.
//    Otherwise it returns the exit status the run ends with: that of
//    loadSettings(), or 2 after one line on `err`: the puzzle file's fault
//    ("maze.txt:14: face 1 needs 121 cells, found 120"); "--puzzle and
//    --NAME cannot be given together" when a puzzle option stands beside it
//    on the command line (those of "tesmo.cfg" give way to the file); or the
//    settings' maze problem (see mazeProblem()).
//  - sourceMaze() is the loaded puzzle; it refers to lists inside *source.
//  - problemEndpoints() takes the start and end from the problem file
//    (`input-file`, its first two lines), else from the puzzle file when it
//    has both, else from "problem.txt", and returns false, after the
//    verifier's message, when they are not three numbers each or lie
//    outside the box or on a wall; a problem file that cannot be read
//    returns false with nothing printed, as the verifier does.

#ifndef TESMO_PUZZLE_SOURCE_HPP
#define TESMO_PUZZLE_SOURCE_HPP

#include <optional>
#include <ostream>

#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>

#include "maze.hpp"
#include "puzzle_file.hpp"
#include "settings.hpp"

struct PuzzleSource {
  boost::program_options::variables_map settings;
  bool fromFile = false;
  Puzzle file;  // when fromFile
};

void addPuzzleSource(boost::program_options::options_description* group);

std::optional<int> loadPuzzle(int argc, const char* const argv[],
                              const CommandLine& commandLine, PuzzleSource* source,
                              std::ostream& out, std::ostream& err);

Maze sourceMaze(const PuzzleSource& source);

extern const std::string s_def_problem_filename;

bool problemEndpoints(const PuzzleSource& source, const Maze& maze, NumberList* start,
                      NumberList* end, std::ostream& out, std::ostream& err);

#endif  // TESMO_PUZZLE_SOURCE_HPP
