// The models' surfaces are closed and consistently oriented: on random
// puzzles, each model's every directed edge is met once, and once reversed;
// no triangle is degenerate; each normal agrees with its triangle's
// winding; the volume is positive. (The end-to-end test holds the same
// models to admesh.)

#include "render/mesh.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "render/model.hpp"

namespace tesmo {
namespace {

using Vertex = std::array<float, 3>;

std::array<double, 3> minus(const Vertex& a, const Vertex& b) {
  return {double(a[0]) - b[0], double(a[1]) - b[1], double(a[2]) - b[2]};
}

std::array<double, 3> cross(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Faults of a surface, as one line each; "" when sound.
std::string surfaceFaults(const std::vector<Triangle>& triangles, double* volume) {
  std::map<std::pair<Vertex, Vertex>, int> edges;
  *volume = 0;
  for (const Triangle& t : triangles) {
    const auto n = cross(minus(t.vertices[1], t.vertices[0]), minus(t.vertices[2], t.vertices[0]));
    const double along = n[0] * t.normal[0] + n[1] * t.normal[1] + n[2] * t.normal[2];
    if (along <= 0) return "a triangle degenerate or wound against its normal";
    for (int k = 0; k < 3; ++k) ++edges[{t.vertices[k], t.vertices[(k + 1) % 3]}];
    const Vertex& a = t.vertices[0];
    *volume += (double(a[0]) * n[0] + double(a[1]) * n[1] + double(a[2]) * n[2]) / 6;
  }
  for (const auto& [edge, count] : edges) {
    const auto back = edges.find({edge.second, edge.first});
    if (count != 1 || back == edges.end() || back->second != 1) {
      return "an edge not met exactly once each way";
    }
  }
  return "";
}

TEST(Mesh, ModelsOfRandomPuzzlesAreClosedAndOriented) {
  std::mt19937 random(24);
  for (int round = 0; round < 60; ++round) {
    NumberList dimensions;
    for (int axis = 0; axis < 3; ++axis) dimensions.push_back(1 + random() % 5);
    NumberList faces[3];
    for (int k = 0; k < 3; ++k) {
      const std::uint64_t first = dimensions[k], second = dimensions[(k + 1) % 3];
      for (std::uint64_t i = 0; i < first + second * (second - 1); ++i) {
        faces[k].push_back(random() % 3 == 0 ? 1 + random() % 3 : 0);
      }
    }
    const Maze maze = listMaze(dimensions, faces[0], faces[1], faces[2]);
    std::vector<Position> route = {{0, 0, 0}};
    for (int step = 0; step < 40; ++step) {
      Position next = route.back();
      const int axis = static_cast<int>(random() % 3);
      if (random() % 2 && next[axis] + 1 < dimensions[axis]) {
        ++next[axis];
      } else if (next[axis] > 0) {
        --next[axis];
      }
      if (next != route.back()) route.push_back(next);
    }
    const ModelSizes sizes{1.0 + random() % 5, 0.5 + random() % 3, 0.5 + random() % 3};
    const struct {
      const char* name;
      Solid solid;
    } models[] = {{"assembled", assembledModel(maze, sizes)},
                  {"flat", flatModel(maze, sizes)},
                  {"route", routeModel(route, sizes)}};
    for (const auto& model : models) {
      SCOPED_TRACE(std::string(model.name) + " of round " + std::to_string(round));
      std::vector<Triangle> triangles;
      std::string fault;
      ASSERT_TRUE(meshSolid(model.solid, &triangles, &fault)) << fault;
      double volume = 0;
      EXPECT_EQ("", surfaceFaults(triangles, &volume));
      EXPECT_GT(volume, 0);
    }
  }
}

}  // namespace
}  // namespace tesmo
