// Text tables, as the commands that report many files or cases print them.
//
// Contract:
//  - writeTable() writes `rows` (the header first), each column as wide as
//    its widest cell plus two blanks, the last column unpadded and no
//    blank at a line's end. With `colourOf`, a cell for which it returns
//    an ANSI colour ("1;32") is wrapped in that colour; the columns are
//    laid out by the cells' own text.
//  - numberOrDash() is a number's cell, "-" for none.

#ifndef TESMO_BASE_TABLE_HPP
#define TESMO_BASE_TABLE_HPP

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tesmo {

using ColourOf = std::function<const char*(std::size_t row, std::size_t column)>;

void writeTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                const ColourOf& colourOf = nullptr);

std::string numberOrDash(const std::optional<std::uint64_t>& number);

}  // namespace tesmo

#endif  // TESMO_BASE_TABLE_HPP
