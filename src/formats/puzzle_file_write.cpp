#include <algorithm>
#include <string>

#include "formats/puzzle_file.hpp"

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace puzzle_writing {

char cellDigit(std::uint64_t value) {
  return static_cast<char>('0' + std::min<std::uint64_t>(value, 9));
}

void writeFace(std::ostream& out, const Maze& maze, int number) {
  const Face face = mazeFace(maze, number);
  const char* first = kAxisNames[face.first];
  const char* second = kAxisNames[face.second];
  out << "# face " << number << ": a row for each " << second << ", a digit for each " << first;
  if (face.rows == 0) {
    out << "; no rows, as a size is 0\n";
  } else {
    out << " (cell " << first << " + ";
    writeNumber(out, face.stride);
    out << '*' << second << ")\n";
    if (face.rows > 1 && face.columns > face.stride) {
      out << "# rows overlap: a cell in two rows is drawn the same in both\n";
    } else if (face.rows > 1 && face.columns < face.stride) {
      out << "# the cells between rows are never read, so not drawn\n";
    }
  }
  out << "face " << number << '\n';
  std::string row;
  for (std::uint64_t b = 0; b < face.rows; ++b) {
    row.clear();
    for (std::uint64_t a = 0; a < face.columns; ++a)
      row += cellDigit(cellValue(maze, face, {a, b}));
    row += '\n';
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
}

void writeTriple(std::ostream& out, const char* keyword, const std::uint64_t* values) {
  out << keyword;
  for (int axis = 0; axis < 3; ++axis) {
    out << ' ';
    writeNumber(out, values[axis]);
  }
  out << '\n';
}

// The value a face list holds at `index`: a list's own, or for a drawn
// face that of a spot with that number, 0 between rows.
std::uint64_t valueAt(const Maze& maze, const Face& face, std::uint64_t index) {
  const FaceCells& cells = maze.faces[face.number];
  if (!cells.drawn) return index < cells.valueCount ? cells.values[index] : 0;
  const std::uint64_t row = std::min(index / face.stride, face.rows - 1);
  const std::uint64_t column = index - face.stride * row;
  return column < face.columns ? cells.drawn[drawnIndex(face, {column, row})] : 0;
}

}  // namespace puzzle_writing

void writePuzzle(std::ostream& out, const Maze& maze, const std::optional<Position>& start,
                 const std::optional<Position>& end) {
  using namespace puzzle_writing;  // NOLINT(google-build-using-namespace): this file's own
  out << "# A puzzle of ";
  for (int axis = 0; axis < 3; ++axis) {
    writeNumber(out, maze.size[axis]);
    out << (axis < 2 ? " x " : " cells. In the faces 0 is open and any other\n");
  }
  out << "# digit a wall; a start or an end may lie on a 2 to 9, not on a 1.\n";
  writeTriple(out, "size", maze.size.data());
  if (start) writeTriple(out, "start", start->data());
  if (end) writeTriple(out, "end", end->data());
  for (int face = 0; face < 3; ++face) writeFace(out, maze, face);
}

void writeConfig(std::ostream& out, const Maze& maze) {
  out << "# dimensions= X, Y, Z; then each faceK= line is one cell, in index order.\n";
  for (int axis = 0; axis < 3; ++axis) {
    out << "dimensions=";
    writeNumber(out, maze.size[axis]);
    out << '\n';
  }
  for (int number = 0; number < 3; ++number) {
    const Face face = mazeFace(maze, number);
    const std::uint64_t length = *faceLength(face);
    const std::string prefix = "face" + std::to_string(number) + "=";
    for (std::uint64_t index = 0; index < length; ++index) {
      out << prefix;
      writeNumber(out, puzzle_writing::valueAt(maze, face, index));
      out << '\n';
    }
  }
}

}  // namespace tesmo
