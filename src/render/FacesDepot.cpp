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

std::unique_ptr<CFacesDepot> CFacesDepot::ExtractGroup(size_t n) const
{
    if (n >= m_groups.size())
        return nullptr;
    const Group& g = m_groups[n];
    auto out = std::make_unique<CFacesDepot>();
    out->m_name = g.name;
    out->m_has_tex_coords = m_has_tex_coords;
    out->m_has_normals = m_has_normals;

    auto copyRange = [](const std::vector<float>& src, int first, int last, size_t stride, std::vector<float>& dst) {
        const int count = static_cast<int>(src.size() / stride);
        first = std::max(first, 0);
        last = std::min(last, count - 1);
        if (last >= first)
            dst.assign(src.begin() + first * stride, src.begin() + (last + 1) * stride);
    };
    copyRange(m_vertices, g.firstVertex, g.lastVertex, 3, out->m_vertices);
    copyRange(m_tex_coords, g.firstTexCoord, g.lastTexCoord, 2, out->m_tex_coords);
    copyRange(m_normals, g.firstNormal, g.lastNormal, 3, out->m_normals);

    const int lastFace = std::min(g.lastFace, static_cast<int>(m_faces.size()) - 1);
    for (int i = std::max(g.firstFace, 0); i <= lastFace; ++i) {
        Face f = m_faces[i];
        for (int k = 0; k < 3; ++k) {
            f.v[k] -= g.firstVertex;
            if (f.t[k] != -1)
                f.t[k] -= g.firstTexCoord;
            if (f.n[k] != -1)
                f.n[k] -= g.firstNormal;
        }
        // A face reaching outside its group's ranges would index outside the new arrays.
        if (!FaceFits(f, out->m_vertices.size() / 3, out->m_tex_coords.size() / 2, out->m_normals.size() / 3))
            continue;
        out->m_faces.push_back(f);
        out->m_face_materials.push_back(m_face_materials[i]);
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
    if (n >= m_groups.size() || m_groups[n].lastVertex < m_groups[n].firstVertex || m_groups[n].firstVertex < 0)
        return;
    float mn[3], mx[3];
    BoundingBox(m_groups[n].firstVertex, m_groups[n].lastVertex, mn, mx);
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
