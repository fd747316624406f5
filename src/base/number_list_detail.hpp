// The reader's fast paths, inlined into the walk's loop: what
// forEachNumber() in number_list.hpp runs, and nothing a caller should use.
// The tests reach in here to check each path against the standard
// extraction.

#ifndef TESMO_BASE_NUMBER_LIST_DETAIL_HPP
#define TESMO_BASE_NUMBER_LIST_DETAIL_HPP

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tesmo {

struct NumberReader;

namespace number_detail {

// Reads the common token: spaces, then at most 19 digits, ended by a
// non-digit inside the buffer. Returns false, having moved *at past the
// spaces only, for anything else.
inline bool readPlainToken(const char* data, std::size_t end, std::size_t* at,
                           std::uint64_t* number) {
  constexpr std::size_t kSafeDigits = 19;  // 10^19 - 1 < 2^64
  auto digitOf = [](char byte) {
    return static_cast<unsigned>(static_cast<unsigned char>(byte)) - '0';
  };
  std::size_t start = *at;
  while (start < end && data[start] == ' ') ++start;
  *at = start;
  // Most move codes are one digit: read those without the digit loop.
  if (end - start >= 2 && digitOf(data[start]) < 10 && digitOf(data[start + 1]) >= 10) {
    *number = digitOf(data[start]);
    *at = start + 1;
    return true;
  }
  const std::size_t limit = end - start < kSafeDigits ? end : start + kSafeDigits;
  std::size_t digitsEnd = start;
  std::uint64_t value = 0;
  unsigned digit;
  while (digitsEnd < limit && (digit = digitOf(data[digitsEnd])) < 10) {
    value = value * 10 + digit;
    ++digitsEnd;
  }
  if (digitsEnd == start || digitsEnd == end || digitOf(data[digitsEnd]) < 10) {
    return false;
  }
  *number = value;
  *at = digitsEnd;
  return true;
}

// Move codes come as one digit after one blank, and reading those token by
// token costs most of a long walk's time; read eight bytes at once instead.
// When they start with three such tokens (" d d d "), returns them in bytes
// 1, 3 and 5 of the result, else returns kNoDigitRun. Needs 8 bytes at data.
constexpr std::uint64_t kNoDigitRun = UINT64_MAX;

inline std::uint64_t readDigitRun(const char* data) {
  std::uint64_t word;
  std::memcpy(&word, data, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  word = __builtin_bswap64(word);  // byte 0 of the data in the low byte
#endif
  // Bytes 0, 2, 4, 6 must be ' ' and 1, 3, 5 digits: the xor turns them into
  // 0 and the digit values; byte 7 is left out. Adding 0x7F to a byte below
  // 0x80 sets its top bit when it is 1 or more, 0x76 when it is 10 or more.
  const std::uint64_t values = (word ^ 0x0020302030203020) & 0x00FFFFFFFFFFFFFF;
  const std::uint64_t tooBig = (values + 0x007F767F767F767F) | values;
  return (tooBig & 0x0080808080808080) == 0 ? values : kNoDigitRun;
}

// The next number for what readPlainToken() and readDigitRun() leave: other
// blanks, signs, a token cut by the end of the buffer, 20 digits or more, the
// end of the list.
bool nextNumberSlowly(NumberReader* reader, std::uint64_t* value);

}  // namespace number_detail
}  // namespace tesmo

#endif  // TESMO_BASE_NUMBER_LIST_DETAIL_HPP
