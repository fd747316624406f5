// The puzzle as one self-contained HTML page: its three faces, zoomable,
// a solution's replay move by move, and play by hand. The page loads
// nothing from elsewhere; its script (page.html beside this file, built
// into the program) walks the moves with the walker's rule (walk.hpp), so
// that it agrees with the verifier on every move.
//
// Contract:
//  - writeHtml() writes the page of `maze` with what `page` holds. The
//    faces go in as drawn (row by row, a digit a cell, values above 9 apart
//    as decimal text); the moves as a digit a code, up to and with the
//    first invalid code, kept as its decimal text.
//  - A page with `replay` opens replaying those moves from `start`; a page
//    without opens in play, from `start` when there is one. `refusal` is
//    the verifier's line for a start or end it refuses (nothing is walked,
//    nothing can be played); `summary` is explain's line for where the
//    replayed walk ends (see words.hpp), shown at its end.
//  - The page's elements a test reads: #verdict, #position ("x,y,z"),
//    #executed, #message; its controls #play, #step-forward, #step-back,
//    #reset, #download, #scrub, #speed, #undo, #mode-replay, #mode-play.

#ifndef TESMO_RENDER_HTML_HPP
#define TESMO_RENDER_HTML_HPP

#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "model/maze.hpp"

namespace tesmo {

struct HtmlPage {
  std::string title;
  std::optional<Position> start, end;
  bool replay = false;
  std::deque<std::uint64_t> moves;  // as the verifier read them
  std::string refusal;
  std::string summary;
};

void writeHtml(std::ostream& out, const Maze& maze, const HtmlPage& page);

}  // namespace tesmo

#endif  // TESMO_RENDER_HTML_HPP
