// FileBuffer: the bytes of one file read through a ResourceGroup, owned by the caller.
//
// Holds the file's bytes (no terminating zero is added), and for a file that came out of a pack
// the offset of its data in the pack and its stored flag ('y' enciphered, 'n' plain); both are 0
// for a file read from disk. An empty buffer (Size() == 0) means the file was found nowhere or
// is empty; loaders treat both alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

struct FileBuffer {
    std::vector<uint8_t> bytes;
    uint32_t offset = 0;
    char flag = 0;

    const uint8_t* Data() const { return bytes.data(); }
    uint32_t Size() const { return static_cast<uint32_t>(bytes.size()); }
    bool Empty() const { return bytes.empty(); }
    // The bytes as text (for parsers that take text).
    std::string_view Text() const { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }
    // Frees the bytes; the buffer is then empty.
    void Release()
    {
        std::vector<uint8_t>().swap(bytes);
        offset = 0;
        flag = 0;
    }
};
