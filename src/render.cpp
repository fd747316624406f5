#include "render.hpp"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string_view>
#include <utility>

#include "number_list.hpp"

namespace {

// ---- what every picture shares: the faces' shapes and the marks on them ----

struct FaceAxes {
  int face, second;        // the face and its second axis; its first is `face`
  std::uint64_t columns;   // F
  std::uint64_t rows;      // S; 0 in a box with a size of 0
};

FaceAxes faceAxes(const Maze& maze, int face) {
  const NumberList& sizes = maze.dimensions;
  const bool empty = sizes[0] == 0 || sizes[1] == 0 || sizes[2] == 0;
  const int second = (face + 1) % 3;
  return {face, second, empty ? 0 : sizes[face], empty ? 0 : sizes[second]};
}

bool isWall(const Maze& maze, const FaceAxes& axes, std::uint64_t column, std::uint64_t row) {
  return cellValue(faceList(maze, axes.face), column + axes.rows * row) != 0;
}

struct Spot {
  std::uint64_t column, row;
  bool operator==(const Spot& other) const {
    return column == other.column && row == other.row;
  }
};

Spot spotOf(const FaceAxes& axes, const Position& position) {
  return {position[axes.face], position[axes.second]};
}

bool inBox(const Maze& maze, const Position& position) {
  for (int k = 0; k < 3; ++k) {
    if (position[k] >= maze.dimensions[k]) return false;
  }
  return true;
}

// The failed move as seen on one face: on a face holding the move's axis,
// its direction in columns and rows and the cell it heads for.
struct FaceMove {
  bool shown = false;
  int dColumn = 0, dRow = 0;
  Spot from{}, target{};  // target: outside the face for a stop at the edge
  bool blocker = false;   // the target is the blocking cell of this face
  bool edge = false;
};

FaceMove faceMove(const FaceAxes& axes, const FailedMove& stop) {
  FaceMove move;
  const int axis = stop.blocker.axis;
  const int step = stop.code % 2 == 0 ? 1 : -1;
  const MoveResult reason = stop.blocker.reason;
  if (reason != MoveResult::kEdge && reason != MoveResult::kWall) return move;
  if (axis != axes.face && axis != axes.second) return move;
  move.shown = true;
  (axis == axes.face ? move.dColumn : move.dRow) = step;
  move.from = spotOf(axes, stop.from);
  move.target = {move.from.column + static_cast<std::uint64_t>(move.dColumn),
                 move.from.row + static_cast<std::uint64_t>(move.dRow)};
  move.edge = reason == MoveResult::kEdge;
  move.blocker = reason == MoveResult::kWall && stop.blocker.face == axes.face;
  return move;
}

// What a cell shows, the marks after the cells in the order they cover
// each other.
enum class Mark : std::uint8_t { kOpen, kWall, kRoute, kMove, kStart, kEnd, kBlocker };

// The marks of one face, found once.
struct FaceMarks {
  FaceAxes axes;
  const std::vector<std::uint8_t>* route;  // empty: none
  std::optional<Spot> start, end;
  FaceMove move;
};

FaceMarks faceMarks(const Maze& maze, const Scene& scene, int face) {
  FaceMarks marks{faceAxes(maze, face), &scene.route[face], std::nullopt, std::nullopt, {}};
  if (scene.start && inBox(maze, *scene.start)) marks.start = spotOf(marks.axes, *scene.start);
  if (scene.end && inBox(maze, *scene.end)) marks.end = spotOf(marks.axes, *scene.end);
  if (scene.stop) marks.move = faceMove(marks.axes, *scene.stop);
  return marks;
}

bool onRoute(const FaceMarks& marks, std::uint64_t column, std::uint64_t row) {
  return !marks.route->empty() && (*marks.route)[row * marks.axes.columns + column] != 0;
}

// The text's marks, one per cell: the move's mark stands on its target, or
// where the token stands when the target is outside the box.
Mark markAt(const Maze& maze, const FaceMarks& marks, const Spot& spot) {
  const FaceMove& move = marks.move;
  if (move.shown && move.blocker && spot == move.target) return Mark::kBlocker;
  if (marks.end && spot == *marks.end) return Mark::kEnd;
  if (marks.start && spot == *marks.start) return Mark::kStart;
  if (move.shown && spot == (move.edge ? move.from : move.target)) return Mark::kMove;
  if (onRoute(marks, spot.column, spot.row)) return Mark::kRoute;
  return isWall(maze, marks.axes, spot.column, spot.row) ? Mark::kWall : Mark::kOpen;
}

// The legend: the kinds the picture shows, with their names.
std::vector<std::pair<Mark, const char*>> legendOf(const Maze& maze, const Scene& scene) {
  std::vector<std::pair<Mark, const char*>> items = {{Mark::kWall, "wall"},
                                                     {Mark::kOpen, "open"}};
  if (!scene.route[0].empty()) items.emplace_back(Mark::kRoute, "route");
  if (scene.start && inBox(maze, *scene.start)) items.emplace_back(Mark::kStart, "start");
  if (scene.end && inBox(maze, *scene.end)) items.emplace_back(Mark::kEnd, "end");
  const MoveResult stop = scene.stop ? scene.stop->blocker.reason : MoveResult::kMoved;
  if (stop == MoveResult::kWall) items.emplace_back(Mark::kBlocker, "blocking cell");
  if (stop == MoveResult::kWall || stop == MoveResult::kEdge) {
    items.emplace_back(Mark::kMove, "failed move");
  }
  return items;
}

std::size_t digitCount(std::uint64_t number) {
  std::size_t digits = 1;
  for (; number >= 10; number /= 10) ++digits;
  return digits;
}

}  // namespace

