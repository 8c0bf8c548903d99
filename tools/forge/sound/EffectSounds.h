// EffectSounds: the recipes of every sound effect of the game, synthesised from fixed seeds.
//
// One entry per file of the game's sound table ("sounds/s1.ogg" ... "sounds/s8.ogg"): engine and
// missile loops (marked loop: their last sample joins their first without a step), explosions of
// several weights, flak, splashes, the maneuver whoosh, the low-fuel warning, the shot-down,
// refuelling and damage cues, the sinking boats and the enemy engines. Loudness is balanced by
// kind: engines sit under the effects, explosions are the loudest, and no sample exceeds the
// peak cap. ForgeSounds encodes them as Ogg Vorbis.
#pragma once

#include "sound/Synth.h"

#include <string>
#include <vector>

constexpr int kEffectRate = 44100;
// No sample of an effect is louder than this (headroom for the encoder).
constexpr float kEffectPeakCap = 0.75f;

struct EffectSound {
    std::string path;
    bool loop = false;
    synth::Samples samples;  // mono at kEffectRate
};

std::vector<EffectSound> MakeEffectSounds();
