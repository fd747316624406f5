// A solid made of axis-aligned boxes, and its surface as triangles: what a
// 3-D printer's slicer takes (STL).
//
// Contract:
//  - A Solid is the union of its `add` boxes less the union of its `cut`
//    boxes. Boxes are in millimetres; two boxes meet exactly where their
//    bounds are the same doubles, so a caller computes each bound one way.
//  - meshSolid() returns the solid's whole surface: triangles with outward
//    normals, every edge shared by exactly two of them (no T-junctions: a
//    face is split wherever a neighbour's corner lies on its edge), none
//    degenerate, none crossing another. Coplanar neighbouring cells merge
//    into rectangles first. The solid must have no two parts that touch
//    along an edge or at a point alone (the callers build theirs so); then
//    the surface is a closed 2-manifold. It works on the grid the boxes'
//    bounds make, a bit a cell: false, with the reason, when that grid
//    would exceed kMaxMeshCells.
//  - writeStlBinary() writes binary STL (an 80-byte header starting with
//    `title`, the count, 50 bytes a triangle, float coordinates);
//    writeStlAscii() writes ASCII STL, one solid named `title`.

#ifndef TESMO_RENDER_MESH_HPP
#define TESMO_RENDER_MESH_HPP

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tesmo {

// 2^30 cells: 128 MiB of bits.
constexpr std::uint64_t kMaxMeshCells = std::uint64_t{1} << 30;

struct Box {
  std::array<double, 3> lo, hi;
};

struct Solid {
  std::vector<Box> add, cut;
};

struct Triangle {
  std::array<float, 3> normal;
  std::array<std::array<float, 3>, 3> vertices;
};

bool meshSolid(const Solid& solid, std::vector<Triangle>* triangles, std::string* fault);

void writeStlBinary(std::ostream& out, const std::vector<Triangle>& triangles,
                    const std::string& title);

void writeStlAscii(std::ostream& out, const std::vector<Triangle>& triangles,
                   const std::string& title);

}  // namespace tesmo

#endif  // TESMO_RENDER_MESH_HPP
