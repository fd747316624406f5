// The verifier's settings: its options, read from the command line and from
// the configuration file "tesmo.cfg" in the working directory, completed by
// the built-in defaults.
//
// Contract:
//  - verifierOptions() is the verifier's option group; it ends with the
//    puzzle: `dimensions`, `face0` to `face2`. addPuzzleOptions() adds those
//    four to another program's group. PuzzleHelp says what their help shows
//    as the defaults: every cell (the verifier's help), nothing (a group to
//    parse with, whose texts would cost more to make than the parse), or
//    "built-in" (tesmo's).
//  - loadSettings() parses the command line against `commandLine.group`
//    plus `help`, with up to `maxFiles` positional arguments (-1: any
//    number) taken as values of `positional` (`input-file`), then
//    "tesmo.cfg" against the verifier's options, so that one file serves
//    every program; a program that has no use for one of them leaves it
//    alone. It fills *settings and
//    returns no status when the run goes on. Otherwise it returns the exit
//    status the run ends with: 0 after saying the help text on standard
//    output (`usage` and a blank line when there is one, then the options;
//    --help anywhere on the command line), 2 after saying, as one line on
//    standard error, the option library's message for a command line or
//    configuration file it refuses, or "Out of memory!" for settings of more
//    values than memory holds. When the text a message would quote holds a placeholder of the
//    library's ("%value%"), the message is "invalid option, argument or line
//    for 'NAME'" instead.
//  - With `given`, it appends the name of each option the command line
//    gave, once per occurrence.
//  - The configuration file is streamed into the parser: its comments and
//    blank lines cost no memory.
//  - The command line wins over the configuration file, and the file over the
//    defaults; only `input-path` joins the values of both sources.
//  - Value types: `verbose-level` std::uint64_t, `quite` bool, `input-file`
//    std::vector<std::string> (absent when not given), `input-path`
//    std::vector<boost::filesystem::path>, `dimensions` and `face0` to
//    `face2` NumberList. Each occurrence of a list option adds one value.

#ifndef TESMO_CLI_SETTINGS_HPP
#define TESMO_CLI_SETTINGS_HPP

#include <boost/filesystem/path.hpp>
#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/said.hpp"
#include "model/maze.hpp"

namespace tesmo {

extern const std::string s_def_solution_filename;
extern const std::string s_def_config_filename;
extern const std::vector<boost::filesystem::path> s_def_input_path;
extern const std::uint64_t s_def_verbose_level;

// The first `input-file` value, else `fallback`.
const std::string& inputFileName(const boost::program_options::variables_map& settings,
                                 const std::string& fallback);

// Why the settings' puzzle is no maze (see listMazeProblem()), or "".
std::string settingsMazeProblem(const boost::program_options::variables_map& settings);

// The puzzle of the settings; it refers to the lists inside `settings`.
Maze settingsMaze(const boost::program_options::variables_map& settings);

enum class PuzzleHelp : std::uint8_t { kEveryCell, kUnrendered, kBuiltIn };

// What a program takes from its command line.
struct CommandLine {
  boost::program_options::options_description group;
  int maxFiles = -1;                      // positional arguments, as values of `input-file`
  std::string usage;                      // printed by --help before the options, when not ""
  std::string positional = "input-file";  // the option positional arguments give
  // The group as --help shows it, made only then, when it differs from
  // `group` (see PuzzleHelp).
  boost::program_options::options_description (*helpGroup)() = nullptr;
};

// An empty group captioned "Options", laid out as the verifier's.
boost::program_options::options_description optionGroup();

boost::program_options::options_description verifierOptions(
    PuzzleHelp help = PuzzleHelp::kEveryCell);

void addPuzzleOptions(boost::program_options::options_description* group, PuzzleHelp help);

// `input-file`, the option positional arguments give: the files a command
// reads, described as `description`.
void addInputFiles(boost::program_options::options_description* group, const char* description);

// `json`: one JSON object per result on standard output.
void addJsonOption(boost::program_options::options_description* group, const char* description);

// `jobs,j`: how many files or cases a command takes at once. jobsOf()
// reads it into *jobs, the number of cores (at most 256) when it is not
// given, and returns "" or, for a number out of 1 to 256, the refusal.
void addJobsOption(boost::program_options::options_description* group, const char* description);
std::string jobsOf(const boost::program_options::variables_map& settings, unsigned* jobs);

std::optional<int> loadSettings(int argc, const char* const argv[], const CommandLine& commandLine,
                                boost::program_options::variables_map* settings, Said* said,
                                std::vector<std::string>* given = nullptr);

}  // namespace tesmo

#endif  // TESMO_CLI_SETTINGS_HPP
