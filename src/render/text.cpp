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

// A cell's columns: its mark, coloured when asked, and the rest.
struct Glyph {
  const char* mark;
  const char* rest;
  const char* colour;  // an ANSI colour, or null
};

// Two columns a cell, or with `dense` one.
Glyph glyphOf(Mark mark, const FaceMove& move, bool dense = false) {
  switch (mark) {
    case Mark::kOpen:
      return {"\u00b7", dense ? "" : " ", "90"};
    case Mark::kWall:
      return {dense ? "\u2588" : "\u2588\u2588", "", nullptr};
    case Mark::kRoute:
      return {dense ? "\u2591" : "\u2591\u2591", "", "33"};
    case Mark::kStart:
      return {"S", dense ? "" : " ", "1;32"};
    case Mark::kEnd:
      return {"E", dense ? "" : " ", "1;34"};
    case Mark::kBlocker:
      return {"X", dense ? "" : " ", "1;31"};
    default:
      break;
  }
  const char* arrow = move.dColumn > 0   ? "\u2192"
                      : move.dColumn < 0 ? "\u2190"
                      : move.dRow > 0    ? "\u2193"
                                         : "\u2191";
  return {arrow, dense ? "" : " ", "1;31"};
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

// The column numbers after the first axis's name, ending under `margin`,
// `cellWidth` columns a cell.
std::string columnLine(const Face& face, std::size_t margin, std::size_t cellWidth) {
  std::string line(margin - 2, ' ');
  line += std::string(kAxisNames[face.first]) + ' ';
  const std::uint64_t step = cellWidth == 1 ? 10 : face.columns <= 10 ? 1 : 5;
  for (std::uint64_t column = 0; column < face.columns; column += step) {
    const std::string number = std::to_string(column);
    const std::size_t at = margin + cellWidth * column;
    if (line.size() < at + number.size()) line.resize(at + number.size(), ' ');
    line.replace(at, number.size(), number);
  }
  trimEnd(&line);
  return line;
}

Block textFace(const Maze& maze, const Scene& scene, int number, bool colour, bool dense) {
  const FaceMarks marks = faceMarks(maze, scene, number);
  const Face& face = marks.face;
  const std::size_t digits = digitCount(face.rows == 0 ? 0 : face.rows - 1);
  const std::size_t margin = digits + 3;
  Block block;
  const std::string title = "face " + std::to_string(number) + " (" + kAxisNames[number] + ", " +
                            kAxisNames[face.second] + ")";
  addLine(&block, title, title.size());
  const std::size_t cellWidth = dense ? 1 : 2;
  const std::string columns = columnLine(face, margin, cellWidth);
  addLine(&block, columns, columns.size());
  for (std::uint64_t row = 0; row < face.rows; ++row) {
    const std::string rowNumber = std::to_string(row);
    std::string line = std::string(row == 0 ? kAxisNames[face.second] : " ") + ' ' +
                       std::string(digits - rowNumber.size(), ' ') + rowNumber + ' ';
    for (std::uint64_t column = 0; column < face.columns; ++column) {
      const Glyph glyph = glyphOf(markAt(maze, marks, {column, row}), marks.move, dense);
      appendMark(&line, glyph, colour);
      line += glyph.rest;
    }
    addLine(&block, line, margin + cellWidth * face.columns);
  }
  return block;
}

constexpr std::size_t kGap = 3;  // columns between faces side by side

std::size_t sideBySideWidth(const std::vector<Block>& blocks) {
  std::size_t total = kGap * (blocks.size() - 1);
  for (const Block& block : blocks) total += block.width;
  return total;
}

std::size_t widestBlock(const std::vector<Block>& blocks) {
  std::size_t widest = 0;
  for (const Block& block : blocks) widest = std::max(widest, block.width);
  return widest;
}

void writeStacked(std::ostream& out, const std::vector<Block>& blocks) {
  for (std::size_t face = 0; face < blocks.size(); ++face) {
    if (face > 0) out << '\n';
    for (std::string line : blocks[face].lines) {
      trimEnd(&line);
      out << line << '\n';
    }
  }
}

void writeSideBySide(std::ostream& out, const std::vector<Block>& blocks) {
  std::size_t tallest = 0;
  for (const Block& block : blocks) tallest = std::max(tallest, block.lines.size());
  for (std::size_t i = 0; i < tallest; ++i) {
    std::string line;
    for (const Block& block : blocks) {
      const bool has = i < block.lines.size();
      if (has) line += block.lines[i];
      line.append(block.width - (has ? block.widths[i] : 0) + kGap, ' ');
    }
    trimEnd(&line);
    out << line << '\n';
  }
}

// The columns a text takes: a column a character of UTF-8 (every glyph
// drawn here is one column wide).
std::size_t columnsOf(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// Words of `text` in lines of at most `width` columns; a word longer than
// that is cut, at characters, into lines of its own.
std::vector<std::string> wrapped(const std::string& text, std::size_t width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t space = text.find(' ', at);
    std::string word = text.substr(at, space == std::string::npos ? space : space - at);
    at = space == std::string::npos ? text.size() : space + 1;
    if (!line.empty() && columnsOf(line) + 1 + columnsOf(word) > width) {
      lines.push_back(line);
      line.clear();
    }
    while (line.empty() && columnsOf(word) > width) {
      std::size_t cut = 0;
      for (std::size_t columns = 0; columns <= width; ++cut) {
        columns += (static_cast<unsigned char>(word[cut]) & 0xC0) != 0x80;
      }
      lines.push_back(word.substr(0, cut - 1));
      word.erase(0, cut - 1);
    }
    line += (line.empty() ? "" : " ") + word;
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

void writeText(std::ostream& out, const Maze& maze, const Scene& scene, bool colour,
               std::size_t width) {
  width = std::max<std::size_t>(width, 1);
  auto faces = [&](bool dense) {
    return std::vector<Block>{textFace(maze, scene, 0, colour, dense),
                              textFace(maze, scene, 1, colour, dense),
                              textFace(maze, scene, 2, colour, dense)};
  };
  bool dense = false;
  std::vector<Block> blocks = faces(false);
  if (widestBlock(blocks) > width) {
    dense = true;
    blocks = faces(true);
  }
  if (sideBySideWidth(blocks) <= width && !dense) {
    writeSideBySide(out, blocks);
  } else if (widestBlock(blocks) <= width) {
    writeStacked(out, blocks);
  } else {
    const std::string note = "The faces need a terminal " + std::to_string(widestBlock(blocks)) +
                             " columns wide; this one has " + std::to_string(width) + ".";
    for (const std::string& line : wrapped(note, width)) out << line << '\n';
    for (const std::string& caption : scene.caption) {
      for (const std::string& line : wrapped(caption, width)) out << line << '\n';
    }
    return;
  }
  std::string legend;
  std::size_t legendColumns = 0;
  FaceMove arrow;
  arrow.dColumn = 1;
  for (const auto& [mark, name] : legendOf(maze, scene)) {
    const Glyph glyph = glyphOf(mark, arrow, dense);
    const std::size_t itemColumns = columnsOf(glyph.mark) + 1 + columnsOf(name);
    if (legendColumns > 0 && legendColumns + 2 + itemColumns > width) {
      legend += '\n';
      legendColumns = 0;
    } else if (legendColumns > 0) {
      legend += "  ";
      legendColumns += 2;
    }
    appendMark(&legend, glyph, colour);
    legend += std::string(" ") + name;
    legendColumns += itemColumns;
  }
  out << '\n' << legend << '\n';
  for (const std::string& caption : scene.caption) {
    for (const std::string& line : wrapped(caption, width)) out << line << '\n';
  }
}

}  // namespace tesmo
