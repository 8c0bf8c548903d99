// Fuzzes pack mounting: the entry table walk over arbitrary bytes, then a read of every entry.
#include "resources/PackFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // fmemopen serves the bytes as the file the game would open.
    std::FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!f)
        return 0;
    PackTable table;
    ReadPackTable(f, table);
    if (table.entries.size() != table.names.size())
        std::abort();
    std::vector<uint8_t> out;
    for (size_t i = 0; i < table.entries.size(); ++i) {
        const PackEntry& e = table.entries[i];
        // Every mounted entry lies inside the file and reads whole.
        if (uint64_t(e.offset) + e.size > size || table.names[i].size() > kPackMaxNameLength)
            std::abort();
        if (!ReadPackEntry(f, e, "qpwoeirut5678zmxncbv0192", out) || out.size() != e.size)
            std::abort();
    }
    std::fclose(f);
    return 0;
}
