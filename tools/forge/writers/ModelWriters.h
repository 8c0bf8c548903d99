// ModelWriters: the model files of the game from forge models.
//
// Write3ds: a 3DS chunk tree (main 0x4D4D, editor 0x3D3D with one 0xAFFF chunk per material —
// name, ambient, diffuse, specular, shininess, shading and texture map 1 — and one 0x4000 named
// triangle mesh per forge mesh with its vertex list, texture coordinates, identity local matrix,
// face list, per-material face lists and smoothing groups). Returns empty when a mesh holds more
// than 65535 vertices or triangles, a name is too long for its chunk, or a material index is bad.
// WriteObj: the Wavefront subset the game's unit meshes use: one "g" group per forge mesh in
// order (the first is the unit's body, the others become its child parts), then that group's
// "v", "vt", "vn" and "f v/vt/vn" lines with indices global over the file.
#pragma once

#include "geometry/ForgeModel.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> Write3ds(const ForgeModel& model);
std::string WriteObj(const ForgeModel& model);
