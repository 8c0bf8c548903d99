// A small PNG encoder over zlib: 8-bit RGBA, no interlace, filter 0 on every row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes width x height RGBA pixels given top row first.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgbaTopDown);

// Encodes and writes through a temporary file and a rename; false when it cannot be written.
bool WritePng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& rgbaTopDown);
