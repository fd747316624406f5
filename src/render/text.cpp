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

// A cell's two columns: its mark, coloured when asked, and the rest.
struct Glyph {
  const char* mark;
  const char* rest;
  const char* colour;  // an ANSI colour, or null
};

Glyph glyphOf(Mark mark, const FaceMove& move) {
  switch (mark) {
    case Mark::kOpen:
      return {"\u00b7", " ", "90"};
    case Mark::kWall:
      return {"\u2588\u2588", "", nullptr};
    case Mark::kRoute:
      return {"\u2591\u2591", "", "33"};
    case Mark::kStart:
      return {"S", " ", "1;32"};
    case Mark::kEnd:
      return {"E", " ", "1;34"};
    case Mark::kBlocker:
      return {"X", " ", "1;31"};
    default:
      break;
  }
  const char* arrow = move.dColumn > 0   ? "\u2192"
                      : move.dColumn < 0 ? "\u2190"
                      : move.dRow > 0    ? "\u2193"
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
std::string columnLine(const Face& face, std::size_t margin) {
  std::string line(margin - 2, ' ');
  line += std::string(kAxisNames[face.first]) + ' ';
  const std::uint64_t step = face.columns <= 10 ? 1 : 5;
  for (std::uint64_t column = 0; column < face.columns; column += step) {
    const std::string number = std::to_string(column);
    const std::size_t at = margin + 2 * column;
    if (line.size() < at + number.size()) line.resize(at + number.size(), ' ');
    line.replace(at, number.size(), number);
  }
  trimEnd(&line);
  return line;
}

Block textFace(const Maze& maze, const Scene& scene, int number, bool colour) {
  const FaceMarks marks = faceMarks(maze, scene, number);
  const Face& face = marks.face;
  const std::size_t digits = digitCount(face.rows == 0 ? 0 : face.rows - 1);
  const std::size_t margin = digits + 3;
  Block block;
  const std::string title = "face " + std::to_string(number) + " (" + kAxisNames[number] + ", " +
                            kAxisNames[face.second] + ")";
  addLine(&block, title, title.size());
  const std::string columns = columnLine(face, margin);
  addLine(&block, columns, columns.size());
  for (std::uint64_t row = 0; row < face.rows; ++row) {
    const std::string rowNumber = std::to_string(row);
    std::string line = std::string(row == 0 ? kAxisNames[face.second] : " ") + ' ' +
                       std::string(digits - rowNumber.size(), ' ') + rowNumber + ' ';
    for (std::uint64_t column = 0; column < face.columns; ++column) {
      const Glyph glyph = glyphOf(markAt(maze, marks, {column, row}), marks.move);
      appendMark(&line, glyph, colour);
      line += glyph.rest;
    }
    addLine(&block, line, margin + 2 * face.columns);
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

}  // namespace tesmo
