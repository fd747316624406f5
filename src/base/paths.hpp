// Paths as the commands that take folders of files and run programs see
// them.
//
// Contract:
//  - absolutePath() is `path` made absolute against the working directory
//    (not resolved further), or `path` itself when that fails.
//  - filesBelow() returns the regular files below `dir` (a link
//    counts as what it names; a link to nowhere is passed by, and the
//    walk goes on), sorted by their paths' bytes, so that a run's order is
//    the same on every machine. A folder that cannot be read is passed by
//    when `skipUnreadable`; otherwise, as any other failure of the walk,
//    it ends the walk with its reason in *error and the files found so far
//    returned.

#ifndef TESMO_BASE_PATHS_HPP
#define TESMO_BASE_PATHS_HPP

#include <string>
#include <system_error>
#include <vector>

namespace tesmo {

std::string absolutePath(const std::string& path);

std::vector<std::string> filesBelow(const std::string& dir, bool skipUnreadable,
                                    std::error_code* error);

}  // namespace tesmo

#endif  // TESMO_BASE_PATHS_HPP
