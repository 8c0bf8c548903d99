// ForgeModel: meshes and materials built from code, the common form of every model the forge makes.
//
// A model is a list of named meshes (vertices with one texture coordinate each, triangles with a
// smoothing-group word and a material index) and a list of named materials. The 3DS writer turns a
// model into chunks, the Wavefront writer into groups of a unit mesh, the rasteriser into pictures.
// Shapes are added by the primitives below; each makes its own vertices, so hard edges between
// parts never share a vertex. Triangles wind counter-clockwise seen from outside.
#pragma once

#include "app/Vec3.h"
#include "core/Image.h"

#include <cstdint>
#include <string>
#include <vector>

struct ForgeTri {
    uint32_t a = 0, b = 0, c = 0;
    uint32_t smooth = 1;   // smoothing-group word
    int material = 0;
};

struct ForgeMesh {
    std::string name;
    std::vector<Vec3> verts;
    std::vector<float> uv;   // two per vertex
    std::vector<ForgeTri> tris;

    uint32_t AddVertex(const Vec3& p, float u, float v);
    void AddTri(uint32_t a, uint32_t b, uint32_t c, uint32_t smooth, int material);
    // Per-vertex normals averaged over the triangles that use each vertex.
    std::vector<Vec3> VertexNormals() const;
    void Bounds(Vec3& lo, Vec3& hi) const;
};

struct ForgeMaterial {
    std::string name;
    Color diffuse{0.8f, 0.8f, 0.8f};
    Color ambient{0.3f, 0.3f, 0.3f};
    Color specular{0.2f, 0.2f, 0.2f};
    float shininess = 0.2f;
    std::string texture;   // file name beside the model, "" for none
};

// Where a part takes its texture coordinates: the region (u0, v0)-(u1, v1) of the texture, filled
// by the projection of the box lo..hi along one axis.
struct UvMap {
    enum Mode { Top, Side, Front, Around } mode = Top;
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    Vec3 lo{-1, -1, -1}, hi{1, 1, 1};
    void Apply(const Vec3& p, const Vec3& n, float& u, float& v) const;
};

// One elliptical cross-section of a loft: centre (c1, c2) in the two cross axes, radii r1, r2,
// at distance t along the loft axis.
struct LoftSection {
    float t, c1, c2, r1, r2;
};

class ForgeModel {
public:
    std::vector<ForgeMaterial> materials;
    std::vector<ForgeMesh> meshes;

    int AddMaterial(const ForgeMaterial& m);
    ForgeMesh& AddMesh(const std::string& name);
    const ForgeMesh* FindMesh(const std::string& name) const;
    void Bounds(Vec3& lo, Vec3& hi) const;
    // Moves and scales every vertex.
    void Transform(const Vec3& offset, float scale);
};

// Primitives; each adds to mesh m with material mat and smoothing word smooth.
namespace Prim {
// Axis-aligned box turned by yawDeg about z around its centre.
void Box(ForgeMesh& m, const Vec3& center, const Vec3& half, const UvMap& uv, int mat, uint32_t smooth = 0, float yawDeg = 0);
// Loft along an axis ('x', 'y' or 'z'): for 'y' the cross axes are x and z; for 'x' they are y, z;
// for 'z' they are x, y. capStart/capEnd close the ends with fans.
void Loft(ForgeMesh& m, char axis, const std::vector<LoftSection>& sections, int segments, const UvMap& uv,
          int mat, uint32_t smooth, bool capStart = true, bool capEnd = true);
// Cylinder or cone frustum from a to b along a world axis.
void Cylinder(ForgeMesh& m, char axis, const Vec3& center, float length, float r0, float r1, int segments,
              const UvMap& uv, int mat, uint32_t smooth, bool caps = true);
// Ellipsoid with the given radii.
void Ellipsoid(ForgeMesh& m, const Vec3& center, const Vec3& radii, int segments, int rings, const UvMap& uv,
               int mat, uint32_t smooth);
// A flat slab: the polygon (pairs of coordinates in the plane of the two axes other than 'thickAxis',
// in the order x,y / y,z / x,z) extruded by thickness about offset along thickAxis. Convex polygons.
void Slab(ForgeMesh& m, const std::vector<float>& poly, char thickAxis, float offset, float thickness,
          const UvMap& uv, int mat, uint32_t smooth);
// Rotates vertices [first, end) of m about the pivot by deg degrees about an axis.
void Rotate(ForgeMesh& m, size_t first, char axis, float deg, const Vec3& pivot);
// Appends a mirrored copy (x -> -x) of vertices and triangles [firstVert..], [firstTri..].
void MirrorX(ForgeMesh& m, size_t firstVert, size_t firstTri);
} // namespace Prim
