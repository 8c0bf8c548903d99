// Fuzzes the parameter parser: plain and enciphered texts, the writer's round trip, ParseFloats.
#include "resources/ParamFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ParamFile pf;
    pf.Parse(data, size, true);

    // Whatever pairs came out write and read back to the same map, unless a value holds what the
    // writer passes through unchanged (quotes, tabs and line ends, comment marks) or is empty.
    bool plainValues = true;
    for (const auto& [k, v] : pf.Pairs()) {
        if (v.empty() || v.find_first_of("\"\t\r\n") != std::string::npos || v.find("//") != std::string::npos ||
            k.find('"') == 0 || k.find("//") != std::string::npos)
            plainValues = false;
    }
    if (plainValues) {
        ParamFile back;
        back.Parse(pf.ToText(), true);
        if (back.Pairs() != pf.Pairs())
            std::abort();
    }

    // Typed look-ups of whatever keys exist.
    for (const auto& [k, v] : pf.Pairs()) {
        (void)pf.GetInt(k, "0");
        (void)pf.GetFloat(k, "0.85");
        float floats[4] = {0, 0, 0, 0};
        int used = ParamFile::ParseFloats(v, floats, 4);
        if (used < 0 || used > 4)
            std::abort();
    }

    // The same bytes as an enciphered file under the settings and save keys.
    ParamFile enciphered;
    enciphered.Parse(data, size, true, "zel");
    enciphered.Parse(data, size, false, "kq71x");
    return 0;
}
