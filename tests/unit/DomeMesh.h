// A faceted sky dome as OBJ text for the cloud-layer tests: rings of a squashed sphere from just
// below the horizon up to near the top, open at both ends and wound to face inwards, like the
// domes the forge makes; one ring can be dented to make it concave.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

// Ring r of the faces lies between vertex rings r and r + 1; ring 0 is the upright band around
// the horizon (−0.1 … 0.1 radians), the last ring borders the hole at the top.
inline std::string DomeObj(int segments, int rings, float dent = 0.0f)
{
    std::string out;
    char line[192];
    for (int r = 0; r <= rings; ++r) {
        const float ph = r == 0 ? -0.1f : r == 1 ? 0.1f : 0.1f + (r - 1) * 1.4f / (rings - 1);
        for (int s = 0; s < segments; ++s) {
            const float th = 6.2831853f * s / segments;
            // The dent pulls one vertex of a middle ring towards the centre.
            const float k = std::cos(ph) * (r == rings / 2 + 1 && s == 0 ? 1.0f - dent : 1.0f);
            std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\nvt %.4f %.4f\n", k * std::cos(th), k * std::sin(th),
                          std::sin(ph), 0.5f + 0.5f * k * std::cos(th), 0.5f + 0.5f * k * std::sin(th));
            out += line;
        }
    }
    auto idx = [segments](int r, int s) { return r * segments + (s % segments) + 1; };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            const int a = idx(r, s), b = idx(r, s + 1), c = idx(r + 1, s + 1), d = idx(r + 1, s);
            std::snprintf(line, sizeof line, "f %d/%d %d/%d %d/%d\nf %d/%d %d/%d %d/%d\n", a, a, c, c, b, b, a, a, d, d, c, c);
            out += line;
        }
    return out;
}
