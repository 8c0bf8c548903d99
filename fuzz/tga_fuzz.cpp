// libFuzzer target: TGA decoding.
#include "render/ImageDecode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage img;
    if (DecodeTga(data, size, img) &&
        img.pixels.size() != static_cast<size_t>(img.width) * img.height * img.bytesPerPixel)
        __builtin_trap();
    return 0;
}
