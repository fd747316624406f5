#include "cli/settings.hpp"

#include <boost/program_options/errors.hpp>
#include <boost/program_options/options_description.hpp>
#include <boost/program_options/parsers.hpp>
#include <boost/program_options/positional_options.hpp>
#include <boost/program_options/value_semantic.hpp>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <new>
#include <sstream>
#include <thread>

#include "base/exit_status.hpp"
#include "base/number_list.hpp"
#include "base/quote.hpp"
#include "model/builtin_puzzle.hpp"

namespace tesmo {

namespace po = boost::program_options;

const std::string s_def_solution_filename = "solution.txt";
const std::string s_def_config_filename = "tesmo.cfg";
const std::vector<boost::filesystem::path> s_def_input_path = {"./"};
const std::uint64_t s_def_verbose_level = 0;

namespace {

const unsigned kLineLength = po::options_description::m_default_line_length;
const unsigned kDescriptionWidth = kLineLength / 2;

std::string pathListText(const std::vector<boost::filesystem::path>& paths) {
  std::string text;
  for (const boost::filesystem::path& path : paths) {
    if (!text.empty()) text += ',';
    text += path.string();
  }
  return text;
}

// Whether `text` holds a placeholder of the option library's messages, a
// name between two '%'.
bool holdsPlaceholder(const std::string& text) {
  for (std::size_t open = text.find('%'); open != std::string::npos;) {
    std::size_t close = open + 1;
    while (close < text.size() &&
           (std::islower(static_cast<unsigned char>(text[close])) || text[close] == '_')) {
      ++close;
    }
    if (close < text.size() && text[close] == '%' && close > open + 1) return true;
    open = text.find('%', open + 1);
  }
  return false;
}

// The texts the library fills into its message's placeholders. They sit in
// a protected member with no accessor; a member pointer named through a type
// that may see it reads them (the type is never made).
struct QuotedTexts : po::error_with_option_name {
  static const std::map<std::string, std::string>& of(const po::error_with_option_name& error) {
    return error.*(&QuotedTexts::m_substitutions);
  }
};

// The library fills placeholders such as %value% in its messages with what
// the user typed, and never stops when that text holds the placeholder
// itself. An error whose quoted text holds any placeholder is reported by
// its option's name alone.
std::string libraryMessage(const po::error& error) {
  const auto* named = dynamic_cast<const po::error_with_option_name*>(&error);
  if (!named) return error.what();
  bool quotesPlaceholder = holdsPlaceholder(named->get_option_name());
  for (const auto& quoted : QuotedTexts::of(*named)) {
    quotesPlaceholder |= holdsPlaceholder(quoted.second);
  }
  if (!quotesPlaceholder) return error.what();
  return "invalid option, argument or line for '" + named->get_option_name() + "'";
}

}  // namespace

void addPuzzleOptions(po::options_description* group, PuzzleHelp help) {
  const bool showDefaults = help != PuzzleHelp::kBuiltIn;
  auto value = [&](const NumberList& defaults) {
    return po::value<NumberList>()->default_value(defaults, help == PuzzleHelp::kEveryCell
                                                                ? listText(defaults)
                                                            : showDefaults ? ""
                                                                           : "built-in");
  };
  group->add_options()("dimensions", value(s_def_dimensions),
                       showDefaults ? "dimensions" : "one size per occurrence: X, Y, Z")(
      "face0", value(s_def_face0), showDefaults ? "face 0" : "one cell of face 0 per occurrence")(
      "face1", value(s_def_face1), showDefaults ? "face 1" : "one cell of face 1 per occurrence")(
      "face2", value(s_def_face2), showDefaults ? "face 2" : "one cell of face 2 per occurrence");
}

po::options_description optionGroup() {
  return po::options_description("Options", kLineLength, kDescriptionWidth);
}

po::options_description verifierOptions(PuzzleHelp help) {
  po::options_description group("Options", kLineLength, kDescriptionWidth);
  group.add_options()("quite,q", po::value<bool>()->default_value(true), "quite mode")(
      "verbose-level,v", po::value<std::uint64_t>()->default_value(s_def_verbose_level),
      "verbose level")(
      "input-path",
      po::value<std::vector<boost::filesystem::path>>()->composing()->default_value(
          s_def_input_path, pathListText(s_def_input_path)),
      "input path");
  addInputFiles(&group, "input file");
  addPuzzleOptions(&group, help);
  return group;
}

void addInputFiles(po::options_description* group, const char* description) {
  group->add_options()("input-file", po::value<std::vector<std::string>>(), description);
}

void addJsonOption(po::options_description* group, const char* description) {
  group->add_options()("json", description);
}

void addJobsOption(po::options_description* group, const char* description) {
  group->add_options()("jobs,j", po::value<unsigned>(), description);
}

std::string jobsOf(const po::variables_map& settings, unsigned* jobs) {
  constexpr unsigned kMostJobs = 256;
  *jobs = settings.count("jobs") ? settings["jobs"].as<unsigned>()
                                 : std::min(kMostJobs, std::max(1u, std::thread::hardware_concurrency()));
  if (*jobs == 0 || *jobs > kMostJobs) return "--jobs takes 1 to 256";
  return "";
}

const std::string& inputFileName(const po::variables_map& settings, const std::string& fallback) {
  if (settings.count("input-file")) {
    const auto& names = settings["input-file"].as<std::vector<std::string>>();
    if (!names.empty()) return names.front();
  }
  return fallback;
}

std::string settingsMazeProblem(const po::variables_map& settings) {
  return listMazeProblem(settings["dimensions"].as<NumberList>(),
                         settings["face0"].as<NumberList>(), settings["face1"].as<NumberList>(),
                         settings["face2"].as<NumberList>());
}

Maze settingsMaze(const po::variables_map& settings) {
  return listMaze(settings["dimensions"].as<NumberList>(), settings["face0"].as<NumberList>(),
                  settings["face1"].as<NumberList>(), settings["face2"].as<NumberList>());
}

std::optional<int> loadSettings(int argc, const char* const argv[], const CommandLine& commandLine,
                                po::variables_map* settings, Said* said,
                                std::vector<std::string>* given) {
  po::options_description optionSet(kLineLength, kDescriptionWidth);
  optionSet.add(commandLine.group);
  optionSet.add_options()("help", "print help message");
  po::positional_options_description positional;
  if (commandLine.maxFiles != 0) {
    positional.add(commandLine.positional.c_str(), commandLine.maxFiles);
  }
  try {
    const po::parsed_options parsed =
        po::command_line_parser(argc, argv).options(optionSet).positional(positional).run();
    po::store(parsed, *settings);
    if (given) {
      for (const po::option& option : parsed.options) given->push_back(option.string_key);
    }
    // Streamed into the parser line by line: a file of any length costs
    // only what the parser keeps of it. A read error (a directory) ends the
    // stream as an end of file would.
    std::ifstream file(s_def_config_filename, std::ios::binary);
    if (file) {
      po::store(po::parse_config_file(file, verifierOptions(PuzzleHelp::kUnrendered), false),
                *settings);
    }
    po::notify(*settings);
  } catch (const po::error& error) {
    sayErr(said, oneLine(libraryMessage(error)));
    return kSettingsRefused;
  } catch (const std::bad_alloc&) {
    // Settings of more values than memory holds are refused like any other.
    sayErr(said, "Out of memory!");
    return kSettingsRefused;
  }
  if (settings->count("help")) {
    po::options_description helpSet(kLineLength, kDescriptionWidth);
    helpSet.add(commandLine.helpGroup ? commandLine.helpGroup() : commandLine.group);
    helpSet.add_options()("help", "print help message");
    std::ostringstream help;
    if (!commandLine.usage.empty()) help << commandLine.usage << "\n\n";
    help << helpSet;
    sayOut(said, help.str());
    return 0;
  }
  return std::nullopt;
}

}  // namespace tesmo
