// Tests of the pictures (render.hpp) and of `tesmo render`: the SVG is
// well-formed, its wall rects rebuild each face exactly as the puzzle file
// draws it, the route's shadow and the marks sit where the walk and
// `tesmo explain --json` put them; the text is exact for a tiny puzzle, and
// coloured only when asked; the exit statuses; a 101^3 puzzle's size and
// marks.

#include "render/render.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "formats/puzzle_file.hpp"
#include "support/run_binary.hpp"

namespace tesmo {

namespace {

// 4 x 2 x 3: face 0 has overlapping rows (cells 2 and 3 in both), faces 1
// and 2 unread cells between rows.
const std::string kTiny =
    "size 4 2 3\nstart 0 0 0\nend 3 0 2\n"
    "face 0\n0000\n0001\n"
    "face 1\n00\n01\n00\n"
    "face 2\n000\n010\n000\n000\n";

// x+1, x+1, y+1, then x+1 into face 0 cell 5 (x=3, y=1).
const std::string kTinyWall = "0 0 0\n3 0 2\n0 0 2 0\n";

std::string readText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool haveTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// ---- a small reader of the SVG's tags ----

struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<std::string> ids;  // of the enclosing elements, outermost first
};

// An '&' must start one of XML's entities.
bool entitiesSound(const std::string& text) {
  static const std::regex entity("^&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);");
  for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 1)) {
    if (!std::regex_search(text.substr(at, 12), entity)) return false;
  }
  return text.find('<') == std::string::npos;
}

