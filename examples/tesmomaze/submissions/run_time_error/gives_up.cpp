// Reads the first line of the puzzle and gives up: it aborts (SIGABRT), as
// a judge sees a solver that crashes, on every case.
#include <cstdlib>
#include <iostream>
#include <string>

int main() {
  std::string keyword;
  std::cin >> keyword;
  if (keyword == "size") std::abort();  // every valid input starts with size
  std::cout << "0\n";
}
