// tesmo render [PUZZLE] [--solution FILE] [-o OUT] [--text]: draws the
// puzzle's three faces (see render.hpp) as SVG, or as text for a terminal,
// with a solution's route replayed as the verifier replays it.
//
// PUZZLE is a puzzle file taken as `--puzzle PUZZLE` (the two together are
// refused); without either, the puzzle comes from the settings. The start
// and end drawn are the solution's, else the puzzle file's. The caption:
// the verdict, and explain's lines on where the walk stopped and where the
// token stands (see messages.hpp).
//
// Exit status: 0 drawn. 1: the verifier refuses the solution with status 1
// (it cannot be read, a start or end is not three numbers, no moves, an
// invalid code): its messages, nothing drawn. 2: settings refused, a box too
// large to draw, or the output cannot be written. A start or end outside the
// box or on a wall (status 0 for the verifier): its line on stderr and as
// the caption, and the faces drawn without a route or marks, status 0.

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "messages.hpp"
#include "puzzle_source.hpp"
#include "render.hpp"
#include "replay.hpp"
#include "search.hpp"
#include "tesmo.hpp"

namespace po = boost::program_options;

namespace {

CommandLine renderCommandLine() {
  CommandLine commandLine{optionGroup(), 1,
                          "usage: tesmo render [options] [PUZZLE]\n\n"
                          "Draws the puzzle's three faces side by side as SVG, or in the "
                          "terminal with\n--text, with the route of a solution, its start and "
                          "end, and the move that\nstopped it.",
                          "drawn-file"};
  commandLine.group.add_options()
      ("drawn-file", po::value<std::string>(), "puzzle file, as the argument (as --puzzle)")
      ("solution", po::value<std::string>(), "solution file whose route is drawn")
      ("output,o", po::value<std::string>(), "write the picture to this file, not stdout")
      ("text", "draw for a terminal, in Unicode blocks");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

// A PUZZLE argument is passed on as --puzzle, so that each refusal of
// --puzzle (puzzle options beside it, a faulty file) holds for it too.
std::optional<int> loadRenderPuzzle(int argc, const char* const argv[], PuzzleSource* source,
                                    std::ostream& out, std::ostream& err) {
  const CommandLine commandLine = renderCommandLine();
  po::variables_map first;
  if (std::optional<int> status = loadSettings(argc, argv, commandLine, &first, out, err)) {
    return status;
  }
  if (!first.count("drawn-file")) return loadPuzzle(argc, argv, commandLine, source, out, err);
  if (first.count("puzzle")) {
    err << "--puzzle and a PUZZLE argument cannot be given together" << std::endl;
    return kSettingsRefused;
  }
  const std::string option = "--puzzle=" + first["drawn-file"].as<std::string>();
  std::vector<const char*> args = {argv[0], option.c_str()};
  args.insert(args.end(), argv + 1, argv + argc);
  return loadPuzzle(static_cast<int>(args.size()), args.data(), commandLine, source, out, err);
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// The walk's marks and words: the verdict (the verifier's last line), then
// as explain says them, where it stopped and where the token stands.
void drawWalk(const Maze& maze, const ReplayFacts& facts, const std::deque<std::uint64_t>& moves,
              const std::string& lines, Scene* scene) {
  const WalkOutcome& outcome = facts.outcome;
  scene->start = facts.start;
  scene->end = facts.end;
  markRoute(maze, *facts.start, moves, outcome.executed, scene);
  const std::vector<std::string> said = linesOf(lines);
  if (!said.empty()) scene->caption.push_back(said.back());
  if (outcome.stop != MoveResult::kMoved) {
    scene->stop = FailedMove{outcome.position, outcome.stopCode,
                             blockerOf(maze, outcome.position, outcome.stopCode)};
    scene->caption.push_back(stopLine(maze, outcome));
  }
  if (outcome.position == *facts.end) {
    scene->caption.push_back(
        successLine(outcome.executed, searchDistance(maze, *facts.start, *facts.end)));
  } else {
    scene->caption.push_back(failureLine(
        outcome, *facts.end, searchDistance(maze, outcome.position, *facts.end)));
  }
}

// Replays the solution into the scene, or returns the status the run ends
// with after the verifier's messages.
std::optional<int> drawSolution(const std::string& file, const Maze& maze, Scene* scene,
                                std::ostream& out, std::ostream& err) {
  std::ostringstream lines, errors;
  std::deque<std::uint64_t> moves;
  const ReplayFacts facts = replaySolution(file, maze, false, &moves, lines, errors);
  if (facts.status != 0) {
    out << lines.str() << std::flush;
    err << errors.str();
    if (!facts.opened) err << oneLine(file) << ": the solution file cannot be opened or read\n";
    err.flush();
    return facts.status;
  }
  scene->start.reset();
  scene->end.reset();
  if (!facts.walked) {  // a start or end the verifier refuses, with one line
    err << lines.str() << errors.str() << std::flush;
    scene->caption = linesOf(lines.str() + errors.str());
    return std::nullopt;
  }
  drawWalk(maze, facts, moves, lines.str(), scene);
  return std::nullopt;
}

void draw(std::ostream& stream, const Maze& maze, const Scene& scene, bool text, bool colour) {
  if (text) {
    writeText(stream, maze, scene, colour);
  } else {
    writeSvg(stream, maze, scene);
  }
}

int writePicture(const po::variables_map& settings, const Maze& maze, const Scene& scene,
                 std::ostream& out, std::ostream& err) {
  const bool text = settings.count("text") != 0;
  if (!settings.count("output")) {
    draw(out, maze, scene, text, text && colourWanted(isatty(1) != 0, std::getenv("NO_COLOR")));
    out.flush();
    return 0;
  }
  const std::string path = settings["output"].as<std::string>();
  std::ofstream file(path, std::ios::binary);
  if (file) {
    draw(file, maze, scene, text, false);
    file.close();
  }
  if (!file) {
    err << oneLine(path) << ": cannot write the picture: " << std::strerror(errno) << std::endl;
    return kSettingsRefused;
  }
  return 0;
}

}  // namespace

int runRender(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (std::optional<int> status = loadRenderPuzzle(argc, argv, &source, out, err)) {
    return *status;
  }
  const Maze maze = sourceMaze(source);
  if (!drawable(maze)) {
    err << "The box is too large to draw: a face may hold at most " << kMaxDrawnCells
        << " cells!" << std::endl;
    return kSettingsRefused;
  }
  Scene scene;
  if (source.fromFile) {
    scene.start = source.file.start;
    scene.end = source.file.end;
  }
  if (source.settings.count("solution")) {
    if (std::optional<int> status = drawSolution(source.settings["solution"].as<std::string>(),
                                                 maze, &scene, out, err)) {
      return *status;
    }
  }
  return writePicture(source.settings, maze, scene, out, err);
}
