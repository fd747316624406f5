#include "render/scene.hpp"

#include <cstdio>

namespace tesmo {

using namespace render_detail;  // NOLINT(google-build-using-namespace): the scene's own parts

bool drawable(const Maze& maze) {
  for (int number = 0; number < 3; ++number) {
    const Face face = mazeFace(maze, number);
    if (face.rows != 0 && face.columns > kMaxDrawnCells / face.rows) return false;
  }
  return true;
}

void markRoute(const Maze& maze, const Position& start, const std::deque<std::uint64_t>& moves,
               std::uint64_t executed, Scene* scene) {
  Face faces[3];
  for (int number = 0; number < 3; ++number) {
    faces[number] = mazeFace(maze, number);
    scene->route[number].assign(faces[number].columns * faces[number].rows, 0);
  }
  const bool line = executed <= kMaxRouteLine;
  scene->routeLine.clear();
  // Position `step` of the route (0 the start), in its shade.
  auto mark = [&](const Position& position, std::uint64_t step) {
    const auto shade = static_cast<std::uint8_t>(1 + step * kRouteShades / (executed + 1));
    for (const Face& face : faces) {
      std::uint8_t& cell = scene->route[face.number][drawnIndex(face, spotOf(face, position))];
      if (cell == 0) cell = shade;
    }
    if (line) scene->routeLine.push_back(position);
  };
  mark(start, 0);
  Walker walker = startWalker(maze, start, executed);
  auto code = moves.begin();
  for (std::uint64_t i = 0; i < executed && code != moves.end(); ++i, ++code) {
    if (!stepWalker(&walker, *code)) break;
    mark(walkerPosition(walker), i + 1);
  }
}

bool colourWanted(bool terminal, const char* noColor) {
  return terminal && (noColor == nullptr || *noColor == '\0');
}

}  // namespace tesmo
