#include "base/table.hpp"

#include <algorithm>

namespace tesmo {

void writeTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                const ColourOf& colourOf) {
  std::vector<std::size_t> width;
  for (const auto& row : rows) {
    width.resize(std::max(width.size(), row.size()));
    for (std::size_t k = 0; k < row.size(); ++k) width[k] = std::max(width[k], row[k].size());
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    std::string line;
    for (std::size_t k = 0; k < rows[r].size(); ++k) {
      const std::string& cell = rows[r][k];
      const char* colour = colourOf ? colourOf(r, k) : nullptr;
      line += colour ? "\x1b[" + std::string(colour) + "m" + cell + "\x1b[0m" : cell;
      if (k + 1 < rows[r].size()) line += std::string(width[k] - cell.size() + 2, ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

std::string numberOrDash(const std::optional<std::uint64_t>& number) {
  return number ? std::to_string(*number) : "-";
}

}  // namespace tesmo
