// Reads the puzzle and then tries every sequence of moves, shortest first,
// without remembering where it has been: the number of sequences grows six
// times with each move, so on any case whose route takes more than a few
// moves it runs out of time long before it finds one.
#include <cstdint>
#include <iostream>
#include <string>

int main() {
  std::string word;
  std::int64_t tokens = 0;
  while (std::cin >> word) ++tokens;  // the whole input, read and ignored
  // Counts through all 6^length sequences of every length in turn; the
  // count is printed, so the loop cannot be optimized away.
  std::uint64_t sequences = 0;
  for (int length = 1;; ++length) {
    std::uint64_t count = 1;
    for (int move = 0; move < length; ++move) count *= 6;
    for (std::uint64_t sequence = 0; sequence < count; ++sequence) {
      sequences += sequence % 7 == static_cast<std::uint64_t>(tokens % 7);
    }
    if (length > 60) break;  // never reached in a judge's time
  }
  std::cout << sequences << "\n";
}