// Reads one tag's name and attributes from `tag` (between '<' and '>').
bool readTag(const std::string& tag, Element* element, bool* closed) {
  std::size_t at = 0;
  while (at < tag.size() && tag[at] != ' ' && tag[at] != '/' && tag[at] != '\n') ++at;
  element->name = tag.substr(0, at);
  *closed = !tag.empty() && tag.back() == '/';
  // Attributes by hand: std::regex recurses once a character, and a path's
  // data runs to many kilobytes.
  const std::string rest = tag.substr(at, tag.size() - at - (*closed ? 1 : 0));
  const auto nameChar = [](char c, bool first) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == ':' ||
           (!first && (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.'));
  };
  for (std::size_t i = 0;;) {
    const std::size_t start = rest.find_first_not_of(" \n", i);
    if (start == std::string::npos) break;
    if (start == i && i > 0) return false;  // attributes stand apart
    std::size_t end = start;
    while (end < rest.size() && nameChar(rest[end], end == start)) ++end;
    if (end == start || rest.compare(end, 2, "=\"") != 0) return false;
    const std::size_t close = rest.find('"', end + 2);
    if (close == std::string::npos) return false;
    const std::string name = rest.substr(start, end - start);
    const std::string value = rest.substr(end + 2, close - end - 2);
    if (!entitiesSound(value) || element->attributes.count(name)) return false;
    element->attributes[name] = value;
    i = close + 1;
  }
  return !element->name.empty();
}

// The document's elements in order, or a fault: unbalanced tags, a stray
// '&' or '<', more than one root.
std::string scanSvg(const std::string& svg, std::vector<Element>* elements) {
  const std::string prolog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  if (svg.compare(0, prolog.size(), prolog) != 0) return "no XML prolog";
  std::vector<std::pair<std::string, std::string>> open;  // name, id
  std::size_t at = prolog.size(), roots = 0;
  while (at < svg.size()) {
    const std::size_t start = svg.find('<', at);
    const std::string text = svg.substr(at, start - at);
    if (!entitiesSound(text)) return "bad text: " + text;
    if (start == std::string::npos) break;
    if (open.empty() && text.find_first_not_of(" \n") != std::string::npos) return "text outside";
    const std::size_t end = svg.find('>', start);
    if (end == std::string::npos) return "a tag never ends";
    const std::string tag = svg.substr(start + 1, end - start - 1);
    at = end + 1;
    if (tag[0] == '/') {
      if (open.empty() || open.back().first != tag.substr(1)) return "unbalanced </" + tag;
      open.pop_back();
      continue;
    }
    Element element;
    bool closed = false;
    if (!readTag(tag, &element, &closed)) return "bad tag <" + tag + ">";
    if (open.empty()) ++roots;
    for (const auto& outer : open) element.ids.push_back(outer.second);
    elements->push_back(element);
    if (!closed) open.emplace_back(element.name, element.attributes["id"]);
  }
  if (!open.empty()) return "<" + open.back().first + "> never closed";
  return roots == 1 ? "" : "not one root";
}

bool within(const Element& element, const std::string& id) {
  return std::find(element.ids.begin(), element.ids.end(), id) != element.ids.end();
}

using Cells = std::set<std::pair<std::uint64_t, std::uint64_t>>;  // (column, row)

// The cells the paths named `id`, or inside group `id`, cover, each a list of rectangles
// "Mx yhWvHh-Wz"; each cell once.
Cells coveredCells(const std::vector<Element>& elements, const std::string& id) {
  Cells cells;
  for (const Element& e : elements) {
    const bool named = e.attributes.count("id") && e.attributes.at("id") == id;
    if (e.name != "path" || !(named || within(e, id))) continue;
    std::istringstream d(e.attributes.at("d"));
    std::uint64_t x, y, w, h, back;
    char m, sp, hh, v, h2, minus, z;
    while (d >> m) {
      d >> std::noskipws >> x >> sp >> y >> hh >> w >> v >> h >> h2 >> minus >> back >> z >>
          std::skipws;
      const bool rectangle = d && m == 'M' && sp == ' ' && hh == 'h' && v == 'v' && h2 == 'h' &&
                             minus == '-' && back == w && z == 'z';
      EXPECT_TRUE(rectangle) << e.attributes.at("d");
      if (!rectangle) break;
      for (std::uint64_t row = y; row < y + h; ++row) {
        for (std::uint64_t column = x; column < x + w; ++column) {
          EXPECT_TRUE(cells.emplace(column, row).second) << "covered twice in " << id;
        }
      }
    }
  }
  return cells;
}

const Element* findId(const std::vector<Element>& elements, const std::string& id) {
  const auto found = std::find_if(elements.begin(), elements.end(), [&](const Element& e) {
    return e.attributes.count("id") && e.attributes.at("id") == id;
  });
  return found == elements.end() ? nullptr : &*found;
}

// The wall cells of each face as the puzzle file's rows draw them.
std::vector<Cells> fileWalls(const std::string& text) {
  std::vector<Cells> walls(3);
  std::istringstream lines(text);
  int face = -1;
  std::uint64_t row = 0;
  for (std::string line; std::getline(lines, line);) {
    line.erase(std::min(line.find('#'), line.size()));
    line.erase(line.find_last_not_of(" \t\r") + 1);
    line.erase(0, line.find_first_not_of(" \t"));
    if (line.empty()) continue;
    if (line.rfind("face ", 0) == 0) {
      face = line[5] - '0';
      row = 0;
    } else if (face >= 0 && std::isdigit(static_cast<unsigned char>(line[0]))) {
      for (std::uint64_t column = 0; column < line.size(); ++column) {
        if (line[column] != '0') walls[face].emplace(column, row);
      }
      ++row;
    } else {
      face = -1;
    }
  }
  return walls;
}

std::string stripColour(const std::string& text) {
  return std::regex_replace(text, std::regex("\x1b\\[[0-9;]*m"), "");
}

class Render : public InTempDir {
 protected:
  RunResult tesmo(const std::vector<std::string>& args) {
    return runProgram(TESMO_PATH, dir_, args, true);
  }
  std::string path(const std::string& name) { return dir_ + "/" + name; }
  void file(const std::string& name, const std::string& text) { writeFile(path(name), text); }
  // Renders to OUT.svg, checks the document, returns its elements.
  std::vector<Element> svgOf(std::vector<std::string> args) {
    args.insert(args.begin(), "render");
    args.insert(args.end(), {"-o", "out.svg"});
    const RunResult run = tesmo(args);
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.out);
    std::vector<Element> elements;
    const std::string fault = scanSvg(readText(path("out.svg")), &elements);
    EXPECT_EQ("", fault);
    return elements;
  }
};

}  // namespace

TEST(RenderUnit, ColourOnlyForATerminalWithoutNoColor) {
  EXPECT_TRUE(colourWanted(true, nullptr));
  EXPECT_TRUE(colourWanted(true, ""));
  EXPECT_FALSE(colourWanted(true, "1"));
  EXPECT_FALSE(colourWanted(true, "0"));
  EXPECT_FALSE(colourWanted(false, nullptr));
  EXPECT_FALSE(colourWanted(false, ""));
}

