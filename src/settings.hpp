// The verifier's settings: its options, read from the command line and from
// the configuration file "tesmo.cfg" in the working directory, completed by
// the built-in defaults.
//
// Contract:
//  - verifierOptions() and solverOptions() are the option groups of the two
//    programs; both end with the puzzle: `dimensions`, `face0` to `face2`.
//  - loadSettings() parses against `group` plus `help`, fills *settings and
//    returns no status when the run goes on. Otherwise it returns the exit
//    status the run ends with: 0 after printing the help text on `out`
//    (--help anywhere on the command line), 2 after printing, as one line on
//    `err`, the option library's message for a command line or
//    configuration file it refuses, or "Out of memory!" for settings of more
//    values than memory holds. When the text a message would quote holds a
//    placeholder of the library's ("%value%"), the message is "invalid
//    option, argument or line for 'NAME'" instead.
//  - The configuration file may also hold the verifier's options that
//    `group` lacks: they are accepted and have no effect.
//  - The configuration file is streamed into the parser: its comments and
//    blank lines cost no memory.
//  - The command line wins over the configuration file, and the file over the
//    defaults; only `input-path` joins the values of both sources.
//  - Value types: `verbose-level` std::uint64_t, `quite` bool, `input-file`
//    std::vector<std::string> (absent when not given), `input-path`
//    std::vector<boost::filesystem::path>, `dimensions` and `face0` to
//    `face2` NumberList. Each occurrence of a list option adds one value.

#ifndef TESMO_SETTINGS_HPP
#define TESMO_SETTINGS_HPP

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>
#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>

#include "maze.hpp"

// Exit status of a run whose settings are refused.
constexpr int kSettingsRefused = 2;

extern const std::string s_def_solution_filename;
extern const std::string s_def_config_filename;
extern const std::vector<boost::filesystem::path> s_def_input_path;
extern const std::uint64_t s_def_verbose_level;

// The first `input-file` value, else `fallback`.
const std::string& inputFileName(const boost::program_options::variables_map& settings,
                                 const std::string& fallback);

// The puzzle of the settings; it refers to the lists inside `settings`.
Maze settingsMaze(const boost::program_options::variables_map& settings);

// `text` with each line break written as \n or \r, so that a message that
// quotes what the user typed (an option value, a file name) stays one line.
std::string oneLine(const std::string& text);

boost::program_options::options_description verifierOptions();
boost::program_options::options_description solverOptions();

std::optional<int> loadSettings(int argc, const char* const argv[],
                                const boost::program_options::options_description& group,
                                boost::program_options::variables_map* settings,
                                std::ostream& out, std::ostream& err);

#endif  // TESMO_SETTINGS_HPP
