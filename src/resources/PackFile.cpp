// Defensive walking of pack entry tables, entry reads, and the pack writer.
#include "resources/PackFile.h"

#include "resources/EntryCipher.h"
#include "resources/FileIO.h"

#include <algorithm>
#include <cstring>

namespace {

bool ReadU32(std::FILE* f, uint32_t& v)
{
    uint8_t b[4];
    if (std::fread(b, 1, 4, f) != 4)
        return false;
    v = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 24));
}

std::string Problem(const char* what, uint32_t index)
{
    return std::string(what) + " at entry " + std::to_string(index);
}

}  // namespace

PackReadResult ReadPackTable(std::FILE* f, PackTable& table)
{
    table = PackTable{};
    if (!f)
        return PackReadResult::CannotOpen;
    if (std::fseek(f, 0, SEEK_END) != 0)
        return PackReadResult::CannotOpen;
    long endPos = std::ftell(f);
    if (endPos < 0 || std::fseek(f, 0, SEEK_SET) != 0)
        return PackReadResult::CannotOpen;
    // Offsets are 32-bit: whatever lies past 4 GB cannot be addressed and is ignored.
    const uint64_t fileSize = std::min<uint64_t>(uint64_t(endPos), 0xffffffffull);

    char magic[2];
    if (std::fread(magic, 1, 2, f) != 2 || magic[0] != 'L' || magic[1] != 'B')
        return PackReadResult::BadMagic;
    uint32_t count = 0;
    if (!ReadU32(f, count)) {
        table.problems.push_back("truncated header: no entry count");
        return PackReadResult::Ok;
    }
    table.declaredCount = count;

    // Every entry takes at least 9 bytes (name length, size, flag), so the walk below stops after
    // at most fileSize / 9 steps whatever count says.
    uint64_t pos = 6;
    for (uint32_t i = 0; i < count; ++i) {
        if (fileSize - pos < 9) {
            table.problems.push_back(Problem(pos == fileSize ? "entry count larger than the entries present"
                                                            : "truncated entry header",
                                             i));
            break;
        }
        uint32_t nameLength = 0;
        if (!ReadU32(f, nameLength)) {
            table.problems.push_back(Problem("read error", i));
            break;
        }
        pos += 4;
        if (uint64_t(nameLength) + 5 > fileSize - pos) {
            table.problems.push_back(Problem("name runs past the end of the file", i));
            break;
        }
        std::string name;
        bool keep = true;
        if (nameLength > kPackMaxNameLength) {
            table.problems.push_back(Problem("name longer than 99 bytes, entry dropped", i));
            keep = false;
            if (std::fseek(f, long(nameLength), SEEK_CUR) != 0)
                break;
        } else {
            name.resize(nameLength);
            if (nameLength > 0 && std::fread(name.data(), 1, nameLength, f) != nameLength) {
                table.problems.push_back(Problem("read error", i));
                break;
            }
        }
        pos += nameLength;
        uint32_t size = 0;
        uint8_t flag = 0;
        if (!ReadU32(f, size) || std::fread(&flag, 1, 1, f) != 1) {
            table.problems.push_back(Problem("read error", i));
            break;
        }
        pos += 5;
        if (size > fileSize - pos) {
            table.problems.push_back(Problem("data runs past the end of the file", i));
            break;
        }
        if (keep) {
            PackEntry entry;
            entry.size = size;
            entry.offset = uint32_t(pos);
            entry.flag = char(flag);
            table.entries.push_back(entry);
            table.names.push_back(std::move(name));
        }
        pos += size;
        if (std::fseek(f, long(pos), SEEK_SET) != 0) {
            table.problems.push_back(Problem("seek error", i));
            break;
        }
    }
    return PackReadResult::Ok;
}

PackReadResult ReadPackTable(const std::string& path, PackTable& table)
{
    table = PackTable{};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return PackReadResult::CannotOpen;
    PackReadResult result = ReadPackTable(f, table);
    std::fclose(f);
    return result;
}

bool ReadPackEntry(std::FILE* f, const PackEntry& entry, std::string_view key, std::vector<uint8_t>& out)
{
    out.clear();
    if (!f || std::fseek(f, long(entry.offset), SEEK_SET) != 0)
        return false;
    out.resize(entry.size);
    if (entry.size > 0 && std::fread(out.data(), 1, entry.size, f) != entry.size) {
        out.clear();
        return false;
    }
    if (entry.flag == 'y')
        ApplyEntryCipher(out.data(), out.size(), key);
    return true;
}

bool BuildPack(const std::vector<PackSource>& sources, std::string_view key, std::vector<uint8_t>& out,
               std::string* error)
{
    out.clear();
    uint64_t total = 6;
    for (const PackSource& s : sources) {
        if (s.name.size() > kPackMaxNameLength) {
            if (error)
                *error = "name longer than 99 bytes: " + s.name;
            return false;
        }
        total += 9 + s.name.size() + s.bytes.size();
    }
    if (total > 0xffffffffull || sources.size() > 0xffffffffull) {
        if (error)
            *error = "pack larger than 4 GB";
        return false;
    }
    out.reserve(size_t(total));
    out.push_back('L');
    out.push_back('B');
    PutU32(out, uint32_t(sources.size()));
    for (const PackSource& s : sources) {
        PutU32(out, uint32_t(s.name.size()));
        out.insert(out.end(), s.name.begin(), s.name.end());
        PutU32(out, uint32_t(s.bytes.size()));
        out.push_back(s.encipher ? 'y' : 'n');
        size_t at = out.size();
        out.insert(out.end(), s.bytes.begin(), s.bytes.end());
        if (s.encipher)
            ApplyEntryCipher(out.data() + at, s.bytes.size(), key, false);
    }
    return true;
}

bool WritePack(const std::string& path, const std::vector<PackSource>& sources, std::string_view key,
               std::string* error)
{
    std::vector<uint8_t> bytes;
    if (!BuildPack(sources, key, bytes, error))
        return false;
    if (!WriteFileAtomic(path, bytes)) {
        if (error)
            *error = "cannot write " + path;
        return false;
    }
    return true;
}
