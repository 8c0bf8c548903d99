// MusicInstruments: the synthesised instruments of the forge's music modules.
//
// Every sample is made at 33452 Hz (four times the module's C-4 rate) with relative note +24,
// so that a note C-4 plays it at its own rate; tonal samples are periodic with 128 frames per
// cycle of C-4, and their loops hold whole cycles, so they loop without a click. Harmonics are
// limited so that notes up to C-6 stay below the output's Nyquist frequency.
#pragma once

#include "sound/XmWriter.h"

namespace music {

constexpr int kSampleRate = 33452;
constexpr int kCycleFrames = 128;

// Instrument numbers (1-based, as the patterns use them).
enum Instrument : uint8_t {
    kKick = 1,
    kSnare,
    kHat,
    kCrash,
    kBass,
    kPad,
    kPulseLead,
    kSawLead,
    kPluck,
    kInstrumentCount = kPluck
};

std::vector<xm::Instrument> MakeInstruments(uint64_t seed);

}  // namespace music