TEST(RenderUnit, DrawsFacesUpTo2048By2048Cells) {
  const NumberList none;
  const NumberList square = {2048, 2048, 1}, wide = {2049, 2048, 1}, empty = {0, 5000, 5000};
  EXPECT_TRUE(drawable(listMaze(square, none, none, none)));
  EXPECT_FALSE(drawable(listMaze(wide, none, none, none)));
  EXPECT_TRUE(drawable(listMaze(empty, none, none, none)));
}

// The scene of kTinyWall, built as `tesmo render` builds it.
Scene tinyScene(const Maze& maze) {
  Scene scene;
  scene.start = Position{0, 0, 0};
  scene.end = Position{3, 0, 2};
  markRoute(maze, {0, 0, 0}, {0, 0, 2, 0}, 3, &scene);
  scene.stop = walkMoveList(maze, {2, 1, 0}, NumberList{0}, 0);
  scene.caption = {"a caption & <more>"};
  return scene;
}

TEST(RenderUnit, ColourWrapsTheMarksOfTheSameText) {
  Puzzle puzzle;
  std::string error;
  ASSERT_TRUE(parsePuzzle(kTiny, "tiny.txt", &puzzle, &error)) << error;
  const Maze maze = puzzleMaze(puzzle);
  const Scene scene = tinyScene(maze);
  std::ostringstream plain, coloured;
  writeText(plain, maze, scene, false, 80);
  writeText(coloured, maze, scene, true, 80);
  EXPECT_EQ(std::string::npos, plain.str().find('\x1b'));
  EXPECT_NE(std::string::npos, coloured.str().find("\x1b[1;32mS\x1b[0m"));
  EXPECT_NE(std::string::npos, coloured.str().find("\x1b[1;31mX\x1b[0m"));
  EXPECT_EQ(plain.str(), stripColour(coloured.str()));
  std::ostringstream svg;
  writeSvg(svg, maze, scene);
  EXPECT_NE(std::string::npos, svg.str().find(">a caption &amp; &lt;more&gt;</text>"));
  std::vector<Element> elements;
  EXPECT_EQ("", scanSvg(svg.str(), &elements));
}

TEST_F(Render, TextOfATinyPuzzleIsExact) {
  file("tiny.txt", kTiny);
  file("wall.txt", kTinyWall);
  const RunResult run = tesmo({"render", "tiny.txt", "--solution", "wall.txt", "--text"});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("", run.err);
  EXPECT_EQ(
      "face 0 (x, y)   face 1 (y, z)   face 2 (z, x)\n"
      "  x 0 1 2 3       y 0 1           z 0 1 2\n"
      "y 0 S ░░░░E     z 0 S ░░        x 0 S · ·\n"
      "  1 · · ░░X       1 · ██          1 ░░██·\n"
      "                  2 E ·           2 ░░· ·\n"
      "                                  3 ↓ · E\n"
      "\n"
      "██ wall  · open  ░░ route  S start  E end  X blocking cell  → failed move\n"
      "FAILURE (3)\n"
      "move 4: code 0 (x+1) from (2,1,0) runs into a wall: face 0 cell 5 (x=3, y=1)\n"
      "holds 1\n"
      "after 3 moves the token stands at (2,1,0), 4 moves from the end (3,0,2)\n",
      run.out);
  // The puzzle alone: its start and end, no route.
  const RunResult bare = tesmo({"render", "tiny.txt", "--text"});
  EXPECT_EQ(0, bare.status);
  EXPECT_NE(std::string::npos, bare.out.find("y 0 S · · E     z 0 S ·"));
  EXPECT_NE(std::string::npos, bare.out.find("\n██ wall  · open  S start  E end\n"));
}

// The columns a line takes: a column a character of UTF-8.
std::size_t columnsOf(const std::string& line) {
  std::size_t columns = 0;
  for (char c : line) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return columns;
}

