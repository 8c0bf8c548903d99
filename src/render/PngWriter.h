// PngWriter: pictures kept as PNG files - screenshots of the game, frames of gw-bench, shots of
// gw-view, the icons of gw-forge. 8-bit RGB or RGBA, no interlace, filter 0 rows, deflate by zlib.
//
// Files go through WriteFileAtomic (temporary file and rename), so a failed write is logged there
// and leaves no half picture behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes width x height pixels of `channels` bytes (3: RGB, 4: RGBA) given top row first; empty
// when the sizes do not match the pixels.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, int channels, const std::vector<uint8_t>& topDown);

// Encodes and writes; false when the pixels do not fit the sizes or the file cannot be written.
bool WritePng(const std::string& path, uint32_t width, uint32_t height, int channels,
              const std::vector<uint8_t>& topDown);

// As WritePng for RGB rows given bottom row first (as glReadPixels gives them).
bool WritePngBottomUp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// Reads the back buffer just drawn (the rectangle at x, y from the lower left corner) and writes it
// as an RGB PNG; false when the file cannot be written. Needs the current GL context.
bool WriteBackBufferPng(const std::string& path, int x, int y, int width, int height);
inline bool WriteBackBufferPng(const std::string& path, int width, int height)
{
    return WriteBackBufferPng(path, 0, 0, width, height);
}
