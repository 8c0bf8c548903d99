// libFuzzer target: the 3DS reader over arbitrary bytes, then the model-space operations.
#include "render/L3DS.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NObjects::L3DS model;
    if (!model.LoadFromMemory(data, size))
        return 0;
    float w, h, d;
    model.NormalizeModel(w, h, d);
    // Every drawing index must name a vertex of its mesh.
    for (size_t i = 0; i < model.GetMeshCount(); ++i) {
        const auto& m = model.GetMesh(i);
        for (const auto& t : m.m_triangles)
            if (t.a >= m.m_vertices.size() || t.b >= m.m_vertices.size() || t.c >= m.m_vertices.size() ||
                m.m_normals.size() != m.m_vertices.size() || m.m_uv.size() != m.m_vertices.size())
                __builtin_trap();
    }
    return 0;
}
