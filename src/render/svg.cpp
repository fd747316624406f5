#include <algorithm>
#include <cstdio>
#include <numeric>
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
const char* const kStartColour = "#1e9e57";
const char* const kEndColour = "#2563eb";
const char* const kStopColour = "#dc2626";

constexpr double kLabelFont = 11, kCharWidth = 0.6 * kLabelFont;
constexpr double kTop = 52;  // the title, the axis name and the column numbers
constexpr double kMargin = 16, kGap = 24, kCaptionFont = 13;
constexpr double kTitleWidth = 13 * 0.62 * 14 + 8;  // "face 0 (x, y)" in bold 14 pixels

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
void writeRuns(std::ostream& out, const Face& face, IsSet isSet) {
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
    joinRow(out, open, row, b, &next);
    std::swap(open, next);
  }
  for (const Run& run : open) writeRect(out, run, face.rows);
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
  const int face = marks.face.number;
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
    writeDisc(out, prefix + "-end", *marks.end, shared ? 0.6 * radius : radius, kEndColour, "E",
              cell >= 12 && !shared);
  }
  if (move.shown) writeArrow(out, move, scale, face);
}

void writeFace(std::ostream& out, const Maze& maze, const Scene& scene, const Panel& panel) {
  const FaceMarks marks = faceMarks(maze, scene, panel.face.number);
  const Face& face = panel.face;
  out << "<g id=\"face" << face.number << "\" transform=\"translate(" << num(panel.x) << ','
      << num(kMargin) << ")\">\n";
  writeLabels(out, panel);
  out << "<g transform=\"translate(" << num(panel.left) << ',' << num(kTop) << ") scale("
      << num(panel.cell) << ")\">\n<rect width=\"" << face.columns << "\" height=\"" << face.rows
      << "\" fill=\"" << kOpenColour << "\"/>\n<g id=\"face" << face.number << "-walls\" fill=\""
      << kWallColour << "\" shape-rendering=\"crispEdges\">\n";
  writeRuns(out, face, [&](std::uint64_t a, std::uint64_t b) { return isWall(maze, face, a, b); });
  out << "</g>\n";
  if (!marks.route->empty()) {
    out << "<g id=\"face" << face.number << "-route\" fill=\"" << kRouteColour
        << "\" shape-rendering=\"crispEdges\">\n";
    writeRuns(out, face, [&](std::uint64_t a, std::uint64_t b) { return onRoute(marks, a, b); });
    out << "</g>\n";
  }
  writeMarks(out, marks, scene, panel.cell);
  out << "</g>\n</g>\n";
}

// A legend's swatch, 12 pixels at (x, y - 10).
void writeSwatch(std::ostream& out, Mark mark, double x, double y) {
  static const char* const kColours[] = {kOpenColour,  kWallColour, kRouteColour, kStopColour,
                                         kStartColour, kEndColour,  kStopColour};
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
  const double footer = kMargin + tallest + 8;
  const double height = footer + 36 + 18 * static_cast<double>(scene.caption.size()) + kMargin;
  const std::string w = num(width), h = num(height);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
      << w << "\" height=\"" << h << "\" viewBox=\"0 0 " << w << ' ' << h
      << "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n<title>tesmo render: "
      << maze.size[0] << " x " << maze.size[1] << " x " << maze.size[2]
      << "</title>\n<rect width=\"" << w << "\" height=\"" << h << "\" fill=\"#ffffff\"/>\n";
  for (const Panel& panel : panels) writeFace(out, maze, scene, panel);
  writeFooter(out, maze, scene, footer);
  out << "</svg>\n";
}

// ---- text ----

}  // namespace tesmo
