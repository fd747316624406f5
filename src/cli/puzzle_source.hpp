// The one preamble of every command that works on a puzzle: its settings
// loaded, and the puzzle it works on, from the settings (command line,
// "tesmo.cfg", built-in defaults) or from a puzzle file.
//
// Contract:
//  - addPuzzleSource() adds `--puzzle FILE` and the puzzle options
//    (`dimensions`, `face0` to `face2`, their help showing "built-in") to a
//    command's group. A command whose positional argument is the puzzle
//    file declares it as `drawn-file` (kPuzzleArgument); it stands for
//    `--puzzle`.
//  - loadPuzzle() loads the settings (see loadSettings()), then the puzzle,
//    and returns no status when the run goes on, with *source filled.
//    Otherwise it returns the exit status the run ends with: that of
//    loadSettings(), or 2 after one line said on standard error: the puzzle
//    file's fault ("maze.txt:14: face 1 needs 121 cells, found 120");
//    "--puzzle and --NAME cannot be given together" when a puzzle option
//    stands beside it on the command line (those of "tesmo.cfg" give way to
//    the file); "--puzzle and a PUZZLE argument cannot be given together";
//    or the settings' maze problem (see listMazeProblem()).
//  - sourceMaze() is the loaded puzzle; it refers to cells inside *source.
//  - problemEndpoints() takes the start and end from the problem file
//    (`input-file`, its first two lines), else from the puzzle file when it
//    has both, else from "problem.txt", and returns false, after the
//    verifier's message, when they are not three numbers each or lie
//    outside the box or on a wall; for a problem file that cannot be read,
//    after cannotRead()'s line (quote.hpp).

#ifndef TESMO_CLI_PUZZLE_SOURCE_HPP
#define TESMO_CLI_PUZZLE_SOURCE_HPP

#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>
#include <optional>
#include <string>

#include "base/said.hpp"
#include "cli/settings.hpp"
#include "model/maze.hpp"
#include "model/puzzle.hpp"

namespace tesmo {

struct PuzzleSource {
  boost::program_options::variables_map settings;
  bool fromFile = false;
  Puzzle file;  // when fromFile
};

constexpr const char* kPuzzleArgument = "drawn-file";

void addPuzzleSource(boost::program_options::options_description* group);

std::optional<int> loadPuzzle(int argc, const char* const argv[], const CommandLine& commandLine,
                              PuzzleSource* source, Said* said);

Maze sourceMaze(const PuzzleSource& source);

extern const std::string s_def_problem_filename;

bool problemEndpoints(const PuzzleSource& source, const Maze& maze, Position* start, Position* end,
                      Said* said);

// The first two lines of a problem or solution file as positions; false
// after saying why they are not, or why the file cannot be read.
bool readProblemFile(const std::string& fileName, Position* start, Position* end, Said* said);

}  // namespace tesmo

#endif  // TESMO_CLI_PUZZLE_SOURCE_HPP
