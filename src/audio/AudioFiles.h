// Reading of the sound and music files the audio layer loads.
//
// Sound::Load and NAudio::Music read their files here: by default through the resource group
// "main" (pack first, then disk). Tests and tools may install another source (files held in
// memory, for example); an empty source restores the default. A file found nowhere reads as an
// empty buffer, which the loaders treat as a failed load.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using AudioFileSource = std::function<std::vector<uint8_t>(const std::string& name)>;

std::vector<uint8_t> ReadAudioFile(const std::string& name);
void SetAudioFileSource(AudioFileSource source);
