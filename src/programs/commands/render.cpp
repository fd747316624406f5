// tesmo render [PUZZLE] [--solution FILE] [-o OUT] [--text]: draws the
// puzzle's three faces (see render.hpp) as SVG, or as text for a terminal,
// with a solution's route replayed as the verifier replays it.
//
// PUZZLE is a puzzle file taken as `--puzzle PUZZLE` (the two together are
// refused); without either, the puzzle comes from the settings. The start
// and end drawn are the solution's, else the puzzle file's. The caption:
// the verdict, and explain's lines on where the walk stopped and where the
// token stands (see words.hpp).
//
// Exit status: 0 drawn. 1: the verifier refuses the solution with status 1
// (it cannot be read, a start or end is not three numbers, no moves, an
// invalid code): its messages, nothing drawn. 2: settings refused, a box too
// large to draw, or the output cannot be written. A start or end outside the
// box or on a wall (status 0 for the verifier): its line on stderr and as
// the caption, and the faces drawn without a route or marks, status 0.

#include "render/render.hpp"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "base/exit_status.hpp"
#include "base/quote.hpp"
#include "cli/puzzle_source.hpp"
#include "engine/walk.hpp"
#include "programs/command.hpp"
#include "programs/print.hpp"
#include "render/html.hpp"
#include "render/model.hpp"
#include "verify/endpoints.hpp"
#include "verify/replay.hpp"
#include "verify/words.hpp"

