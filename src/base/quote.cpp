#include "base/quote.hpp"

#include <cstring>

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace quoting {

constexpr char kHex[] = "0123456789abcdef";

// Appends `byte` as its escape.
void appendEscape(std::string* shown, unsigned byte) {
  if (byte == '\n') {
    *shown += "\\n";
  } else if (byte == '\r') {
    *shown += "\\r";
  } else if (byte == '\t') {
    *shown += "\\t";
  } else {
    *shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
  }
}

template <typename Escaped>
std::string escapeBytes(std::string_view text, Escaped escaped) {
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    const unsigned byte = static_cast<unsigned char>(c);
    if (escaped(byte)) {
      appendEscape(&shown, byte);
    } else {
      shown += c;
    }
  }
  return shown;
}

bool isControl(unsigned byte) { return byte < 0x20 || byte == 0x7F; }

}  // namespace quoting

std::string oneLine(std::string_view text) {
  return quoting::escapeBytes(text, [](unsigned byte) { return byte == '\n' || byte == '\r'; });
}

std::string printableName(std::string_view text) {
  return quoting::escapeBytes(text, quoting::isControl);
}

std::string printableAscii(std::string_view text) {
  return quoting::escapeBytes(
      text, [](unsigned byte) { return quoting::isControl(byte) || byte > 0x7E; });
}

std::string quotedToken(std::string_view kept, std::uint64_t length) {
  return "'" + printableAscii(kept.substr(0, kQuotedBytes)) +
         (length > kQuotedBytes ? "...'" : "'");
}

std::string cannotRead(std::string_view name, const char* kind, int error) {
  return printableName(name) + ": cannot read the " + kind + " file: " + std::strerror(error);
}

std::string escapeXml(std::string_view text) {
  std::string escaped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    // U+FFFE and U+FFFF, which XML 1.0 cannot hold either.
    if (c == '\xEF' && text.substr(i + 1, 1) == "\xBF" &&
        (text.substr(i + 2, 1) == "\xBE" || text.substr(i + 2, 1) == "\xBF")) {
      escaped += '?';
      i += 2;
      continue;
    }
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        escaped += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
  }
  return escaped;
}

}  // namespace tesmo
