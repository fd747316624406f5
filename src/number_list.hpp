// Number lists: the one value type of the verifier (sizes, faces, positions
// and moves are all lists of unsigned 64-bit integers), their text form, and
// a reader that takes them from lines of a file.
//
// Contract of the reader:
//  - A line is everything up to a '\n' or the end of the data.
//  - A line is read as the standard formatted extraction of unsigned 64-bit
//    integers would read it (operator>> of an istream in the "C" locale):
//    blanks (' ', '\t', '\v', '\f', '\r') separate tokens; a token may start
//    with '+' or '-' ("-1" wraps to 2^64 - 1); a number ends at the first
//    non-digit, so "1-2" holds two numbers and "1x" one; the list ends at the
//    first token that does not extract (no digit, or a value above 2^64 - 1)
//    and the rest of the line is skipped.
//  - A line past the end of the data reads as an empty list.
//  - Memory stays constant however long a line is, unless the caller keeps
//    the numbers.

#ifndef TESMO_NUMBER_LIST_HPP
#define TESMO_NUMBER_LIST_HPP

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

using NumberList = std::vector<std::uint64_t>;

// Writes the elements in plain decimal joined by "," with no blanks; the
// empty list writes nothing.
template <typename Numbers>
void writeList(std::ostream& stream, const Numbers& numbers);

// The text writeList() writes, as a string ("11,11,11").
std::string listText(const NumberList& numbers);

// Reads numbers line by line from a file or from text held in memory.
struct NumberReader {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, &std::fclose};
  std::vector<char> buffer;
  std::size_t next = 0;     // first unread byte in buffer
  std::size_t end = 0;      // one past the last valid byte in buffer
  bool lineEnded = false;   // the current line's list has ended
  bool readFailed = false;  // the file's last read failed (not just ended)
  std::uint64_t fileSize = 0;  // bytes of a regular file when opened, else 0
};

// Opens `fileName` for reading with a buffer of `bufferSize` bytes. Returns
// false, with nothing open, when the file cannot be opened or its first read
// fails (a directory, for one). A later read error ends the data, as it
// would end a standard stream.
bool openNumberFile(const std::string& fileName, NumberReader* reader,
                    std::size_t bufferSize = 1 << 16);

// Sets the reader to read `text` as its data.
void openNumberText(std::string_view text, NumberReader* reader);

// Stores the next number of the current line in *value and returns true, or
// returns false when the line's list has ended; it then keeps returning
// false until nextLine() is called.
bool nextNumber(NumberReader* reader, std::uint64_t* value);

// Calls `onNumber(value)` for each next number of the current line until
// it returns false or the line's list ends. Returns false when onNumber
// stopped it; the numbers after that one stay unread.
template <typename OnNumber>
bool forEachNumber(NumberReader* reader, OnNumber onNumber);

// Skips what is left of the current line, including its '\n'.
void nextLine(NumberReader* reader);

// Reads the numbers of the current line and moves on to the next line.
NumberList readListLine(NumberReader* reader);

// Reads the first line of `text` as a list.
NumberList parseNumberList(std::string_view text);

// ---- implementation of the inline functions and the templates ----

// Reads the common token: blanks, then at most 19 digits, ended by a
// non-digit inside the buffer. Returns false, having moved *at past blanks
// only, for anything else.
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
  if (end - start >= 2 && digitOf(data[start]) < 10 &&
      digitOf(data[start + 1]) >= 10) {
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

// Reading the numbers is the walk's hot loop, so the common tokens are read
// here, inlined into the walk, on local copies of the read position and the
// buffer's bounds: kept in the reader, they would be reloaded after every
// token, since the buffer's chars may alias them. The slow path gets a
// number of its own, so that `number` never needs an address.
template <typename OnNumber>
bool forEachNumber(NumberReader* reader, OnNumber onNumber) {
  for (;;) {
    if (!reader->lineEnded) {
      const char* data = reader->buffer.data();
      const std::size_t end = reader->end;
      std::size_t at = reader->next;
      std::uint64_t number;
      bool going = true;
      while (going) {
        std::uint64_t run;
        if (end - at >= 8 && (run = readDigitRun(data + at)) != kNoDigitRun) {
          for (int token = 0; token < 3 && going; ++token) {
            going = onNumber((run >> (16 * token + 8)) & 0xFF);
            at += 2;
          }
        } else if (readPlainToken(data, end, &at, &number)) {
          going = onNumber(number);
        } else {
          break;
        }
      }
      reader->next = at;
      if (!going) return false;
    }
    std::uint64_t slowValue;
    if (!nextNumberSlowly(reader, &slowValue)) return true;
    if (!onNumber(slowValue)) return false;
  }
}

// Writes one number in decimal; to_chars avoids the locale and the stream's
// formatting state, which a verbose echo of 10^8 moves would pay per element.
void writeNumber(std::ostream& stream, std::uint64_t number);

template <typename Numbers>
void writeList(std::ostream& stream, const Numbers& numbers) {
  bool first = true;
  for (std::uint64_t number : numbers) {
    if (!first) stream.put(',');
    writeNumber(stream, number);
    first = false;
  }
}

#endif  // TESMO_NUMBER_LIST_HPP
