// Bytes shown to people and to parsers: the one spelling of a byte that
// cannot stand as it is in a message, and the JSON and XML escapers.
//
// Contract:
//  - A byte that is escaped is always spelled the same way: '\n' as \n,
//    '\r' as \r, '\t' as \t, any other as \x and two lower-case hex digits.
//    What is escaped depends on what the text is:
//      oneLine()        only '\n' and '\r': the text stays one line, and
//                       is otherwise shown as typed (option values, the
//                       verifier's echo of a file name);
//      printableName()  control bytes (below 0x20, and 0x7F); bytes of
//                       UTF-8 stay (file names in messages);
//      printableAscii() control bytes and every byte above 0x7E (a token
//                       quoted from input, whose cut may split a
//                       character).
//  - quotedToken() is 'TEXT' for the first kQuotedBytes bytes of a token
//    through printableAscii(), with "..." before the closing quote when
//    the token (of `length` bytes) was longer.
//  - writeJsonString() writes `text` as a JSON string: '"' and '\' escaped,
//    '\n', '\r', '\t' as such, other control bytes as \u00xx, valid UTF-8
//    as it is, and each byte of an invalid UTF-8 sequence as \udcxx, the
//    lone surrogate U+DC00 + byte (PEP 383's "surrogateescape", which no
//    character is written as), so that the output is always valid JSON and
//    a reader gets the bytes back: in Python, with
//    text.encode("utf-8", "surrogateescape").
//  - writeJsonNumber() writes a number up to 2^53 - 1 as a number and a
//    larger one as a string of its decimal digits, so that a JavaScript
//    reader never gets a rounded number.
//  - cannotRead() is the one wording of a file that cannot be read: "NAME:
//    cannot read the KIND file: REASON", the system's reason for `error`
//    (an errno value), NAME through printableName().
//  - escapeXml() escapes & < > " ' as entities and writes a control byte
//    (below 0x20) and U+FFFE and U+FFFF as '?', which XML 1.0 cannot hold. validUtf8() writes
//    each byte of an invalid UTF-8 sequence as '?', for a document that
//    declares UTF-8.

#ifndef TESMO_BASE_QUOTE_HPP
#define TESMO_BASE_QUOTE_HPP

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace tesmo {

constexpr std::size_t kQuotedBytes = 40;

std::string oneLine(std::string_view text);

std::string printableName(std::string_view text);

std::string printableAscii(std::string_view text);

std::string quotedToken(std::string_view kept, std::uint64_t length);

std::string cannotRead(std::string_view name, const char* kind, int error);

void writeJsonString(std::ostream& out, std::string_view text);

// The largest integer every JSON reader holds exactly (a double's 53 bits).
inline constexpr std::uint64_t kJsonExactNumbers = (std::uint64_t{1} << 53) - 1;

void writeJsonNumber(std::ostream& out, std::uint64_t number);

// [x,y,z]
void writeJsonTriple(std::ostream& out, const std::array<std::uint64_t, 3>& triple);

void writeJsonNumberOrNull(std::ostream& out, const std::optional<std::uint64_t>& number);

std::string escapeXml(std::string_view text);

std::string validUtf8(std::string_view text);

}  // namespace tesmo

#endif  // TESMO_BASE_QUOTE_HPP
