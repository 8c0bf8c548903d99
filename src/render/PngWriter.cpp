// PNG chunks (IHDR, IDAT, IEND) with zlib's deflate and CRC; the back buffer read into one.
#include "render/PngWriter.h"

#include "platform/GL.h"
#include "resources/FileIO.h"

#include <zlib.h>

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Chunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data)
{
    Put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    Put32(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, int channels, const std::vector<uint8_t>& pixels)
{
    if (channels != 3 && channels != 4)
        return {};
    const size_t row = static_cast<size_t>(width) * static_cast<size_t>(channels);
    if (width == 0 || height == 0 || pixels.size() < row * height)
        return {};
    std::vector<uint8_t> raw;
    raw.reserve((row + 1) * height);
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), pixels.begin() + static_cast<std::ptrdiff_t>(y * row),
                   pixels.begin() + static_cast<std::ptrdiff_t>((y + 1) * row));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    // Level 6: a 1080p screenshot is packed in a fraction of a frame's time at level 9's size.
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Put32(ihdr, width);
    Put32(ihdr, height);
    // 8 bits, RGB (2) or RGBA (6), deflate, filter set 0, no interlace.
    ihdr.insert(ihdr.end(), {8, static_cast<uint8_t>(channels == 4 ? 6 : 2), 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", {});
    return png;
}

bool WritePng(const std::string& path, uint32_t width, uint32_t height, int channels,
              const std::vector<uint8_t>& topDown)
{
    const std::vector<uint8_t> png = EncodePng(width, height, channels, topDown);
    return !png.empty() && WriteFileAtomic(path, png, false);
}

bool WritePngBottomUp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    if (width <= 0 || height <= 0)
        return false;
    const size_t stride = static_cast<size_t>(width) * 3;
    if (rgb.size() < stride * static_cast<size_t>(height))
        return false;
    std::vector<uint8_t> topDown;
    topDown.reserve(stride * static_cast<size_t>(height));
    for (int y = height - 1; y >= 0; --y)
        topDown.insert(topDown.end(), rgb.begin() + static_cast<std::ptrdiff_t>(y * stride),
                       rgb.begin() + static_cast<std::ptrdiff_t>((y + 1) * stride));
    return WritePng(path, static_cast<uint32_t>(width), static_cast<uint32_t>(height), 3, topDown);
}

bool WriteBackBufferPng(const std::string& path, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return WritePngBottomUp(path, width, height, rgb);
}
