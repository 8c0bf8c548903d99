// PngWriter: a frame read back from GL written as an uncompressed PNG (stored deflate blocks),
// for looking at what the benchmark drew. No compression library is needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds width × height × 3 bytes, bottom row first (as glReadPixels gives them).
bool WritePngBottomUp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// Reads the back buffer just drawn (width × height from the lower left corner) and writes it to
// `path`; false when the file cannot be written. Needs the current GL context.
bool WriteBackBufferPng(const std::string& path, int width, int height);
