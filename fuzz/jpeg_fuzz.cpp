// libFuzzer target: JPEG decoding from memory, and the colour + alpha merge of two halves.
#include "render/ImageDecode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage img;
    if (DecodeJpeg(data, size, img) &&
        img.pixels.size() != static_cast<size_t>(img.width) * img.height * img.bytesPerPixel)
        __builtin_trap();
    DecodedImage alpha, merged;
    if (img.bytesPerPixel == 3 && DecodeJpeg(data, size / 2, alpha))
        MergeColourAlpha(img, alpha, merged);
    return 0;
}
