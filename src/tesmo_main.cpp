// tesmo: the toolkit's program (see tesmo.hpp).

#include <iostream>
#include <new>

#include "tesmo.hpp"

// The option library's exceptions are caught where it is called; what is
// left to throw is std::bad_alloc.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  int status;
  try {
    status = runTesmo(argc, argv, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory!" << std::endl;
    return 1;
  }
  // A puzzle, a route or a score that did not reach its reader (a full
  // disk, a closed pipe) must not pass for one that did.
  if (!std::cout.flush()) {
    std::cerr << "tesmo: cannot write to standard output" << std::endl;
    return status == 0 ? 2 : status;
  }
  return status;
}
