// tesmoVerifier: verifies one solution of a maze puzzle (see tesmoVerifier.hpp).

#include <iostream>
#include <new>

#include "tesmoVerifier.hpp"

// The option library's exceptions are caught where it is called; what is
// left to throw is std::bad_alloc.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  // The one failure no check can foresee: a solution line of more numbers
  // than memory holds. End in order rather than abort.
  try {
    return runVerifier(argc, argv, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory!" << std::endl;
    return kMalformedSolution;
  }
}
