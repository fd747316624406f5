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

#ifndef TESMO_BASE_NUMBER_LIST_HPP
#define TESMO_BASE_NUMBER_LIST_HPP

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tesmo {

using NumberList = std::vector<std::uint64_t>;

// Writes the elements in plain decimal joined by "," with no blanks; the
// empty list writes nothing.
template <typename Numbers>
void writeList(std::ostream& stream, const Numbers& numbers);

// The text writeList() writes, as a string ("11,11,11").
std::string listText(const NumberList& numbers);

// Appends one number in decimal.
void appendNumber(std::string* text, std::uint64_t number);

// Reads numbers line by line from a file or from text held in memory.
struct NumberReader {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, &std::fclose};  // owned
  int descriptor = -1;  // read while >= 0: the file's, or an attached one
  // Not zeroed when made: a 64 KiB buffer for a file of a hundred bytes
  // would cost the verifier's whole run a third again.
  std::unique_ptr<char[]> buffer;
  std::size_t capacity = 0;    // bytes of buffer
  std::size_t next = 0;        // first unread byte in buffer
  std::size_t end = 0;         // one past the last valid byte in buffer
  bool lineEnded = false;      // the current line's list has ended
  bool readFailed = false;     // the file's last read failed (not just ended)
  int error = 0;               // errno of a failed open or read
  std::string_view text;       // text still to hand over, a buffer at a time
  std::uint64_t fileSize = 0;  // bytes of a regular file when opened, else 0
};

// Opens `fileName` for reading with a buffer of `bufferSize` bytes. Returns
// false, with nothing open and the reason in `error`, when the file cannot be
// opened or its first read fails (a directory, for one). A later read error
// ends the data, as it would end a standard stream.
bool openNumberFile(const std::string& fileName, NumberReader* reader,
                    std::size_t bufferSize = 1 << 16);

// Reads the open descriptor `descriptor` (standard input, say), which stays
// open when the reader is done; otherwise as openNumberFile().
bool attachNumberReader(int descriptor, NumberReader* reader, std::size_t bufferSize = 1 << 16);

// Closes an owned file; the reader then reads nothing more.
void closeNumberReader(NumberReader* reader);

// Sets the reader to read `text` as its data, handing it over `bufferSize`
// bytes at a time as a file would be (all at once by default); `text` must
// then outlive the reader.
void openNumberText(std::string_view text, NumberReader* reader, std::size_t bufferSize = SIZE_MAX);

// The unread bytes of the buffer, refilled when it is used up; empty at the
// end of the data. For a reader of its own tokens (the judge's strict one):
// it marks what it used with consumeBytes().
std::string_view unreadBytes(NumberReader* reader);
inline void consumeBytes(NumberReader* reader, std::size_t count) { reader->next += count; }

// Stores the next number of the current line in *value and returns true, or
// returns false when the line's list has ended; it then keeps returning
// false until nextLine() is called.
bool nextNumber(NumberReader* reader, std::uint64_t* value);

// Calls `onNumber(value)` for each next number of the current line until
// it returns false or the line's list ends. Returns false when onNumber
// stopped it; the numbers after that one stay unread.
template <typename OnNumber>
bool forEachNumber(NumberReader* reader, OnNumber onNumber);

// What a run taker took: how many tokens, and whether the last of them
// stopped it.
struct RunsTaken {
  std::size_t tokens = 0;
  bool stopped = false;
};

// forEachNumber() that also hands over runs of one-digit tokens whole, to
// a run taker with two members. Where the line has more than kRunBytes
// bytes at hand, it asks `runs.startsRuns(bytes)` whether they may start
// runs; bytes[0] ends the token before (or is the line's first byte). If so
// it calls `runs.take(bytes, length)` with them. take() takes, from the
// front, whole runs of kRunCodes tokens of one digit and one blank each
// (see code_run.hpp) after a first blank; it may stop at any token of them,
// as onNumber returning false does, and says what it took. Its tokens are
// two bytes each, so the reader moves on by twice their number. Where it
// took none, the reader reads on by itself past those kRunBytes bytes
// before it asks again.
template <typename OnNumber, typename Runs>
bool forEachNumber(NumberReader* reader, OnNumber onNumber, Runs& runs);

// The run taker that takes none.
struct NoRuns {
  bool startsRuns(const char*) const { return false; }
  RunsTaken take(const char*, std::size_t) const { return {}; }
};

// Skips what is left of the current line, including its '\n'.
void nextLine(NumberReader* reader);

// Reads the numbers of the current line and moves on to the next line.
NumberList readListLine(NumberReader* reader);

// Reads the first line of `text` as a list.
NumberList parseNumberList(std::string_view text);

// ---- implementation of the templates ----

}  // namespace tesmo

#include "base/code_run.hpp"
#include "base/number_list_detail.hpp"

namespace tesmo {

// Reading the numbers is the walk's hot loop, so the common tokens are read
// here, inlined into the walk, on local copies of the read position and the
// buffer's bounds: kept in the reader, they would be reloaded after every
// token, since the buffer's chars may alias them. The slow path gets a
// number of its own, so that `number` never needs an address. Runs are
// taken outside the token loop, so that a call there does not cost the
// loop its registers.
template <typename OnNumber, typename Runs>
bool forEachNumber(NumberReader* reader, OnNumber onNumber, Runs& runs) {
  std::size_t runsFrom = 0;  // where in the buffer to look for runs again
  for (;;) {
    if (!reader->lineEnded) {
      const char* data = reader->buffer.get();
      const std::size_t end = reader->end;
      std::size_t at = reader->next;
      std::uint64_t number;
      bool going = true, runsAhead = false;
      while (going) {
        std::uint64_t run;
        if (at >= runsFrom && end - at > kRunBytes && runs.startsRuns(data + at)) {
          runsAhead = true;
          break;
        }
        if (end - at >= 8 &&
            (run = number_detail::readDigitRun(data + at)) != number_detail::kNoDigitRun) {
          for (int token = 0; token < 3 && going; ++token) {
            going = onNumber((run >> (16 * token + 8)) & 0xFF);
            at += 2;
          }
        } else if (number_detail::readPlainToken(data, end, &at, &number)) {
          going = onNumber(number);
        } else {
          break;
        }
      }
      reader->next = at;
      if (!going) return false;
      if (runsAhead) {
        const RunsTaken taken = runs.take(data + at, end - at);
        reader->next += 2 * taken.tokens;
        if (taken.stopped) return false;
        runsFrom = taken.tokens == 0 ? at + kRunBytes : reader->next;
        continue;
      }
    }
    std::uint64_t slowValue;
    if (!number_detail::nextNumberSlowly(reader, &slowValue)) return true;
    runsFrom = 0;  // the buffer may have been refilled
    if (!onNumber(slowValue)) return false;
  }
}

template <typename OnNumber>
bool forEachNumber(NumberReader* reader, OnNumber onNumber) {
  NoRuns none;
  return forEachNumber(reader, onNumber, none);
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

}  // namespace tesmo

#endif  // TESMO_BASE_NUMBER_LIST_HPP
