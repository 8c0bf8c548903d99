// Picture files made in memory for the texture, font and viewer tests: TGA by hand, JPEG by libjpeg.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

// An uncompressed true-colour TGA with the given pixel bytes (in file order, BGR(A)).
inline std::vector<uint8_t> MakeTga(int width, int height, int bits, const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> f = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    f.push_back(width & 0xFF);
    f.push_back(width >> 8);
    f.push_back(height & 0xFF);
    f.push_back(height >> 8);
    f.push_back(static_cast<uint8_t>(bits));
    f.push_back(bits == 32 ? 8 : 0);
    f.insert(f.end(), pixels.begin(), pixels.end());
    return f;
}

// A baseline JPEG of 1 or 3 components; rows given top first, as libjpeg takes them.
inline std::vector<uint8_t> MakeJpeg(int width, int height, int components, const std::vector<uint8_t>& pixels)
{
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &mem, &size);
    c.image_width = width;
    c.image_height = height;
    c.input_components = components;
    c.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(pixels.data()) + c.next_scanline * width * components;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<uint8_t> out(mem, mem + size);
    jpeg_destroy_compress(&c);
    std::free(mem);
    return out;
}

// A 32-bit font picture of count block glyphs, 16 a line: glyph i is 3 + i % 4 columns wide and
// 10 rows high, glyphs 2 columns apart, lines 4 rows apart. Ink is white with alpha 255.
inline std::vector<uint8_t> MakeFontTga(int count, int perLine = 16)
{
    const int lines = (count + perLine - 1) / perLine;
    const int width = 2 + perLine * (6 + 2) + 2;
    const int height = 4 + lines * (10 + 4);
    std::vector<uint8_t> px(static_cast<size_t>(width) * height * 4, 0);
    for (int i = 0; i < count; ++i) {
        const int line = i / perLine, slot = i % perLine;
        const int top = height - 1 - 4 - line * 14;  // rows are bottom-up
        const int left = 2 + slot * 8;
        for (int r = top - 9; r <= top; ++r)
            for (int c = left; c < left + 3 + i % 4; ++c)
                for (int k = 0; k < 4; ++k)
                    px[(static_cast<size_t>(r) * width + c) * 4 + k] = 255;
    }
    return MakeTga(width, height, 32, px);
}