namespace tesmo {

namespace po = boost::program_options;

namespace {

CommandLine renderCommandLine() {
  CommandLine commandLine{optionGroup(), 1,
                          "usage: tesmo render [options] [PUZZLE]\n\n"
                          "Draws the puzzle's three faces side by side as SVG, or in the "
                          "terminal with\n--text, with the route of a solution, its start and "
                          "end, and the move that\nstopped it.",
                          kPuzzleArgument};
  commandLine.group.add_options()(kPuzzleArgument, po::value<std::string>(),
                                  "puzzle file, as the argument (as --puzzle)")(
      "solution", po::value<std::string>(), "solution file whose route is drawn")(
      "output,o", po::value<std::string>(), "write the picture to this file, not stdout")(
      "text", "draw for a terminal, in Unicode blocks")(
      "html", "write one HTML page to replay the solution or play the puzzle in a browser")(
      "stl", po::value<std::string>(),
      "write a 3-D printable model (STL) to this file: the box, or the route of --solution")(
      "flat", "with --stl, the three plates side by side to print flat")(
      "ascii", "with --stl, ASCII STL, not binary")("cell", po::value<double>()->default_value(5.0),
                                                    "with --stl, a cell's side in millimetres")(
      "wall-height", po::value<double>()->default_value(2.0),
      "with --stl, the walls' height in millimetres")(
      "base", po::value<double>()->default_value(2.0),
      "with --stl, the plates' thickness in millimetres");
  addPuzzleSource(&commandLine.group);
  return commandLine;
}

// What a picture is drawn of: the scene, or with --html the page.
struct Drawing {
  Scene scene;
  bool html = false;
  HtmlPage page;
};

// The walk's marks and words: the verdict (the verifier's last line), then
// as explain says them, where it stopped and where the token stands.
void drawWalk(const Maze& maze, const ReplayFacts& facts, Scene* scene) {
  const WalkOutcome& outcome = facts.outcome;
  scene->start = facts.start;
  scene->end = facts.end;
  markRoute(maze, *facts.start, facts.moves, outcome.executed, scene);
  if (!facts.said.empty()) scene->caption.push_back(facts.said.back().text);
  if (outcome.stop != MoveResult::kMoved) {
    scene->stop = outcome;
    scene->caption.push_back(stopLine(outcome));
  }
  if (outcome.position == *facts.end) {
    scene->caption.push_back(
        successLine(outcome.executed, searchDistance(maze, *facts.start, *facts.end)));
  } else {
    scene->caption.push_back(
        failureLine(outcome, *facts.end, searchDistance(maze, outcome.position, *facts.end)));
  }
}

// Replays the solution into the drawing, or returns the status the run
// ends with after the verifier's messages. A page (--html) also replays a
// walk that meets an invalid code, up to it.
std::optional<int> drawSolution(const std::string& file, const Maze& maze, Drawing* drawing,
                                std::ostream& out, std::ostream& err) {
  ReplayFacts facts;
  replaySolution(file, maze, false, true, &facts);
  const bool invalidCode = facts.walked && facts.outcome.stop == MoveResult::kInvalid;
  if (facts.status != 0 && !(drawing->html && invalidCode)) {
    // The verifier's standard output first, as a caller that keeps the two
    // streams apart sees them, then its errors.
    for (const SaidLine& line : facts.said) {
      if (line.stream == Stream::kOut) out << line.text << '\n';
    }
    out.flush();
    for (const SaidLine& line : facts.said) {
      if (line.stream == Stream::kErr) err << line.text << '\n';
    }
    if (!facts.opened) err << cannotRead(file, "solution", facts.readError) << '\n';
    err.flush();
    return facts.status;
  }
  Scene& scene = drawing->scene;
  HtmlPage& page = drawing->page;
  scene.start.reset();
  scene.end.reset();
  page.start = facts.start;
  page.end = facts.end;
  page.replay = true;
  if (!facts.walked) {  // a start or end the verifier refuses, with one line
    for (const SaidLine& line : facts.said) {
      err << line.text << '\n';
      scene.caption.push_back(line.text);
      page.refusal += (page.refusal.empty() ? "" : " ") + line.text;
    }
    err.flush();
    return std::nullopt;
  }
  page.moves = facts.moves;
  if (invalidCode) return std::nullopt;
  drawWalk(maze, facts, &scene);
  page.summary = scene.caption.back();
  return std::nullopt;
}

// A puzzle file's start and end, for a page to play from: the verifier's
// line when it refuses one.
void pageEndpoints(const PuzzleSource& source, const Maze& maze, HtmlPage* page) {
  if (!source.fromFile || !source.file.start || !source.file.end) return;
  page->start = source.file.start;
  page->end = source.file.end;
  Said said;
  if (!endpointUsable(*page->start, kStart, maze, &said) ||
      !endpointUsable(*page->end, kEnd, maze, &said)) {
    page->refusal = said.back().text;
  }
}

// The width text must fit: COLUMNS when it holds a number, else the
// terminal's on stdout, else 80.
std::size_t textWidth() {
  const char* columns = std::getenv("COLUMNS");
  if (columns && *columns) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(columns, &end, 10);
    if (*end == '\0' && value > 0 && value < 100000) return value;
  }
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void draw(std::ostream& stream, const Maze& maze, const Drawing& drawing, bool text, bool colour) {
  if (drawing.html) {
    writeHtml(stream, maze, drawing.page);
  } else if (text) {
    writeText(stream, maze, drawing.scene, colour, textWidth());
  } else {
    writeSvg(stream, maze, drawing.scene);
  }
}

int writePicture(const po::variables_map& settings, const Maze& maze, const Drawing& drawing,
                 std::ostream& out, std::ostream& err) {
  const bool text = settings.count("text") != 0;
  if (!settings.count("output")) {
    draw(out, maze, drawing, text, text && colourWanted(isatty(1) != 0, std::getenv("NO_COLOR")));
    out.flush();
    return 0;
  }
  const bool written =
      writeOutputFile(settings["output"].as<std::string>(), "picture",
                      [&](std::ostream& file) { draw(file, maze, drawing, text, false); }, err);
  return written ? 0 : kSettingsRefused;
}

// The positions a solution's walk stands on, or the status the run ends
// with after the verifier's messages (a start or end it refuses included:
// there is no route to model).
std::optional<int> routePositions(const std::string& file, const Maze& maze,
                                  std::vector<Position>* positions, std::ostream& out,
                                  std::ostream& err) {
  Drawing drawing;
  if (std::optional<int> status = drawSolution(file, maze, &drawing, out, err)) return status;
  if (!drawing.page.refusal.empty()) return kCannotUse;
  Walker walker = startWalker(maze, *drawing.page.start, drawing.page.moves.size());
  positions->push_back(*drawing.page.start);
  for (const std::uint64_t code : drawing.page.moves) {
    if (!stepWalker(&walker, code)) break;
    positions->push_back(walkerOutcome(walker).position);
  }
  return std::nullopt;
}

// --stl FILE: the model of the box (assembled, or --flat) or of the route.
int writeModel(const PuzzleSource& source, const Maze& maze, std::ostream& out, std::ostream& err) {
  const po::variables_map& settings = source.settings;
  for (const char* other : {"text", "html", "output"}) {
    if (settings.count(other)) {
      err << "--stl and --" << other << " cannot be given together" << std::endl;
      return kSettingsRefused;
    }
  }
  ModelSizes sizes;
  sizes.cell = settings["cell"].as<double>();
  sizes.wallHeight = settings["wall-height"].as<double>();
  sizes.base = settings["base"].as<double>();
  std::string fault = modelSizesFault(sizes);
  if (fault.empty() && boxIsEmpty(maze.size)) fault = "the box has a size of 0: nothing to print";
  if (fault.empty() && !settings.count("solution")) {
    fault = modelGridFault(maze, settings.count("flat") != 0);
  }
  if (!fault.empty()) {
    err << fault << std::endl;
    return kSettingsRefused;
  }
  Solid solid;
  if (settings.count("solution")) {
    std::vector<Position> positions;
    if (std::optional<int> status =
            routePositions(settings["solution"].as<std::string>(), maze, &positions, out, err)) {
      return *status;
    }
    solid = routeModel(positions, sizes);
  } else {
    solid = settings.count("flat") ? flatModel(maze, sizes) : assembledModel(maze, sizes);
  }
  std::vector<Triangle> triangles;
  if (!meshSolid(solid, &triangles, &fault)) {
    err << fault << std::endl;
    return kSettingsRefused;
  }
  const std::string title = "tesmo render --stl, " + std::to_string(maze.size[0]) + " x " +
                            std::to_string(maze.size[1]) + " x " + std::to_string(maze.size[2]) +
                            " cells";
  const bool written = writeOutputFile(
      settings["stl"].as<std::string>(), "model",
      [&](std::ostream& file) {
        if (settings.count("ascii")) {
          writeStlAscii(file, triangles, "tesmo");
        } else {
          writeStlBinary(file, triangles, title);
        }
      },
      err);
  return written ? 0 : kSettingsRefused;
}

int runRender(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  PuzzleSource source;
  if (const std::optional<int> loaded =
          startCommand(argc, argv, renderCommandLine(), &source, out, err)) {
    return *loaded;
  }
  const Maze maze = sourceMaze(source);
  if (source.settings.count("stl")) return writeModel(source, maze, out, err);
  if (!drawable(maze)) {
    err << "The box is too large to draw: a face may hold at most " << kMaxDrawnCells << " cells!"
        << std::endl;
    return kSettingsRefused;
  }
  Drawing drawing;
  drawing.html = source.settings.count("html") != 0;
  if (drawing.html && source.settings.count("text")) {
    err << "--text and --html cannot be given together" << std::endl;
    return kSettingsRefused;
  }
  if (source.fromFile) {
    drawing.scene.start = source.file.start;
    drawing.scene.end = source.file.end;
    pageEndpoints(source, maze, &drawing.page);
  }
  drawing.page.title = "tesmo: " + std::to_string(maze.size[0]) + " x " +
                       std::to_string(maze.size[1]) + " x " + std::to_string(maze.size[2]);
  if (source.settings.count("solution")) {
    const std::string solution = source.settings["solution"].as<std::string>();
    drawing.page.title += ", " + solution;
    if (std::optional<int> status = drawSolution(solution, maze, &drawing, out, err)) {
      return *status;
    }
  }
  return writePicture(source.settings, maze, drawing, out, err);
}

}  // namespace

extern const Command kRenderCommand = {"render", "draw a puzzle's faces as SVG or in the terminal",
                                       runRender};

}  // namespace tesmo
