#include <string>
#include <string_view>

#include "base/quote.hpp"
#include "formats/puzzle_file.hpp"

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace canonical {

constexpr const char* kKeywords[] = {"size", "start", "end", "face 0", "face 1", "face 2"};
constexpr std::size_t kKeywordCount = sizeof kKeywords / sizeof kKeywords[0];

// What is wrong with the bytes and blanks of a line, or "".
std::string surfaceFault(std::string_view line) {
  if (line.find('\r') != std::string_view::npos) {
    return "a carriage return; lines end in a line feed alone";
  }
  if (line.find('\t') != std::string_view::npos) return "a tab; tokens are separated by one blank";
  if (line.find('#') != std::string_view::npos) return "a comment; the input holds none";
  if (line.empty()) return "a blank line";
  if (line.front() == ' ') return "a blank at the start of the line";
  if (line.back() == ' ') return "a blank at the end of the line";
  if (line.find("  ") != std::string_view::npos) return "two blanks between tokens";
  return "";
}

// What is wrong with a keyword line, the next of kKeywords being `expected`.
std::string keywordFault(std::string_view line, std::size_t expected, std::uint64_t maxSize) {
  const std::string_view keyword = kKeywords[expected];
  const bool isFace = expected >= 3;  // "face K" is the whole line
  if (line.substr(0, keyword.size()) != keyword ||
      (line.size() > keyword.size() && (isFace || line[keyword.size()] != ' '))) {
    return "expected '" + std::string(keyword) + "', found " + quotedToken(line, line.size());
  }
  for (std::size_t at = keyword.size(); at < line.size();) {
    const std::size_t begin = at + 1, end = line.find(' ', begin);
    const std::string_view token = line.substr(begin, end - begin);
    if (token.size() > 1 && token[0] == '0') {
      return "a leading zero in " + quotedToken(token, token.size());
    }
    // Digits only, as the parser will hold them to; compared by length first.
    const std::string bound = std::to_string(maxSize);
    if (expected == 0 && token.find_first_not_of("0123456789") == std::string_view::npos &&
        (token.size() > bound.size() || (token.size() == bound.size() && token > bound))) {
      return "size " + std::string(token) + " is above the bound " + bound;
    }
    at = end == std::string_view::npos ? line.size() : end;
  }
  return "";
}

}  // namespace canonical

std::string canonicalFault(std::string_view text, const std::string& name, std::uint64_t maxSize) {
  using namespace canonical;  // NOLINT(google-build-using-namespace): this file's own
  std::size_t expected = 0;
  std::uint64_t number = 0;
  for (std::size_t at = 0; at < text.size(); ++number) {
    const std::size_t newline = text.find('\n', at);
    const std::string_view line = text.substr(at, newline - at);
    std::string fault = surfaceFault(line);
    if (fault.empty() && newline == std::string_view::npos) {
      fault = "the last line has no line feed";
    }
    const bool isKeyword = !line.empty() && line[0] >= 'a' && line[0] <= 'z';
    if (fault.empty() && expected < kKeywordCount && (isKeyword || expected < 4)) {
      fault = keywordFault(line, expected++, maxSize);
    }
    if (!fault.empty()) return printableName(name) + ":" + std::to_string(number + 1) + ": " + fault;
    at = newline == std::string_view::npos ? text.size() : newline + 1;
  }
  return "";
}

}  // namespace tesmo
