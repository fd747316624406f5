// tesmo: the toolkit's program (see tesmo.cpp).

#include <iostream>
#include <new>

#include "base/exit_status.hpp"
#include "programs/command.hpp"

// The option library's exceptions are caught where it is called; what is
// left to throw is std::bad_alloc.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char* argv[]) {
  int status;
  try {
    status = tesmo::runTesmo(argc, argv, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory!" << std::endl;
    return tesmo::kCannotUse;
  }
  // A puzzle, a route or a score that did not reach its reader (a full
  // disk, a closed pipe) must not pass for one that did.
  if (!std::cout.flush()) {
    std::cerr << "tesmo: cannot write to standard output" << std::endl;
    return status == 0 ? tesmo::kSettingsRefused : status;
  }
  return status;
}
