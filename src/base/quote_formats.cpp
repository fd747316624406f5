#include "base/quote.hpp"

// The JSON writer, beside the quoting of messages.

namespace tesmo {

namespace {

constexpr char kHex[] = "0123456789abcdef";

bool isControl(unsigned byte) { return byte < 0x20 || byte == 0x7F; }

// The length of the valid UTF-8 sequence at the start of `text`, or 0.
std::size_t utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(0);
  std::size_t length;
  unsigned lowest;  // the smallest code point of that length: no overlong forms
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  unsigned point = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    point = point << 6 | (byte(i) & 0x3F);
  }
  const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
  return point >= lowest && point <= 0x10FFFF && !surrogate ? length : 0;
}

void writeJsonEscape(std::ostream& out, unsigned byte) {
  out << "\\u00" << kHex[byte >> 4] << kHex[byte & 15];
}

// A byte of invalid UTF-8 as the lone surrogate U+DC00 + byte (PEP 383's
// "surrogateescape"): no character is written so, so the bytes come back.
void writeJsonByteEscape(std::ostream& out, unsigned byte) {
  out << "\\udc" << kHex[byte >> 4] << kHex[byte & 15];
}

}  // namespace

std::string validUtf8(std::string_view text) {
  std::string valid;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length =
        static_cast<unsigned char>(text[i]) < 0x80 ? 1 : utf8Length(text.substr(i));
    valid += length == 0 ? std::string_view("?") : text.substr(i, length);
    i += length == 0 ? 1 : length;
  }
  return valid;
}

void writeJsonString(std::ostream& out, std::string_view text) {
  out.put('"');
  for (std::size_t i = 0; i < text.size();) {
    const unsigned byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80) {
      const std::size_t length = utf8Length(text.substr(i));
      if (length == 0) {
        writeJsonByteEscape(out, byte);
        ++i;
      } else {
        out.write(text.data() + i, static_cast<std::streamsize>(length));
        i += length;
      }
      continue;
    }
    if (byte == '"' || byte == '\\') {
      out << '\\' << static_cast<char>(byte);
    } else if (byte == '\n') {
      out << "\\n";
    } else if (byte == '\r') {
      out << "\\r";
    } else if (byte == '\t') {
      out << "\\t";
    } else if (isControl(byte)) {
      writeJsonEscape(out, byte);
    } else {
      out.put(static_cast<char>(byte));
    }
    ++i;
  }
  out.put('"');
}

void writeJsonNumber(std::ostream& out, std::uint64_t number) {
  if (number > kJsonExactNumbers) {
    out << '"' << number << '"';
  } else {
    out << number;
  }
}

void writeJsonTriple(std::ostream& out, const std::array<std::uint64_t, 3>& triple) {
  out << '[';
  writeJsonNumber(out, triple[0]);
  out << ',';
  writeJsonNumber(out, triple[1]);
  out << ',';
  writeJsonNumber(out, triple[2]);
  out << ']';
}

void writeJsonNumberOrNull(std::ostream& out, const std::optional<std::uint64_t>& number) {
  if (number) {
    writeJsonNumber(out, *number);
  } else {
    out << "null";
  }
}

}  // namespace tesmo
