// PackFile: the pack file format, read and written.
//
// A pack is "LB", a 32-bit little-endian entry count, then per entry: name length (32-bit),
// name bytes, data size (32-bit), flag byte ('y' enciphered with the group key, 'n' plain), the
// data. There is no directory and no checksum: the entries are walked from the start.
//
// ReadPackTable walks a pack defensively: an entry count larger than the entries present, a name
// or data running past the end of the file, or a truncated header end the walk with the entries
// read so far; an entry whose name is longer than 99 bytes is dropped and the walk goes on. The
// walk never takes more steps than the file has bytes for. ResourceGroup mounts packs with it;
// gw-pack lists and extracts with it. BuildPack is the writer the forge and gw-pack share.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Longest entry name a pack may hold, in bytes.
constexpr uint32_t kPackMaxNameLength = 99;

// Where an entry's data lies in its pack.
struct PackEntry {
    uint32_t size = 0;    // data bytes
    uint32_t offset = 0;  // data offset from the start of the pack
    char flag = 'n';      // 'y' enciphered, 'n' plain
};

// The entry table of a pack: entries and their names, parallel, names as stored.
struct PackTable {
    std::vector<PackEntry> entries;
    std::vector<std::string> names;
    uint32_t declaredCount = 0;  // the count the header gives
    std::vector<std::string> problems;  // one line per damaged or dropped part, for the log
};

enum class PackReadResult { Ok, CannotOpen, BadMagic };

// Walks the pack in f from its start. BadMagic when it does not begin with "LB" (table left
// empty); otherwise Ok, with every intact entry in the table and a line in problems for
// anything damaged.
PackReadResult ReadPackTable(std::FILE* f, PackTable& table);
PackReadResult ReadPackTable(const std::string& path, PackTable& table);

// Reads one entry's data from f, deciphering it with key when its flag is 'y'. False when the
// data cannot be read whole (the pack changed or was cut since the walk); out is then empty.
bool ReadPackEntry(std::FILE* f, const PackEntry& entry, std::string_view key, std::vector<uint8_t>& out);

// One file to pack: its name (as the game asks for it, '/' separated, at most 99 bytes), its
// bytes, and whether the pack stores it enciphered.
struct PackSource {
    std::string name;
    std::vector<uint8_t> bytes;
    bool encipher = false;
};

// Builds the bytes of a pack holding the sources in the given order, enciphering flagged entries
// with key. False, with a message in error, when a name is longer than 99 bytes or the pack
// would not fit 32-bit offsets.
bool BuildPack(const std::vector<PackSource>& sources, std::string_view key, std::vector<uint8_t>& out,
               std::string* error = nullptr);

// BuildPack written to path through a temporary file and a rename.
bool WritePack(const std::string& path, const std::vector<PackSource>& sources, std::string_view key,
               std::string* error = nullptr);
