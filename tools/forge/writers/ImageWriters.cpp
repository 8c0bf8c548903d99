// ImageWriters: TGA by hand, JPEG through libjpeg's memory destination.
#include "writers/ImageWriters.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

std::vector<uint8_t> WriteTga(const Image& img, int bits)
{
    const int w = img.Width(), h = img.Height();
    if (w <= 0 || h <= 0 || w > 65535 || h > 65535 || (bits != 24 && bits != 32))
        return {};
    const int bpp = bits / 8;
    std::vector<uint8_t> out(18 + static_cast<size_t>(w) * h * bpp);
    out[2] = 2;
    out[12] = static_cast<uint8_t>(w & 0xFF);
    out[13] = static_cast<uint8_t>(w >> 8);
    out[14] = static_cast<uint8_t>(h & 0xFF);
    out[15] = static_cast<uint8_t>(h >> 8);
    out[16] = static_cast<uint8_t>(bits);
    out[17] = bits == 32 ? 8 : 0;   // alpha bits; origin bottom-left
    size_t o = 18;
    const auto& px = img.Pixels();
    const int ch = img.Channels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * ch];
            uint8_t r, g, b, a = 255;
            if (ch == 1) {
                r = g = b = p[0];
            } else {
                r = p[0]; g = p[1]; b = p[2];
                if (ch == 4)
                    a = p[3];
            }
            out[o++] = b;
            out[o++] = g;
            out[o++] = r;
            if (bpp == 4)
                out[o++] = a;
        }
    return out;
}

namespace {
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
} // namespace

std::vector<uint8_t> WriteJpeg(const Image& img, int components, int quality)
{
    const int w = img.Width(), h = img.Height();
    if (w <= 0 || h <= 0 || (components != 1 && components != 3))
        return {};
    // Rows top-first, in the component count asked for.
    std::vector<uint8_t> rows(static_cast<size_t>(w) * h * components);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Color c = img.Get(x, h - 1 - y);
            uint8_t* d = &rows[(static_cast<size_t>(y) * w + x) * components];
            auto byte = [](float v) { return static_cast<uint8_t>(v <= 0 ? 0 : v >= 1 ? 255 : static_cast<int>(v * 255.0f + 0.5f)); };
            if (components == 1) {
                d[0] = img.Channels() == 1 ? img.Pixels()[static_cast<size_t>(h - 1 - y) * w + x]
                                           : byte(c.r * 0.3f + c.g * 0.59f + c.b * 0.11f);
            } else {
                d[0] = byte(c.r);
                d[1] = byte(c.g);
                d[2] = byte(c.b);
            }
        }

    jpeg_compress_struct cinfo;
    JpegError err;
    unsigned char* mem = nullptr;
    unsigned long memSize = 0;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(mem);
        return {};
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &mem, &memSize);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &rows[static_cast<size_t>(cinfo.next_scanline) * w * components];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(mem, mem + memSize);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return out;
}
