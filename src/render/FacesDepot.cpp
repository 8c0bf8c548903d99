// The Wavefront subset parser, group extraction and model-space normalisation of CFacesDepot.
#include "render/FacesDepot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kMaxLine = 255;

bool FaceFits(const CFacesDepot::Face& f, size_t nv, size_t nt, size_t nn)
{
    for (int k = 0; k < 3; ++k) {
        if (f.v[k] < 0 || static_cast<size_t>(f.v[k]) >= nv)
            return false;
        if (f.t[k] != -1 && (f.t[k] < 0 || static_cast<size_t>(f.t[k]) >= nt))
            return false;
        if (f.n[k] != -1 && (f.n[k] < 0 || static_cast<size_t>(f.n[k]) >= nn))
            return false;
    }
    return true;
}

}  // namespace

bool CFacesDepot::ParseAllGroups(const char* text, size_t size)
{
    m_vertices.clear();
    m_tex_coords.clear();
    m_normals.clear();
    m_faces.clear();
    m_face_materials.clear();
    m_groups.clear();
    m_has_tex_coords = m_has_normals = false;

    std::vector<float> vertices, texCoords, normals;
    std::vector<Face> faces;
    std::vector<int32_t> materials;
    std::vector<Group> groups;
    int materialCount = 0;

    auto closeGroup = [&](Group& g) {
        g.lastFace = static_cast<int>(faces.size()) - 1;
        g.lastVertex = static_cast<int>(vertices.size() / 3) - 1;
        g.lastTexCoord = static_cast<int>(texCoords.size() / 2) - 1;
        g.lastNormal = static_cast<int>(normals.size() / 3) - 1;
    };

    size_t pos = 0;
    char line[kMaxLine + 1];
    while (text && pos < size) {
        // One line, cut at 255 characters; the rest of an over-long line is skipped.
        size_t len = 0;
        while (pos < size && text[pos] != '\n') {
            if (len < kMaxLine)
                line[len++] = text[pos];
            ++pos;
        }
        ++pos;
        while (len > 0 && (line[len - 1] == '\r'))
            --len;
        line[len] = 0;
        if (std::memchr(line, 0, len))
            continue;  // an embedded NUL: not a line of text

        if (line[0] == 'g' && line[1] == ' ') {
            if (!groups.empty())
                closeGroup(groups.back());
            Group g;
            char name[kMaxLine + 1] = {};
            if (std::sscanf(line + 2, "%255s", name) == 1)
                g.name = name;
            g.firstFace = static_cast<int>(faces.size());
            g.firstVertex = static_cast<int>(vertices.size() / 3);
            g.firstTexCoord = static_cast<int>(texCoords.size() / 2);
            g.firstNormal = static_cast<int>(normals.size() / 3);
            groups.push_back(g);
        } else if (line[0] == 'v' && line[1] == ' ') {
            float x = 0, y = 0, z = 0;
            std::sscanf(line + 2, "%f %f %f", &x, &y, &z);
            vertices.insert(vertices.end(), {x, y, z});
        } else if (line[0] == 'v' && line[1] == 't' && line[2] == ' ') {
            float u = 0, v = 0;
            std::sscanf(line + 3, "%f %f", &u, &v);
            texCoords.insert(texCoords.end(), {u, v});
            m_has_tex_coords = true;
        } else if (line[0] == 'v' && line[1] == 'n' && line[2] == ' ') {
            float x = 0, y = 0, z = 0;
            std::sscanf(line + 3, "%f %f %f", &x, &y, &z);
            normals.insert(normals.end(), {x, y, z});
            m_has_normals = true;
        } else if (line[0] == 'f' && line[1] == ' ') {
            int a[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
            Face f;
            bool ok = false;
            if (!m_has_tex_coords && !m_has_normals) {
                ok = std::sscanf(line, "f %d %d %d", &a[0], &a[1], &a[2]) == 3;
                for (int k = 0; k < 3; ++k)
                    f.v[k] = a[k] - 1;
            } else if (m_has_tex_coords && !m_has_normals) {
                ok = std::sscanf(line, "f %d/%d %d/%d %d/%d", &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]) == 6;
                for (int k = 0; k < 3; ++k) {
                    f.v[k] = a[k * 2] - 1;
                    f.t[k] = a[k * 2 + 1] - 1;
                }
            } else if (m_has_tex_coords && m_has_normals) {
                ok = std::sscanf(line, "f %d/%d/%d %d/%d/%d %d/%d/%d", &a[0], &a[1], &a[2], &a[3], &a[4], &a[5], &a[6],
                                 &a[7], &a[8]) == 9;
                for (int k = 0; k < 3; ++k) {
                    f.v[k] = a[k * 3] - 1;
                    f.t[k] = a[k * 3 + 1] - 1;
                    f.n[k] = a[k * 3 + 2] - 1;
                }
            } else {
                ok = std::sscanf(line, "f %d//%d %d//%d %d//%d", &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]) == 6;
                for (int k = 0; k < 3; ++k) {
                    f.v[k] = a[k * 2] - 1;
                    f.n[k] = a[k * 2 + 1] - 1;
                }
            }
            // A face that does not parse, or names something the file has not had, is dropped.
            if (ok && FaceFits(f, vertices.size() / 3, texCoords.size() / 2, normals.size() / 3)) {
                faces.push_back(f);
                materials.push_back(materialCount - 1);
            }
        } else if (std::strncmp(line, "usemtl", 6) == 0) {
            ++materialCount;
        }
    }

    if (groups.empty()) {
        if (vertices.empty())
            return false;
        groups.push_back(Group{"default"});  // no group lines: the whole file is one group
    }
    closeGroup(groups.back());
    if (groups.back().name.empty())
        return false;

    m_vertices = std::move(vertices);
    m_tex_coords = std::move(texCoords);
    m_normals = std::move(normals);
    m_faces = std::move(faces);
    m_face_materials = std::move(materials);
    m_groups = std::move(groups);
    RecomputeExtents();
    return true;
}

