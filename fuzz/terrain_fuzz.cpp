// Fuzz target: a level's terrain keys and height image, then height queries and chunk choice.
// Input: one byte n, then n bytes of "terra.ter" text, then the raw height image.
#include "resources/ParamFile.h"
#include "world/Terrain.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t textSize = data[0] < size - 1 ? data[0] : size - 1;
    ParamFile keys;
    keys.Parse(data + 1, textSize, true);
    const uint8_t* image = data + 1 + textSize;
    const size_t imageSize = size - 1 - textSize;
    Terrain terrain(keys.GetFloat("k_scale", "1"), false);
    if (!terrain.LoadFromHeights(image, imageSize, keys))
        return 0;
    const float w = terrain.HalfWidth(), len = terrain.Length();
    const float xs[] = {-w - 1, -w, 0, w * 0.5f, w, w + 1, NAN};
    const float ys[] = {-1, 0, len * 0.37f, len, len + 1, INFINITY, NAN};
    volatile float sink = 0;
    for (float x : xs)
        for (float y : ys) {
            sink = sink + terrain.GroundHeight(x, y) + terrain.MeshHeight(x, y);
            int chunks[3];
            terrain.ChunksToDraw(y, chunks);
        }
    terrain.SetViewPosition(Vec3(0, len, 0));
    return 0;
}
