#include "cli/settings.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "model/builtin_puzzle.hpp"
#include "model/maze.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace po = boost::program_options;
using Paths = std::vector<boost::filesystem::path>;
using Strings = std::vector<std::string>;

namespace {

// Runs loadSettings() in a temporary working directory, where "tesmo.cfg"
// can be written.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::current_path();
    dir_ = makeTempDir();
    ASSERT_FALSE(dir_.empty());
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(dir_);
  }

  void config(const std::string& text) { writeFile("tesmo.cfg", text); }

  // Loads the settings from `args`; returns the status the run ends with,
  // or -1 when it goes on.
  int load(std::vector<std::string> args) {
    args.insert(args.begin(), "tesmoVerifier");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    settings_ = po::variables_map();
    out_.str("");
    err_.str("");
    Said said;
    const std::optional<int> status =
        loadSettings(static_cast<int>(args.size()), argv.data(),
                     CommandLine{verifierOptions(), -1, ""}, &settings_, &said);
    for (const SaidLine& line : said)
      (line.stream == Stream::kOut ? out_ : err_) << line.text << '\n';
    return status ? *status : -1;
  }
  template <typename T>
  T value(const char* name) {
    return settings_[name].as<T>();
  }
  std::uint64_t verbose() { return value<std::uint64_t>("verbose-level"); }

  // Expects the library to refuse the settings with `message`.
  void expectRefused(const std::vector<std::string>& args, const std::string& message) {
    SCOPED_TRACE(message);
    EXPECT_EQ(2, load(args));
    EXPECT_EQ("", out_.str());
    EXPECT_EQ(message + "\n", err_.str());
  }

  std::filesystem::path home_;
  std::string dir_;
  po::variables_map settings_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(Settings, DefaultsDescribeTheBuiltInPuzzle) {
  EXPECT_EQ(-1, load({}));
  EXPECT_EQ("", out_.str() + err_.str());
  EXPECT_EQ(0u, verbose());
  EXPECT_TRUE(value<bool>("quite"));
  EXPECT_EQ(Paths{"./"}, value<Paths>("input-path"));
  EXPECT_EQ(0u, settings_.count("input-file"));
  EXPECT_EQ((NumberList{11, 11, 11}), value<NumberList>("dimensions"));
  EXPECT_EQ(s_def_face0, value<NumberList>("face0"));
  EXPECT_EQ(s_def_face1, value<NumberList>("face1"));
  EXPECT_EQ(s_def_face2, value<NumberList>("face2"));
}

TEST_F(Settings, HelpTextIsTheGoldenCopy) {
  std::ifstream golden(std::string(TESMO_SOURCE_DIR) + "/tests/golden/help.txt");
  const std::string expected(std::istreambuf_iterator<char>(golden), {});
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(0, load({"--help"}));
  EXPECT_EQ(expected, out_.str());
  EXPECT_EQ("", err_.str());
  // By presence, wherever it stands, and after a usable configuration file.
  config("verbose-level=1\n");
  EXPECT_EQ(0, load({"-v", "3", "x.txt", "--help", "y.txt"}));
  EXPECT_EQ(expected, out_.str());
  EXPECT_EQ(0, load({"--he"}));
}

TEST_F(Settings, CommandLineWinsOverTheFileAndTheFileOverDefaults) {
  config(
      "verbose-level=1\ninput-file=other.txt\ndimensions=5\ndimensions=6\n"
      "dimensions=7\nquite=0\n");
  EXPECT_EQ(-1, load({}));
  EXPECT_EQ(1u, verbose());
  EXPECT_EQ(Strings{"other.txt"}, value<Strings>("input-file"));
  EXPECT_EQ((NumberList{5, 6, 7}), value<NumberList>("dimensions"));
  EXPECT_FALSE(value<bool>("quite"));
  EXPECT_EQ(s_def_face0, value<NumberList>("face0"));

  EXPECT_EQ(-1, load({"-v", "0", "mine.txt", "--dimensions", "2"}));
  EXPECT_EQ(0u, verbose());
  EXPECT_EQ(Strings{"mine.txt"}, value<Strings>("input-file"));
  EXPECT_EQ(NumberList{2}, value<NumberList>("dimensions"));
  EXPECT_EQ(-1, load({"--input-file", "named.txt"}));
  EXPECT_EQ(Strings{"named.txt"}, value<Strings>("input-file"));
}

TEST_F(Settings, InputPathComposesBothSources) {
  config("input-path=/var\ninput-path=/srv\n");
  EXPECT_EQ(-1, load({"--input-path", "/tmp"}));
  EXPECT_EQ((Paths{"/tmp", "/var", "/srv"}), value<Paths>("input-path"));
  EXPECT_EQ(-1, load({"--quite", "0", "--input-path", "/tmp"}));
  EXPECT_FALSE(value<bool>("quite"));
}

