// The XM writer: header fields at their offsets, packed pattern cells, delta-coded samples.
#include "sound/XmWriter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

uint16_t U16(const std::vector<uint8_t>& b, size_t at)
{
    return uint16_t(b.at(at) | (b.at(at + 1) << 8));
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return U16(b, at) | (uint32_t(U16(b, at + 2)) << 16);
}

xm::Module SmallModule()
{
    xm::Module m;
    m.name = "test";
    m.channels = 2;
    m.speed = 5;
    m.bpm = 140;
    m.order = {0, 1, 0};
    xm::Pattern p0(4, 2);
    p0.At(0, 0) = xm::Cell{49, 1, 0x10 + 40, 0, 0};
    p0.At(2, 1) = xm::Cell{xm::kKeyOff, 0, 0, 0, 0};
    p0.At(3, 1) = xm::Cell{61, 1, 0, 0x0F, 0x06};
    m.patterns.push_back(p0);
    m.patterns.push_back(xm::Pattern(2, 2));
    xm::Instrument ins;
    ins.name = "sine";
    ins.sample.data = {0, 1000, -1000, 32767, -32768, 5};
    ins.sample.loopStart = 1;
    ins.sample.loopLength = 4;
    ins.sample.relativeNote = 24;
    ins.volume.points = {{0, 64}, {10, 32}, {20, 0}};
    ins.volume.sustain = 1;
    ins.fadeout = 512;
    m.instruments.push_back(ins);
    return m;
}

}  // namespace

TEST(XmWriter, HeaderHoldsTheSongLayout)
{
    const std::vector<uint8_t> b = xm::WriteXm(SmallModule());
    ASSERT_GT(b.size(), 336u);
    EXPECT_EQ(std::memcmp(b.data(), "Extended Module: ", 17), 0);
    EXPECT_EQ(std::memcmp(b.data() + 17, "test", 4), 0);
    EXPECT_EQ(b[37], 0x1a);
    EXPECT_EQ(U16(b, 58), 0x0104);
    EXPECT_EQ(U32(b, 60), 276u);
    EXPECT_EQ(U16(b, 64), 3);    // song length
    EXPECT_EQ(U16(b, 66), 0);    // restart
    EXPECT_EQ(U16(b, 68), 2);    // channels
    EXPECT_EQ(U16(b, 70), 2);    // patterns
    EXPECT_EQ(U16(b, 72), 1);    // instruments
    EXPECT_EQ(U16(b, 74), 1);    // linear frequencies
    EXPECT_EQ(U16(b, 76), 5);    // speed
    EXPECT_EQ(U16(b, 78), 140);  // BPM
    EXPECT_EQ(b[80], 0);
    EXPECT_EQ(b[81], 1);
    EXPECT_EQ(b[82], 0);
}

TEST(XmWriter, PatternsArePackedCellByCell)
{
    const std::vector<uint8_t> b = xm::WriteXm(SmallModule());
    size_t at = 60 + 276;
    EXPECT_EQ(U32(b, at), 9u);
    EXPECT_EQ(b[at + 4], 0);
    EXPECT_EQ(U16(b, at + 5), 4);  // rows
    const uint16_t packed = U16(b, at + 7);
    const std::vector<uint8_t> expect = {
        0x80 | 0x07, 49, 1, 0x10 + 40,  // row 0: note, instrument, volume
        0x80,                           // row 0 channel 1: empty
        0x80, 0x80,                     // row 1
        0x80, 0x80 | 0x01, xm::kKeyOff, // row 2
        0x80, 0x80 | 0x1b, 61, 1, 0x0F, 0x06,
    };
    ASSERT_EQ(packed, expect.size());
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + long(at + 9), b.begin() + long(at + 9 + packed)), expect);
    // The empty pattern: one 0x80 per cell.
    at += 9 + packed;
    EXPECT_EQ(U16(b, at + 5), 2);
    EXPECT_EQ(U16(b, at + 7), 4);
}

TEST(XmWriter, InstrumentAndDeltaCodedSampleReadBack)
{
    const xm::Module m = SmallModule();
    const std::vector<uint8_t> b = xm::WriteXm(m);
    size_t at = 60 + 276;
    for (int p = 0; p < 2; ++p)
        at += 9 + U16(b, at + 7);
    EXPECT_EQ(U32(b, at), 263u);
    EXPECT_EQ(std::memcmp(b.data() + at + 4, "sine", 4), 0);
    EXPECT_EQ(U16(b, at + 27), 1);     // samples
    EXPECT_EQ(U32(b, at + 29), 40u);   // sample header size
    const size_t env = at + 129;
    EXPECT_EQ(U16(b, env + 4), 10);    // second point's tick
    EXPECT_EQ(U16(b, env + 6), 32);
    EXPECT_EQ(b[at + 225], 3);         // volume points
    EXPECT_EQ(b[at + 227], 1);         // sustain point
    EXPECT_EQ(b[at + 233] & 3, 3);     // envelope on, with sustain
    EXPECT_EQ(U16(b, at + 239), 512);  // fadeout
    const size_t sh = at + 263;
    EXPECT_EQ(U32(b, sh), 12u);      // length in bytes
    EXPECT_EQ(U32(b, sh + 4), 2u);   // loop start in bytes
    EXPECT_EQ(U32(b, sh + 8), 8u);   // loop length in bytes
    EXPECT_EQ(b[sh + 14], 0x11);     // forward loop, 16-bit
    EXPECT_EQ(int8_t(b[sh + 16]), 24);
    ASSERT_EQ(b.size(), sh + 40 + 12);
    int16_t value = 0;
    for (size_t i = 0; i < m.instruments[0].sample.data.size(); ++i) {
        value = int16_t(value + int16_t(U16(b, sh + 40 + 2 * i)));
        EXPECT_EQ(value, m.instruments[0].sample.data[i]) << i;
    }
}

TEST(XmWriter, OutOfRangeValuesAreClipped)
{
    xm::Module m = SmallModule();
    m.order = {7};  // names a pattern that does not exist
    m.restart = 40;
    m.instruments[0].sample.loopStart = 100;
    m.instruments[0].sample.loopLength = 100;
    const std::vector<uint8_t> b = xm::WriteXm(m);
    EXPECT_EQ(U16(b, 64), 1);
    EXPECT_EQ(U16(b, 66), 0);
    EXPECT_EQ(b[80], 1);
    size_t at = 60 + 276;
    for (int p = 0; p < 2; ++p)
        at += 9 + U16(b, at + 7);
    const size_t sh = at + 263;
    EXPECT_EQ(U32(b, sh + 4), 12u);
    EXPECT_EQ(U32(b, sh + 8), 0u);
}