bool drawable(const Maze& maze) {
  for (int face = 0; face < 3; ++face) {
    const FaceAxes axes = faceAxes(maze, face);
    if (axes.rows != 0 && axes.columns > kMaxDrawnCells / axes.rows) return false;
  }
  return true;
}

void markRoute(const Maze& maze, const Position& start,
               const std::deque<std::uint64_t>& moves, std::uint64_t executed,
               Scene* scene) {
  FaceAxes axes[3];
  for (int face = 0; face < 3; ++face) {
    axes[face] = faceAxes(maze, face);
    scene->route[face].assign(axes[face].columns * axes[face].rows, 0);
  }
  auto mark = [&](const Position& position) {
    for (const FaceAxes& face : axes) {
      const Spot spot = spotOf(face, position);
      scene->route[face.face][spot.row * face.columns + spot.column] = 1;
    }
  };
  mark(start);
  const MovePlan plan = planMoves(maze);
  Walk walk = startWalk(maze, start);
  auto code = moves.begin();
  for (std::uint64_t i = 0; i < executed && code != moves.end(); ++i, ++code) {
    applyMove(plan, *code, &walk);
    mark({walk.position[0], walk.position[1], walk.position[2]});
  }
}

bool colourWanted(bool terminal, const char* noColor) {
  return terminal && (noColor == nullptr || *noColor == '\0');
}

// ---- SVG ----

namespace {

const char* const kWallColour = "#2f3542";
const char* const kOpenColour = "#f4efe4";
const char* const kRouteColour = "#f2b134";
const char* const kStartColour = "#1e9e57";
const char* const kEndColour = "#2563eb";
const char* const kStopColour = "#dc2626";

constexpr double kLabelFont = 11, kCharWidth = 0.6 * kLabelFont;
constexpr double kTop = 52;  // the title, the axis name and the column numbers
constexpr double kMargin = 16, kGap = 24, kCaptionFont = 13;
constexpr double kTitleWidth = 13 * 0.62 * 14 + 8;  // "face 0 (x, y)" in bold 14 pixels

std::string escapeXml(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default: escaped += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
  }
  return escaped;
}

// A coordinate: whole pixels as integers, else two decimals at most.
std::string num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string written = text;
  while (written.back() == '0') written.pop_back();
  if (written.back() == '.') written.pop_back();
  return written == "-0" ? "0" : written;
}

