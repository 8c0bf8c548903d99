// ModelWriters: 3DS chunks and Wavefront text.
#include "writers/ModelWriters.h"

#include <cstdio>
#include <cstring>

namespace {
// Little-endian chunk builder; Begin/End nest, End patches the chunk's length.
class ChunkWriter {
public:
    void Begin(uint16_t id)
    {
        m_open.push_back(m_buf.size());
        U16(id);
        U32(0);
    }
    void End()
    {
        const size_t start = m_open.back();
        m_open.pop_back();
        const uint32_t len = static_cast<uint32_t>(m_buf.size() - start);
        for (int i = 0; i < 4; ++i)
            m_buf[start + 2 + i] = static_cast<uint8_t>(len >> (8 * i));
    }
    void U8(uint8_t v) { m_buf.push_back(v); }
    void U16(uint16_t v) { U8(static_cast<uint8_t>(v)); U8(static_cast<uint8_t>(v >> 8)); }
    void U32(uint32_t v) { for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(v >> (8 * i))); }
    void F32(float f)
    {
        uint32_t v;
        std::memcpy(&v, &f, 4);
        U32(v);
    }
    void Str(const std::string& s)
    {
        for (char c : s)
            U8(static_cast<uint8_t>(c));
        U8(0);
    }
    std::vector<uint8_t> Take() { return std::move(m_buf); }

private:
    std::vector<uint8_t> m_buf;
    std::vector<size_t> m_open;
};

uint8_t Byte(float v) { return static_cast<uint8_t>(v <= 0 ? 0 : v >= 1 ? 255 : static_cast<int>(v * 255.0f + 0.5f)); }

void Colour(ChunkWriter& w, uint16_t id, const Color& c)
{
    w.Begin(id);
    w.Begin(0x0011);
    w.U8(Byte(c.r));
    w.U8(Byte(c.g));
    w.U8(Byte(c.b));
    w.End();
    w.End();
}

void Percent(ChunkWriter& w, uint16_t id, float v)
{
    w.Begin(id);
    w.Begin(0x0030);
    w.U16(static_cast<uint16_t>(static_cast<int16_t>(v * 100.0f + 0.5f)));
    w.End();
    w.End();
}
} // namespace

std::vector<uint8_t> Write3ds(const ForgeModel& model)
{
    for (const ForgeMaterial& m : model.materials)
        if (m.name.empty() || m.name.size() > 16 || m.texture.size() > 12)
            return {};
    for (const ForgeMesh& m : model.meshes) {
        if (m.name.empty() || m.name.size() > 90 || m.verts.size() > 65535 || m.tris.size() > 65535)
            return {};
        for (const ForgeTri& t : m.tris)
            if (t.material < 0 || static_cast<size_t>(t.material) >= model.materials.size() ||
                t.a >= m.verts.size() || t.b >= m.verts.size() || t.c >= m.verts.size())
                return {};
    }

    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x0002);   // file version
    w.U32(3);
    w.End();
    w.Begin(0x3D3D);
    w.Begin(0x3D3E);   // mesh version
    w.U32(3);
    w.End();
    for (const ForgeMaterial& m : model.materials) {
        w.Begin(0xAFFF);
        w.Begin(0xA000);
        w.Str(m.name);
        w.End();
        Colour(w, 0xA010, m.ambient);
        Colour(w, 0xA020, m.diffuse);
        Colour(w, 0xA030, m.specular);
        Percent(w, 0xA040, m.shininess);
        Percent(w, 0xA050, 0.0f);
        w.Begin(0xA100);
        w.U16(3);   // Phong
        w.End();
        if (!m.texture.empty()) {
            w.Begin(0xA200);
            w.Begin(0x0030);
            w.U16(100);
            w.End();
            w.Begin(0xA300);
            w.Str(m.texture);
            w.End();
            w.End();
        }
        w.End();
    }
    for (const ForgeMesh& m : model.meshes) {
        w.Begin(0x4000);
        w.Str(m.name);
        w.Begin(0x4100);
        w.Begin(0x4110);
        w.U16(static_cast<uint16_t>(m.verts.size()));
        for (const Vec3& v : m.verts) {
            w.F32(v.x);
            w.F32(v.y);
            w.F32(v.z);
        }
        w.End();
        w.Begin(0x4140);
        w.U16(static_cast<uint16_t>(m.verts.size()));
        for (size_t i = 0; i < m.verts.size(); ++i) {
            w.F32(m.uv[2 * i]);
            w.F32(m.uv[2 * i + 1]);
        }
        w.End();
        w.Begin(0x4160);
        const float ident[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
        for (float f : ident)
            w.F32(f);
        w.End();
        w.Begin(0x4120);
        w.U16(static_cast<uint16_t>(m.tris.size()));
        for (const ForgeTri& t : m.tris) {
            w.U16(static_cast<uint16_t>(t.a));
            w.U16(static_cast<uint16_t>(t.b));
            w.U16(static_cast<uint16_t>(t.c));
            w.U16(7);
        }
        for (size_t mi = 0; mi < model.materials.size(); ++mi) {
            std::vector<uint16_t> faces;
            for (size_t f = 0; f < m.tris.size(); ++f)
                if (m.tris[f].material == static_cast<int>(mi))
                    faces.push_back(static_cast<uint16_t>(f));
            if (faces.empty())
                continue;
            w.Begin(0x4130);
            w.Str(model.materials[mi].name);
            w.U16(static_cast<uint16_t>(faces.size()));
            for (uint16_t f : faces)
                w.U16(f);
            w.End();
        }
        w.Begin(0x4150);
        for (const ForgeTri& t : m.tris)
            w.U32(t.smooth);
        w.End();
        w.End();   // face list
        w.End();   // triangle mesh
        w.End();   // named object
    }
    w.End();   // editor
    w.End();   // main
    return w.Take();
}

std::string WriteObj(const ForgeModel& model)
{
    std::string out = "# Gorgewing II unit mesh, made by gw-forge\n";
    char line[256];
    size_t base = 1;
    for (const ForgeMesh& m : model.meshes) {
        out += "g " + m.name + "\n";
        const std::vector<Vec3> n = m.VertexNormals();
        for (const Vec3& v : m.verts) {
            std::snprintf(line, sizeof line, "v %.5f %.5f %.5f\n", v.x, v.y, v.z);
            out += line;
        }
        for (size_t i = 0; i < m.verts.size(); ++i) {
            std::snprintf(line, sizeof line, "vt %.5f %.5f\n", m.uv[2 * i], m.uv[2 * i + 1]);
            out += line;
        }
        for (const Vec3& v : n) {
            std::snprintf(line, sizeof line, "vn %.4f %.4f %.4f\n", v.x, v.y, v.z);
            out += line;
        }
        int lastMat = -2;
        for (const ForgeTri& t : m.tris) {
            if (t.material != lastMat && t.material >= 0 && static_cast<size_t>(t.material) < model.materials.size()) {
                out += "usemtl " + model.materials[static_cast<size_t>(t.material)].name + "\n";
                lastMat = t.material;
            }
            const size_t a = base + t.a, b = base + t.b, c = base + t.c;
            std::snprintf(line, sizeof line, "f %zu/%zu/%zu %zu/%zu/%zu %zu/%zu/%zu\n", a, a, a, b, b, b, c, c, c);
            out += line;
        }
        base += m.verts.size();
    }
    return out;
}
