#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "base/quote.hpp"
#include "render/scene.hpp"

namespace tesmo {

using namespace render_detail;  // NOLINT(google-build-using-namespace): the scene's own parts

namespace {

const char* const kWallColour = "#2f3542";
const char* const kOpenColour = "#f4efe4";
const char* const kRouteColour = "#f2b134";
// The route's shades, first moves to last: light to dark.
const char* const kShadeColours[kRouteShades] = {"#fde68a", "#fcd34d", "#fbbf24", "#f59e0b",
                                                 "#d97706", "#b45309", "#92400e", "#78350f"};
const char* const kStartColour = "#1e9e57";
const char* const kEndColour = "#2563eb";
const char* const kStopColour = "#dc2626";

constexpr double kLabelFont = 11, kCharWidth = 0.6 * kLabelFont;
constexpr double kTop = 52;  // the title, the axis name and the column numbers
constexpr double kMargin = 16, kGap = 24, kCaptionFont = 13;
constexpr double kTitleWidth = 13 * 0.62 * 14 + 8;  // "face 0 (x, y)" in bold 14 pixels
// Marks are sized in the pixels of the picture drawn this wide, so that they
// stay plain to see however small the cells are.
constexpr double kShownWidth = 900;

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
  Face face;
  double cell;         // pixels a cell
  std::uint64_t step;  // every step-th column and row is numbered
  double left;         // the row numbers' column
  double x = 0, width = 0, height = 0;
};

// Cells as large as 24 pixels, smaller for long faces, so that a face
// stays about 480 pixels wide; numbers every cell while they fit, else
// every 5th, 10th, 50th...
Panel panelOf(const Face& face) {
  Panel panel{face, 24, 1, 0};
  const std::uint64_t longest = std::max(face.columns, face.rows);
  if (longest > 0) {
    panel.cell = static_cast<double>(std::clamp<std::uint64_t>(480 / longest, 2, 24));
  }
  const std::size_t digits = digitCount(longest);
  const double room = std::max(kLabelFont + 1, static_cast<double>(digits) * kCharWidth + 4);
  for (std::uint64_t next = 5; panel.step * panel.cell < room; next *= next % 10 == 0 ? 5 : 2) {
    panel.step = next;
  }
  panel.left = std::max(static_cast<double>(digits), 3.0) * kCharWidth + 8;
  panel.width =
      std::max(panel.left + static_cast<double>(face.columns) * panel.cell + 12, kTitleWidth);
  panel.height = kTop + static_cast<double>(face.rows) * panel.cell + 12;
  return panel;
}

void writeLabels(std::ostream& out, const Panel& p) {
  const Face& a = p.face;
  out << "<text x=\"0\" y=\"14\" font-size=\"14\" font-weight=\"bold\" fill=\"#222\">face "
      << a.number << " (" << kAxisNames[a.first] << ", " << kAxisNames[a.second] << ")</text>\n"
      << "<g font-size=\"" << num(kLabelFont) << "\" fill=\"#555\">\n<text x=\""
      << num(p.left + static_cast<double>(a.columns) * p.cell / 2)
      << "\" y=\"30\" text-anchor=\"middle\">" << kAxisNames[a.first]
      << " \u2192</text>\n<text x=\"" << num(p.left - 4) << "\" y=\"30\" text-anchor=\"end\">"
      << kAxisNames[a.second] << " \u2193</text>\n<g text-anchor=\"middle\">\n";
  for (std::uint64_t column = 0; column < a.columns; column += p.step) {
    out << "<text x=\"" << num(p.left + (static_cast<double>(column) + 0.5) * p.cell)
        << "\" y=\"46\">" << column << "</text>\n";
  }
  out << "</g>\n<g text-anchor=\"end\">\n";
  for (std::uint64_t row = 0; row < a.rows; row += p.step) {
    out << "<text x=\"" << num(p.left - 6) << "\" y=\""
        << num(kTop + (static_cast<double>(row) + 0.5) * p.cell + 4) << "\">" << row << "</text>\n";
  }
  out << "</g>\n</g>\n";
}

// Runs of set cells in a row, joined with the same runs of the rows below
// into taller rectangles (a maze's corridors and walls run on for many
// rows), written as one path: a rectangle costs a fifth of a <rect>.
struct Run {
  std::uint64_t start, length, top;
};

void writeRect(std::ostream& out, const Run& run, std::uint64_t bottom) {
  out << 'M';
  writeNumber(out, run.start);
  out << ' ';
  writeNumber(out, run.top);
  out << 'h';
  writeNumber(out, run.length);
  out << 'v';
  writeNumber(out, bottom - run.top);
  out << "h-";
  writeNumber(out, run.length);
  out << 'z';
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

// A path of the cells for which isSet(a, b) holds, or nothing when none
// does.
template <typename IsSet>
void writeCells(std::ostream& out, const Face& face, const std::string& attributes, IsSet isSet) {
  std::ostringstream d;
  std::vector<Run> open, next, row;
  for (std::uint64_t b = 0; b < face.rows; ++b) {
    row.clear();
    for (std::uint64_t a = 0; a < face.columns; ++a) {
      if (!isSet(a, b)) continue;
      if (!row.empty() && row.back().start + row.back().length == a) {
        ++row.back().length;
      } else {
        row.push_back({a, 1, b});
      }
    }
    joinRow(d, open, row, b, &next);
    std::swap(open, next);
  }
  for (const Run& run : open) writeRect(d, run, face.rows);
  if (d.tellp() > 0) out << "<path " << attributes << " d=\"" << d.str() << "\"/>\n";
}

// The failed move's arrow, in cell units, over the marks: 0.85 * scale
// long, its tip `tip` cells from the middle of the token's cell towards the
// cell it could not enter.
void writeArrow(std::ostream& out, const FaceMove& move, double scale, double tip, int face) {
  const double u[2] = {static_cast<double>(move.dColumn), static_cast<double>(move.dRow)};
  const double v[2] = {-u[1], u[0]};
  const double c[2] = {static_cast<double>(move.from.column) + 0.5,
                       static_cast<double>(move.from.row) + 0.5};
  const double tail = tip - 0.85 * scale;
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

// A disc on a cell, with its letter, `radius` in cells.
void writeDisc(std::ostream& out, const std::string& id, const Spot& spot, double radius,
               const char* colour, const char* letter) {
  const std::string x = num(static_cast<double>(spot.column) + 0.5);
  const double y = static_cast<double>(spot.row) + 0.5;
  out << "<circle id=\"" << id << "\" cx=\"" << x << "\" cy=\"" << num(y) << "\" r=\""
      << num(radius) << "\" fill=\"" << colour << "\" stroke=\"#ffffff\" stroke-width=\""
      << num(radius / 6) << "\"/>\n<text x=\"" << x << "\" y=\"" << num(y + 0.42 * radius)
      << "\" font-size=\"" << num(1.2 * radius)
      << "\" font-weight=\"bold\" text-anchor=\"middle\" fill=\"#ffffff\">" << letter
      << "</text>\n";
}

// The blocking cell, red, in a ring `side` cells wide lettered X.
void writeBlocker(std::ostream& out, const FaceMove& move, const Blocker& blocker, double side,
                  double pixel, int face) {
  const double column = static_cast<double>(move.target.column);
  const double row = static_cast<double>(move.target.row);
  const double corner = (1 - side) / 2;
  out << "<rect id=\"blocker\" x=\"" << num(column) << "\" y=\"" << num(row)
      << "\" width=\"1\" height=\"1\" fill=\"" << kStopColour << "\"><title>face " << face
      << " cell " << blocker.cell << " holds " << blocker.value << "</title></rect>\n"
      << "<rect x=\"" << num(column + corner) << "\" y=\"" << num(row + corner) << "\" width=\""
      << num(side) << "\" height=\"" << num(side) << "\" fill=\"none\" stroke=\"" << kStopColour
      << "\" stroke-width=\"" << num(std::max(0.12, 3 * pixel)) << "\"/>\n<text x=\""
      << num(column + corner + side) << "\" y=\"" << num(row + corner - 2 * pixel)
      << "\" font-size=\"" << num(std::max(0.6, 13 * pixel)) << "\" font-weight=\"bold\" fill=\""
      << kStopColour << "\">X</text>\n";
}

// The marks over a face, sized in pixels of the picture shown kShownWidth
// wide (`pixel` cells each) and never smaller than a cell.
void writeMarks(std::ostream& out, const FaceMarks& marks, const Scene& scene, double pixel) {
  const int face = marks.face.number;
  const double scale = std::max(1.0, 20 * pixel);
  const FaceMove& move = marks.move;
  // Where cells are large the arrow reaches into the cell it could not
  // enter; where they are small it stops at the border (the edge, or a cell
  // on a face without the blocker) or at the blocker's ring, which it
  // would otherwise hide.
  double tip = move.edge ? 0.5 : scale > 1 ? 0.5 : 0.1 + 0.85 * scale;
  // The blocker's ring: `side` cells wide round its cell.
  const double side = std::max(1.0, 22 * pixel), corner = (1 - side) / 2;
  if (move.shown && move.blocker && scale > 1) tip = 0.5 + corner;
  if (move.shown && move.edge) writeEdge(out, move, scale, face);
  const double radius = std::max(0.42, 8 * pixel);
  const std::string prefix = "face" + std::to_string(face);
  const bool shared = marks.start && marks.end && *marks.start == *marks.end;
  if (marks.end && shared) {
    // The end as a ring round the start, lettered beside it.
    const double x = static_cast<double>(marks.end->column) + 0.5;
    const double y = static_cast<double>(marks.end->row) + 0.5;
    out << "<circle id=\"" << prefix << "-end\" cx=\"" << num(x) << "\" cy=\"" << num(y)
        << "\" r=\"" << num(1.45 * radius) << "\" fill=\"none\" stroke=\"" << kEndColour
        << "\" stroke-width=\"" << num(radius / 3) << "\"/>\n<text x=\"" << num(x + 1.7 * radius)
        << "\" y=\"" << num(y + 0.42 * radius) << "\" font-size=\"" << num(1.2 * radius)
        << "\" font-weight=\"bold\" fill=\"" << kEndColour << "\">E</text>\n";
  } else if (marks.end) {
    writeDisc(out, prefix + "-end", *marks.end, radius, kEndColour, "E");
  }
  if (marks.start) writeDisc(out, prefix + "-start", *marks.start, radius, kStartColour, "S");
  if (move.shown && move.blocker) writeBlocker(out, move, scene.stop->blocker, side, pixel, face);
  if (move.shown) writeArrow(out, move, scale, tip, face);
}

// The route in its shades, cell by cell, and, when short enough, as a
// line through the cells' centres with a mark of its direction every so
// often, so that its order can be followed.
void writeRoute(std::ostream& out, const FaceMarks& marks, const Scene& scene, double pixel) {
  const Face& face = marks.face;
  out << "<g id=\"face" << face.number << "-route\" shape-rendering=\"crispEdges\">\n";
  for (std::uint8_t shade = 1; shade <= kRouteShades; ++shade) {
    writeCells(out, face, std::string("fill=\"") + kShadeColours[shade - 1] + "\"",
               [&](std::uint64_t a, std::uint64_t b) {
                 return (*marks.route)[drawnIndex(face, {a, b})] == shade;
               });
  }
  out << "</g>\n";
  // The line's spots, each with the shade of the route's step it stands
  // for, as the cells are shaded.
  std::vector<Spot> spots;
  std::vector<int> shades;
  for (std::size_t step = 0; step < scene.routeLine.size(); ++step) {
    const Spot spot = spotOf(face, scene.routeLine[step]);
    if (!spots.empty() && spots.back() == spot) continue;
    spots.push_back(spot);
    shades.push_back(static_cast<int>(step * kRouteShades / scene.routeLine.size()));
  }
  if (spots.size() < 2) return;
  const double width = std::max(0.08, 1.6 * pixel), head = std::max(0.3, 5 * pixel);
  const auto points = [&](std::size_t from, std::size_t to) {
    out << " points=\"";
    for (std::size_t i = from; i <= to; ++i) {
      out << (i > from ? " " : "") << spots[i].column << ".5," << spots[i].row << ".5";
    }
    out << "\"/>\n";
  };
  // A dark line, and over it, where cells are too small to show their
  // shades, the line in the shades of its steps.
  out << "<g id=\"face" << face.number << "-route-line\" stroke=\"#3f1d0b\" fill=\"#3f1d0b\">\n"
      << "<polyline fill=\"none\" stroke-width=\"" << num(width) << "\" stroke-linejoin=\"round\"";
  points(0, spots.size() - 1);
  if (pixel > 0.25) {
    for (std::size_t from = 0; from + 1 < spots.size();) {
      std::size_t to = from + 1;
      while (to + 1 < spots.size() && shades[to] == shades[from]) ++to;
      out << "<polyline fill=\"none\" stroke=\"" << kShadeColours[shades[from]]
          << "\" stroke-width=\"" << num(width / 2) << "\" stroke-linejoin=\"round\"";
      points(from, to);
      from = to;
    }
  }
  // A head on the step in the middle of each twelfth of the line.
  const std::size_t marksCount = std::min<std::size_t>(12, spots.size() - 1);
  for (std::size_t k = 0; k < marksCount; ++k) {
    const std::size_t i = (2 * k + 1) * (spots.size() - 1) / (2 * marksCount);
    const double dx =
        static_cast<double>(spots[i + 1].column) - static_cast<double>(spots[i].column);
    const double dy = static_cast<double>(spots[i + 1].row) - static_cast<double>(spots[i].row);
    const double cx = static_cast<double>(spots[i].column) + 0.5 + dx / 2;
    const double cy = static_cast<double>(spots[i].row) + 0.5 + dy / 2;
    out << "<path stroke=\"none\" d=\"M" << num(cx + dx * head) << ' ' << num(cy + dy * head)
        << " L" << num(cx - dx * head - dy * head) << ' ' << num(cy - dy * head + dx * head) << " L"
        << num(cx - dx * head + dy * head) << ' ' << num(cy - dy * head - dx * head) << " Z\"/>\n";
  }
  out << "</g>\n";
}

void writeFace(std::ostream& out, const Maze& maze, const Scene& scene, const Panel& panel,
               double shownScale) {
  const FaceMarks marks = faceMarks(maze, scene, panel.face.number);
  const Face& face = panel.face;
  const double pixel = shownScale / panel.cell;
  out << "<g id=\"face" << face.number << "\" transform=\"translate(" << num(panel.x) << ','
      << num(kMargin) << ")\">\n";
  writeLabels(out, panel);
  out << "<g transform=\"translate(" << num(panel.left) << ',' << num(kTop) << ") scale("
      << num(panel.cell) << ")\">\n<rect width=\"" << face.columns << "\" height=\"" << face.rows
      << "\" fill=\"" << kOpenColour << "\"/>\n";
  writeCells(out, face,
             "id=\"face" + std::to_string(face.number) + "-walls\" fill=\"" + kWallColour +
                 "\" shape-rendering=\"crispEdges\"",
             [&](std::uint64_t a, std::uint64_t b) { return isWall(maze, face, a, b); });
  if (!marks.route->empty()) writeRoute(out, marks, scene, pixel);
  writeMarks(out, marks, scene, pixel);
  out << "</g>\n</g>\n";
}

// A legend's swatch, 12 pixels at (x, y - 10).
void writeSwatch(std::ostream& out, Mark mark, double x, double y) {
  static const char* const kColours[] = {kOpenColour,  kWallColour, kRouteColour, kStopColour,
                                         kStartColour, kEndColour,  kStopColour};
  const char* colour = kColours[static_cast<int>(mark)];
  if (mark == Mark::kRoute) {  // the shades, first to last
    for (int shade = 0; shade < kRouteShades; ++shade) {
      out << "<rect x=\"" << num(x + 1.5 * shade) << "\" y=\"" << num(y - 10)
          << "\" width=\"1.5\" height=\"12\" fill=\"" << kShadeColours[shade] << "\"/>\n";
    }
  } else if (mark == Mark::kStart || mark == Mark::kEnd) {
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
    out << "<text x=\"" << num(kMargin) << "\" y=\"" << num(top + 36 + 18 * static_cast<double>(i))
        << "\">" << escapeXml(scene.caption[i]) << "</text>\n";
  }
  out << "</g>\n";
}

}  // namespace

void writeSvg(std::ostream& out, const Maze& maze, const Scene& scene) {
  std::vector<Panel> panels;
  double x = kMargin, tallest = 0;
  for (int face = 0; face < 3; ++face) {
    panels.push_back(panelOf(mazeFace(maze, face)));
    panels.back().x = x;
    x += panels.back().width + kGap;
    tallest = std::max(tallest, panels.back().height);
  }
  const auto items = legendOf(maze, scene);
  double width =
      std::accumulate(items.begin(), items.end(), 2 * kMargin,
                      [](double sum, const auto& item) { return sum + legendSpace(item.second); });
  width = std::max(width, x - kGap + kMargin);
  for (const std::string& line : scene.caption) {
    width = std::max(width, 2 * kMargin + 0.62 * kCaptionFont * static_cast<double>(line.size()));
  }
  const double shownScale = width / kShownWidth;
  const double footer = kMargin + tallest + 8;
  const double height = footer + 36 + 18 * static_cast<double>(scene.caption.size()) + kMargin;
  const std::string w = num(width), h = num(height);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
      << w << "\" height=\"" << h << "\" viewBox=\"0 0 " << w << ' ' << h
      << "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n<title>tesmo render: "
      << maze.size[0] << " x " << maze.size[1] << " x " << maze.size[2]
      << "</title>\n<rect width=\"" << w << "\" height=\"" << h << "\" fill=\"#ffffff\"/>\n";
  for (const Panel& panel : panels) writeFace(out, maze, scene, panel, shownScale);
  writeFooter(out, maze, scene, footer);
  out << "</svg>\n";
}

// ---- text ----

}  // namespace tesmo
