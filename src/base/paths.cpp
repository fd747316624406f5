#include "base/paths.hpp"

#include <algorithm>
#include <filesystem>

namespace tesmo {

std::string absolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path whole = std::filesystem::absolute(path, error);
  return error ? path : whole.string();
}

std::vector<std::string> filesBelow(const std::string& dir, bool skipUnreadable,
                                    std::error_code* error) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  const fs::directory_options options =
      skipUnreadable ? fs::directory_options::skip_permission_denied : fs::directory_options::none;
  error->clear();
  fs::recursive_directory_iterator walk(dir, options, *error), end;
  for (; !*error && walk != end; walk.increment(*error)) {
    std::error_code kind;  // a link to nowhere is no file, and no end of the walk
    if (walk->is_regular_file(kind)) files.push_back(walk->path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace tesmo
