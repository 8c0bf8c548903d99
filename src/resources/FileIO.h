// FileIO: whole-file reads and the one safe way the game writes a file.
//
// Every file the game writes (settings, saved game, score tables, the pack tool's output) goes
// through WriteFileAtomic: the bytes land in a temporary file in the same folder, are flushed to
// disk, and the temporary file is then renamed over the old one. A crash, a kill or a full disk
// therefore leaves either the old file or the new one, never a truncated one. Failures are
// returned as false and logged here, once ("cannot write <path>: <reason>"); the old file is then
// untouched and the temporary file removed. Callers do not log the failure again. A writer killed
// before its rename leaves "<file>.tmp<pid>"; the first durable write of that file in a later
// process removes such temporaries whose process has ended (only that file's, only in its folder).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads a file on disk whole, bytes untranslated. False when it cannot be opened or read, or
// when it is larger than maxBytes (a guard against reading a huge hostile file into memory).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes = size_t(1) << 30);

// Writes size bytes to path through a temporary file in the same folder and a rename. With
// durable set the bytes are forced to disk before the rename (the game's own files); bulk
// writers such as gw-pack extract may leave that to the system.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size, bool durable = true);
inline bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes, bool durable = true)
{
    return WriteFileAtomic(path, bytes.data(), bytes.size(), durable);
}