TEST_F(Settings, CommandLineStyle) {
  EXPECT_EQ(-1, load({"--verb", "1"}));
  EXPECT_EQ(1u, verbose());
  EXPECT_EQ(-1, load({"-v1"}));
  EXPECT_EQ(1u, verbose());
  EXPECT_EQ(-1, load({"--verbose-level=9"}));
  EXPECT_EQ(9u, verbose());
  EXPECT_EQ(-1, load({"--dimensions", "5", "--dimensions", "5", "--dimensions", "5"}));
  EXPECT_EQ((NumberList{5, 5, 5}), value<NumberList>("dimensions"));
  // Not multi-token: the other two values become positional file names.
  EXPECT_EQ(-1, load({"--dimensions", "5", "5", "5"}));
  EXPECT_EQ(NumberList{5}, value<NumberList>("dimensions"));
  EXPECT_EQ((Strings{"5", "5"}), value<Strings>("input-file"));
  EXPECT_EQ(-1, load({"a.txt", "b.txt"}));
  EXPECT_EQ((Strings{"a.txt", "b.txt"}), value<Strings>("input-file"));
}

TEST_F(Settings, LibraryErrorsOnTheCommandLine) {
  expectRefused({"--bogus"}, "unrecognised option '--bogus'");
  expectRefused({"-V", "1"}, "unrecognised option '-V'");
  expectRefused({"-q"}, "the required argument for option '--quite' is missing");
  expectRefused({"-v", "x"}, "the argument ('x') for option '--verbose-level' is invalid");
  expectRefused({"-v", "18446744073709551616"},
                "the argument ('18446744073709551616') for option '--verbose-level' is invalid");
  expectRefused({"-v", "1", "-v", "2"},
                "option '--verbose-level' cannot be specified more than once");
  expectRefused({"--face", "1"},
                "option '--face' is ambiguous and matches '--face0', '--face1', and '--face2'");
  expectRefused({"--dimensions", "5 5 5"},
                "the argument ('5 5 5') for option '--dimensions' is invalid");
  expectRefused({"--quite", "maybe"},
                "the argument ('maybe') for option '--quite' is invalid. Valid choices are "
                "'on|off', 'yes|no', '1|0' and 'true|false'");
  expectRefused({"--input-file", "a\nb", "-v", "\r"},
                "the argument ('\\r') for option '--verbose-level' is invalid");
}

TEST_F(Settings, LibraryErrorsInTheConfigurationFile) {
  config("garbage\n");
  expectRefused({}, "the options configuration file contains an invalid line 'garbage'");
  expectRefused({"--help"}, "the options configuration file contains an invalid line 'garbage'");
  config("help=1\n");
  expectRefused({"--help"}, "unrecognised option 'help'");
  config("verbose-level=1\nverbose-level=1\n");
  expectRefused({}, "option 'verbose-level' cannot be specified more than once");
  config("dimensions=5 5\n");
  expectRefused({}, "the argument ('5 5') for option 'dimensions' is invalid");
  config("[sec]\nx=1\n");
  expectRefused({}, "unrecognised option 'sec.x'");
  // The library's message is a C string: it ends at the NUL it quotes.
  config(std::string("verbose-level=1\0\n", 17));
  expectRefused({}, "the argument ('1");
}

TEST_F(Settings, PlaceholdersInTheInputDoNotHangTheLibrarysMessages) {
  // The library would expand %value% with a text holding %value%, forever.
  expectRefused({"--dimensions", "%value%"}, "invalid option, argument or line for '--dimensions'");
  expectRefused({"--%option%"}, "invalid option, argument or line for '--%option%'");
  // Only an error whose quoted text holds a placeholder loses its message.
  expectRefused({"50%value%.txt", "--bogus"}, "unrecognised option '--bogus'");
  config("# a comment holding %value%\nbogus=1\n");
  expectRefused({}, "unrecognised option 'bogus'");
  config("input-file=%value%\ndimensions=x\n");
  expectRefused({}, "the argument ('x') for option 'dimensions' is invalid");
  config("dimensions=%value%\n");
  expectRefused({}, "invalid option, argument or line for 'dimensions'");
  config("%invalid_line%\n");
  expectRefused({}, "invalid option, argument or line for ''");
  // A lone '%' or "%%" is no placeholder: the library's own message stands.
  config("");
  expectRefused({"--dimensions", "100%"},
                "the argument ('100%') for option '--dimensions' is invalid");
  expectRefused({"--dimensions", "%%"}, "the argument ('%%') for option '--dimensions' is invalid");
}

TEST_F(Settings, ConfigurationFileThatDoesNotReadIsNoError) {
  config("");
  EXPECT_EQ(-1, load({}));
  std::filesystem::remove("tesmo.cfg");
  std::filesystem::create_directory("tesmo.cfg");
  EXPECT_EQ(-1, load({"-v", "1"}));
  EXPECT_EQ(1u, verbose());
  EXPECT_EQ("", err_.str());
}

}  // namespace

}  // namespace tesmo