// A face's place in the document, in pixels.
struct Panel {
  FaceAxes axes;
  double cell;      // pixels a cell
  std::uint64_t step;  // every step-th column and row is numbered
  double left;      // the row numbers' column
  double x = 0, width = 0, height = 0;
};

// Cells as large as 24 pixels, smaller for long faces, so that a face
// stays about 480 pixels wide; numbers every cell while they fit, else
// every 5th, 10th, 50th...
Panel panelOf(const FaceAxes& axes) {
  Panel panel{axes, 24, 1, 0};
  const std::uint64_t longest = std::max(axes.columns, axes.rows);
  if (longest > 0) {
    panel.cell = static_cast<double>(std::clamp<std::uint64_t>(480 / longest, 2, 24));
  }
  const std::size_t digits = digitCount(longest);
  const double room = std::max(kLabelFont + 1, static_cast<double>(digits) * kCharWidth + 4);
  for (std::uint64_t next = 5; panel.step * panel.cell < room; next *= next % 10 == 0 ? 5 : 2) {
    panel.step = next;
  }
  panel.left = std::max(static_cast<double>(digits), 3.0) * kCharWidth + 8;
  panel.width = std::max(panel.left + static_cast<double>(axes.columns) * panel.cell + 12,
                         kTitleWidth);
  panel.height = kTop + static_cast<double>(axes.rows) * panel.cell + 12;
  return panel;
}

void writeLabels(std::ostream& out, const Panel& p) {
  const FaceAxes& a = p.axes;
  out << "<text x=\"0\" y=\"14\" font-size=\"14\" font-weight=\"bold\" fill=\"#222\">face "
      << a.face << " (" << kAxisNames[a.face] << ", " << kAxisNames[a.second] << ")</text>\n"
      << "<g font-size=\"" << num(kLabelFont) << "\" fill=\"#555\">\n<text x=\""
      << num(p.left + static_cast<double>(a.columns) * p.cell / 2)
      << "\" y=\"30\" text-anchor=\"middle\">" << kAxisNames[a.face] << " \u2192</text>\n<text x=\""
      << num(p.left - 4) << "\" y=\"30\" text-anchor=\"end\">" << kAxisNames[a.second]
      << " \u2193</text>\n<g text-anchor=\"middle\">\n";
  for (std::uint64_t column = 0; column < a.columns; column += p.step) {
    out << "<text x=\"" << num(p.left + (static_cast<double>(column) + 0.5) * p.cell)
        << "\" y=\"46\">" << column << "</text>\n";
  }
  out << "</g>\n<g text-anchor=\"end\">\n";
  for (std::uint64_t row = 0; row < a.rows; row += p.step) {
    out << "<text x=\"" << num(p.left - 6) << "\" y=\""
        << num(kTop + (static_cast<double>(row) + 0.5) * p.cell + 4) << "\">" << row
        << "</text>\n";
  }
  out << "</g>\n</g>\n";
}

// Runs of set cells in a row, joined with the same runs of the rows below
// into taller rects: a maze's corridors and walls run on for many rows.
struct Run {
  std::uint64_t start, length, top;
};

void writeRect(std::ostream& out, const Run& run, std::uint64_t bottom) {
  out << "<rect x=\"";
  writeNumber(out, run.start);
  out << "\" y=\"";
  writeNumber(out, run.top);
  out << "\" width=\"";
  writeNumber(out, run.length);
  out << "\" height=\"";
  writeNumber(out, bottom - run.top);
  out << "\"/>\n";
}

// Carries on each run of `open` that row `row` repeats, into *next; writes
// the others; opens the row's new runs. Both lists are sorted by start.
void joinRow(std::ostream& out, const std::vector<Run>& open, const std::vector<Run>& row,
             std::uint64_t rowIndex, std::vector<Run>* next) {
  next->clear();
  std::size_t i = 0, j = 0;
  while (i < open.size() || j < row.size()) {
    if (j == row.size() || (i < open.size() && open[i].start < row[j].start)) {
      writeRect(out, open[i++], rowIndex);
    } else if (i == open.size() || row[j].start < open[i].start) {
      next->push_back(row[j++]);
    } else {
      if (open[i].length == row[j].length) {
        next->push_back(open[i]);
      } else {
        writeRect(out, open[i], rowIndex);
        next->push_back(row[j]);
      }
      ++i;
      ++j;
    }
  }
}

