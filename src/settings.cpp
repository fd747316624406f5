#include "settings.hpp"

#include <cctype>
#include <fstream>
#include <sstream>

#include <boost/program_options/options_description.hpp>
#include <boost/program_options/parsers.hpp>
#include <boost/program_options/positional_options.hpp>
#include <boost/program_options/value_semantic.hpp>

#include "maze.hpp"
#include "number_list.hpp"

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

// The list options show their defaults in the list text form; the option
// library would otherwise need stream output for the list types.
po::typed_value<NumberList>* listValue(const NumberList& defaults) {
  return po::value<NumberList>()->default_value(defaults, listText(defaults));
}

void addPuzzleOptions(po::options_description* group) {
  group->add_options()
      ("dimensions", listValue(s_def_dimensions), "dimensions")
      ("face0", listValue(s_def_face0), "face 0")
      ("face1", listValue(s_def_face1), "face 1")
      ("face2", listValue(s_def_face2), "face 2");
}

// Whether `text` holds a placeholder of the option library's messages, a
// name between two '%'.
bool holdsPlaceholder(const std::string& text) {
  for (std::size_t open = text.find('%'); open != std::string::npos;) {
    std::size_t close = open + 1;
    while (close < text.size() && (std::islower(static_cast<unsigned char>(text[close])) ||
                                   text[close] == '_')) {
      ++close;
    }
    if (close < text.size() && text[close] == '%' && close > open + 1) return true;
    open = text.find('%', open + 1);
  }
  return false;
}

// The library fills placeholders such as %value% in its messages with what
// the user typed, and never stops when that text holds the placeholder
// itself. When the input holds any placeholder, an error that quotes the
// user is reported by its option's name alone.
std::string libraryMessage(const po::error& error, bool inputHoldsPlaceholder) {
  const auto* named = dynamic_cast<const po::error_with_option_name*>(&error);
  if (!inputHoldsPlaceholder || !named) return error.what();
  return "invalid option, argument or line for '" + named->get_option_name() + "'";
}

}  // namespace

po::options_description verifierOptions() {
  po::options_description group("Options", kLineLength, kDescriptionWidth);
  group.add_options()
      ("quite,q", po::value<bool>()->default_value(true), "quite mode")
      ("verbose-level,v",
       po::value<std::uint64_t>()->default_value(s_def_verbose_level),
       "verbose level")
      ("input-path",
       po::value<std::vector<boost::filesystem::path>>()->composing()
           ->default_value(s_def_input_path, pathListText(s_def_input_path)),
       "input path")
      ("input-file", po::value<std::vector<std::string>>(), "input file");
  addPuzzleOptions(&group);
  return group;
}

po::options_description solverOptions() {
  po::options_description group("Options", kLineLength, kDescriptionWidth);
  group.add_options()
      ("verbose-level,v",
       po::value<std::uint64_t>()->default_value(s_def_verbose_level),
       "verbose level: report the route length")
      ("input-file", po::value<std::vector<std::string>>(),
       "problem file (start and end lines)");
  addPuzzleOptions(&group);
  return group;
}

const std::string& inputFileName(const po::variables_map& settings,
                                 const std::string& fallback) {
  if (settings.count("input-file")) {
    const auto& names = settings["input-file"].as<std::vector<std::string>>();
    if (!names.empty()) return names.front();
  }
  return fallback;
}

Maze settingsMaze(const po::variables_map& settings) {
  return Maze{settings["dimensions"].as<NumberList>(), settings["face0"].as<NumberList>(),
              settings["face1"].as<NumberList>(), settings["face2"].as<NumberList>()};
}

std::string oneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\n') line += "\\n";
    else if (c == '\r') line += "\\r";
    else line += c;
  }
  return line;
}

std::optional<int> loadSettings(int argc, const char* const argv[],
                                const po::options_description& group,
                                po::variables_map* settings, std::ostream& out,
                                std::ostream& err) {
  po::options_description optionSet(kLineLength, kDescriptionWidth);
  optionSet.add(group);
  optionSet.add_options()("help", "print help message");
  po::positional_options_description positional;
  positional.add("input-file", -1);
  bool inputHoldsPlaceholder = false;
  for (int i = 1; i < argc; ++i) inputHoldsPlaceholder |= holdsPlaceholder(argv[i]);
  try {
    po::store(po::command_line_parser(argc, argv)
                  .options(optionSet)
                  .positional(positional)
                  .run(),
              *settings);
    std::ifstream file(s_def_config_filename, std::ios::binary);
    if (file) {
      // Read whole first, so that its text can be checked for placeholders.
      // Streaming the buffer also turns a read error (a directory) into an
      // empty text where an iterator would throw.
      std::ostringstream text;
      text << file.rdbuf();
      std::istringstream config(text.str());
      inputHoldsPlaceholder |= holdsPlaceholder(config.str());
      po::store(po::parse_config_file(config, group, false), *settings);
    }
    po::notify(*settings);
  } catch (const po::error& error) {
    err << oneLine(libraryMessage(error, inputHoldsPlaceholder)) << std::endl;
    return kSettingsRefused;
  }
  if (settings->count("help")) {
    out << optionSet << std::endl;
    return 0;
  }
  return std::nullopt;
}
