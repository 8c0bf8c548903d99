// ForgeModel: meshes, materials and the shape primitives the content modules build models from.
#include "geometry/ForgeModel.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kPi = 3.14159265358979323846f;

float Norm01(float v, float lo, float hi) { return hi - lo != 0.0f ? (v - lo) / (hi - lo) : 0.5f; }

// Maps coordinates given along the loft axis and its two cross axes to x, y, z.
Vec3 AxisPoint(char axis, float t, float a, float b)
{
    switch (axis) {
    case 'x': return {t, a, b};
    case 'z': return {a, b, t};
    default: return {a, t, b};
    }
}

// Adds the triangle wound so that its normal points along 'facing'; degenerate ones are dropped.
void AddFacing(ForgeMesh& m, uint32_t a, uint32_t b, uint32_t c, const Vec3& facing, uint32_t smooth, int mat)
{
    const Vec3 n = (m.verts[b] - m.verts[a]).Cross(m.verts[c] - m.verts[a]);
    if (n.LengthSq() < 1e-14f)
        return;
    if (n.Dot(facing) < 0.0f)
        std::swap(b, c);
    m.AddTri(a, b, c, smooth, mat);
}
} // namespace

uint32_t ForgeMesh::AddVertex(const Vec3& p, float u, float v)
{
    verts.push_back(p);
    uv.push_back(u);
    uv.push_back(v);
    return static_cast<uint32_t>(verts.size() - 1);
}

void ForgeMesh::AddTri(uint32_t a, uint32_t b, uint32_t c, uint32_t smooth, int material)
{
    tris.push_back(ForgeTri{a, b, c, smooth, material});
}

std::vector<Vec3> ForgeMesh::VertexNormals() const
{
    std::vector<Vec3> n(verts.size(), Vec3(0, 0, 0));
    for (const ForgeTri& t : tris) {
        const Vec3 fn = (verts[t.b] - verts[t.a]).Cross(verts[t.c] - verts[t.a]);
        n[t.a] += fn;
        n[t.b] += fn;
        n[t.c] += fn;
    }
    for (Vec3& v : n) {
        v.NormalizeSafe();
        if (v.LengthSq() == 0.0f)
            v = Vec3(0, 0, 1);
    }
    return n;
}

void ForgeMesh::Bounds(Vec3& lo, Vec3& hi) const
{
    lo = Vec3(1e30f, 1e30f, 1e30f);
    hi = Vec3(-1e30f, -1e30f, -1e30f);
    for (const Vec3& v : verts) {
        lo = Vec3(std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z));
        hi = Vec3(std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z));
    }
}

void UvMap::Apply(const Vec3& p, const Vec3& n, float& u, float& v) const
{
    Mode m = mode;
    if (m == Around) {
        const float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
        m = (az >= ax && az >= ay) ? Top : (ax >= ay ? Side : Front);
    }
    float s = 0, t = 0;
    switch (m) {
    case Top: s = Norm01(p.x, lo.x, hi.x); t = Norm01(p.y, lo.y, hi.y); break;
    case Side: s = Norm01(p.y, lo.y, hi.y); t = Norm01(p.z, lo.z, hi.z); break;
    default: s = Norm01(p.x, lo.x, hi.x); t = Norm01(p.z, lo.z, hi.z); break;
    }
    s = std::clamp(s, 0.0f, 1.0f);
    t = std::clamp(t, 0.0f, 1.0f);
    u = u0 + (u1 - u0) * s;
    v = v0 + (v1 - v0) * t;
}

int ForgeModel::AddMaterial(const ForgeMaterial& m)
{
    materials.push_back(m);
    return static_cast<int>(materials.size() - 1);
}

ForgeMesh& ForgeModel::AddMesh(const std::string& name)
{
    meshes.push_back(ForgeMesh{});
    meshes.back().name = name;
    return meshes.back();
}

const ForgeMesh* ForgeModel::FindMesh(const std::string& name) const
{
    for (const ForgeMesh& m : meshes)
        if (m.name == name)
            return &m;
    return nullptr;
}

void ForgeModel::Bounds(Vec3& lo, Vec3& hi) const
{
    lo = Vec3(1e30f, 1e30f, 1e30f);
    hi = Vec3(-1e30f, -1e30f, -1e30f);
    for (const ForgeMesh& m : meshes) {
        Vec3 a, b;
        m.Bounds(a, b);
        lo = Vec3(std::min(lo.x, a.x), std::min(lo.y, a.y), std::min(lo.z, a.z));
        hi = Vec3(std::max(hi.x, b.x), std::max(hi.y, b.y), std::max(hi.z, b.z));
    }
}

void ForgeModel::Transform(const Vec3& offset, float scale)
{
    for (ForgeMesh& m : meshes)
        for (Vec3& v : m.verts)
            v = (v + offset) * scale;
}

