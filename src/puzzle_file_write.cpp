#include "puzzle_file.hpp"

#include <algorithm>
#include <string>

#include "face_shape.hpp"

namespace {

char cellDigit(std::uint64_t value) {
  return static_cast<char>('0' + std::min<std::uint64_t>(value, 9));
}

void writeFace(std::ostream& out, const Maze& maze, int face) {
  const FaceShape shape = faceShape(maze.dimensions, face);
  const char* first = kAxisNames[face];
  const char* second = kAxisNames[(face + 1) % 3];
  out << "# face " << face << ": a row for each " << second << ", a digit for each " << first;
  if (shape.rows == 0) {
    out << "; no rows, as a size is 0\n";
  } else {
    out << " (cell " << first << " + ";
    writeNumber(out, shape.second);
    out << '*' << second << ")\n";
    if (shape.rows > 1 && shape.first > shape.second) {
      out << "# rows overlap: a cell in two rows is drawn the same in both\n";
    } else if (shape.rows > 1 && shape.first < shape.second) {
      out << "# the cells between rows are never read, so not drawn\n";
    }
  }
  out << "face " << face << '\n';
  const NumberList& cells = faceList(maze, face);
  std::string row;
  for (std::uint64_t b = 0; b < shape.rows; ++b) {
    row.clear();
    for (std::uint64_t a = 0; a < shape.first; ++a) row += cellDigit(cells[shape.second * b + a]);
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

}  // namespace

void writePuzzle(std::ostream& out, const Maze& maze,
                 const std::optional<Position>& start,
                 const std::optional<Position>& end) {
  out << "# A puzzle of ";
  for (int axis = 0; axis < 3; ++axis) {
    writeNumber(out, maze.dimensions[axis]);
    out << (axis < 2 ? " x " : " cells. In the faces 0 is open and any other\n");
  }
  out << "# digit a wall; a start or an end may lie on a 2 to 9, not on a 1.\n";
  writeTriple(out, "size", maze.dimensions.data());
  if (start) writeTriple(out, "start", start->data());
  if (end) writeTriple(out, "end", end->data());
  for (int face = 0; face < 3; ++face) writeFace(out, maze, face);
}

void writeConfig(std::ostream& out, const Maze& maze) {
  out << "# dimensions= X, Y, Z; then each faceK= line is one cell, in index order.\n";
  for (int axis = 0; axis < 3; ++axis) {
    out << "dimensions=";
    writeNumber(out, maze.dimensions[axis]);
    out << '\n';
  }
  for (int face = 0; face < 3; ++face) {
    const NumberList& cells = faceList(maze, face);
    const std::uint64_t length = *faceLength(faceShape(maze.dimensions, face));
    const std::string prefix = "face" + std::to_string(face) + "=";
    for (std::uint64_t index = 0; index < length; ++index) {
      out << prefix;
      writeNumber(out, cells[index]);
      out << '\n';
    }
  }
}
