// NObjects: the 3DS model reader. Reads a 3DS file (from disk or a memory buffer) into meshes,
// materials, lights and cameras, computes vertex normals that respect smoothing groups, and
// offers the two model-space operations CEntity3DS applies after loading (normalising the whole
// model, centring a mesh).
//
// An importer is owned by the CEntity3DS that loaded it (copies of the entity borrow it). The
// reader never reads outside its buffer: a read past the end yields zeros and sets the error
// flag, chunk lengths are checked against their parents, and faces whose corners name vertices
// the mesh does not have are dropped. Failures are reported to the importer's error hook (which
// discards them unless someone installs one) and by a false result.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace NObjects {

class LObject {
public:
    virtual ~LObject() = default;
    virtual const std::string& GetName() const { return m_name; }
    virtual void SetName(const std::string& name) { m_name = name; }
    bool operator==(const LObject& o) const { return m_name == o.m_name; }

protected:
    std::string m_name;
};

struct LVector4 { float x = 0, y = 0, z = 0, w = 1; };
struct LVector3 { float x = 0, y = 0, z = 0; };
struct LVector2 { float u = 0, v = 0; };
struct LColor3 { float r = 0, g = 0, b = 0; };
struct LTriangle { uint16_t a = 0, b = 0, c = 0; };

// One face record: corners, smoothing-group word, face normal and material id.
struct LFace {
    uint16_t a = 0, b = 0, c = 0;
    uint32_t smoothing = 0;
    LVector3 normal;
    uint32_t materialId = 0;
};

class LMesh : public LObject {
public:
    std::vector<LVector4> m_vertices;
    std::vector<LVector3> m_normals;      // one per vertex
    std::vector<LVector2> m_uv;           // one per vertex
    std::vector<LTriangle> m_triangles;   // packed, for glDrawElements
    std::vector<LFace> m_faces;
    std::vector<uint32_t> m_material_ids; // in the order of the face-material chunks
    float m_matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    LVector3 m_center;
    LVector3 m_size;
};

struct LMap {
    float strength = 0;
    char fileName[20] = {};
    float uScale = 0, vScale = 0, uOffset = 0, vOffset = 0, angle = 0;
    uint32_t glName = 0;  // given by the user of the model
};

class LMaterial : public LObject {
public:
    void SetShininess(float v) { m_shininess = v < 0 ? 0 : (v > 1 ? 1 : v); }
    void SetTransparency(float v) { m_transparency = v < 0 ? 0 : (v > 1 ? 1 : v); }

    uint32_t m_id = 0;
    LColor3 m_ambient, m_diffuse, m_specular;
    float m_shininess = 0;
    float m_transparency = 0;
    uint32_t m_shading = 2;
    LMap m_texture_map1, m_texture_map2, m_opacity_map, m_bump_map, m_specular_map, m_reflection_map;
};

class LLight : public LObject {
public:
    LVector3 m_position;
    LColor3 m_color;
    bool m_spotlight = false;
    LVector3 m_target;
    float m_hotspot = 0, m_falloff = 0;
    float m_attenuation_start = 0, m_attenuation_end = 0;
};

class LCamera : public LObject {
public:
    LVector3 m_position, m_target;
    float m_bank_angle = 0, m_fov = 0, m_near = 0, m_far = 0;
};

class LImporter {
public:
    using ErrorHook = std::function<void(const std::string&)>;

    LImporter() = default;
    virtual ~LImporter() = default;
    virtual bool LoadFile(const std::string& fileName) = 0;
    virtual bool LoadFromMemory(const uint8_t* data, size_t size) = 0;
    virtual void Clear();

    size_t GetMeshCount() const { return m_meshes.size(); }
    size_t GetMaterialCount() const { return m_materials.size(); }
    size_t GetLightCount() const { return m_lights.size(); }
    size_t GetCameraCount() const { return m_cameras.size(); }
    LMesh& GetMesh(size_t i) { return m_meshes[i]; }
    const LMesh& GetMesh(size_t i) const { return m_meshes[i]; }
    LMaterial& GetMaterial(size_t i) { return m_materials[i]; }
    const LMaterial& GetMaterial(size_t i) const { return m_materials[i]; }
    const LLight& GetLight(size_t i) const { return m_lights[i]; }
    const LCamera& GetCamera(size_t i) const { return m_cameras[i]; }
    LMesh* FindMesh(const std::string& name);
    LMaterial* FindMaterial(const std::string& name);
    LLight* FindLight(const std::string& name);

    // The post-processing of the next load (0, 1 or 2, see L3DS); a load keeps it, Clear resets it to 2.
    void SetOptimizationLevel(int level) { m_optimization_level = level; }
    int GetOptimizationLevel() const { return m_optimization_level; }

    // Centres the whole model on the origin and scales it so that its largest extent is 1, then
    // centres every mesh. Out: the three normalised extents.
    void NormalizeModel(float& width, float& height, float& depth);
    // Moves mesh n's bounding-box centre to the origin; records centre and size in the mesh.
    void CenterMesh(size_t n);

    // Receives the reader's messages; the default discards them.
    void SetErrorHook(ErrorHook hook) { m_error_hook = std::move(hook); }

protected:
    void ReportError(const char* text) const
    {
        if (m_error_hook)
            m_error_hook(text);
    }

    std::vector<LCamera> m_cameras;
    std::vector<LLight> m_lights;
    std::vector<LMesh> m_meshes;
    std::vector<LMaterial> m_materials;
    int m_optimization_level = 2;
    ErrorHook m_error_hook;
};

class L3DS : public LImporter {
public:
    L3DS() = default;
    explicit L3DS(const std::string& fileName) { LoadFile(fileName); }

    bool LoadFile(const std::string& fileName) override;
    bool LoadFromMemory(const uint8_t* data, size_t size) override;
    void Clear() override;

private:
    struct Chunk {
        uint16_t id = 0;
        uint64_t start = 0;  // just after the six header bytes
        uint64_t end = 0;    // start + length - 6
    };

    bool Read3DS();

    // Primitive reads: yield 0 (or "") and set the error flag when the read would pass the end.
    uint8_t ReadByte();
    uint16_t ReadShort();
    uint32_t ReadInt();
    float ReadFloat();
    std::string ReadString(size_t capacity);
    void Seek(uint64_t pos);
    bool ReadChunk(Chunk& c);
    bool FindChunk(Chunk& found, const Chunk& parent, uint16_t id);

    LColor3 ReadColor(const Chunk& c);
    float ReadPercentage(const Chunk& c);
    bool ReadMaterial(const Chunk& parent);
    void ReadMap(const Chunk& parent, LMap& map);
    void ReadMesh(const Chunk& parent);
    void ReadFaceList(const Chunk& chunk, LMesh& mesh);
    void ReadLight(const Chunk& parent, LLight& light);
    void ReadCamera(const Chunk& parent, LCamera& camera);
    void ReadKeyframer(const Chunk& parent);

    void PostProcess(LMesh& mesh) const;

    char m_objName[100] = {};
    const uint8_t* m_buffer = nullptr;
    uint64_t m_bufferSize = 0;
    bool m_eof = false;
    uint64_t m_pos = 0;
};

}  // namespace NObjects
