// The box and its faces: positions, which axes each face spans, its index
// rule, how long its list of cells must be, and where a position falls on
// it. Every module that looks at a face asks here.
//
// Contract:
//  - Face K spans its first axis K (F = size[K] cells) and its second axis
//    (K + 1) % 3 (S = size[(K + 1) % 3] cells): face 0 x and y, face 1 y
//    and z, face 2 z and x. It is drawn as S rows of F cells, row b holding
//    the cells of second coordinate b; in a box with a size of 0 no
//    position is inside, so no face has a row or a column.
//  - The index rule: the cell of column a, row b is number a + S*b in the
//    face's list (faceIndex()). Rows overlap when F > S (two spots share a
//    number) and leave numbers no spot has when F < S.
//  - drawnIndex() is where the spot is kept when the face is kept as drawn,
//    row by row.
//  - faceLength() is the length the list needs so that every spot finds
//    its cell, F + S*(S - 1) (0 without rows), or none when that does not
//    fit in 64 bits. drawnCells() is F*S, or none when that does not fit.
//  - insideBox() holds when x < X, y < Y and z < Z.

#ifndef TESMO_MODEL_FACE_HPP
#define TESMO_MODEL_FACE_HPP

#include <array>
#include <cstdint>
#include <optional>

namespace tesmo {

// A position: x, y, z, each counted from 0.
using Position = std::array<std::uint64_t, 3>;

// The box's sizes X, Y, Z.
using Sizes = std::array<std::uint64_t, 3>;

// The axes' names, as messages and files write them.
inline constexpr const char* kAxisNames[3] = {"x", "y", "z"};

struct Face {
  int number;             // 0, 1 or 2
  int first, second;      // its axes: first == number
  std::uint64_t columns;  // F, or 0 in a box with a size of 0
  std::uint64_t rows;     // S, or 0 in a box with a size of 0
  std::uint64_t stride;   // S: the index rule's multiplier
};

// A face's column and row.
struct Spot {
  std::uint64_t column, row;
  bool operator==(const Spot& other) const { return column == other.column && row == other.row; }
};

// The axis after a face's first: its second axis.
constexpr int secondAxisOf(int face) { return (face + 1) % 3; }

// The two faces a move along `axis` changes, in the order the walker reads
// them: the face whose first axis it is, then the one whose second it is.
constexpr std::array<int, 2> facesOfAxis(int axis) { return {axis, (axis + 2) % 3}; }

inline bool boxIsEmpty(const Sizes& size) { return size[0] == 0 || size[1] == 0 || size[2] == 0; }

inline Face faceOf(const Sizes& size, int number) {
  const int second = secondAxisOf(number);
  const bool empty = boxIsEmpty(size);
  return {number, number, second, empty ? 0 : size[number], empty ? 0 : size[second], size[second]};
}

inline Spot spotOf(const Face& face, const Position& position) {
  return {position[face.first], position[face.second]};
}

inline std::uint64_t faceIndex(const Face& face, const Spot& spot) {
  return spot.column + face.stride * spot.row;
}

// Where a spot is kept in a face drawn row by row, F cells a row.
inline std::uint64_t drawnIndex(const Face& face, const Spot& spot) {
  return spot.row * face.columns + spot.column;
}

inline std::optional<std::uint64_t> faceLength(const Face& face) {
  if (face.rows == 0) return 0;
  std::uint64_t rowStarts, cells;
  if (__builtin_mul_overflow(face.stride, face.stride - 1, &rowStarts) ||
      __builtin_add_overflow(rowStarts, face.columns, &cells)) {
    return std::nullopt;
  }
  return cells;
}

inline std::optional<std::uint64_t> drawnCells(const Face& face) {
  std::uint64_t cells;
  if (__builtin_mul_overflow(face.columns, face.rows, &cells)) return std::nullopt;
  return cells;
}

inline bool insideBox(const Position& position, const Sizes& size) {
  return size[0] > position[0] && size[1] > position[1] && size[2] > position[2];
}

}  // namespace tesmo

#endif  // TESMO_MODEL_FACE_HPP
