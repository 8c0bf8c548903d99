// Reading back the PNGs the game and its tools write (8-bit RGB or RGBA, filter 0 rows, one
// deflate stream), every chunk's CRC checked. Pixels come out as RGBA, top row first.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct Png {
    uint32_t width = 0, height = 0;
    int channels = 0;           // as stored: 3 or 4
    std::vector<uint8_t> rgba;  // top row first, alpha 255 for RGB files
    std::array<int, 3> At(uint32_t x, uint32_t y) const
    {
        const size_t i = (static_cast<size_t>(y) * width + x) * 4;
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }
};

inline uint32_t PngBe32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

inline bool ReadPng(const std::string& path, Png& png)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const uint8_t kSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (f.size() < 8 || !std::equal(kSig, kSig + 8, f.begin()))
        return false;
    std::vector<uint8_t> idat;
    size_t pos = 8;
    bool ended = false;
    while (pos + 12 <= f.size()) {
        const uint32_t len = PngBe32(&f[pos]);
        if (pos + 12 + len > f.size())
            return false;
        const std::string type(f.begin() + pos + 4, f.begin() + pos + 8);
        if (crc32(0, &f[pos + 4], len + 4) != PngBe32(&f[pos + 8 + len]))
            return false;
        const uint8_t* data = &f[pos + 8];
        if (type == "IHDR") {
            png.width = PngBe32(data);
            png.height = PngBe32(data + 4);
            if (data[8] != 8 || (data[9] != 2 && data[9] != 6))
                return false;
            png.channels = data[9] == 6 ? 4 : 3;
        } else if (type == "IDAT") {
            idat.insert(idat.end(), data, data + len);
        } else if (type == "IEND") {
            ended = true;
        }
        pos += 12 + len;
    }
    if (!ended || png.channels == 0 || png.width == 0 || png.height == 0)
        return false;
    const size_t row = static_cast<size_t>(png.width) * png.channels;
    std::vector<uint8_t> raw((row + 1) * png.height);
    uLongf rawSize = raw.size();
    if (uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK || rawSize != raw.size())
        return false;
    png.rgba.clear();
    png.rgba.reserve(static_cast<size_t>(png.width) * png.height * 4);
    for (uint32_t y = 0; y < png.height; ++y) {
        const uint8_t* r = &raw[y * (row + 1)];
        if (r[0] != 0)
            return false;
        for (uint32_t x = 0; x < png.width; ++x) {
            const uint8_t* p = r + 1 + static_cast<size_t>(x) * png.channels;
            png.rgba.insert(png.rgba.end(), {p[0], p[1], p[2], png.channels == 4 ? p[3] : uint8_t(255)});
        }
    }
    return true;
}
