// What a run says: lines, each bound for standard output or standard
// error, in the order they are said. The modules below the programs
// return them; one function of the programs prints them.

#ifndef TESMO_BASE_SAID_HPP
#define TESMO_BASE_SAID_HPP

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tesmo {

enum class Stream : std::uint8_t { kOut, kErr };

// One message: a line, printed with a newline after it (a text of several
// lines, such as a help text, is one message too).
struct SaidLine {
  Stream stream;
  std::string text;
};

using Said = std::vector<SaidLine>;

inline void sayOut(Said* said, std::string text) {
  said->push_back({Stream::kOut, std::move(text)});
}

inline void sayErr(Said* said, std::string text) {
  said->push_back({Stream::kErr, std::move(text)});
}

}  // namespace tesmo

#endif  // TESMO_BASE_SAID_HPP