namespace Prim {

void Box(ForgeMesh& m, const Vec3& center, const Vec3& half, const UvMap& uv, int mat, uint32_t smooth, float yawDeg)
{
    static const float kFaces[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const size_t first = m.verts.size();
    for (const auto& f : kFaces) {
        const Vec3 n(f[0], f[1], f[2]);
        // Two tangents of the face.
        const Vec3 t1 = std::fabs(n.z) > 0.5f ? Vec3(1, 0, 0) : Vec3(0, 0, 1);
        const Vec3 t2 = n.Cross(t1);
        uint32_t idx[4];
        const float sgn[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int k = 0; k < 4; ++k) {
            const Vec3 d = n + t1 * sgn[k][0] + t2 * sgn[k][1];
            const Vec3 p(center.x + d.x * half.x, center.y + d.y * half.y, center.z + d.z * half.z);
            float u, v;
            uv.Apply(p, n, u, v);
            idx[k] = m.AddVertex(p, u, v);
        }
        AddFacing(m, idx[0], idx[1], idx[2], n, smooth, mat);
        AddFacing(m, idx[0], idx[2], idx[3], n, smooth, mat);
    }
    if (yawDeg != 0.0f)
        Rotate(m, first, 'z', yawDeg, center);
}

void Loft(ForgeMesh& m, char axis, const std::vector<LoftSection>& sections, int segments, const UvMap& uv,
          int mat, uint32_t smooth, bool capStart, bool capEnd)
{
    if (sections.size() < 2 || segments < 3)
        return;
    const float t0 = sections.front().t, t1 = sections.back().t;
    const size_t ringSize = static_cast<size_t>(segments) + 1;
    std::vector<uint32_t> ring(sections.size() * ringSize);
    for (size_t i = 0; i < sections.size(); ++i) {
        const LoftSection& s = sections[i];
        for (int j = 0; j <= segments; ++j) {
            const float th = 2.0f * kPi * j / segments;
            const float ca = std::cos(th), sa = std::sin(th);
            const Vec3 p = AxisPoint(axis, s.t, s.c1 + s.r1 * ca, s.c2 + s.r2 * sa);
            const Vec3 n = AxisPoint(axis, 0.0f, ca, sa);
            float u, v;
            if (uv.mode == UvMap::Around) {
                u = uv.u0 + (uv.u1 - uv.u0) * (static_cast<float>(j) / segments);
                v = uv.v0 + (uv.v1 - uv.v0) * Norm01(s.t, t0, t1);
            } else {
                uv.Apply(p, n, u, v);
            }
            ring[i * ringSize + static_cast<size_t>(j)] = m.AddVertex(p, u, v);
        }
    }
    for (size_t i = 0; i + 1 < sections.size(); ++i)
        for (int j = 0; j < segments; ++j) {
            const uint32_t a = ring[i * ringSize + j], b = ring[(i + 1) * ringSize + j];
            const uint32_t c = ring[(i + 1) * ringSize + j + 1], d = ring[i * ringSize + j + 1];
            const float th = 2.0f * kPi * (j + 0.5f) / segments;
            const Vec3 out = AxisPoint(axis, 0.0f, std::cos(th), std::sin(th));
            AddFacing(m, a, b, c, out, smooth, mat);
            AddFacing(m, a, c, d, out, smooth, mat);
        }
    auto cap = [&](const LoftSection& s, float dir) {
        if (s.r1 <= 0.0f || s.r2 <= 0.0f)
            return;
        const Vec3 n = AxisPoint(axis, dir, 0.0f, 0.0f);
        const Vec3 c = AxisPoint(axis, s.t, s.c1, s.c2);
        float u, v;
        uv.Apply(c, n, u, v);
        const uint32_t ci = m.AddVertex(c, u, v);
        std::vector<uint32_t> rim;
        for (int j = 0; j < segments; ++j) {
            const float th = 2.0f * kPi * j / segments;
            const Vec3 p = AxisPoint(axis, s.t, s.c1 + s.r1 * std::cos(th), s.c2 + s.r2 * std::sin(th));
            uv.Apply(p, n, u, v);
            rim.push_back(m.AddVertex(p, u, v));
        }
        for (int j = 0; j < segments; ++j)
            AddFacing(m, ci, rim[j], rim[(j + 1) % segments], n, smooth + 0x10000u, mat);
    };
    if (capStart)
        cap(sections.front(), -1.0f);
    if (capEnd)
        cap(sections.back(), 1.0f);
}

void Cylinder(ForgeMesh& m, char axis, const Vec3& center, float length, float r0, float r1, int segments,
              const UvMap& uv, int mat, uint32_t smooth, bool caps)
{
    float t = 0, a = 0, b = 0;
    switch (axis) {
    case 'x': t = center.x; a = center.y; b = center.z; break;
    case 'z': t = center.z; a = center.x; b = center.y; break;
    default: t = center.y; a = center.x; b = center.z; break;
    }
    Loft(m, axis, {{t - length / 2, a, b, r0, r0}, {t + length / 2, a, b, r1, r1}}, segments, uv, mat, smooth, caps, caps);
}

void Ellipsoid(ForgeMesh& m, const Vec3& center, const Vec3& radii, int segments, int rings, const UvMap& uv,
               int mat, uint32_t smooth)
{
    std::vector<LoftSection> s;
    for (int i = 0; i <= rings; ++i) {
        const float ph = kPi * i / rings;
        const float k = std::sin(ph);
        s.push_back({center.z - radii.z * std::cos(ph), center.x, center.y, radii.x * k, radii.y * k});
    }
    Loft(m, 'z', s, segments, uv, mat, smooth, false, false);
}

void Slab(ForgeMesh& m, const std::vector<float>& poly, char thickAxis, float offset, float thickness,
          const UvMap& uv, int mat, uint32_t smooth)
{
    const size_t n = poly.size() / 2;
    if (n < 3)
        return;
    auto P = [&](float a, float b, float c) {
        switch (thickAxis) {
        case 'x': return Vec3(c, a, b);
        case 'y': return Vec3(a, c, b);
        default: return Vec3(a, b, c);
        }
    };
    float ca = 0, cb = 0;
    for (size_t i = 0; i < n; ++i) {
        ca += poly[2 * i];
        cb += poly[2 * i + 1];
    }
    ca /= n;
    cb /= n;
    const float h = thickness / 2;
    for (int side = 0; side < 2; ++side) {
        const float c = side == 0 ? offset + h : offset - h;
        const Vec3 nrm = P(0, 0, side == 0 ? 1.0f : -1.0f);
        std::vector<uint32_t> idx;
        for (size_t i = 0; i < n; ++i) {
            const Vec3 p = P(poly[2 * i], poly[2 * i + 1], c);
            float u, v;
            uv.Apply(p, nrm, u, v);
            idx.push_back(m.AddVertex(p, u, v));
        }
        for (size_t i = 1; i + 1 < n; ++i)
            AddFacing(m, idx[0], idx[i], idx[i + 1], nrm, smooth, mat);
    }
    for (size_t i = 0; i < n; ++i) {
        const size_t k = (i + 1) % n;
        const float ea = poly[2 * k] - poly[2 * i], eb = poly[2 * k + 1] - poly[2 * i + 1];
        float na = eb, nb = -ea;   // edge normal, turned outward by the centroid test
        const float ma = (poly[2 * i] + poly[2 * k]) / 2 - ca, mb = (poly[2 * i + 1] + poly[2 * k + 1]) / 2 - cb;
        if (na * ma + nb * mb < 0) {
            na = -na;
            nb = -nb;
        }
        const Vec3 nrm = P(na, nb, 0);
        const Vec3 q[4] = {P(poly[2 * i], poly[2 * i + 1], offset - h), P(poly[2 * k], poly[2 * k + 1], offset - h),
                           P(poly[2 * k], poly[2 * k + 1], offset + h), P(poly[2 * i], poly[2 * i + 1], offset + h)};
        uint32_t idx[4];
        for (int j = 0; j < 4; ++j) {
            float u, v;
            uv.Apply(q[j], nrm, u, v);
            idx[j] = m.AddVertex(q[j], u, v);
        }
        AddFacing(m, idx[0], idx[1], idx[2], nrm, smooth + 0x100u, mat);
        AddFacing(m, idx[0], idx[2], idx[3], nrm, smooth + 0x100u, mat);
    }
}

void Rotate(ForgeMesh& m, size_t first, char axis, float deg, const Vec3& pivot)
{
    for (size_t i = first; i < m.verts.size(); ++i) {
        Vec3 p = m.verts[i] - pivot;
        if (axis == 'x')
            p.RotateX(deg);
        else if (axis == 'y')
            p.RotateY(deg);
        else
            p.RotateZ(deg);
        m.verts[i] = p + pivot;
    }
}

void MirrorX(ForgeMesh& m, size_t firstVert, size_t firstTri)
{
    const size_t nv = m.verts.size(), nt = m.tris.size();
    const uint32_t base = static_cast<uint32_t>(nv - firstVert);
    for (size_t i = firstVert; i < nv; ++i) {
        const Vec3 p = m.verts[i];
        m.AddVertex(Vec3(-p.x, p.y, p.z), m.uv[2 * i], m.uv[2 * i + 1]);
    }
    for (size_t i = firstTri; i < nt; ++i) {
        const ForgeTri t = m.tris[i];
        m.AddTri(t.a + base, t.c + base, t.b + base, t.smooth, t.material);
    }
}

} // namespace Prim