// Whatever the terminal's width (COLUMNS), no line is wider: faces side by
// side, one under another, one column a cell, or a note of the width needed.
TEST_F(Render, TextFitsTheTerminalsWidth) {
  const RunResult generated = tesmo({"generate", "61", "3", "3", "--budget", "0"});
  ASSERT_EQ(0, generated.status);
  file("wide.txt", generated.out);
  const RunResult solved = tesmo({"solve", "--puzzle", "wide.txt"});
  ASSERT_EQ(0, solved.status);
  file("route.txt", solved.out);
  const struct {
    const char* columns;
    std::string begins;  // what the picture begins with
  } widths[] = {
      {"200", "face 0 (x, y)" + std::string(116, ' ') + "face 1 (y, z)   face 2 (z, x)\n"},
      {"126", "face 0 (x, y)\n  x 0         5         10"},
      {"80", "face 0 (x, y)\n  x 0         10        20        30"},
      {"65", "The faces need a terminal 66 columns wide; this one has 65.\n"},
  };
  for (const auto& width : widths) {
    SCOPED_TRACE(width.columns);
    ASSERT_EQ(0, setenv("COLUMNS", width.columns, 1));
    const RunResult run = tesmo({"render", "wide.txt", "--solution", "route.txt", "--text"});
    EXPECT_EQ(0u, run.out.find(width.begins)) << run.out.substr(0, 300);
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(columnsOf(line), std::stoul(width.columns)) << line;
    }
  }
  unsetenv("COLUMNS");
}

