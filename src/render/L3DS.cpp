// The 3DS chunk walk, the object readers and the post-processing of meshes (normals, smoothing groups).
#include "render/L3DS.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace NObjects {

namespace {

enum : uint16_t {
    kMain = 0x4D4D,
    kEditor = 0x3D3D,
    kObject = 0x4000,
    kTriMesh = 0x4100,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kFaceMaterial = 0x4130,
    kTexCoords = 0x4140,
    kSmoothing = 0x4150,
    kLocalMatrix = 0x4160,
    kLight = 0x4600,
    kSpotlight = 0x4610,
    kLightRangeStart = 0x4659,
    kLightRangeEnd = 0x465A,
    kCamera = 0x4700,
    kCameraRanges = 0x4720,
    kMaterial = 0xAFFF,
    kMatName = 0xA000,
    kMatAmbient = 0xA010,
    kMatDiffuse = 0xA020,
    kMatSpecular = 0xA030,
    kMatShininess = 0xA040,
    kMatTransparency = 0xA050,
    kMatWire = 0xA085,
    kMatShading = 0xA100,
    kMatTexMap1 = 0xA200,
    kMatSpecularMap = 0xA204,
    kMatOpacityMap = 0xA210,
    kMatReflectionMap = 0xA220,
    kMatBumpMap = 0xA230,
    kMatTexMap2 = 0xA33A,
    kMapFile = 0xA300,
    kMapUScale = 0xA354,
    kMapVScale = 0xA356,
    kMapUOffset = 0xA358,
    kMapVOffset = 0xA35A,
    kMapAngle = 0xA35C,
    kColorF = 0x0010,
    kColor24 = 0x0011,
    kLinColor24 = 0x0012,
    kLinColorF = 0x0013,
    kPercentInt = 0x0030,
    kPercentFloat = 0x0031,
    kKeyframer = 0xB000,
    kObjectNode = 0xB002,
};

LVector3 Sub(const LVector4& a, const LVector4& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

LVector3 Cross(const LVector3& a, const LVector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Leaves a zero vector at zero instead of dividing by zero.
LVector3 Normalized(const LVector3& v)
{
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (!(len > 0.0f) || !std::isfinite(len))
        return v;
    return {v.x / len, v.y / len, v.z / len};
}

}  // namespace

// ---- LImporter ----

void LImporter::Clear()
{
    // A fresh load starts from nothing, cameras included.
    m_cameras.clear();
    m_lights.clear();
    m_meshes.clear();
    m_materials.clear();
    m_optimization_level = 2;
}

LMesh* LImporter::FindMesh(const std::string& name)
{
    for (auto& m : m_meshes)
        if (m.GetName() == name)
            return &m;
    return nullptr;
}

LMaterial* LImporter::FindMaterial(const std::string& name)
{
    for (auto& m : m_materials)
        if (m.GetName() == name)
            return &m;
    return nullptr;
}

LLight* LImporter::FindLight(const std::string& name)
{
    for (auto& l : m_lights)
        if (l.GetName() == name)
            return &l;
    return nullptr;
}

void LImporter::NormalizeModel(float& width, float& height, float& depth)
{
    float mn[3] = {0, 0, 0}, mx[3] = {0, 0, 0};
    bool any = false;
    for (const auto& mesh : m_meshes) {
        for (const auto& v : mesh.m_vertices) {
            const float p[3] = {v.x, v.y, v.z};
            for (int k = 0; k < 3; ++k) {
                if (!any || p[k] < mn[k]) mn[k] = p[k];
                if (!any || p[k] > mx[k]) mx[k] = p[k];
            }
            any = true;
        }
    }
    const float ext[3] = {mx[0] - mn[0], mx[1] - mn[1], mx[2] - mn[2]};
    const float c[3] = {(mn[0] + mx[0]) * 0.5f, (mn[1] + mx[1]) * 0.5f, (mn[2] + mx[2]) * 0.5f};
    float e = std::max(ext[0], std::max(ext[1], ext[2]));
    if (!(e > 0.0f) || !std::isfinite(e))
        e = 1.0f;  // empty or a single point: only centre it
    for (auto& mesh : m_meshes) {
        for (auto& v : mesh.m_vertices) {
            v.x = (v.x - c[0]) / e;
            v.y = (v.y - c[1]) / e;
            v.z = (v.z - c[2]) / e;
        }
    }
    width = ext[0] / e;
    height = ext[1] / e;
    depth = ext[2] / e;
    for (size_t i = 0; i < m_meshes.size(); ++i)
        CenterMesh(i);
}

void LImporter::CenterMesh(size_t n)
{
    if (n >= m_meshes.size())
        return;
    LMesh& mesh = m_meshes[n];
    if (mesh.m_vertices.empty()) {
        mesh.m_center = {};
        mesh.m_size = {};
        return;
    }
    float mn[3], mx[3];
    const auto& v0 = mesh.m_vertices[0];
    mn[0] = mx[0] = v0.x;
    mn[1] = mx[1] = v0.y;
    mn[2] = mx[2] = v0.z;
    for (const auto& v : mesh.m_vertices) {
        mn[0] = std::min(mn[0], v.x); mx[0] = std::max(mx[0], v.x);
        mn[1] = std::min(mn[1], v.y); mx[1] = std::max(mx[1], v.y);
        mn[2] = std::min(mn[2], v.z); mx[2] = std::max(mx[2], v.z);
    }
    const LVector3 c{(mn[0] + mx[0]) * 0.5f, (mn[1] + mx[1]) * 0.5f, (mn[2] + mx[2]) * 0.5f};
    for (auto& v : mesh.m_vertices) {
        v.x -= c.x;
        v.y -= c.y;
        v.z -= c.z;
    }
    mesh.m_center = c;
    mesh.m_size = {mx[0] - mn[0], mx[1] - mn[1], mx[2] - mn[2]};
}

// ---- L3DS: loading ----

void L3DS::Clear()
{
    LImporter::Clear();
    m_objName[0] = 0;
    m_pos = 0;
    m_eof = false;
}

bool L3DS::LoadFile(const std::string& fileName)
{
    FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f) {
        ReportError("L3DS::LoadFile - cannot open file");
        return false;
    }
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    if (size < 0) {
        std::fclose(f);
        ReportError("L3DS::LoadFile - error reading from file");
        return false;
    }
    auto* buffer = static_cast<uint8_t*>(std::malloc(size > 0 ? static_cast<size_t>(size) : 1));
    if (!buffer) {
        std::fclose(f);
        ReportError("L3DS::LoadFile - not enough memory (malloc failed)");
        return false;
    }
    const size_t got = std::fread(buffer, 1, static_cast<size_t>(size), f);
    std::fclose(f);
    if (got != static_cast<size_t>(size)) {
        std::free(buffer);
        ReportError("L3DS::LoadFile - error reading from file");
        return false;
    }
    const bool ok = LoadFromMemory(buffer, static_cast<size_t>(size));
    std::free(buffer);
    return ok;
}

bool L3DS::LoadFromMemory(const uint8_t* data, size_t size)
{
    // The level chosen before the load applies to it; clearing alone would reset it to 2.
    const int level = m_optimization_level;
    Clear();
    m_optimization_level = level;
    m_buffer = data;
    m_bufferSize = data ? size : 0;
    const bool ok = Read3DS();
    m_buffer = nullptr;
    m_bufferSize = 0;
    m_pos = 0;
    m_objName[0] = 0;
    return ok;
}

// ---- primitive reads ----

uint8_t L3DS::ReadByte()
{
    if (m_pos + 1 > m_bufferSize) {
        m_eof = true;
        return 0;
    }
    return m_buffer[m_pos++];
}

uint16_t L3DS::ReadShort()
{
    if (m_pos + 2 > m_bufferSize) {
        m_eof = true;
        return 0;
    }
    const uint16_t v = static_cast<uint16_t>(m_buffer[m_pos] | (m_buffer[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

uint32_t L3DS::ReadInt()
{
    if (m_pos + 4 > m_bufferSize) {
        m_eof = true;
        return 0;
    }
    const uint8_t* p = m_buffer + m_pos;
    m_pos += 4;
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

float L3DS::ReadFloat()
{
    const uint32_t bits = ReadInt();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

std::string L3DS::ReadString(size_t capacity)
{
    // Bytes up to the NUL are consumed; only capacity - 1 of them are kept.
    std::string s;
    while (true) {
        if (m_pos + 1 > m_bufferSize) {
            m_eof = true;
            return std::string();
        }
        const char c = static_cast<char>(m_buffer[m_pos++]);
        if (c == 0)
            break;
        if (s.size() + 1 < capacity)
            s.push_back(c);
    }
    return s;
}

void L3DS::Seek(uint64_t pos)
{
    m_pos = std::min(pos, m_bufferSize);
    m_eof = false;
}

bool L3DS::ReadChunk(Chunk& c)
{
    const uint16_t id = ReadShort();
    const uint32_t length = ReadInt();
    if (m_eof || length < 6)
        return false;
    c.id = id;
    c.start = m_pos;
    c.end = c.start + length - 6;
    return true;
}

bool L3DS::FindChunk(Chunk& found, const Chunk& parent, uint16_t id)
{
    while (m_pos < parent.end) {
        Chunk c;
        if (!ReadChunk(c) || c.end > parent.end)
            return false;
        if (c.id == id) {
            found = c;
            return true;
        }
        Seek(c.end);
    }
    return false;
}

// ---- chunk readers ----

LColor3 L3DS::ReadColor(const Chunk& c)
{
    LColor3 col;
    switch (c.id) {
    case kColorF:
    case kLinColorF:
        col.r = ReadFloat();
        col.g = ReadFloat();
        col.b = ReadFloat();
        break;
    case kColor24:
    case kLinColor24:
        col.r = ReadByte() / 255.0f;
        col.g = ReadByte() / 255.0f;
        col.b = ReadByte() / 255.0f;
        break;
    default:
        ReportError("L3DS::ReadColor - error this is not a color chunk");
        break;
    }
    return col;
}

float L3DS::ReadPercentage(const Chunk& c)
{
    switch (c.id) {
    case kPercentInt:
        return static_cast<int16_t>(ReadShort()) / 100.0f;
    case kPercentFloat:
        return ReadFloat();
    default:
        ReportError("L3DS::ReadPercentage - error, the chunk is not a percentage chunk");
        return 0.0f;
    }
}

void L3DS::ReadMap(const Chunk& parent, LMap& map)
{
    Seek(parent.start);
    while (m_pos < parent.end) {
        Chunk c;
        if (!ReadChunk(c) || c.end > parent.end)
            return;
        switch (c.id) {
        case kPercentInt:
        case kPercentFloat:
            map.strength = ReadPercentage(c);
            break;
        case kMapFile: {
            const std::string name = ReadString(sizeof map.fileName);
            std::snprintf(map.fileName, sizeof map.fileName, "%s", name.c_str());
            break;
        }
        case kMapUScale: map.uScale = ReadFloat(); break;
        case kMapVScale: map.vScale = ReadFloat(); break;
        case kMapUOffset: map.uOffset = ReadFloat(); break;
        case kMapVOffset: map.vOffset = ReadFloat(); break;
        case kMapAngle: map.angle = ReadFloat(); break;
        default: break;
        }
        Seek(c.end);
    }
}

bool L3DS::ReadMaterial(const Chunk& parent)
{
    LMaterial mat;
    Seek(parent.start);
    while (m_pos < parent.end) {
        Chunk c;
        if (!ReadChunk(c) || c.end > parent.end)
            break;
        switch (c.id) {
        case kMatName:
            mat.SetName(ReadString(30));
            break;
        case kMatAmbient:
        case kMatDiffuse:
        case kMatSpecular: {
            Chunk col;
            LColor3 value;
            if (ReadChunk(col))
                value = ReadColor(col);
            else
                ReportError("L3DS::ReadColor - error this is not a color chunk");
            (c.id == kMatAmbient ? mat.m_ambient : c.id == kMatDiffuse ? mat.m_diffuse : mat.m_specular) = value;
            break;
        }
        case kMatShininess:
        case kMatTransparency: {
            Chunk pc;
            float value = 0.0f;
            if (ReadChunk(pc))
                value = ReadPercentage(pc);
            else
                ReportError("L3DS::ReadPercentage - error, the chunk is not a percentage chunk");
            if (c.id == kMatShininess)
                mat.SetShininess(value);
            else
                mat.SetTransparency(value);
            break;
        }
        case kMatWire:
            mat.m_shading = 0;
            break;
        case kMatShading: {
            const uint16_t v = ReadShort();
            if (v <= 4)
                mat.m_shading = v;
            break;
        }
        case kMatTexMap1: ReadMap(c, mat.m_texture_map1); break;
        case kMatTexMap2: ReadMap(c, mat.m_texture_map2); break;
        case kMatOpacityMap: ReadMap(c, mat.m_opacity_map); break;
        case kMatBumpMap: ReadMap(c, mat.m_bump_map); break;
        case kMatSpecularMap: ReadMap(c, mat.m_specular_map); break;
        case kMatReflectionMap: {
            Chunk pc;
            if (ReadChunk(pc)) {
                mat.m_reflection_map.strength = ReadPercentage(pc);
                Seek(pc.end);
            }
            Chunk fc;
            if (!ReadChunk(fc) || fc.id != kMapFile) {
                ReportError("L3DS::ReadMaterial - error, expected chunk not found");
                return false;
            }
            const std::string name = ReadString(sizeof mat.m_reflection_map.fileName);
            std::snprintf(mat.m_reflection_map.fileName, sizeof mat.m_reflection_map.fileName, "%s",
                          name.empty() ? "auto" : name.c_str());
            break;
        }
        default:
            break;
        }
        Seek(c.end);
    }
    mat.m_id = static_cast<uint32_t>(m_materials.size());
    m_materials.push_back(std::move(mat));
    return true;
}

void L3DS::ReadFaceList(const Chunk& chunk, LMesh& mesh)
{
    if (chunk.id != kFaceList) {
        ReportError("L3DS::ReadFaceList - internal error: wrong chunk passed as parameter");
        return;
    }
    Seek(chunk.start);
    // A count larger than the chunk can hold is cut to what it holds.
    const uint64_t count = std::min<uint64_t>(ReadShort(), (chunk.end - std::min(chunk.end, m_pos)) / 8);
    mesh.m_faces.assign(count, LFace{});
    for (auto& f : mesh.m_faces) {
        f.a = ReadShort();
        f.b = ReadShort();
        f.c = ReadShort();
        ReadShort();  // edge flags
    }
    while (m_pos < chunk.end) {
        Chunk c;
        if (!ReadChunk(c) || c.end > chunk.end)
            return;
        if (c.id == kFaceMaterial) {
            const std::string name = ReadString(20);
            const LMaterial* mat = FindMaterial(name);
            const uint64_t n = std::min<uint64_t>(ReadShort(), (c.end - std::min(c.end, m_pos)) / 2);
            // A material the file does not define: the chunk is skipped.
            if (mat) {
                mesh.m_material_ids.push_back(mat->m_id);
                for (uint64_t i = 0; i < n; ++i) {
                    const uint16_t face = ReadShort();
                    if (face < mesh.m_faces.size())
                        mesh.m_faces[face].materialId = mat->m_id;
                }
            }
        } else if (c.id == kSmoothing) {
            for (auto& f : mesh.m_faces) {
                if (m_pos + 4 > c.end)
                    break;
                f.smoothing = ReadInt();
            }
        }
        Seek(c.end);
    }
}

void L3DS::ReadMesh(const Chunk& parent)
{
    LMesh mesh;
    mesh.SetName(m_objName);
    std::vector<LVector2> uv;
    Seek(parent.start);
    while (m_pos < parent.end) {
        Chunk c;
        if (!ReadChunk(c) || c.end > parent.end)
            break;
        switch (c.id) {
        case kVertexList: {
            const uint64_t count = std::min<uint64_t>(ReadShort(), (c.end - std::min(c.end, m_pos)) / 12);
            mesh.m_vertices.assign(count, LVector4{});
            for (auto& v : mesh.m_vertices) {
                v.x = ReadFloat();
                v.y = ReadFloat();
                v.z = ReadFloat();
                v.w = 1.0f;
            }
            break;
        }
        case kFaceList:
            ReadFaceList(c, mesh);
            break;
        case kTexCoords: {
            const uint16_t declared = ReadShort();
            const uint64_t count = std::min<uint64_t>(declared, (c.end - std::min(c.end, m_pos)) / 8);
            if (mesh.m_vertices.empty())
                mesh.m_vertices.assign(declared, LVector4{});
            uv.assign(count, LVector2{});
            for (auto& t : uv) {
                t.u = ReadFloat();
                t.v = ReadFloat();
            }
            break;
        }
        case kLocalMatrix: {
            float r[12];
            for (float& f : r)
                f = ReadFloat();
            float* m = mesh.m_matrix;
            for (int row = 0; row < 4; ++row) {
                m[row * 4 + 0] = r[row * 3 + 0];
                m[row * 4 + 1] = r[row * 3 + 1];
                m[row * 4 + 2] = r[row * 3 + 2];
                m[row * 4 + 3] = row == 3 ? 1.0f : 0.0f;
            }
            break;
        }
        default:
            break;
        }
        Seek(c.end);
    }
    uv.resize(mesh.m_vertices.size());
    mesh.m_uv = std::move(uv);
    m_meshes.push_back(std::move(mesh));
}

void L3DS::ReadLight(const Chunk& parent, LLight& light)
{
    light.m_position.x = ReadFloat();
    light.m_position.y = ReadFloat();
    light.m_position.z = ReadFloat();
    while (m_pos < parent.end) {
        Chunk c;
        if (!ReadChunk(c) || c.end > parent.end)
            return;
        switch (c.id) {
        case kColorF:
        case kColor24:
        case kLinColor24:
        case kLinColorF:
            light.m_color = ReadColor(c);
            break;
        case kSpotlight:
            light.m_spotlight = true;
            light.m_target.x = ReadFloat();
            light.m_target.y = ReadFloat();
            light.m_target.z = ReadFloat();
            light.m_hotspot = ReadFloat();
            light.m_falloff = ReadFloat();
            break;
        case kLightRangeStart: light.m_attenuation_start = ReadFloat(); break;
        case kLightRangeEnd: light.m_attenuation_end = ReadFloat(); break;
        default: break;
        }
        Seek(c.end);
    }
}

void L3DS::ReadCamera(const Chunk& parent, LCamera& camera)
{
    camera.m_position.x = ReadFloat();
    camera.m_position.y = ReadFloat();
    camera.m_position.z = ReadFloat();
    camera.m_target.x = ReadFloat();
    camera.m_target.y = ReadFloat();
    camera.m_target.z = ReadFloat();
    camera.m_bank_angle = ReadFloat();
    const float focus = ReadFloat();
    camera.m_fov = focus != 0.0f ? 2400.0f / focus : 0.0f;
    while (m_pos < parent.end) {
        Chunk c;
        if (!ReadChunk(c) || c.end > parent.end)
            return;
        if (c.id == kCameraRanges) {
            camera.m_near = ReadFloat();
            camera.m_far = ReadFloat();
        }
        Seek(c.end);
    }
}

void L3DS::ReadKeyframer(const Chunk& parent)
{
    // The nodes are walked so that a broken keyframer is noticed, but nothing is applied.
    Chunk node;
    while (FindChunk(node, parent, kObjectNode)) {
        while (m_pos < node.end) {
            Chunk c;
            if (!ReadChunk(c) || c.end > node.end)
                break;
            Seek(c.end);
        }
        Seek(node.end);
    }
}

bool L3DS::Read3DS()
{
    Seek(0);
    Chunk main;
    if (!ReadChunk(main) || main.id != kMain) {
        ReportError("L3DS::Read3DS - wrong file format");
        return false;
    }
    main.end = std::min(main.end, m_bufferSize);
    Chunk editor;
    if (!FindChunk(editor, main, kEditor))
        return false;

    Seek(editor.start);
    Chunk c;
    while (FindChunk(c, editor, kMaterial)) {
        ReadMaterial(c);
        Seek(c.end);
    }

    Seek(editor.start);
    while (FindChunk(c, editor, kObject)) {
        const std::string name = ReadString(99);
        std::snprintf(m_objName, sizeof m_objName, "%s", name.c_str());
        Chunk kind;
        if (ReadChunk(kind) && kind.end <= c.end) {
            if (kind.id == kTriMesh) {
                ReadMesh(kind);
            } else if (kind.id == kLight) {
                LLight light;
                light.SetName(m_objName);
                ReadLight(kind, light);
                m_lights.push_back(std::move(light));
            } else if (kind.id == kCamera) {
                LCamera camera;
                camera.SetName(m_objName);
                ReadCamera(kind, camera);
                m_cameras.push_back(std::move(camera));
            }
        }
        Seek(c.end);
    }

    Seek(main.start);
    if (FindChunk(c, main, kKeyframer))
        ReadKeyframer(c);

    for (auto& mesh : m_meshes)
        PostProcess(mesh);
    Seek(0);
    m_objName[0] = 0;
    return true;
}

// ---- post-processing ----

void L3DS::PostProcess(LMesh& mesh) const
{
    const size_t nv = mesh.m_vertices.size();
    // Faces naming vertices the mesh does not have are dropped.
    mesh.m_faces.erase(std::remove_if(mesh.m_faces.begin(), mesh.m_faces.end(),
                                      [nv](const LFace& f) { return f.a >= nv || f.b >= nv || f.c >= nv; }),
                       mesh.m_faces.end());
    mesh.m_uv.resize(nv);
    mesh.m_normals.assign(nv, LVector3{});

    if (m_optimization_level == 0) {
        const float* m = mesh.m_matrix;
        for (auto& v : mesh.m_vertices) {
            const float x = v.x, y = v.y, z = v.z;
            v.x = x * m[0] + y * m[4] + z * m[8] + m[12];
            v.y = x * m[1] + y * m[5] + z * m[9] + m[13];
            v.z = x * m[2] + y * m[6] + z * m[10] + m[14];
        }
    } else {
        for (auto& f : mesh.m_faces) {
            const LVector4& a = mesh.m_vertices[f.a];
            const LVector4& b = mesh.m_vertices[f.b];
            const LVector4& c = mesh.m_vertices[f.c];
            f.normal = Normalized(Cross(Sub(b, c), Sub(b, a)));
        }
        // Corners (face * 3 + k) that use each vertex.
        auto buildUses = [&mesh]() {
            std::vector<std::vector<uint32_t>> uses(mesh.m_vertices.size());
            for (size_t i = 0; i < mesh.m_faces.size(); ++i) {
                const LFace& f = mesh.m_faces[i];
                uses[f.a].push_back(static_cast<uint32_t>(i * 3 + 0));
                uses[f.b].push_back(static_cast<uint32_t>(i * 3 + 1));
                uses[f.c].push_back(static_cast<uint32_t>(i * 3 + 2));
            }
            return uses;
        };
        auto corner = [&mesh](uint32_t k) -> uint16_t& {
            LFace& f = mesh.m_faces[k / 3];
            return k % 3 == 0 ? f.a : (k % 3 == 1 ? f.b : f.c);
        };
        std::vector<std::vector<uint32_t>> uses = buildUses();
        if (m_optimization_level != 1) {
            // Split every vertex by the smoothing words of its faces; copies keep 16-bit indices.
            const size_t original = mesh.m_vertices.size();
            for (size_t v = 0; v < original; ++v) {
                std::vector<uint32_t> words;
                for (uint32_t k : uses[v]) {
                    const uint32_t w = mesh.m_faces[k / 3].smoothing;
                    if (std::find(words.begin(), words.end(), w) == words.end())
                        words.push_back(w);
                }
                for (size_t g = 1; g < words.size(); ++g) {
                    if (mesh.m_vertices.size() >= 65536)
                        break;
                    const uint16_t copy = static_cast<uint16_t>(mesh.m_vertices.size());
                    mesh.m_vertices.push_back(mesh.m_vertices[v]);
                    mesh.m_normals.push_back(mesh.m_normals[v]);
                    mesh.m_uv.push_back(mesh.m_uv[v]);
                    for (uint32_t k : uses[v])
                        if (mesh.m_faces[k / 3].smoothing == words[g])
                            corner(k) = copy;
                }
            }
            uses = buildUses();
        }
        for (size_t v = 0; v < mesh.m_vertices.size(); ++v) {
            LVector3 sum;
            for (uint32_t k : uses[v]) {
                const LVector3& n = mesh.m_faces[k / 3].normal;
                sum.x += n.x;
                sum.y += n.y;
                sum.z += n.z;
            }
            mesh.m_normals[v] = Normalized(sum);
        }
    }
    mesh.m_triangles.resize(mesh.m_faces.size());
    for (size_t i = 0; i < mesh.m_faces.size(); ++i)
        mesh.m_triangles[i] = {mesh.m_faces[i].a, mesh.m_faces[i].b, mesh.m_faces[i].c};
}

}  // namespace NObjects
