// tesmo: the toolkit's program (see tesmo.hpp).

#include <iostream>
#include <new>

#include "tesmo.hpp"

// The option library's exceptions are caught where it is called; what is
// left to throw is std::bad_alloc.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  try {
    return runTesmo(argc, argv, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory!" << std::endl;
    return 1;
  }
}
