# The library's sources, layer by layer, lowest first. The first list is
# everything the contest judge needs; scripts/make_tesmo_judge.sh reads it
# from here (a line each, in this order) to make the one-file judge, so
# that the build and the one file hold the same code.
set(TESMO_JUDGE_SOURCES
  src/base/number_list.cpp
  src/base/quote.cpp
  src/model/maze.cpp
  src/engine/grid.cpp
  src/engine/quad_grid.cpp
  src/engine/walk.cpp
  src/engine/search.cpp
  src/formats/puzzle_file.cpp
  src/formats/puzzle_file_canonical.cpp
  src/verify/words.cpp
  src/judge/judge.cpp
  src/judge/protocols.cpp
  src/programs/print.cpp
)

# The rest of the core: no Boost, nothing printed.
set(TESMO_CORE_SOURCES
  src/base/quote_formats.cpp
  src/base/paths.cpp
  src/base/table.cpp
  src/model/builtin_puzzle.cpp
  src/engine/stats.cpp
  src/engine/generate.cpp
  src/formats/puzzle_file_write.cpp
  src/verify/endpoints.cpp
  src/verify/replay.cpp
  src/verify/explain.cpp
  src/render/scene.cpp
  src/render/svg.cpp
  src/render/text.cpp
  src/render/html.cpp
  src/render/mesh.cpp
  src/render/model.cpp
  src/run/run.cpp
  src/judge/suite.cpp
  src/judge/suite_report.cpp
)

# Settings and command lines, on Boost.Program_options.
set(TESMO_CLI_SOURCES
  src/cli/settings.cpp
  src/cli/puzzle_source.cpp
)

# The programs' runs (their mains are apart); each tesmo command is a file
# of src/programs/commands/, found by the build.
file(GLOB TESMO_COMMAND_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/programs/commands/*.cpp)
set(TESMO_PROGRAM_SOURCES
  src/programs/tesmoVerifier.cpp
  src/programs/tesmo.cpp
  src/programs/progress.cpp
  ${TESMO_COMMAND_SOURCES}
)
