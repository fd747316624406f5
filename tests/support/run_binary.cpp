#include "support/run_binary.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tesmo {

namespace {

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Runs the program with its standard output and error on the given files
// (the same file for both when they are equal) and returns its exit status.
int spawn(const std::string& program, const std::string& dir, const std::vector<std::string>& args,
          const std::string& outPath, const std::string& errPath,
          const std::string& inPath = "/dev/null") {
  const pid_t child = fork();
  if (child == 0) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_APPEND;
    const int in = open(inPath.c_str(), O_RDONLY);
    const int out = open(outPath.c_str(), flags, 0644);
    const int err = errPath == outPath ? out : open(errPath.c_str(), flags, 0644);
    if (in < 0 || out < 0 || err < 0 || chdir(dir.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    // TESMO_TEST_WRAPPER runs the program under a checker, for one
    // "valgrind --error-exitcode=99 ...": words separated by blanks.
    std::vector<std::string> words;
    if (const char* wrapper = std::getenv("TESMO_TEST_WRAPPER")) {
      std::istringstream stream(wrapper);
      for (std::string word; stream >> word;) words.push_back(word);
    }
    words.push_back(program);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string makeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tesmo-test-XXXXXX").string();
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

RunResult runProgram(const std::string& program, const std::string& dir,
                     const std::vector<std::string>& args, bool once) {
  // The captures live beside the working directory, not in it, so that the
  // program never sees them.
  const std::string captures = makeTempDir();
  const std::string outPath = captures + "/out", errPath = captures + "/err";
  const std::string mergedPath = captures + "/merged";
  RunResult result;
  result.status = spawn(program, dir, args, outPath, errPath);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  if (!once && spawn(program, dir, args, mergedPath, mergedPath) != result.status) {
    result.status = -1;  // two runs of the same input must agree
  }
  result.merged = readFile(mergedPath);
  std::filesystem::remove_all(captures);
  return result;
}

RunResult runProgramWithInput(const std::string& program, const std::string& dir,
                              const std::vector<std::string>& args, const std::string& inputPath) {
  const std::string captures = makeTempDir();
  const std::string outPath = captures + "/out", errPath = captures + "/err";
  RunResult result;
  result.status = spawn(program, dir, args, outPath, errPath, inputPath);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  std::filesystem::remove_all(captures);
  return result;
}

}  // namespace tesmo
