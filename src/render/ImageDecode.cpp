// TGA and JPEG decoding from memory; the JPEG error exit jumps back here instead of ending the process.
#include "render/ImageDecode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

bool IsTgaName(const std::string& name)
{
    if (name.empty())
        return false;
    const char c = name.back();
    return c == 'a' || c == 'A';
}

bool DecodeTga(const uint8_t* data, size_t size, DecodedImage& out)
{
    static const uint8_t kHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (!data || size < 18 || std::memcmp(data, kHeader, 12) != 0)
        return false;
    const uint32_t width = data[12] | (data[13] << 8);
    const uint32_t height = data[14] | (data[15] << 8);
    const uint32_t bits = data[16];
    if (width == 0 || height == 0 || (bits != 24 && bits != 32))
        return false;
    const uint32_t bpp = bits / 8;
    const size_t count = static_cast<size_t>(width) * height * bpp;
    if (count > size - 18)
        return false;  // the picture runs past the file
    DecodedImage img;
    img.width = width;
    img.height = height;
    img.bytesPerPixel = bpp;
    img.pixels.assign(data + 18, data + 18 + count);
    for (size_t i = 0; i < count; i += bpp) {
        const uint8_t t = img.pixels[i];
        img.pixels[i] = img.pixels[i + 2];
        img.pixels[i + 2] = t;
    }
    out = std::move(img);
    return true;
}

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    longjmp(err->jump, 1);
}

void JpegQuietMessage(j_common_ptr) {}

// The part of the decode that may longjmp: it touches no object with a destructor, so the jump
// skips nothing that needs cleaning up (the buffer lives in the caller).
bool DecodeJpegRaw(jpeg_decompress_struct& cinfo, JpegError& err, const uint8_t* data, size_t size,
                   std::vector<uint8_t>& pixels, uint32_t& width, uint32_t& height, uint32_t& comps)
{
    if (setjmp(err.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxPictureSide ||
        cinfo.image_height > kMaxPictureSide)
        return false;
    jpeg_start_decompress(&cinfo);
    width = cinfo.output_width;
    height = cinfo.output_height;
    comps = static_cast<uint32_t>(cinfo.output_components);
    if (comps != 1 && comps != 3)
        return false;
    const size_t row = static_cast<size_t>(width) * comps;
    pixels.resize(row * height);
    // Rows are stored bottom-up: the first decoded (top) row goes last.
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW dst = pixels.data() + row * (height - 1 - cinfo.output_scanline);
        if (jpeg_read_scanlines(&cinfo, &dst, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& out)
{
    if (!data || size == 0)
        return false;
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof(cinfo));
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.output_message = JpegQuietMessage;
    std::vector<uint8_t> pixels;
    uint32_t width = 0, height = 0, comps = 0;
    const bool ok = DecodeJpegRaw(cinfo, err, data, size, pixels, width, height, comps);
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        return false;
    out.width = width;
    out.height = height;
    out.bytesPerPixel = comps;
    out.pixels = std::move(pixels);
    return true;
}

bool MergeColourAlpha(const DecodedImage& colour, const DecodedImage& alpha, DecodedImage& out)
{
    if (colour.width != alpha.width || colour.height != alpha.height || colour.bytesPerPixel != 3 ||
        alpha.bytesPerPixel != 1)
        return false;
    const size_t n = static_cast<size_t>(colour.width) * colour.height;
    if (colour.pixels.size() < n * 3 || alpha.pixels.size() < n)
        return false;
    DecodedImage img;
    img.width = colour.width;
    img.height = colour.height;
    img.bytesPerPixel = 4;
    img.pixels.resize(n * 4);
    for (size_t i = 0; i < n; ++i) {
        img.pixels[i * 4 + 0] = colour.pixels[i * 3 + 0];
        img.pixels[i * 4 + 1] = colour.pixels[i * 3 + 1];
        img.pixels[i * 4 + 2] = colour.pixels[i * 3 + 2];
        img.pixels[i * 4 + 3] = alpha.pixels[i];
    }
    out = std::move(img);
    return true;
}
