#include "programs/print.hpp"

namespace tesmo {

void printSaid(Said* said, std::ostream& out, std::ostream& err) {
  for (const SaidLine& line : *said) {
    std::ostream& stream = line.stream == Stream::kOut ? out : err;
    stream.write(line.text.data(), static_cast<std::streamsize>(line.text.size()));
    stream << std::endl;
  }
  said->clear();
}

}  // namespace tesmo
