// libFuzzer target: the Wavefront subset parser, every group's extraction and normalisation.
#include "render/FacesDepot.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFacesDepot mesh;
    if (!mesh.ParseAllGroups(reinterpret_cast<const char*>(data), size))
        return 0;
    mesh.Normalize();
    for (size_t i = 0; i < mesh.m_groups.size() && i < 64; ++i) {
        auto group = mesh.ExtractGroup(i);
        float x, y, z;
        mesh.GroupCenter(i, x, y, z);
        group->Center();
        // Every face of an extraction indexes inside its own arrays.
        for (const auto& f : group->m_faces)
            for (int k = 0; k < 3; ++k)
                if (f.v[k] < 0 || static_cast<size_t>(f.v[k]) >= group->VertexCount())
                    __builtin_trap();
    }
    return 0;
}
