// Builds 3DS files by hand, chunk by chunk, for the reader's tests (as another program would
// write them: little-endian ids and lengths that count their own six header bytes).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class Chunk3DS {
public:
    explicit Chunk3DS(uint16_t id) : m_id(id) {}

    Chunk3DS& U8(uint8_t v) { m_body.push_back(v); return *this; }
    Chunk3DS& U16(uint16_t v) { U8(v & 0xFF); return U8(v >> 8); }
    Chunk3DS& U32(uint32_t v) { U16(v & 0xFFFF); return U16(v >> 16); }
    Chunk3DS& F32(float f) { uint32_t b; std::memcpy(&b, &f, 4); return U32(b); }
    Chunk3DS& Str(const std::string& s) { m_body.insert(m_body.end(), s.begin(), s.end()); return U8(0); }
    Chunk3DS& Add(const Chunk3DS& c) { auto b = c.Bytes(); m_body.insert(m_body.end(), b.begin(), b.end()); return *this; }

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out;
        const uint32_t len = static_cast<uint32_t>(m_body.size() + 6);
        out.push_back(m_id & 0xFF);
        out.push_back(m_id >> 8);
        for (int i = 0; i < 4; ++i)
            out.push_back((len >> (8 * i)) & 0xFF);
        out.insert(out.end(), m_body.begin(), m_body.end());
        return out;
    }

private:
    uint16_t m_id;
    std::vector<uint8_t> m_body;
};

struct Face3DS {
    uint16_t a, b, c;
    uint32_t smoothing;
};

// A 0x4000 named object holding a triangle mesh; the face-material chunk names materialName
// for every face when it is not empty.
inline Chunk3DS MeshObject3DS(const std::string& name, const std::vector<float>& xyz, const std::vector<Face3DS>& faces,
                              const std::string& materialName = "", const std::vector<float>& uv = {})
{
    Chunk3DS vl(0x4110);
    vl.U16(static_cast<uint16_t>(xyz.size() / 3));
    for (float f : xyz)
        vl.F32(f);
    Chunk3DS fl(0x4120);
    fl.U16(static_cast<uint16_t>(faces.size()));
    for (const auto& f : faces)
        fl.U16(f.a).U16(f.b).U16(f.c).U16(7);
    if (!materialName.empty()) {
        Chunk3DS fm(0x4130);
        fm.Str(materialName).U16(static_cast<uint16_t>(faces.size()));
        for (size_t i = 0; i < faces.size(); ++i)
            fm.U16(static_cast<uint16_t>(i));
        fl.Add(fm);
    }
    Chunk3DS sg(0x4150);
    for (const auto& f : faces)
        sg.U32(f.smoothing);
    fl.Add(sg);
    Chunk3DS tri(0x4100);
    tri.Add(vl);
    if (!uv.empty()) {
        Chunk3DS tc(0x4140);
        tc.U16(static_cast<uint16_t>(uv.size() / 2));
        for (float f : uv)
            tc.F32(f);
        tri.Add(tc);
    }
    tri.Add(fl);
    Chunk3DS obj(0x4000);
    obj.Str(name).Add(tri);
    return obj;
}

// A 0xAFFF material with a name, a byte-colour diffuse and, when texture is not empty, texture map 1.
inline Chunk3DS Material3DS(const std::string& name, uint8_t r, uint8_t g, uint8_t b, const std::string& texture = "")
{
    Chunk3DS m(0xAFFF);
    m.Add(Chunk3DS(0xA000).Str(name));
    m.Add(Chunk3DS(0xA020).Add(Chunk3DS(0x0011).U8(r).U8(g).U8(b)));
    if (!texture.empty())
        m.Add(Chunk3DS(0xA200).Add(Chunk3DS(0x0030).U16(100)).Add(Chunk3DS(0xA300).Str(texture)));
    return m;
}

// A whole file: main chunk, version, editor with the given children, and a small keyframer.
inline std::vector<uint8_t> File3DS(const std::vector<Chunk3DS>& editorChildren, bool keyframer = true)
{
    Chunk3DS editor(0x3D3D);
    editor.Add(Chunk3DS(0x3D3E).U32(3));  // mesh version, skipped
    for (const auto& c : editorChildren)
        editor.Add(c);
    Chunk3DS main(0x4D4D);
    main.Add(Chunk3DS(0x0002).U32(3));  // file version, skipped
    main.Add(editor);
    if (keyframer) {
        Chunk3DS node(0xB002);
        node.Add(Chunk3DS(0xB010).Str("box").U16(0).U16(0).U16(0xFFFF));
        main.Add(Chunk3DS(0xB000).Add(Chunk3DS(0xB00A).U16(5).Str("MAXSCENE").U32(100)).Add(node));
    }
    return main.Bytes();
}
