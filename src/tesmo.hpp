// tesmo: the toolkit beside the verifier, one program with subcommands as
// git has them.
//
// Contract:
//  - runTesmo() is the whole program: main() hands it the arguments and the
//    standard streams, and it returns the exit status.
//  - `tesmo help`, `tesmo --help` and `tesmo -h` print the overview (usage
//    and the commands) on `out`, status 0; `tesmo help COMMAND` prints the
//    command's help as `tesmo COMMAND --help` does. `tesmo --version`
//    prints "tesmo VERSION" and a second line naming the verifier it goes
//    with, status 0.
//  - `tesmo COMMAND ARGS...` runs the command with argv[0] = COMMAND.
//  - No command: the overview on `err`, status 2. An unknown command or
//    option: "tesmo: 'WORD' is not a tesmo command; see 'tesmo help'" on
//    `err`, status 2.
//  - Each command takes the puzzle as the verifier does (command line,
//    "tesmo.cfg", built-in defaults) or from `--puzzle FILE`, and refuses
//    settings with status 2 (see puzzle_source.hpp).
//  - An exit status of 1 means a file the command was given (problem,
//    solution) cannot be read or holds a malformed or unusable position, or
//    there is no route; its own message says which.

#ifndef TESMO_TESMO_HPP
#define TESMO_TESMO_HPP

#include <ostream>

int runTesmo(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

// The commands. Each prints its help for --help and returns its status.
//  - solve [PROBLEM]: a shortest solution (tesmo_solve.cpp).
//  - explain [SOLUTION...]: replays as the verifier does and says where and
//    why a solution fails (tesmo_explain.cpp).
//  - convert: the puzzle as a puzzle file or tesmo.cfg lines
//    (tesmo_convert.cpp).
//  - judge PROTOCOL ARGS...: a contest judge's checker (tesmo_judge.cpp).
//  - generate X Y Z: a perfect puzzle (tesmo_generate.cpp).
//  - stats [PROBLEM]: a puzzle's measures (tesmo_stats.cpp).
//  - render [PUZZLE]: the faces drawn as SVG or text (tesmo_render.cpp).
int runSolve(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
int runExplain(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
int runConvert(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
int runJudge(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
int runGenerate(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
int runStats(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
int runRender(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

#endif  // TESMO_TESMO_HPP
