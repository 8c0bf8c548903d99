// CFacesDepot: the mesh store of units and clouds, parsed from the Wavefront text subset.
//
// Owned by a CUnit (or borrowed by its sharing copies) and used directly by the clouds. Parsing
// works on a text buffer (pointer and size) and needs no GL context. Bad input never reads out of
// bounds: lines are cut at 255 characters, faces whose indices fall outside the arrays are dropped
// (at parse time, and again when a group is extracted), and group ranges are kept inside the
// arrays. A file without any "g " line becomes one group named "default".
//
// A group is made of the vertices, coordinates and normals listed under it and of any further
// ones its faces use: files that list every vertex before their groups (as many exporters write
// them), or share coordinates and normals between groups, keep their faces when a group is
// extracted, and a file whose groups hold their own (the forge's) extracts its ranges as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CFacesDepot {
public:
    struct Group {
        std::string name;
        int firstFace = 0, lastFace = -1;
        int firstVertex = 0, lastVertex = -1;
        int firstTexCoord = 0, lastTexCoord = -1;
        int firstNormal = 0, lastNormal = -1;
    };

    // Nine indices a face: three vertex, three texture-coordinate, three normal (zero-based, -1 none).
    struct Face {
        int32_t v[3] = {-1, -1, -1};
        int32_t t[3] = {-1, -1, -1};
        int32_t n[3] = {-1, -1, -1};
    };

    // Parses every line of the buffer, replacing what the store held. False when the buffer held
    // no mesh (nothing to build).
    bool ParseAllGroups(const char* text, size_t size);

    // A new store with group n's faces, vertices, coordinates and normals, indices made local
    // (each array keeps the file's order); null when n is out of range.
    std::unique_ptr<CFacesDepot> ExtractGroup(size_t n) const;
    // Bounding-box centre of group n's vertices (0, 0, 0 when out of range or empty).
    void GroupCenter(size_t n, float& x, float& y, float& z) const;

    // Centres on the bounding-box midpoint and scales the largest extent to 1.
    void Normalize();
    // Centres on the bounding-box midpoint only.
    void Center();
    void RecomputeExtents();

    size_t VertexCount() const { return m_vertices.size() / 3; }
    size_t FaceCount() const { return m_faces.size(); }
    const std::string& Name() const { return m_name; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    float Depth() const { return m_depth; }

    std::string m_name;
    std::vector<float> m_vertices;    // x, y, z
    std::vector<float> m_tex_coords;  // u, v
    bool m_has_tex_coords = false;
    std::vector<float> m_normals;     // x, y, z
    bool m_has_normals = false;
    std::vector<Face> m_faces;
    std::vector<int32_t> m_face_materials;
    float m_width = 0, m_height = 0, m_depth = 0;
    std::vector<Group> m_groups;

private:
    enum class Element { Vertex, TexCoord, Normal };
    // The global indices of one element that make up group n, ascending: its own range and
    // every further one its faces use.
    std::vector<int32_t> GroupIndices(size_t n, Element e) const;
    void BoundingBox(size_t first, size_t last, float mn[3], float mx[3]) const;
};
