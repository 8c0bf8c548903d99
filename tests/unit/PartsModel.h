// A unit with a body and three child parts, one out along each axis, for the tests of where
// child parts land: the mesh and its texture are written into a folder and the unit is read
// through a disk group (GL calls are no-ops without a context; with one, the texture is real).
//
// Every piece is a cube of side 1. The body stands at the origin; "rotor" at (2.5, 0, 0),
// "tall" at (0, 2.5, 0) and "top" at (0, 0, 2.5); two loose body vertices at (−3, −3, −3) and
// (3, 3, 3) make the whole mesh a 6-unit box around the origin, so that normalised every part
// is 1/6 wide and the children sit 2.5/6 out. Each piece takes one column of a 4 × 4 texture:
// the body white, "rotor" red, "tall" green, "top" blue. The unit file gives the scale.
#pragma once

#include "unit/PictureFiles.h"

#include "render/Unit.h"
#include "resources/ResourceGroup.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace parts_model {

constexpr float kOffset = 2.5f / 6.0f;  // a child's offset along its axis, normalised
constexpr float kSide = 1.0f / 6.0f;    // every piece's side, normalised

// One cube of side 1 centred at (cx, cy, cz), textured from texel column `column`; `base` is
// the number of vertices and coordinates before it (OBJ indices are global and one-based).
inline std::string Cube(const char* group, float cx, float cy, float cz, int column, int base)
{
    std::string out = std::string("g ") + group + "\n";
    char line[192];
    for (int i = 0; i < 8; ++i) {
        std::snprintf(line, sizeof line, "v %g %g %g\n", cx + ((i & 1) ? 0.5f : -0.5f), cy + ((i & 2) ? 0.5f : -0.5f),
                      cz + ((i & 4) ? 0.5f : -0.5f));
        out += line;
    }
    // Every corner of a piece takes the middle of its texel column.
    for (int i = 0; i < 8; ++i) {
        std::snprintf(line, sizeof line, "vt %g 0.5\n", (column + 0.5f) / 4.0f);
        out += line;
    }
    static const int kQuads[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    for (const auto& q : kQuads) {
        const int a = base + q[0] + 1, b = base + q[1] + 1, c = base + q[2] + 1, d = base + q[3] + 1;
        std::snprintf(line, sizeof line, "f %d/%d %d/%d %d/%d\nf %d/%d %d/%d %d/%d\n", a, a, b, b, c, c, a, a, c, c, d, d);
        out += line;
    }
    return out;
}

inline std::string Obj()
{
    std::string body = Cube("body", 0, 0, 0, 0, 0);
    // The loose corners of the whole box: vertices 9 and 10, with coordinates 9 and 10.
    body += "v -3 -3 -3\nv 3 3 3\nvt 0.125 0.5\nvt 0.125 0.5\n";
    return body + Cube("rotor", 2.5f, 0, 0, 1, 10) + Cube("tall", 0, 2.5f, 0, 2, 18) + Cube("top", 0, 0, 2.5f, 3, 26);
}

// Writes "parts.obj", "parts.tga" and "parts.unt" (at the given scale) into dir and loads the
// unit through group.
inline bool Load(CUnit& unit, ResourceGroup& group, const std::filesystem::path& dir, float scale)
{
    std::filesystem::create_directories(dir);
    std::ofstream((dir / "parts.obj").string(), std::ios::binary) << Obj();
    std::vector<uint8_t> texels;  // BGR, four rows of white, red, green, blue
    for (int row = 0; row < 4; ++row)
        texels.insert(texels.end(), {255, 255, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0});
    const std::vector<uint8_t> tga = MakeTga(4, 4, 24, texels);
    std::ofstream((dir / "parts.tga").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(tga.data()), static_cast<std::streamsize>(tga.size()));
    std::ofstream((dir / "parts.unt").string(), std::ios::binary)
        << "faces_file_name " << (dir / "parts.obj").string() << "\ntex_file_name " << (dir / "parts.tga").string()
        << "\nscale " << scale << "\n";
    return unit.Load(&group, (dir / "parts.unt").string()) && unit.ChildCount() == 3;
}

}  // namespace parts_model
