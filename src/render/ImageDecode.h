// Picture decoding for textures: uncompressed true-colour TGA and JPEG (libjpeg) from memory.
//
// Used by CTexture before upload and by the font's glyph scan; nothing here needs a GL context.
// Every decoder works on a caller's buffer (pointer and size), never reads outside it, and
// returns false leaving the output untouched when the picture is refused. Rows come out
// bottom-up (row 0 is the bottom of the picture), as a TGA with zero origin stores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bytesPerPixel = 0;  // 1 (grey), 3 (RGB) or 4 (RGBA)
    std::vector<uint8_t> pixels; // width * height * bytesPerPixel, bottom row first
};

// Largest side of a picture the decoders accept; beyond it a picture is refused before any
// pixel memory is taken (a small hostile JPEG header can claim a gigantic picture).
constexpr uint32_t kMaxPictureSide = 8192;

// A name whose last character is 'a' or 'A' is a TGA; anything else is decoded as JPEG.
bool IsTgaName(const std::string& name);

// Uncompressed true-colour TGA of 24 or 32 bits with a zero origin; BGR(A) becomes RGB(A).
// Refused: another header, zero width or height, another bit depth, pixels past the buffer.
bool DecodeTga(const uint8_t* data, size_t size, DecodedImage& out);

// Any JPEG libjpeg accepts (1 or 3 components). A decode error half-way refuses the picture;
// the process never ends for it.
bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& out);

// Interleaves a 3-component colour picture with a 1-component alpha picture of the same size
// into RGBA. False when the sizes or component counts do not match.
bool MergeColourAlpha(const DecodedImage& colour, const DecodedImage& alpha, DecodedImage& out);
