#include "render.hpp"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string_view>
#include <utility>

#include "render_scene.hpp"

using namespace render_detail;  // NOLINT(google-build-using-namespace): the scene's own parts

bool drawable(const Maze& maze) {
  for (int face = 0; face < 3; ++face) {
    const FaceAxes axes = faceAxes(maze, face);
    if (axes.rows != 0 && axes.columns > kMaxDrawnCells / axes.rows) return false;
  }
  return true;
}

void markRoute(const Maze& maze, const Position& start,
               const std::deque<std::uint64_t>& moves, std::uint64_t executed,
               Scene* scene) {
  FaceAxes axes[3];
  for (int face = 0; face < 3; ++face) {
    axes[face] = faceAxes(maze, face);
    scene->route[face].assign(axes[face].columns * axes[face].rows, 0);
  }
  auto mark = [&](const Position& position) {
    for (const FaceAxes& face : axes) {
      const Spot spot = spotOf(face, position);
      scene->route[face.face][spot.row * face.columns + spot.column] = 1;
    }
  };
  mark(start);
  const MovePlan plan = planMoves(maze);
  Walk walk = startWalk(maze, start);
  auto code = moves.begin();
  for (std::uint64_t i = 0; i < executed && code != moves.end(); ++i, ++code) {
    applyMove(plan, *code, &walk);
    mark({walk.position[0], walk.position[1], walk.position[2]});
  }
}

bool colourWanted(bool terminal, const char* noColor) {
  return terminal && (noColor == nullptr || *noColor == '\0');
}

// ---- SVG ----
