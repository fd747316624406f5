// Replays fuzz inputs without libFuzzer: each argument is a file or a
// directory of files, fed in turn to the fuzz target, which aborts on a
// broken invariant. Lets ctest keep every input that once found a fault.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void replay(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(stream), {});
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = std::filesystem::absolute(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path))
        files.push_back(entry.path());
    } else {
      files.push_back(path);
    }
  }
  LLVMFuzzerInitialize(&argc, &argv);
  for (const std::filesystem::path& file : files) replay(file);
  std::printf("replayed %zu inputs\n", files.size());
  return files.empty() ? 1 : 0;
}