template <typename IsSet>
void writeRuns(std::ostream& out, const FaceAxes& axes, IsSet isSet) {
  std::vector<Run> open, next, row;
  for (std::uint64_t b = 0; b < axes.rows; ++b) {
    row.clear();
    for (std::uint64_t a = 0; a < axes.columns; ++a) {
      if (!isSet(a, b)) continue;
      if (!row.empty() && row.back().start + row.back().length == a) {
        ++row.back().length;
      } else {
        row.push_back({a, 1, b});
      }
    }
    joinRow(out, open, row, b, &next);
    std::swap(open, next);
  }
  for (const Run& run : open) writeRect(out, run, axes.rows);
}

// The failed move's arrow, in cell units, over the marks: from near the
// middle of the token's cell into the next, or at the box edge up to the
// border, so that it stays clear of the numbers; larger where cells are
// small.
void writeArrow(std::ostream& out, const FaceMove& move, double scale, int face) {
  const double u[2] = {static_cast<double>(move.dColumn), static_cast<double>(move.dRow)};
  const double v[2] = {-u[1], u[0]};
  const double c[2] = {static_cast<double>(move.from.column) + 0.5,
                       static_cast<double>(move.from.row) + 0.5};
  const double tip = move.edge ? 0.5 : 0.1 + 0.85 * scale, tail = tip - 0.85 * scale;
  const double neck = tip - 0.35 * scale, shaft = 0.08 * scale, head = 0.25 * scale;
  const double along[7] = {tail, neck, neck, tip, neck, neck, tail};
  const double across[7] = {shaft, shaft, head, 0, -head, -shaft, -shaft};
  out << "<path id=\"face" << face << "-move\" fill=\"" << kStopColour
      << "\" stroke=\"#ffffff\" stroke-width=\"" << num(0.04 * scale) << "\" d=\"";
  for (int k = 0; k < 7; ++k) {
    out << (k == 0 ? "M" : " L") << num(c[0] + u[0] * along[k] + v[0] * across[k]) << ' '
        << num(c[1] + u[1] * along[k] + v[1] * across[k]);
  }
  out << " Z\"/>\n";
}

// The border the move would cross: the side of the token's cell.
void writeEdge(std::ostream& out, const FaceMove& move, double scale, int face) {
  const double column = static_cast<double>(move.from.column);
  const double row = static_cast<double>(move.from.row);
  double x1 = column + (move.dColumn > 0 ? 1 : 0), y1 = row + (move.dRow > 0 ? 1 : 0);
  double x2 = x1, y2 = y1;
  (move.dColumn != 0 ? y2 : x2) += 1;
  out << "<line id=\"face" << face << "-edge\" x1=\"" << num(x1) << "\" y1=\"" << num(y1)
      << "\" x2=\"" << num(x2) << "\" y2=\"" << num(y2) << "\" stroke=\"" << kStopColour
      << "\" stroke-width=\"" << num(0.25 * scale) << "\" stroke-linecap=\"square\"/>\n";
}

void writeDisc(std::ostream& out, const std::string& id, const Spot& spot, double radius,
               const char* colour, const char* letter, bool lettered) {
  const std::string x = num(static_cast<double>(spot.column) + 0.5);
  const double y = static_cast<double>(spot.row) + 0.5;
  out << "<circle id=\"" << id << "\" cx=\"" << x << "\" cy=\"" << num(y) << "\" r=\""
      << num(radius) << "\" fill=\"" << colour << "\"/>\n";
  if (lettered) {
    out << "<text x=\"" << x << "\" y=\"" << num(y + 0.2)
        << "\" font-size=\"0.55\" font-weight=\"bold\" text-anchor=\"middle\" "
           "fill=\"#ffffff\">"
        << letter << "</text>\n";
  }
}

