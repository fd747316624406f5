// How a face of the puzzle is drawn in a puzzle file: the sizes of its two
// axes and its rows; shared by the puzzle file's reader and writers.

#ifndef TESMO_FACE_SHAPE_HPP
#define TESMO_FACE_SHAPE_HPP

#include <cstdint>
#include <optional>

#include "number_list.hpp"

// A face's axes, F and S, and the rows it is drawn in: S, or none when a
// size is 0 and no cell is ever read.
struct FaceShape {
  std::uint64_t first;
  std::uint64_t second;
  std::uint64_t rows;
};

inline FaceShape faceShape(const NumberList& sizes, int face) {
  const bool empty = sizes[0] == 0 || sizes[1] == 0 || sizes[2] == 0;
  const std::uint64_t second = sizes[(face + 1) % 3];
  return {sizes[face], second, empty ? 0 : second};
}

// F + S*(S - 1), the cells the index rule reaches, or 0 without rows; empty
// when the count does not fit in 64 bits.
inline std::optional<std::uint64_t> faceLength(const FaceShape& shape) {
  if (shape.rows == 0) return 0;
  std::uint64_t rowStarts, cells;
  if (__builtin_mul_overflow(shape.second, shape.second - 1, &rowStarts) ||
      __builtin_add_overflow(rowStarts, shape.first, &cells)) {
    return std::nullopt;
  }
  return cells;
}

#endif  // TESMO_FACE_SHAPE_HPP
