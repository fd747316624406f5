// tesmo's commands: each is one file under commands/ that defines its
// Command (name, summary, run function) and declares its own options; the
// table in tesmo.cpp lists them, one line each.
//
// Contract of a command's run function: it is handed the arguments from the
// command's name on (argv[0] is the name) and the standard streams, prints
// what it has to say, and returns the exit status. --help prints its help
// on `out`, status 0. Settings it refuses end with status 2 and one line on
// `err`; a file it was given that cannot be read or used, or no route, with
// status 1 and one line saying why; see exit_status.hpp.

#ifndef TESMO_PROGRAMS_COMMAND_HPP
#define TESMO_PROGRAMS_COMMAND_HPP

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "cli/puzzle_source.hpp"

namespace tesmo {

using RunCommand = int (*)(int argc, const char* const argv[], std::ostream& out,
                           std::ostream& err);

struct Command {
  const char* name;
  const char* summary;  // one line for `tesmo help`
  RunCommand run;
};

// The commands, in the order `tesmo help` lists them.
extern const Command* const kCommands[];
extern const int kCommandCount;

int runTesmo(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

// A command's preamble: loads its settings and its puzzle (see
// loadPuzzle()) and prints what that says; returns the status the run ends
// with, when it ends there.
std::optional<int> startCommand(int argc, const char* const argv[], const CommandLine& commandLine,
                                PuzzleSource* source, std::ostream& out, std::ostream& err);

// Writes the file at `path` with write(stream), closed before it is
// judged; false after "PATH: cannot write the WHAT: REASON" on err when it
// could not be made, written or closed.
bool writeOutputFile(const std::string& path, const char* what,
                     const std::function<void(std::ostream&)>& write, std::ostream& err);

}  // namespace tesmo

#endif  // TESMO_PROGRAMS_COMMAND_HPP
