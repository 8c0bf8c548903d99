// XmWriter: an Extended Module ("FastTracker 2" .xm) file from patterns, instruments and samples.
//
// The forge's composer fills an XmModule and WriteXm lays it out: the header ("Extended Module: ",
// song length, channels, tempo and BPM, the order table), the patterns (packed cells), and the
// instruments, each with its envelopes and its samples stored as 16-bit deltas. Everything is
// little-endian; counts the format cannot hold are clipped (256 orders, 256 rows, 128 instruments).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace xm {

// Notes: 1 = C-0 ... 96 = B-7; 97 releases the note (key off). 0 is an empty note field.
constexpr uint8_t kKeyOff = 97;
// The volume column: kSetVolume + 0..64.
constexpr uint8_t kSetVolume = 0x10;

struct Cell {
    uint8_t note = 0;
    uint8_t instrument = 0;  // 1-based; 0 none
    uint8_t volume = 0;      // volume column byte; 0 none
    uint8_t effect = 0;
    uint8_t param = 0;
    bool Empty() const { return !note && !instrument && !volume && !effect && !param; }
};

struct Pattern {
    int rows = 64;
    int channels = 8;
    std::vector<Cell> cells;  // row-major
    Pattern(int rows_, int channels_) : rows(rows_), channels(channels_), cells(size_t(rows_) * channels_) {}
    Cell& At(int row, int channel) { return cells[size_t(row) * channels + channel]; }
    const Cell& At(int row, int channel) const { return cells[size_t(row) * channels + channel]; }
};

struct Sample {
    std::string name;
    std::vector<int16_t> data;
    uint32_t loopStart = 0;   // in frames
    uint32_t loopLength = 0;  // in frames; 0 no loop
    uint8_t volume = 64;
    int8_t finetune = 0;
    uint8_t panning = 128;
    int8_t relativeNote = 0;
};

struct Envelope {
    std::vector<std::pair<uint16_t, uint16_t>> points;  // (tick, value 0..64), at most 12
    int sustain = -1;                                   // point index, -1 none
    int loopStart = -1, loopEnd = -1;
};

struct Instrument {
    std::string name;
    Sample sample;  // the one sample, used for every note
    Envelope volume;
    Envelope panning;
    uint16_t fadeout = 0;
    uint8_t vibratoType = 0, vibratoSweep = 0, vibratoDepth = 0, vibratoRate = 0;
};

struct Module {
    std::string name;
    int channels = 8;
    int speed = 6;   // ticks per row
    int bpm = 125;
    std::vector<uint8_t> order;
    int restart = 0;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

std::vector<uint8_t> WriteXm(const Module& module);

}  // namespace xm