std::vector<int32_t> CFacesDepot::GroupIndices(size_t n, Element e) const
{
    const Group& g = m_groups[n];
    int first = 0, last = -1;
    size_t count = 0;
    switch (e) {
    case Element::Vertex: first = g.firstVertex, last = g.lastVertex, count = VertexCount(); break;
    case Element::TexCoord: first = g.firstTexCoord, last = g.lastTexCoord, count = m_tex_coords.size() / 2; break;
    case Element::Normal: first = g.firstNormal, last = g.lastNormal, count = m_normals.size() / 3; break;
    }
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(count) - 1);
    std::vector<int32_t> out;
    for (int i = first; i <= last; ++i)
        out.push_back(i);
    const int lastFace = std::min(g.lastFace, static_cast<int>(m_faces.size()) - 1);
    for (int i = std::max(g.firstFace, 0); i <= lastFace; ++i) {
        const Face& f = m_faces[static_cast<size_t>(i)];
        const int32_t* idx = e == Element::Vertex ? f.v : e == Element::TexCoord ? f.t : f.n;
        for (int k = 0; k < 3; ++k)
            if (idx[k] >= 0 && static_cast<size_t>(idx[k]) < count && (idx[k] < first || idx[k] > last))
                out.push_back(idx[k]);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::unique_ptr<CFacesDepot> CFacesDepot::ExtractGroup(size_t n) const
{
    if (n >= m_groups.size())
        return nullptr;
    const Group& g = m_groups[n];
    auto out = std::make_unique<CFacesDepot>();
    out->m_name = g.name;
    out->m_has_tex_coords = m_has_tex_coords;
    out->m_has_normals = m_has_normals;

    const std::vector<int32_t> vertices = GroupIndices(n, Element::Vertex);
    const std::vector<int32_t> coords = GroupIndices(n, Element::TexCoord);
    const std::vector<int32_t> normals = GroupIndices(n, Element::Normal);
    auto copy = [](const std::vector<float>& src, const std::vector<int32_t>& which, size_t stride,
                   std::vector<float>& dst) {
        dst.reserve(which.size() * stride);
        for (int32_t i : which)
            dst.insert(dst.end(), src.begin() + static_cast<ptrdiff_t>(i * stride),
                       src.begin() + static_cast<ptrdiff_t>((i + 1) * stride));
    };
    copy(m_vertices, vertices, 3, out->m_vertices);
    copy(m_tex_coords, coords, 2, out->m_tex_coords);
    copy(m_normals, normals, 3, out->m_normals);
    // A global index becomes its place in the group's list; one that is not there (only a
    // face that reaches outside the file's arrays) becomes -2, which FaceFits refuses.
    auto local = [](const std::vector<int32_t>& which, int32_t global) -> int32_t {
        if (global == -1)
            return -1;
        const auto it = std::lower_bound(which.begin(), which.end(), global);
        return it != which.end() && *it == global ? static_cast<int32_t>(it - which.begin()) : -2;
    };

    const int lastFace = std::min(g.lastFace, static_cast<int>(m_faces.size()) - 1);
    for (int i = std::max(g.firstFace, 0); i <= lastFace; ++i) {
        Face f = m_faces[static_cast<size_t>(i)];
        for (int k = 0; k < 3; ++k) {
            f.v[k] = local(vertices, f.v[k]);
            f.t[k] = local(coords, f.t[k]);
            f.n[k] = local(normals, f.n[k]);
        }
        if (!FaceFits(f, out->m_vertices.size() / 3, out->m_tex_coords.size() / 2, out->m_normals.size() / 3))
            continue;
        out->m_faces.push_back(f);
        out->m_face_materials.push_back(m_face_materials[static_cast<size_t>(i)]);
    }
    out->RecomputeExtents();
    return out;
}

void CFacesDepot::BoundingBox(size_t first, size_t last, float mn[3], float mx[3]) const
{
    for (int k = 0; k < 3; ++k)
        mn[k] = mx[k] = 0.0f;
    bool any = false;
    for (size_t i = first; i <= last && i < VertexCount(); ++i) {
        for (int k = 0; k < 3; ++k) {
            const float v = m_vertices[i * 3 + k];
            if (!any || v < mn[k]) mn[k] = v;
            if (!any || v > mx[k]) mx[k] = v;
        }
        any = true;
    }
}

void CFacesDepot::GroupCenter(size_t n, float& x, float& y, float& z) const
{
    x = y = z = 0.0f;
    if (n >= m_groups.size())
        return;
    const std::vector<int32_t> vertices = GroupIndices(n, Element::Vertex);
    if (vertices.empty())
        return;
    float mn[3], mx[3];
    for (int k = 0; k < 3; ++k)
        mn[k] = mx[k] = m_vertices[static_cast<size_t>(vertices[0]) * 3 + static_cast<size_t>(k)];
    for (int32_t i : vertices)
        for (int k = 0; k < 3; ++k) {
            const float v = m_vertices[static_cast<size_t>(i) * 3 + static_cast<size_t>(k)];
            mn[k] = std::min(mn[k], v);
            mx[k] = std::max(mx[k], v);
        }
    x = (mn[0] + mx[0]) * 0.5f;
    y = (mn[1] + mx[1]) * 0.5f;
    z = (mn[2] + mx[2]) * 0.5f;
}

void CFacesDepot::RecomputeExtents()
{
    if (m_vertices.empty()) {
        m_width = m_height = m_depth = 0.0f;
        return;
    }
    float mn[3], mx[3];
    BoundingBox(0, VertexCount() - 1, mn, mx);
    m_width = mx[0] - mn[0];
    m_height = mx[1] - mn[1];
    m_depth = mx[2] - mn[2];
}

void CFacesDepot::Center()
{
    if (m_vertices.empty())
        return;
    float mn[3], mx[3];
    BoundingBox(0, VertexCount() - 1, mn, mx);
    for (size_t i = 0; i < m_vertices.size(); ++i)
        m_vertices[i] -= (mn[i % 3] + mx[i % 3]) * 0.5f;
    RecomputeExtents();
}

void CFacesDepot::Normalize()
{
    if (m_vertices.empty())
        return;
    float mn[3], mx[3];
    BoundingBox(0, VertexCount() - 1, mn, mx);
    float e = std::max(mx[0] - mn[0], std::max(mx[1] - mn[1], mx[2] - mn[2]));
    if (!(e > 0.0f) || !std::isfinite(e))
        e = 1.0f;  // a single point: centre only
    for (size_t i = 0; i < m_vertices.size(); ++i)
        m_vertices[i] = (m_vertices[i] - (mn[i % 3] + mx[i % 3]) * 0.5f) / e;
    RecomputeExtents();
}
