#include "render/mesh.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <utility>

namespace tesmo {

namespace {

// The solid on the grid its boxes' bounds make: a bit a cell, each row
// along x padded to whole words so that rows compare a word at a time.
struct Grid {
  std::array<std::vector<double>, 3> bounds;  // sorted; cells lie between
  std::array<std::size_t, 3> cells{};
  std::size_t rowWords = 0;
  std::vector<std::uint64_t> bits;

  std::uint64_t* row(std::size_t y, std::size_t z) {
    return bits.data() + (y + cells[1] * z) * rowWords;
  }
};

std::size_t boundIndex(const std::vector<double>& bounds, double value) {
  return static_cast<std::size_t>(std::lower_bound(bounds.begin(), bounds.end(), value) -
                                  bounds.begin());
}

void setBits(std::uint64_t* words, std::size_t from, std::size_t to, bool value) {
  for (std::size_t bit = from; bit < to; ++bit) {
    const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
    if (value) {
      words[bit / 64] |= mask;
    } else {
      words[bit / 64] &= ~mask;
    }
  }
}

void fill(Grid* grid, const Box& box, bool value) {
  std::array<std::size_t, 3> from{}, to{};
  for (int axis = 0; axis < 3; ++axis) {
    from[axis] = boundIndex(grid->bounds[axis], box.lo[axis]);
    to[axis] = boundIndex(grid->bounds[axis], box.hi[axis]);
  }
  for (std::size_t z = from[2]; z < to[2]; ++z) {
    for (std::size_t y = from[1]; y < to[1]; ++y) setBits(grid->row(y, z), from[0], to[0], value);
  }
}

bool makeGrid(const Solid& solid, Grid* grid, std::string* fault) {
  for (int axis = 0; axis < 3; ++axis) {
    std::vector<double>& bounds = grid->bounds[axis];
    for (const std::vector<Box>* boxes : {&solid.add, &solid.cut}) {
      for (const Box& box : *boxes) {
        bounds.push_back(box.lo[axis]);
        bounds.push_back(box.hi[axis]);
      }
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    grid->cells[axis] = bounds.empty() ? 0 : bounds.size() - 1;
  }
  grid->rowWords = grid->cells[0] / 64 + 1;  // a spare bit past the last cell
  const double cells = static_cast<double>(grid->rowWords * 64) *
                       static_cast<double>(grid->cells[1]) * static_cast<double>(grid->cells[2]);
  if (cells > static_cast<double>(kMaxMeshCells)) {
    *fault = "the model needs a grid of " + std::to_string(grid->cells[0]) + " x " +
             std::to_string(grid->cells[1]) + " x " + std::to_string(grid->cells[2]) +
             " cells; at most " + std::to_string(kMaxMeshCells) + " are made";
    return false;
  }
  grid->bits.assign(grid->rowWords * grid->cells[1] * grid->cells[2], 0);
  for (const Box& box : solid.add) fill(grid, box, true);
  for (const Box& box : solid.cut) fill(grid, box, false);
  return true;
}

// A face cell on a plane across an axis: (u, w), of the two axes after it.
using Cell = std::pair<std::uint32_t, std::uint32_t>;  // (u, w)

// The face cells where the solid ends along each axis.
struct FaceLists {
  // For each axis: for each plane index and side, the (u, w) cells.
  std::array<std::vector<std::vector<Cell>>, 3> positive, negative;
};

// Adds to lists the face cells whose bits are set in `faces`, row (y, z),
// across the x axis (their plane is the bit's place).
void addXFaces(const std::uint64_t* faces, std::size_t words, std::uint32_t y, std::uint32_t z,
               std::vector<std::vector<Cell>>* lists) {
  for (std::size_t word = 0; word < words; ++word) {
    for (std::uint64_t bits = faces[word]; bits != 0; bits &= bits - 1) {
      const std::size_t plane = word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
      (*lists)[plane].emplace_back(y, z);  // u = y, w = z
    }
  }
}

// Adds the face cells along a row of x (bits set in `faces`) on a plane
// across y or z.
void addRowFaces(const std::uint64_t* faces, std::size_t words, std::size_t cellsX, int axis,
                 std::uint32_t other, std::vector<Cell>* list) {
  for (std::size_t word = 0; word < words; ++word) {
    for (std::uint64_t bits = faces[word]; bits != 0; bits &= bits - 1) {
      const auto x =
          static_cast<std::uint32_t>(word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
      if (x >= cellsX) break;
      // Across y: u = z, w = x. Across z: u = x, w = y.
      list->push_back(axis == 1 ? Cell(other, x) : Cell(x, other));
    }
  }
}

FaceLists faceLists(Grid* grid) {
  FaceLists lists;
  for (int axis = 0; axis < 3; ++axis) {
    lists.positive[axis].resize(grid->cells[axis] + 1);
    lists.negative[axis].resize(grid->cells[axis] + 1);
  }
  const std::size_t words = grid->rowWords;
  const std::vector<std::uint64_t> empty(words, 0);
  std::vector<std::uint64_t> up(words), down(words);
  for (std::size_t z = 0; z < grid->cells[2]; ++z) {
    for (std::size_t y = 0; y < grid->cells[1]; ++y) {
      const std::uint64_t* row = grid->row(y, z);
      // Across x: the bit of plane p compares cells p - 1 and p.
      for (std::size_t word = 0; word < words; ++word) {
        const std::uint64_t before = row[word] << 1 | (word > 0 ? row[word - 1] >> 63 : 0);
        up[word] = before & ~row[word];
        down[word] = row[word] & ~before;
      }
      addXFaces(up.data(), words, static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(z),
                &lists.positive[0]);
      addXFaces(down.data(), words, static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(z),
                &lists.negative[0]);
      // Across y and z: this row against the one before it (none: empty).
      const std::uint64_t* beforeY = y > 0 ? grid->row(y - 1, z) : empty.data();
      const std::uint64_t* beforeZ = z > 0 ? grid->row(y, z - 1) : empty.data();
      for (const auto& [axis, before, other] :
           {std::tuple<int, const std::uint64_t*, std::size_t>{1, beforeY, z},
            std::tuple<int, const std::uint64_t*, std::size_t>{2, beforeZ, y}}) {
        const std::size_t plane = axis == 1 ? y : z;
        for (std::size_t word = 0; word < words; ++word) {
          up[word] = before[word] & ~row[word];
          down[word] = row[word] & ~before[word];
        }
        addRowFaces(up.data(), words, grid->cells[0], axis, static_cast<std::uint32_t>(other),
                    &lists.positive[axis][plane]);
        addRowFaces(down.data(), words, grid->cells[0], axis, static_cast<std::uint32_t>(other),
                    &lists.negative[axis][plane]);
      }
    }
  }
  // The last layers' far sides.
  for (std::size_t z = 0; z < grid->cells[2]; ++z) {
    if (grid->cells[1] == 0) break;
    addRowFaces(grid->row(grid->cells[1] - 1, z), words, grid->cells[0], 1,
                static_cast<std::uint32_t>(z), &lists.positive[1][grid->cells[1]]);
  }
  for (std::size_t y = 0; y < grid->cells[1] && grid->cells[2] > 0; ++y) {
    addRowFaces(grid->row(y, grid->cells[2] - 1), words, grid->cells[0], 2,
                static_cast<std::uint32_t>(y), &lists.positive[2][grid->cells[2]]);
  }
  return lists;
}

// A rectangle of the surface: on plane `at` across `axis`, cells [u0, u1)
// x [w0, w1) of the axes after it.
struct Rect {
  int axis;
  bool outward;
  std::uint32_t at, u0, u1, w0, w1;
};

// Merges a plane's face cells into rectangles, greedily: a run along u,
// then as many rows along w as repeat it.
void mergeCells(std::vector<Cell> cells, std::size_t cellsU, std::size_t cellsW, int axis,
                std::size_t at, bool outward, std::vector<std::uint8_t>* map,
                std::vector<Rect>* rects) {
  if (cells.empty()) return;
  std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
    return std::tie(a.second, a.first) < std::tie(b.second, b.first);
  });
  map->assign(cellsU * cellsW, 0);
  for (const Cell& cell : cells) (*map)[cell.second * cellsU + cell.first] = 1;
  const auto set = [&](std::size_t u, std::size_t w) { return (*map)[w * cellsU + u] != 0; };
  for (const Cell& cell : cells) {
    const std::size_t u0 = cell.first, w0 = cell.second;
    if (!set(u0, w0)) continue;
    std::size_t u1 = u0 + 1;
    while (u1 < cellsU && set(u1, w0)) ++u1;
    std::size_t w1 = w0 + 1;
    for (; w1 < cellsW; ++w1) {
      bool whole = true;
      for (std::size_t u = u0; u < u1 && whole; ++u) whole = set(u, w1);
      if (!whole) break;
    }
    for (std::size_t w = w0; w < w1; ++w) {
      std::fill(map->begin() + static_cast<std::ptrdiff_t>(w * cellsU + u0),
                map->begin() + static_cast<std::ptrdiff_t>(w * cellsU + u1), 0);
    }
    rects->push_back({axis, outward, static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(u0),
                      static_cast<std::uint32_t>(u1), static_cast<std::uint32_t>(w0),
                      static_cast<std::uint32_t>(w1)});
  }
}

using Point = std::array<std::uint32_t, 3>;  // bound indices

Point pointOf(const Rect& rect, std::uint32_t u, std::uint32_t w) {
  Point point{};
  point[rect.axis] = rect.at;
  point[(rect.axis + 1) % 3] = u;
  point[(rect.axis + 2) % 3] = w;
  return point;
}

// A line along `axis` through `point`, as a key.
std::uint64_t lineKey(int axis, const Point& point) {
  return static_cast<std::uint64_t>(axis) | std::uint64_t{point[(axis + 1) % 3]} << 2 |
         std::uint64_t{point[(axis + 2) % 3]} << 33;
}

// Every rectangle corner, on each of the three lines through it, sorted:
// the points a rectangle's edge must be split at.
using Lines = std::vector<std::pair<std::uint64_t, std::uint32_t>>;  // line, place on it

Lines linesOf(const std::vector<Rect>& rects) {
  Lines lines;
  lines.reserve(rects.size() * 12);
  for (const Rect& rect : rects) {
    for (const Point& corner : {pointOf(rect, rect.u0, rect.w0), pointOf(rect, rect.u1, rect.w0),
                                pointOf(rect, rect.u1, rect.w1), pointOf(rect, rect.u0, rect.w1)}) {
      for (int axis = 0; axis < 3; ++axis) lines.emplace_back(lineKey(axis, corner), corner[axis]);
    }
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return lines;
}

// Appends the points strictly between `from` and place `to` on the line
// along `axis`, in order from `from`.
void pointsBetween(const Lines& lines, int axis, const Point& from, std::uint32_t to,
                   std::vector<Point>* points) {
  const std::uint64_t key = lineKey(axis, from);
  const std::uint32_t lo = std::min(from[axis], to), hi = std::max(from[axis], to);
  const auto first = std::upper_bound(lines.begin(), lines.end(), std::make_pair(key, lo));
  const auto last = std::lower_bound(lines.begin(), lines.end(), std::make_pair(key, hi));
  const std::size_t start = points->size();
  for (auto it = first; it < last; ++it) {
    Point point = from;
    point[axis] = it->second;
    points->push_back(point);
  }
  if (to < from[axis]) {
    std::reverse(points->begin() + static_cast<std::ptrdiff_t>(start), points->end());
  }
}

void triangulate(const Rect& rect, const Lines& lines, const Grid& grid,
                 std::vector<Triangle>* triangles) {
  const int u = (rect.axis + 1) % 3, w = (rect.axis + 2) % 3;
  const Point corners[4] = {pointOf(rect, rect.u0, rect.w0), pointOf(rect, rect.u1, rect.w0),
                            pointOf(rect, rect.u1, rect.w1), pointOf(rect, rect.u0, rect.w1)};
  // The boundary, counter-clockwise about +axis: u up, w up, u down, w down.
  std::vector<Point> loop;
  const int along[4] = {u, w, u, w};
  for (int side = 0; side < 4; ++side) {
    loop.push_back(corners[side]);
    pointsBetween(lines, along[side], corners[side], corners[(side + 1) % 4][along[side]], &loop);
  }
  if (!rect.outward) std::reverse(loop.begin(), loop.end());
  const auto coordinates = [&](const Point& point) {
    std::array<float, 3> xyz{};
    for (int axis = 0; axis < 3; ++axis) {
      xyz[axis] = static_cast<float>(grid.bounds[axis][point[axis]]);
    }
    return xyz;
  };
  Triangle triangle{};
  triangle.normal[rect.axis] = rect.outward ? 1.0F : -1.0F;
  if (loop.size() == 4) {
    for (const auto& [a, b, c] : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
      triangle.vertices = {coordinates(loop[a]), coordinates(loop[b]), coordinates(loop[c])};
      triangles->push_back(triangle);
    }
    return;
  }
  // Points on the edges: a fan from the middle, so that no triangle is
  // degenerate.
  std::array<float, 3> middle = coordinates(corners[0]);
  middle[u] = static_cast<float>((grid.bounds[u][rect.u0] + grid.bounds[u][rect.u1]) / 2);
  middle[w] = static_cast<float>((grid.bounds[w][rect.w0] + grid.bounds[w][rect.w1]) / 2);
  for (std::size_t i = 0; i < loop.size(); ++i) {
    triangle.vertices = {middle, coordinates(loop[i]), coordinates(loop[(i + 1) % loop.size()])};
    triangles->push_back(triangle);
  }
}

}  // namespace

bool meshSolid(const Solid& solid, std::vector<Triangle>* triangles, std::string* fault) {
  Grid grid;
  if (!makeGrid(solid, &grid, fault)) return false;
  const FaceLists lists = faceLists(&grid);
  grid.bits.clear();
  grid.bits.shrink_to_fit();
  std::vector<Rect> rects;
  std::vector<std::uint8_t> map;
  for (int axis = 0; axis < 3; ++axis) {
    const std::size_t cellsU = grid.cells[(axis + 1) % 3], cellsW = grid.cells[(axis + 2) % 3];
    for (std::size_t at = 0; at <= grid.cells[axis]; ++at) {
      mergeCells(lists.positive[axis][at], cellsU, cellsW, axis, at, true, &map, &rects);
      mergeCells(lists.negative[axis][at], cellsU, cellsW, axis, at, false, &map, &rects);
    }
  }
  const Lines lines = linesOf(rects);
  triangles->clear();
  for (const Rect& rect : rects) triangulate(rect, lines, grid, triangles);
  return true;
}

void writeStlBinary(std::ostream& out, const std::vector<Triangle>& triangles,
                    const std::string& title) {
  // The title, padded with zero bytes to 80 (and cut there).
  std::string header = title.substr(0, 80);
  header.resize(80, '\0');
  out.write(header.data(), static_cast<std::streamsize>(header.size()));
  const auto count = static_cast<std::uint32_t>(triangles.size());
  // STL is little-endian, as the machines this runs on.
  out.write(reinterpret_cast<const char*>(&count), sizeof count);
  constexpr std::size_t kRecord = 50;  // bytes a triangle
  std::vector<char> record(kRecord * 4096);
  std::size_t used = 0;
  for (const Triangle& triangle : triangles) {
    char* at = record.data() + used;
    std::memcpy(at, triangle.normal.data(), 12);
    for (std::size_t vertex = 0; vertex < 3; ++vertex) {
      std::memcpy(at + 12 + 12 * vertex, triangle.vertices[vertex].data(), 12);
    }
    at[48] = at[49] = 0;
    used += kRecord;
    if (used == record.size()) {
      out.write(record.data(), static_cast<std::streamsize>(used));
      used = 0;
    }
  }
  out.write(record.data(), static_cast<std::streamsize>(used));
}

void writeStlAscii(std::ostream& out, const std::vector<Triangle>& triangles,
                   const std::string& title) {
  out << "solid " << title << '\n';
  char line[160];
  for (const Triangle& triangle : triangles) {
    std::snprintf(line, sizeof line, "  facet normal %g %g %g\n    outer loop\n",
                  static_cast<double>(triangle.normal[0]), static_cast<double>(triangle.normal[1]),
                  static_cast<double>(triangle.normal[2]));
    out << line;
    for (const auto& vertex : triangle.vertices) {
      std::snprintf(line, sizeof line, "      vertex %.9g %.9g %.9g\n",
                    static_cast<double>(vertex[0]), static_cast<double>(vertex[1]),
                    static_cast<double>(vertex[2]));
      out << line;
    }
    out << "    endloop\n  endfacet\n";
  }
  out << "endsolid " << title << '\n';
}

}  // namespace tesmo
