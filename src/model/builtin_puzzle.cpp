#include "model/builtin_puzzle.hpp"

#include <initializer_list>
#include <string_view>

namespace tesmo {

namespace {

// One row per string, one digit per cell, as the puzzle is drawn.
NumberList faceFromRows(std::initializer_list<std::string_view> rows) {
  NumberList cells;
  for (std::string_view row : rows) {
    for (char digit : row) cells.push_back(static_cast<std::uint64_t>(digit - '0'));
  }
  return cells;
}

}  // namespace

const NumberList s_def_dimensions = {11, 11, 11};

const NumberList s_def_face0 = faceFromRows(
    {"11111111111", "10000000001", "11101111101", "10100000101", "10101111111", "10001000101",
     "10111011101", "10001010101", "11101010101", "10000000001", "11111111111"});

const NumberList s_def_face1 = faceFromRows(
    {"11111111111", "10000000101", "10101110101", "10101000001", "11101011111", "10101010001",
     "10101010101", "10001000101", "10111110101", "10100000101", "11111111111"});

const NumberList s_def_face2 = faceFromRows(
    {"11111111111", "10001000001", "10111011101", "10001010001", "11101110101", "10100000101",
     "10101111101", "10100010001", "10111110111", "10000000001", "11111111111"});

}  // namespace tesmo
