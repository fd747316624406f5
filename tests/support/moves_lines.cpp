#include "support/moves_lines.hpp"

#include <iterator>
#include <sstream>

namespace tesmo {

namespace {

const char* const kBreaks[] = {"  ",
                               "\t",
                               "\r",
                               "+",
                               "-",
                               "x",
                               "\xb3",
                               "\xa0",
                               "\xff",
                               "10",
                               "9",
                               "007",
                               "18446744073709551616",
                               "18446744073709551615"};

}  // namespace

NumberList standardList(const std::string& line) {
  std::istringstream stream(line);
  NumberList numbers;
  std::uint64_t number;
  while (stream >> number) numbers.push_back(number);
  return numbers;
}

std::string randomMovesLine(std::mt19937_64& random) {
  std::string line;
  for (int count = static_cast<int>(random() % 60); count > 0; --count) {
    if (random() % 12 == 0) {
      line += kBreaks[random() % std::size(kBreaks)];
    } else {
      line += ' ';
      line += static_cast<char>('0' + random() % 10);
    }
  }
  if (random() % 50 == 0) line += '\0';
  return line;
}

std::string randomRunsLine(std::mt19937_64& random, unsigned breakOdds) {
  std::string line;
  for (int count = static_cast<int>(random() % 400); count > 0; --count) {
    if (random() % breakOdds == 0) {
      switch (random() % 3) {
        case 0:
          line += kBreaks[random() % std::size(kBreaks)];
          break;
        case 1:
          line += static_cast<char>('6' + random() % 4);
          line += ' ';
          break;
        default:
          line += random() % 2 ? "\t" : " \r ";
          break;
      }
    }
    line += static_cast<char>('0' + random() % 6);
    line += ' ';
  }
  if (random() % 4 == 0 && !line.empty()) line.pop_back();  // no blank at the end
  if (random() % 50 == 0) line += '\0';
  return line;
}

}  // namespace tesmo