void writeMarks(std::ostream& out, const FaceMarks& marks, const Scene& scene, double cell) {
  const int face = marks.axes.face;
  const double scale = std::max(1.0, 8 / cell);
  const FaceMove& move = marks.move;
  if (move.shown && move.blocker) {
    const Blocker& blocker = scene.stop->blocker;
    out << "<rect id=\"blocker\" x=\"" << move.target.column << "\" y=\"" << move.target.row
        << "\" width=\"1\" height=\"1\" fill=\"" << kStopColour << "\"><title>face " << face
        << " cell " << blocker.cell << " holds " << blocker.value << "</title></rect>\n";
  }
  if (move.shown && move.edge) writeEdge(out, move, scale, face);
  const double radius = std::max(0.42, 4 / cell);
  const std::string prefix = "face" + std::to_string(face);
  if (marks.start) {
    writeDisc(out, prefix + "-start", *marks.start, radius, kStartColour, "S", cell >= 12);
  }
  if (marks.end) {
    const bool shared = marks.start && *marks.start == *marks.end;
    writeDisc(out, prefix + "-end", *marks.end, shared ? 0.6 * radius : radius, kEndColour,
              "E", cell >= 12 && !shared);
  }
  if (move.shown) writeArrow(out, move, scale, face);
}

void writeFace(std::ostream& out, const Maze& maze, const Scene& scene, const Panel& panel) {
  const FaceMarks marks = faceMarks(maze, scene, panel.axes.face);
  const FaceAxes& axes = panel.axes;
  out << "<g id=\"face" << axes.face << "\" transform=\"translate(" << num(panel.x) << ','
      << num(kMargin) << ")\">\n";
  writeLabels(out, panel);
  out << "<g transform=\"translate(" << num(panel.left) << ',' << num(kTop) << ") scale("
      << num(panel.cell) << ")\">\n<rect width=\"" << axes.columns << "\" height=\""
      << axes.rows << "\" fill=\"" << kOpenColour << "\"/>\n<g id=\"face" << axes.face
      << "-walls\" fill=\"" << kWallColour << "\" shape-rendering=\"crispEdges\">\n";
  writeRuns(out, axes, [&](std::uint64_t a, std::uint64_t b) { return isWall(maze, axes, a, b); });
  out << "</g>\n";
  if (!marks.route->empty()) {
    out << "<g id=\"face" << axes.face << "-route\" fill=\"" << kRouteColour
        << "\" shape-rendering=\"crispEdges\">\n";
    writeRuns(out, axes, [&](std::uint64_t a, std::uint64_t b) { return onRoute(marks, a, b); });
    out << "</g>\n";
  }
  writeMarks(out, marks, scene, panel.cell);
  out << "</g>\n</g>\n";
}

// A legend's swatch, 12 pixels at (x, y - 10).
void writeSwatch(std::ostream& out, Mark mark, double x, double y) {
  static const char* const kColours[] = {kOpenColour, kWallColour, kRouteColour, kStopColour,
                                         kStartColour, kEndColour, kStopColour};
  const char* colour = kColours[static_cast<int>(mark)];
  if (mark == Mark::kStart || mark == Mark::kEnd) {
    out << "<circle cx=\"" << num(x + 6) << "\" cy=\"" << num(y - 4) << "\" r=\"6\" fill=\""
        << colour << "\"/>\n";
  } else if (mark == Mark::kMove) {
    out << "<path d=\"M" << num(x) << ' ' << num(y - 7) << " h6 v-3 l6 6 l-6 6 v-3 h-6 Z\" "
        << "fill=\"" << colour << "\"/>\n";
  } else {
    out << "<rect x=\"" << num(x) << "\" y=\"" << num(y - 10) << "\" width=\"12\" "
        << "height=\"12\" fill=\"" << colour << "\" stroke=\"#999\" stroke-width=\"0.5\"/>\n";
  }
}

