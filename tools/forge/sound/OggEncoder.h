// OggEncoder: mono float samples to an Ogg Vorbis file image with libvorbis.
//
// The stream's serial number is fixed so that the same samples give the same bytes on every run.
// Samples outside -1..1 are clamped before encoding.
#pragma once

#include <cstdint>
#include <vector>

// quality: libvorbis' VBR quality (-0.1 .. 1.0). Empty on an encoder failure.
std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& samples, int rate, float quality = 0.4f);
