#include "formats/puzzle_file.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "base/quote.hpp"

namespace tesmo {

// This file's own names (see number_list.cpp for why they are named).
namespace puzzle_reading {

constexpr std::size_t kBlockBytes = std::size_t{1} << 16;

// What a parse knows between one line and the next.
struct PuzzleParse {
  std::string name;        // as messages show it
  std::uint64_t line = 0;  // lines seen so far
  Puzzle puzzle;
  bool sizeGiven = false;
  bool faceGiven[3] = {false, false, false};
  int rowsOf = -1;  // the face whose rows are being read
  std::uint64_t rowsRead = 0;
  int rowsEnded = -1;  // the face whose rows the last line completed
};

std::string quoted(std::string_view text) { return quotedToken(text, text.size()); }

bool fail(const PuzzleParse& parse, const std::string& fault, std::string* error) {
  *error = parse.name + ":" + std::to_string(parse.line) + ": " + fault;
  return false;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool allDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The line less its CR, its comment and the blanks around what is left.
std::string_view lineContent(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  line = line.substr(0, line.find('#'));
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  return line;
}

// Removes the first word of `*text`, and the blanks after it, and returns it.
std::string_view takeWord(std::string_view* text) {
  std::size_t end = 0;
  while (end < text->size() && !isBlank((*text)[end])) ++end;
  const std::string_view word = text->substr(0, end);
  while (end < text->size() && isBlank((*text)[end])) ++end;
  text->remove_prefix(end);
  return word;
}

bool isKeyword(std::string_view word) {
  return word == "size" || word == "start" || word == "end" || word == "face";
}

// Reads up to `most` numbers of `text`; more would be refused anyway.
bool readNumbers(std::string_view text, std::size_t most, std::vector<std::uint64_t>* numbers,
                 std::string* fault) {
  while (!text.empty() && numbers->size() < most) {
    const std::string_view word = takeWord(&text);
    if (!allDigits(word)) {
      *fault = "a number is plain decimal digits, found " + quoted(word);
      return false;
    }
    std::uint64_t value;
    if (std::from_chars(word.data(), word.data() + word.size(), value).ec != std::errc()) {
      *fault = "number out of range, found " + quoted(word);
      return false;
    }
    numbers->push_back(value);
  }
  return true;
}

// The numbers the rows read so far reach by the index rule: the last one
// read, b, ends at S*b + F.
std::string faceShortFault(const PuzzleParse& parse) {
  const Face face = faceOf(parse.puzzle.size, parse.rowsOf);
  const std::uint64_t placed =
      parse.rowsRead == 0 ? 0 : face.stride * (parse.rowsRead - 1) + face.columns;
  return "face " + std::to_string(face.number) + " needs " + std::to_string(*faceLength(face)) +
         " cells, found " + std::to_string(placed) + " (" + std::to_string(parse.rowsRead) +
         " of " + std::to_string(face.rows) + " rows)";
}

// A line where a keyword belongs, with none: most often one row too many.
std::string strayLineFault(const PuzzleParse& parse, std::string_view content) {
  if (parse.rowsEnded >= 0 && allDigits(content)) {
    const Face face = faceOf(parse.puzzle.size, parse.rowsEnded);
    return "too many rows for face " + std::to_string(parse.rowsEnded) + " (it has " +
           std::to_string(face.rows) + "), found " + quoted(content);
  }
  return "expected size, start, end or face, found " + quoted(content);
}

// Refuses, before any row is read, sizes whose faces would not fit in memory.
bool setSize(PuzzleParse* parse, const Sizes& sizes, std::string* error) {
  if (parse->sizeGiven) return fail(*parse, "size is given twice", error);
  for (int face = 0; face < 3; ++face) {
    const std::optional<std::uint64_t> cells = drawnCells(faceOf(sizes, face));
    if (!cells || *cells > kMaxFaceCells) {
      const std::string count = cells ? std::to_string(*cells) + " cells" : "2^64 cells or more";
      return fail(*parse,
                  "size too large: face " + std::to_string(face) + " would hold " + count +
                      " (the limit is " + std::to_string(kMaxFaceCells) + ")",
                  error);
    }
  }
  parse->sizeGiven = true;
  parse->puzzle.size = sizes;
  return true;
}

bool beginFace(PuzzleParse* parse, int face, std::string* error) {
  if (!parse->sizeGiven) return fail(*parse, "a face comes before size", error);
  if (parse->faceGiven[face]) {
    return fail(*parse, "face " + std::to_string(face) + " is given twice", error);
  }
  parse->faceGiven[face] = true;
  parse->rowsRead = 0;
  if (faceOf(parse->puzzle.size, face).rows == 0) {
    parse->rowsEnded = face;
  } else {
    parse->rowsOf = face;
  }
  return true;
}

bool readKeywordLine(PuzzleParse* parse, std::string_view content, std::string* error) {
  std::string_view rest = content;
  const std::string_view keyword = takeWord(&rest);
  if (!isKeyword(keyword)) return fail(*parse, strayLineFault(*parse, content), error);
  const bool isFace = keyword == "face";
  const std::size_t count = isFace ? 1 : 3;
  std::vector<std::uint64_t> numbers;
  std::string fault;
  if (!readNumbers(rest, count + 1, &numbers, &fault)) return fail(*parse, fault, error);
  if (numbers.size() != count || (isFace && numbers[0] > 2)) {
    return fail(
        *parse,
        isFace ? "face needs one number: 0, 1 or 2" : std::string(keyword) + " needs three numbers",
        error);
  }
  parse->rowsEnded = -1;
  if (isFace) return beginFace(parse, static_cast<int>(numbers[0]), error);
  if (keyword == "size") return setSize(parse, {numbers[0], numbers[1], numbers[2]}, error);
  auto& position = keyword == "start" ? parse->puzzle.start : parse->puzzle.end;
  if (position) return fail(*parse, std::string(keyword) + " is given twice", error);
  position = Position{numbers[0], numbers[1], numbers[2]};
  return true;
}

// Why `row` is no row b of F digits of the face, or "" when it is one.
std::string rowFault(int face, std::uint64_t b, std::uint64_t first, std::string_view row) {
  for (char c : row) {
    if (c < '0' || c > '9') return "a cell is a digit 0 to 9, found " + quoted({&c, 1});
  }
  if (row.size() == first) return "";
  return "face " + std::to_string(face) + " row " + std::to_string(b) + " needs " +
         std::to_string(first) + " cells, found " + std::to_string(row.size());
}

std::string overlapFault(int face, std::uint64_t index, std::uint64_t was, std::uint64_t now,
                         std::uint64_t b) {
  return "face " + std::to_string(face) + " cell " + std::to_string(index) + " is drawn as " +
         std::to_string(was) + " and as " + std::to_string(now) + " (rows " +
         std::to_string(b - 1) + " and " + std::to_string(b) + " overlap)";
}

// Row b of the face holds cells S*b .. S*b + F - 1 by the index rule.
// When F > S its first F - S cells are those of the row before at columns
// S .. F - 1 (rows overlap only then, and leave no gap), so they are
// compared with them.
bool readRow(PuzzleParse* parse, std::string_view row, std::string* error) {
  const Face face = faceOf(parse->puzzle.size, parse->rowsOf);
  const std::uint64_t b = parse->rowsRead;
  const std::string fault = rowFault(face.number, b, face.columns, row);
  if (!fault.empty()) return fail(*parse, fault, error);
  std::vector<std::uint8_t>& cells = parse->puzzle.faces[face.number];
  const std::uint64_t begin = face.columns * b;
  cells.resize(begin + face.columns);
  for (std::uint64_t a = 0; a < face.columns; ++a) {
    const std::uint8_t value = static_cast<std::uint8_t>(row[a] - '0');
    if (b > 0 && a + face.stride < face.columns) {
      const std::uint8_t drawn = cells[begin - face.columns + a + face.stride];
      if (drawn != value) {
        return fail(*parse, overlapFault(face.number, faceIndex(face, {a, b}), drawn, value, b),
                    error);
      }
    }
    cells[begin + a] = value;
  }
  if (++parse->rowsRead == face.rows) {
    parse->rowsOf = -1;
    parse->rowsEnded = face.number;
  }
  return true;
}

bool failTooLong(PuzzleParse* parse, std::string* error) {
  return fail(*parse, "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes", error);
}

// One line without its '\n'.
bool parseLine(PuzzleParse* parse, std::string_view line, std::string* error) {
  ++parse->line;
  if (line.size() > kMaxLineBytes) return failTooLong(parse, error);
  if (line.find('\0') != std::string_view::npos) {
    return fail(*parse, "a NUL byte; a puzzle file is text", error);
  }
  const std::string_view content = lineContent(line);
  if (content.empty()) return true;
  if (parse->rowsOf < 0) return readKeywordLine(parse, content, error);
  std::string_view rest = content;
  if (isKeyword(takeWord(&rest))) return fail(*parse, faceShortFault(*parse), error);
  return readRow(parse, content, error);
}

bool finishParse(PuzzleParse* parse, Puzzle* puzzle, std::string* error) {
  if (parse->line == 0) {
    parse->line = 1;
    return fail(*parse, "the puzzle file is empty", error);
  }
  if (parse->rowsOf >= 0) return fail(*parse, faceShortFault(*parse), error);
  if (!parse->sizeGiven) return fail(*parse, "size is missing", error);
  for (int face = 0; face < 3; ++face) {
    if (!parse->faceGiven[face]) {
      return fail(*parse, "face " + std::to_string(face) + " is missing", error);
    }
  }
  *puzzle = std::move(parse->puzzle);
  return true;
}

// Hands the parse each line of the file; a line cut by the end of a block
// is gathered in `carried`, so memory is a block and the longest line.
bool feedFile(std::FILE* file, PuzzleParse* parse, std::string* error) {
  std::vector<char> block(kBlockBytes);
  std::string carried;
  std::size_t got;
  while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
    std::string_view rest(block.data(), got);
    for (std::size_t newline; (newline = rest.find('\n')) != std::string_view::npos;) {
      std::string_view line = rest.substr(0, newline);
      if (!carried.empty()) line = carried.append(line);
      if (!parseLine(parse, line, error)) return false;
      carried.clear();
      rest.remove_prefix(newline + 1);
    }
    if (carried.size() + rest.size() > kMaxLineBytes) {
      ++parse->line;
      return failTooLong(parse, error);
    }
    carried.append(rest);
  }
  if (std::ferror(file)) {
    *error = cannotRead(parse->name, "puzzle", errno);
    return false;
  }
  return carried.empty() || parseLine(parse, carried, error);
}

}  // namespace puzzle_reading

bool parsePuzzle(std::string_view text, const std::string& name, Puzzle* puzzle,
                 std::string* error) {
  using namespace puzzle_reading;  // NOLINT(google-build-using-namespace): this file's own
  PuzzleParse parse;
  parse.name = printableName(name);
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    if (!parseLine(&parse, text.substr(0, newline), error)) return false;
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
  }
  return finishParse(&parse, puzzle, error);
}

bool loadPuzzleFile(const std::string& path, Puzzle* puzzle, std::string* error) {
  using namespace puzzle_reading;  // NOLINT(google-build-using-namespace): this file's own
  PuzzleParse parse;
  parse.name = printableName(path);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  int reason = file ? 0 : errno;
  struct stat status;
  if (file && fstat(fileno(file.get()), &status) != 0)
    reason = errno;
  else if (file && S_ISDIR(status.st_mode))
    reason = EISDIR;
  if (reason != 0) {
    *error = cannotRead(path, "puzzle", reason);
    return false;
  }
  return feedFile(file.get(), &parse, error) && finishParse(&parse, puzzle, error);
}

}  // namespace tesmo