// A legend item's width: its swatch, its name in 12 pixels and a gap.
double legendSpace(const char* name) {
  return 18 + 7.2 * static_cast<double>(std::string_view(name).size()) + 16;
}

// The legend and the caption under the faces, from `top` down.
void writeFooter(std::ostream& out, const Maze& maze, const Scene& scene, double top) {
  out << "<g id=\"legend\" font-size=\"12\" fill=\"#333\">\n";
  double x = kMargin;
  for (const auto& [mark, name] : legendOf(maze, scene)) {
    writeSwatch(out, mark, x, top + 14);
    out << "<text x=\"" << num(x + 18) << "\" y=\"" << num(top + 14) << "\">" << name
        << "</text>\n";
    x += legendSpace(name);
  }
  out << "</g>\n<g id=\"caption\" font-size=\"" << num(kCaptionFont) << "\" fill=\"#111\">\n";
  for (std::size_t i = 0; i < scene.caption.size(); ++i) {
    out << "<text x=\"" << num(kMargin) << "\" y=\""
        << num(top + 36 + 18 * static_cast<double>(i)) << "\">" << escapeXml(scene.caption[i])
        << "</text>\n";
  }
  out << "</g>\n";
}

}  // namespace

void writeSvg(std::ostream& out, const Maze& maze, const Scene& scene) {
  std::vector<Panel> panels;
  double x = kMargin, tallest = 0;
  for (int face = 0; face < 3; ++face) {
    panels.push_back(panelOf(faceAxes(maze, face)));
    panels.back().x = x;
    x += panels.back().width + kGap;
    tallest = std::max(tallest, panels.back().height);
  }
  const auto items = legendOf(maze, scene);
  double width = std::accumulate(
      items.begin(), items.end(), 2 * kMargin,
      [](double sum, const auto& item) { return sum + legendSpace(item.second); });
  width = std::max(width, x - kGap + kMargin);
  for (const std::string& line : scene.caption) {
    width = std::max(width, 2 * kMargin + 0.62 * kCaptionFont * static_cast<double>(line.size()));
  }
  const double footer = kMargin + tallest + 8;
  const double height = footer + 36 + 18 * static_cast<double>(scene.caption.size()) + kMargin;
  const std::string w = num(width), h = num(height);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
      << w << "\" height=\"" << h << "\" viewBox=\"0 0 " << w << ' ' << h
      << "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n<title>tesmo render: "
      << maze.dimensions[0] << " x " << maze.dimensions[1] << " x " << maze.dimensions[2]
      << "</title>\n<rect width=\"" << w << "\" height=\"" << h << "\" fill=\"#ffffff\"/>\n";
  for (const Panel& panel : panels) writeFace(out, maze, scene, panel);
  writeFooter(out, maze, scene, footer);
  out << "</svg>\n";
}

// ---- text ----

