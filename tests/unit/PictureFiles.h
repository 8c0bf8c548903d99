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
