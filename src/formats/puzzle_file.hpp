// The puzzle file: a whole puzzle (its sizes, its three faces and, if wanted,
// a start and an end) in one text file a person can read and edit, with its
// reader and its writers.
//
// The format:
//
//   # comment: '#' starts a comment anywhere, to the end of the line
//   size 11 11 11          # X Y Z, required, before any face
//   start 1 1 1            # optional
//   end 9 9 9              # optional
//   face 0                 # then Y rows (one per y = 0..Y-1) of X digits (x = 0..X-1)
//   11111111111
//   ...
//   face 1                 # Z rows (z) of Y digits (y)
//   ...
//   face 2                 # X rows (x) of Z digits (z)
//   ...
//
//  - Lines. A line ends at '\n' or at the end of the file; a '\r' just before
//    that end is dropped (CR LF files). A '#' and all after it on the line is
//    a comment. Blanks (space and tab) around what is left are ignored, and
//    a line left empty is skipped everywhere, also among a face's rows. A
//    line is at most kMaxLineBytes bytes; a NUL byte anywhere is refused.
//  - Keyword lines. A keyword (`size`, `start`, `end`, `face`, in lower case)
//    and its numbers, separated by blanks. A number is plain decimal digits:
//    no sign, leading zeros allowed ("007" is 7), a value of at most
//    2^64 - 1. `size X Y Z`, `start x y z` and `end x y z` hold three
//    numbers, `face K` one, 0, 1 or 2. Each keyword at most once, each face
//    exactly once, in any order; `size` before any face; `start` and `end`
//    anywhere but among a face's rows. Start and end may hold any values:
//    whether they lie inside the box or on a wall is the program's to judge.
//  - Rows. Face K spans its first axis K and its second axis (K + 1) % 3, of
//    sizes F and S: cell a + S*b holds first coordinate a, second b. The
//    `face K` line is followed by S rows, row b (counted from 0) holding
//    cells S*b .. S*b + F - 1, one digit 0 to 9 per cell, exactly F digits.
//    The rows end when all S are read; the next line must be a keyword line.
//    When F > S rows overlap: a cell drawn in two rows is drawn the same in
//    both. When F < S the cells between rows are never read and not drawn.
//  - A size of 0 leaves no position inside the box, so no cell is ever read:
//    every face then has no rows; its `face K` line is still required.
//  - Cells: 0 is open, any other digit blocks moves, and 1 also refuses a
//    start or an end on it, so 2 to 9 all mean the same.
//
// Contract:
//  - parsePuzzle() reads `text` as a puzzle file. On success it fills
//    *puzzle (see puzzle.hpp): three sizes; face K's F * S cells as drawn,
//    row by row (none when a size is 0); start and end when given. It
//    refuses sizes for which a face would draw more than kMaxFaceCells
//    cells (or a count that does not fit in 64 bits) before reading any
//    row, and a face grows only as its rows are read. On failure it returns
//    false with *puzzle untouched and *error (never null) set to one
//    printable line "NAME:LINE: fault", LINE counted from 1; faults found at
//    the end of the file name its last line (1 for an empty file). The
//    faults:
//      the puzzle file is empty
//      a NUL byte; a puzzle file is text
//      the line is longer than 1048576 bytes
//      expected size, start, end or face, found 'TEXT'
//      too many rows for face K (it has S), found 'TEXT'
//      a number is plain decimal digits, found 'TEXT'
//      number out of range, found 'TEXT'
//      size needs three numbers              (also start, end)
//      face needs one number: 0, 1 or 2
//      size is given twice                   (also start, end, face K)
//      a face comes before size
//      size too large: face K would hold N cells (the limit is 268435456)
//      size too large: face K would hold 2^64 cells or more (the limit is 268435456)
//      a cell is a digit 0 to 9, found 'C'
//      face K row B needs F cells, found N
//      face K cell I is drawn as V and as W (rows B-1 and B overlap)
//      face K needs N cells, found M (R of S rows)
//      size is missing                       (also face K)
//    "face K needs" (N cells by the index rule, of which M are placed by
//    the R rows read) is found at the next keyword line or the end of the
//    file. TEXT and C are quoted as quotedToken() quotes (see quote.hpp),
//    NAME through printableName().
//  - loadPuzzleFile() reads the file at `path`, line by line through a
//    64 KiB buffer, with `path` as NAME. Besides the faults above, for a
//    file that cannot be opened or read, cannotRead()'s line (quote.hpp):
//    "NAME: cannot read the puzzle file: REASON" ("Is a directory" for a
//    directory).
//  - canonicalFault() holds `text` to the one form a contest's test data
//    should have, before it is parsed: lines end in a line feed alone, the
//    last one too; no tab, no comment, no blank line, no blank at the start
//    or end of a line, one blank between tokens; numbers without leading
//    zeros; the keywords in the order size, start, end, face 0, face 1,
//    face 2; and no size above `maxSize`. It returns "" for such a text
//    (whose other faults the parser finds), else "NAME:LINE: fault":
//      a carriage return; lines end in a line feed alone
//      a tab; tokens are separated by one blank
//      a comment; the input holds none
//      a blank line
//      a blank at the start of the line      (also: at the end of the line)
//      two blanks between tokens
//      the last line has no line feed
//      a leading zero in 'TOKEN'
//      expected 'KEYWORD', found 'TEXT'
//      size N is above the bound B
//  - writePuzzle() writes a maze in the format, with short comments, the
//    start and end when given: each face's F digits per row for S rows, a
//    cell above 9 written as 9 (it behaves the same: it blocks moves and is
//    no wall for an endpoint). Cells past the needed length and cells
//    between rows are not written: they are never read. A maze of any size
//    0 gets faces with no rows.
//  - writeConfig() writes the maze as tesmo.cfg lines: a '#' comment line,
//    `dimensions=X`, `dimensions=Y`, `dimensions=Z`, then a `face0=V` line per
//    number of face 0's faceLength() (values exact, numbers between rows as
//    a list holds them, 0 for a drawn face), then face 1 and face 2.

#ifndef TESMO_FORMATS_PUZZLE_FILE_HPP
#define TESMO_FORMATS_PUZZLE_FILE_HPP

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "model/maze.hpp"
#include "model/puzzle.hpp"

namespace tesmo {

// A face costs a byte per drawn cell: 2^28 cells, 256 MiB a face, is far
// above any puzzle drawn by hand or generated for the benchmarks (10^6 a
// face at 1000^3). As a face grows only with the rows read, a file cut
// short costs no more than its rows reach.
constexpr std::uint64_t kMaxFaceCells = std::uint64_t{1} << 28;

// A row is F digits, and F is at most kMaxFaceCells with one row; 1 MiB
// leaves room for the rows of any face of up to 2^20 columns, blanks and a
// comment.
constexpr std::uint64_t kMaxLineBytes = std::uint64_t{1} << 20;

bool parsePuzzle(std::string_view text, const std::string& name, Puzzle* puzzle,
                 std::string* error);

bool loadPuzzleFile(const std::string& path, Puzzle* puzzle, std::string* error);

std::string canonicalFault(std::string_view text, const std::string& name, std::uint64_t maxSize);

void writePuzzle(std::ostream& out, const Maze& maze, const std::optional<Position>& start,
                 const std::optional<Position>& end);

void writeConfig(std::ostream& out, const Maze& maze);

}  // namespace tesmo

#endif  // TESMO_FORMATS_PUZZLE_FILE_HPP
