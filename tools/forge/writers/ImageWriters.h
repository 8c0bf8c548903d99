// ImageWriters: the picture files of the game from forge images.
//
// TGA: uncompressed true-colour (type 2), 24 or 32 bits, no image id, no colour map, origin at the
// bottom left, rows bottom-up, pixels stored BGR(A) — the only kind the game's reader takes.
// JPEG: baseline through libjpeg into memory; 3 components for colour pictures (textures), 1 for
// the grey cloud and noise pictures whose bytes the game takes as cloud alpha. Rows go top-first
// into the file, so that the game's bottom-up decode gives back the forge's row order.
// Both return an empty vector when the image is empty or cannot be encoded.
#pragma once

#include "core/Image.h"

#include <cstdint>
#include <vector>

// bits 24 or 32; a 1- or 3-channel image written at 32 bits gets alpha 255.
std::vector<uint8_t> WriteTga(const Image& img, int bits);
// components 1 (grey) or 3 (RGB); quality 1..100.
std::vector<uint8_t> WriteJpeg(const Image& img, int components, int quality);
