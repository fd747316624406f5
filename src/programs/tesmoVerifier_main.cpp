// tesmoVerifier: verifies one solution of a maze puzzle (see tesmoVerifier.hpp).

#include <iostream>
#include <new>

#include "base/exit_status.hpp"
#include "programs/tesmoVerifier.hpp"

// The option library's exceptions are caught where it is called, and
// memory running out while the solution is read where it is read; what is
// left to throw is std::bad_alloc before that.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  try {
    return tesmo::runVerifier(argc, argv, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory!" << std::endl;
    return tesmo::kMalformedSolution;
  }
}