namespace {

// A cell's two columns: its mark, coloured when asked, and the rest.
struct Glyph {
  const char* mark;
  const char* rest;
  const char* colour;  // an ANSI colour, or null
};

Glyph glyphOf(Mark mark, const FaceMove& move) {
  switch (mark) {
    case Mark::kOpen: return {"\u00b7", " ", "90"};
    case Mark::kWall: return {"\u2588\u2588", "", nullptr};
    case Mark::kRoute: return {"\u2591\u2591", "", "33"};
    case Mark::kStart: return {"S", " ", "1;32"};
    case Mark::kEnd: return {"E", " ", "1;34"};
    case Mark::kBlocker: return {"X", " ", "1;31"};
    default: break;
  }
  const char* arrow = move.dColumn > 0 ? "\u2192" : move.dColumn < 0 ? "\u2190"
                      : move.dRow > 0  ? "\u2193"
                                       : "\u2191";
  return {arrow, " ", "1;31"};
}

void appendMark(std::string* line, const Glyph& glyph, bool colour) {
  if (colour && glyph.colour) {
    *line += std::string("\x1b[") + glyph.colour + 'm' + glyph.mark + "\x1b[0m";
  } else {
    *line += glyph.mark;
  }
}

void trimEnd(std::string* line) {
  while (!line->empty() && line->back() == ' ') line->pop_back();
}

// A face's lines and how many columns each takes on the screen.
struct Block {
  std::vector<std::string> lines;
  std::vector<std::size_t> widths;
  std::size_t width = 0;
};

void addLine(Block* block, std::string line, std::size_t width) {
  block->lines.push_back(std::move(line));
  block->widths.push_back(width);
  block->width = std::max(block->width, width);
}

// The column numbers after the first axis's name, ending under `margin`.
std::string columnLine(const FaceAxes& axes, std::size_t margin) {
  std::string line(margin - 2, ' ');
  line += std::string(kAxisNames[axes.face]) + ' ';
  const std::uint64_t step = axes.columns <= 10 ? 1 : 5;
  for (std::uint64_t column = 0; column < axes.columns; column += step) {
    const std::string number = std::to_string(column);
    const std::size_t at = margin + 2 * column;
    if (line.size() < at + number.size()) line.resize(at + number.size(), ' ');
    line.replace(at, number.size(), number);
  }
  trimEnd(&line);
  return line;
}

Block textFace(const Maze& maze, const Scene& scene, int face, bool colour) {
  const FaceMarks marks = faceMarks(maze, scene, face);
  const FaceAxes& axes = marks.axes;
  const std::size_t digits = digitCount(axes.rows == 0 ? 0 : axes.rows - 1);
  const std::size_t margin = digits + 3;
  Block block;
  const std::string title = "face " + std::to_string(face) + " (" + kAxisNames[face] + ", " +
                            kAxisNames[axes.second] + ")";
  addLine(&block, title, title.size());
  const std::string columns = columnLine(axes, margin);
  addLine(&block, columns, columns.size());
  for (std::uint64_t row = 0; row < axes.rows; ++row) {
    const std::string number = std::to_string(row);
    std::string line = std::string(row == 0 ? kAxisNames[axes.second] : " ") + ' ' +
                       std::string(digits - number.size(), ' ') + number + ' ';
    for (std::uint64_t column = 0; column < axes.columns; ++column) {
      const Glyph glyph = glyphOf(markAt(maze, marks, {column, row}), marks.move);
      appendMark(&line, glyph, colour);
      line += glyph.rest;
    }
    addLine(&block, line, margin + 2 * axes.columns);
  }
  return block;
}

void writeBlocks(std::ostream& out, const Block (&blocks)[3]) {
  std::size_t total = 6, tallest = 0;
  for (const Block& block : blocks) {
    total += block.width;
    tallest = std::max(tallest, block.lines.size());
  }
  if (total > kTextWidth) {
    for (int face = 0; face < 3; ++face) {
      if (face > 0) out << '\n';
      for (std::string line : blocks[face].lines) {
        trimEnd(&line);
        out << line << '\n';
      }
    }
    return;
  }
  for (std::size_t i = 0; i < tallest; ++i) {
    std::string line;
    for (const Block& block : blocks) {
      const bool has = i < block.lines.size();
      if (has) line += block.lines[i];
      line.append(block.width - (has ? block.widths[i] : 0) + 3, ' ');
    }
    trimEnd(&line);
    out << line << '\n';
  }
}

}  // namespace

void writeText(std::ostream& out, const Maze& maze, const Scene& scene, bool colour) {
  const Block blocks[3] = {textFace(maze, scene, 0, colour), textFace(maze, scene, 1, colour),
                           textFace(maze, scene, 2, colour)};
  writeBlocks(out, blocks);
  std::string legend;
  FaceMove arrow;
  arrow.dColumn = 1;
  for (const auto& [mark, name] : legendOf(maze, scene)) {
    if (!legend.empty()) legend += "  ";
    appendMark(&legend, glyphOf(mark, arrow), colour);
    legend += std::string(" ") + name;
  }
  out << '\n' << legend << '\n';
  for (const std::string& line : scene.caption) out << line << '\n';
}