TEST_F(Render, ColourOnlyOnATerminalWithoutNoColor) {
  if (!haveTool("script")) GTEST_SKIP() << "script (util-linux) is not installed";
  // A chroot without /dev/pts has no terminal to give.
  if (std::system("script -qec true /dev/null </dev/null >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "no pseudo-terminal can be made here";
  }
  file("tiny.txt", kTiny);
  // script(1) runs the command on a terminal of its own.
  const auto onTerminal = [&](const std::string& noColor) {
    const std::string command = "cd '" + dir_ + "' && NO_COLOR=" + noColor +
                                " script -qec '" TESMO_PATH
                                " render tiny.txt --text' /dev/null </dev/null >tty.txt";
    EXPECT_EQ(0, std::system(command.c_str()));
    return readText(path("tty.txt"));
  };
  EXPECT_NE(std::string::npos, onTerminal("").find("\x1b[1;32mS\x1b[0m"));
  const std::string plain = onTerminal("1");
  EXPECT_NE(std::string::npos, plain.find("y 0 S "));
  EXPECT_EQ(std::string::npos, plain.find('\x1b'));
  EXPECT_EQ(std::string::npos, tesmo({"render", "tiny.txt", "--text"}).out.find('\x1b'));
}

// Each face's wall rects cover exactly the wall cells the file draws.
void expectFacesOfFile(const std::vector<Element>& elements, const std::string& text) {
  const std::vector<Cells> walls = fileWalls(text);
  for (int face = 0; face < 3; ++face) {
    SCOPED_TRACE("face " + std::to_string(face));
    EXPECT_EQ(walls[face], coveredCells(elements, "face" + std::to_string(face) + "-walls"));
  }
}

TEST_F(Render, WallRectsRebuildTheFacesOfThePuzzleFile) {
  const std::string examples = TESMO_EXAMPLES_DIR;
  for (const std::string name : {"/maze.txt", "/custom/maze.txt"}) {
    SCOPED_TRACE(name);
    expectFacesOfFile(svgOf({examples + name}), readText(examples + name));
  }
  file("tiny.txt", kTiny);
  expectFacesOfFile(svgOf({"tiny.txt"}), kTiny);
  for (const char* size : {"7", "12"}) {
    const RunResult generated = tesmo({"generate", size, "9", "5", "--budget", "0"});
    ASSERT_EQ(0, generated.status);
    file("generated.txt", generated.out);
    expectFacesOfFile(svgOf({"--puzzle", "generated.txt"}), generated.out);
  }
}

TEST_F(Render, SvgIsWellFormedForXmllint) {
  if (!haveTool("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
  file("tiny.txt", kTiny);
  file("wall.txt", kTinyWall);
  svgOf({"tiny.txt", "--solution", "wall.txt"});
  EXPECT_EQ(0, std::system(("xmllint --noout '" + path("out.svg") + "'").c_str()));
  svgOf({std::string(TESMO_EXAMPLES_DIR) + "/maze.txt", "--solution",
         std::string(TESMO_EXAMPLES_DIR) + "/wall.txt"});
  EXPECT_EQ(0, std::system(("xmllint --noout '" + path("out.svg") + "'").c_str()));
}

// The shadow of a route that executes every move, walked here.
std::vector<Cells> shadowOf(Position at, const std::vector<int>& codes) {
  std::vector<Cells> shadow(3);
  auto mark = [&] {
    for (int face = 0; face < 3; ++face) shadow[face].emplace(at[face], at[(face + 1) % 3]);
  };
  mark();
  for (int code : codes) {
    at[code / 2] += code % 2 == 0 ? 1 : -1;
    mark();
  }
  return shadow;
}

TEST_F(Render, RouteShadowAndEndsOfASuccess) {
  const std::string examples = TESMO_EXAMPLES_DIR;
  const std::vector<Element> elements =
      svgOf({"--puzzle", examples + "/maze.txt", "--solution", examples + "/solution.txt"});
  const std::vector<int> route = {0, 0, 2, 2, 2, 2, 1, 1, 2, 2, 0, 0, 4, 4, 2, 2,
                                  0, 0, 3, 3, 3, 3, 4, 4, 4, 4, 2, 2, 5, 5, 2, 2,
                                  4, 4, 1, 1, 4, 4, 0, 0, 0, 0, 5, 5, 0, 0, 4, 4};
  const std::vector<Cells> shadow = shadowOf({1, 1, 1}, route);
  for (int face = 0; face < 3; ++face) {
    const std::string id = "face" + std::to_string(face);
    EXPECT_EQ(shadow[face], coveredCells(elements, id + "-route"));
    const Element* start = findId(elements, id + "-start");
    const Element* end = findId(elements, id + "-end");
    if (!start || !end) {
      ADD_FAILURE() << "no start or end on " << id;
      continue;
    }
    EXPECT_EQ("1.5", start->attributes.at("cx"));
    EXPECT_EQ("9.5", end->attributes.at("cy"));
    EXPECT_FALSE(findId(elements, id + "-move"));
  }
  EXPECT_FALSE(findId(elements, "blocker"));
  EXPECT_NE(std::string::npos, readText(path("out.svg")).find(">SUCCESS</text>"));
}

// Where `tesmo explain --json` says the walk of SOLUTION stopped: face, cell.
std::pair<int, std::uint64_t> explainedStop(const std::string& json) {
  std::smatch match;
  EXPECT_TRUE(std::regex_search(json, match, std::regex("\"face\":([0-9]),\"cell\":([0-9]+)")));
  if (match.empty()) return {-1, 0};
  return {std::stoi(match[1]), std::stoull(match[2])};
}

TEST_F(Render, BlockerSitsWhereExplainSaysTheWalkStopped) {
  const std::string examples = TESMO_EXAMPLES_DIR;
  file("tiny.txt", kTiny);
  file("wall.txt", kTinyWall);
  struct Case {
    std::string puzzle, solution;
    std::uint64_t second;  // the blocker face's rows
  };
  for (const Case& c : {Case{examples + "/maze.txt", examples + "/wall.txt", 11},
                        Case{"tiny.txt", "wall.txt", 2}}) {
    SCOPED_TRACE(c.solution);
    const RunResult json = tesmo({"explain", "--json", "--puzzle", c.puzzle, c.solution});
    const auto [face, cell] = explainedStop(json.out);
    const std::vector<Element> elements = svgOf({c.puzzle, "--solution", c.solution});
    const Element* blocker = findId(elements, "blocker");
    ASSERT_TRUE(blocker);
    EXPECT_TRUE(within(*blocker, "face" + std::to_string(face)));
    EXPECT_EQ(cell, std::stoull(blocker->attributes.at("x")) +
                        c.second * std::stoull(blocker->attributes.at("y")));
    const std::string svg = readText(path("out.svg"));
    const RunResult text = tesmo({"explain", "--puzzle", c.puzzle, c.solution});
    const std::string stop = text.out.substr(text.out.find("\nmove ") + 1);
    EXPECT_NE(std::string::npos, svg.find(">" + stop.substr(0, stop.find('\n')) + "</text>"));
  }
}

TEST_F(Render, StopAtTheEdgeMarksTheBorder) {
  file("tiny.txt", kTiny);
  file("edge.txt", "0 0 0\n3 0 2\n0 5\n");  // x+1, then z-1 at z = 0
  const std::vector<Element> elements = svgOf({"tiny.txt", "--solution", "edge.txt"});
  EXPECT_FALSE(findId(elements, "blocker"));
  EXPECT_FALSE(findId(elements, "face0-move"));  // face 0 holds no z
  for (const char* id : {"face1-move", "face2-move", "face1-edge", "face2-edge"}) {
    EXPECT_TRUE(findId(elements, id)) << id;
  }
  const Element* edge = findId(elements, "face2-edge");  // z is face 2's columns
  ASSERT_TRUE(edge);
  EXPECT_EQ("0", edge->attributes.at("x1"));
  EXPECT_EQ("0", edge->attributes.at("x2"));
  EXPECT_EQ("1", edge->attributes.at("y1"));
  EXPECT_EQ("2", edge->attributes.at("y2"));
  const RunResult text = tesmo({"render", "tiny.txt", "--solution", "edge.txt", "--text"});
  EXPECT_NE(std::string::npos, text.out.find("  1 ← ██·\n"));
  EXPECT_NE(std::string::npos, text.out.find("\nmove 2: code 5 (z-1) from (1,0,0) runs into "
                                             "the box edge on axis z\n"));
}

TEST_F(Render, RefusedSolutionsGetTheVerifiersMessagesAndNoPicture) {
  file("tiny.txt", kTiny);
  struct Case {
    std::string solution;
    int status;
    std::string err;
  };
  for (const Case& c : {Case{"0 0\n3 0 2\n0\n", 1, "Start position (0,0) is not 3-dimensional!\n"},
                        Case{"0 0 0\n3 0 2\n", 1, "Solution () is empty!\n"},
                        Case{"0 0 0\n3 0 2\n0 9\n", 1, "Invalid move (9)!\n"}}) {
    SCOPED_TRACE(c.solution);
    file("solution.txt", c.solution);
    const RunResult run = tesmo({"render", "tiny.txt", "--solution", "solution.txt"});
    EXPECT_EQ(c.status, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ(c.err, run.err);
  }
  const RunResult missing = tesmo({"render", "tiny.txt", "--solution", "none.txt", "-o", "x.svg"});
  EXPECT_EQ(1, missing.status);
  EXPECT_EQ("none.txt: cannot read the solution file: No such file or directory\n", missing.err);
  EXPECT_FALSE(std::ifstream(path("x.svg")).good());
}

TEST_F(Render, RefusedEndpointsDrawThePuzzleAlone) {
  file("tiny.txt", kTiny);
  file("outside.txt", "0 0 5\n3 0 2\n0\n");
  file("onwall.txt", "0 0 0\n3 1 0\n0\n");
  const std::vector<Element> elements = svgOf({"tiny.txt", "--solution", "outside.txt"});
  EXPECT_FALSE(findId(elements, "face0-route"));
  EXPECT_FALSE(findId(elements, "face0-start"));
  EXPECT_NE(std::string::npos,
            readText(path("out.svg")).find(">Start position out of boundary (0,0,5)!</text>"));
  const RunResult run = tesmo({"render", "tiny.txt", "--solution", "onwall.txt", "--text"});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("Invalid end position (3,1,0)!\n", run.err);
  EXPECT_NE(std::string::npos, run.out.find("\n██ wall  · open\n"
                                            "Invalid end position (3,1,0)!\n"));
}

TEST_F(Render, SettingsAndOutputRefusals) {
  file("tiny.txt", kTiny);
  const RunResult both = tesmo({"render", "tiny.txt", "--puzzle", "tiny.txt"});
  EXPECT_EQ(2, both.status);
  EXPECT_EQ("--puzzle and a PUZZLE argument cannot be given together\n", both.err);
  const RunResult option = tesmo({"render", "tiny.txt", "--dimensions", "4"});
  EXPECT_EQ(2, option.status);
  EXPECT_EQ("--puzzle and --dimensions cannot be given together\n", option.err);
  const RunResult bad = tesmo({"render", "none.txt"});
  EXPECT_EQ(2, bad.status);
  EXPECT_EQ(0u, bad.err.find("none.txt: cannot read the puzzle file: "));
  const RunResult two = tesmo({"render", "tiny.txt", "tiny.txt"});
  EXPECT_EQ(2, two.status);
  const RunResult unwritable = tesmo({"render", "tiny.txt", "-o", "no/such/dir.svg"});
  EXPECT_EQ(2, unwritable.status);
  EXPECT_EQ("no/such/dir.svg: cannot write the picture: No such file or directory\n",
            unwritable.err);
  const RunResult help = tesmo({"render", "--help"});
  EXPECT_EQ(0, help.status);
  EXPECT_EQ(0u, help.out.find("usage: tesmo render [options] [PUZZLE]\n"));
  // The built-in puzzle, from the settings, on stdout.
  const RunResult builtIn = tesmo({"render"});
  EXPECT_EQ(0, builtIn.status);
  EXPECT_EQ(0u, builtIn.out.find("<?xml"));
  std::vector<Element> elements;
  EXPECT_EQ("", scanSvg(builtIn.out, &elements));
  EXPECT_EQ(fileWalls(readText(std::string(TESMO_EXAMPLES_DIR) + "/maze.txt"))[1],
            coveredCells(elements, "face1-walls"));
}

// A 101^3 puzzle with a 1,000-move route into a wall: at most 1 MB, and
// drawn 900 pixels wide, marks a reader sees without zooming.
TEST_F(Render, LargePuzzleStaysSmallAndItsMarksPlain) {
  const std::string large = std::string(TESMO_EXAMPLES_DIR) + "/large";
  const std::vector<Element> elements =
      svgOf({large + "/maze.txt", "--solution", large + "/failure.txt"});
  const std::string svg = readText(path("out.svg"));
  EXPECT_LE(svg.size(), 1000u * 1000);
  EXPECT_NE(std::string::npos, svg.find(">FAILURE (999)</text>"));
  // Pixels at 900 wide of a length in face 1's cells.
  const double shown = 900 / std::stod(elements.at(0).attributes.at("width"));
  const auto cells = std::find_if(elements.begin(), elements.end(), [](const Element& e) {
    return e.name == "g" && within(e, "face1") && e.attributes.count("transform");
  });
  ASSERT_NE(elements.end(), cells);
  const std::string transform = cells->attributes.at("transform");
  const double pixels = shown * std::stod(transform.substr(transform.find("scale(") + 6));
  for (const char* id : {"face1-start", "face1-end"}) {
    const Element* disc = findId(elements, id);
    ASSERT_TRUE(disc) << id;
    EXPECT_GE(std::stod(disc->attributes.at("r")) * pixels, 7.0) << id;
  }
  const Element* blocker = findId(elements, "blocker");
  ASSERT_TRUE(blocker);
  EXPECT_TRUE(within(*blocker, "face1"));
  const auto ring = std::find_if(elements.begin(), elements.end(), [](const Element& e) {
    return e.name == "rect" && e.attributes.count("stroke") && within(e, "face1");
  });
  ASSERT_NE(elements.end(), ring);
  EXPECT_GE(std::stod(ring->attributes.at("width")) * pixels, 20.0);
  EXPECT_TRUE(findId(elements, "face1-move"));
  EXPECT_TRUE(findId(elements, "face1-route-line"));
}

TEST_F(Render, SvgConvertsToPng) {
  if (!haveTool("rsvg-convert")) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
  const std::string examples = TESMO_EXAMPLES_DIR;
  svgOf({examples + "/maze.txt", "--solution", examples + "/wall.txt"});
  ASSERT_EQ(
      0,
      std::system(
          ("rsvg-convert -w 300 '" + path("out.svg") + "' -o '" + path("out.png") + "'").c_str()));
  EXPECT_EQ(0u, readText(path("out.png")).find("\x89PNG\r\n\x1a\n"));
}

}  // namespace tesmo

namespace tesmo {

// The page holds its data where a name cannot end the script; --text and
// --html are refused together.
TEST_F(Render, HtmlPageKeepsItsScriptWhole) {
  file("tiny.txt", kTiny);
  std::filesystem::create_directory(path("a<"));
  const std::string name = "a</script><b>\xff.txt";
  file(name, kTinyWall);
  const RunResult page = tesmo({"render", "--html", "tiny.txt", "--solution", name});
  EXPECT_EQ(0, page.status) << page.err;
  EXPECT_EQ(0u, page.out.find("<!DOCTYPE html>\n"));
  std::size_t scripts = 0;
  for (std::size_t at = page.out.find("</script>"); at != std::string::npos;
       at = page.out.find("</script>", at + 1)) {
    ++scripts;
  }
  EXPECT_EQ(1u, scripts);
  EXPECT_NE(std::string::npos, page.out.find("\"moves\":\"0020\",\"invalid\":null"));
  const RunResult both = tesmo({"render", "--html", "--text", "tiny.txt"});
  EXPECT_EQ(2, both.status);
  EXPECT_EQ("--text and --html cannot be given together\n", both.err);
}

}  // namespace tesmo
