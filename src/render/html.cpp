#include "render/html.hpp"

#include <sstream>
#include <string_view>

#include "base/quote.hpp"
#include "render/page_html.hpp"

namespace tesmo {

namespace {

// Where the page's script takes its data.
constexpr std::string_view kDataMark = "/*@TESMO_DATA@*/null";

void writePosition(std::ostream& out, const std::optional<Position>& position) {
  if (position) {
    writeJsonTriple(out, *position);
  } else {
    out << "null";
  }
}

// Face K as drawn, a digit a cell, and its cells above 9 as [index, text].
void writeFace(std::ostream& out, const Maze& maze, int number, std::ostream& large) {
  const Face face = mazeFace(maze, number);
  std::string digits;
  digits.reserve(face.columns * face.rows);
  bool first = true;
  large << '[';
  for (std::uint64_t b = 0; b < face.rows; ++b) {
    for (std::uint64_t a = 0; a < face.columns; ++a) {
      const std::uint64_t value = cellValue(maze, face, {a, b});
      digits += value < 10 ? static_cast<char>('0' + value) : 'w';
      if (value < 10) continue;
      large << (first ? "" : ",") << '[' << drawnIndex(face, {a, b}) << ",\"" << value << "\"]";
      first = false;
    }
  }
  large << ']';
  out << '"' << digits << '"';
}

void writeMoves(std::ostream& out, const std::deque<std::uint64_t>& moves) {
  std::string digits;
  std::string invalid;
  for (const std::uint64_t code : moves) {
    if (code > 5) {
      invalid = std::to_string(code);
      break;
    }
    digits += static_cast<char>('0' + code);
  }
  out << "\"moves\":\"" << digits << "\",\"invalid\":";
  if (invalid.empty()) {
    out << "null";
  } else {
    out << '"' << invalid << '"';
  }
}

// The data as a script may hold it: no "<" that could end the script.
std::string scriptSafe(const std::string& json) {
  std::string safe;
  safe.reserve(json.size());
  for (const char c : json) {
    if (c == '<') {
      safe += "\\u003c";
    } else {
      safe += c;
    }
  }
  return safe;
}

}  // namespace

void writeHtml(std::ostream& out, const Maze& maze, const HtmlPage& page) {
  std::ostringstream data, large;
  data << "{\"title\":";
  writeJsonString(data, page.title);
  data << ",\"size\":";
  writeJsonTriple(data, maze.size);
  data << ",\"faces\":[";
  large << '[';
  for (int face = 0; face < 3; ++face) {
    data << (face > 0 ? "," : "");
    large << (face > 0 ? "," : "");
    writeFace(data, maze, face, large);
  }
  large << ']';
  data << "],\"large\":" << large.str() << ",\"start\":";
  writePosition(data, page.start);
  data << ",\"end\":";
  writePosition(data, page.end);
  data << ",\"replay\":" << (page.replay ? "true" : "false") << ',';
  writeMoves(data, page.moves);
  data << ",\"refusal\":";
  writeJsonString(data, page.refusal);
  data << ",\"summary\":";
  writeJsonString(data, page.summary);
  data << '}';
  const std::string_view html(reinterpret_cast<const char*>(kPageHtml), kPageHtmlSize);
  const std::size_t mark = html.find(kDataMark);
  out << html.substr(0, mark) << scriptSafe(data.str()) << html.substr(mark + kDataMark.size());
}

}  // namespace tesmo
