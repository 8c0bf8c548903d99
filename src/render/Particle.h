// CParticle: one particle of a smoke, fire, flak, explosion or splash effect, and the prototype
// read from a particle description file ("dat/particles/*.txt").
//
// The game reads the ten descriptions once (GameData) and the battle effects copy a prototype for
// every particle they emit. ReadParticle never fails: missing keys take their defaults, and values
// that would break the particle systems are mended and logged — a frame count below 1 becomes 1
// (it is divided by), negative or non-finite rates become 0 (a frame rate running backwards would
// keep a frame-kind particle alive for ever), a negative trail spacing becomes 0 (no filling).
#pragma once

#include "app/Vec3.h"

#include <cstdint>
#include <string>

class ParamFile;

struct CParticle {
    // Kind 1 ("ALPHA") dies when transparent, kind 2 at its last frame.
    int32_t kind = 1;
    int32_t frame = 0;
    int32_t frameCount = 1;
    float frameTimer = 0.0f;
    float frameSpeed = 0.0f;
    Vec3 position;
    Vec3 velocity{0, 0, 0};
    float speed = 0.0f;  // emission speed used by the effects
    float r = 0, g = 0, b = 0, a = 0;
    float size = 0.0f;
    float dsize = 0.0f;
    float dalpha = 0.0f;
    float dist = 0.0f;  // spacing of trail particles
};

// Reads a description; name is only for the log lines of mended values.
CParticle ReadParticle(const ParamFile& file, const std::string& name = "particle");
