// Writing JSON values by hand: strings, numbers, positions and null.
//
// Contract:
//  - writeJsonString() writes `text` as a JSON string: '"' and '\' escaped,
//    control characters as \n, \r, \t or \u00XX, valid UTF-8 as it is, and
//    each byte of an invalid UTF-8 sequence as \u00XX (the byte read as
//    Latin-1), so that the output is always valid JSON.
//  - writeJsonPosition() writes [x,y,z]; writeJsonNumberOrNull() the number
//    or null.

#ifndef TESMO_JSON_HPP
#define TESMO_JSON_HPP

#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

#include "maze.hpp"

void writeJsonString(std::ostream& out, std::string_view text);

void writeJsonPosition(std::ostream& out, const Position& position);

void writeJsonNumberOrNull(std::ostream& out, const std::optional<std::uint64_t>& number);

#endif  // TESMO_JSON_HPP
