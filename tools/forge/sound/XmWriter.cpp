// Extended Module layout: header, packed patterns, instruments with delta-coded samples.
#include "sound/XmWriter.h"

#include <algorithm>
#include <cstring>

namespace xm {

namespace {

class Out {
public:
    std::vector<uint8_t> bytes;
    void U8(uint32_t v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) { U8(v); U8(v >> 8); }
    void U32(uint32_t v) { U16(v); U16(v >> 16); }
    void Text(const std::string& s, size_t width)
    {
        for (size_t i = 0; i < width; ++i)
            U8(i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
    }
    void Zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    size_t Size() const { return bytes.size(); }
    void PatchU16(size_t at, uint32_t v)
    {
        bytes[at] = static_cast<uint8_t>(v);
        bytes[at + 1] = static_cast<uint8_t>(v >> 8);
    }
};

void WritePattern(Out& out, const Pattern& p, int channels)
{
    const int rows = std::clamp(p.rows, 1, 256);
    out.U32(9);  // pattern header length
    out.U8(0);   // packing type
    out.U16(static_cast<uint32_t>(rows));
    const size_t sizeAt = out.Size();
    out.U16(0);
    const size_t dataStart = out.Size();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < channels; ++c) {
            const Cell cell = (c < p.channels && r < p.rows) ? p.At(r, c) : Cell{};
            uint8_t flags = 0x80;
            if (cell.note) flags |= 0x01;
            if (cell.instrument) flags |= 0x02;
            if (cell.volume) flags |= 0x04;
            if (cell.effect) flags |= 0x08;
            if (cell.param) flags |= 0x10;
            out.U8(flags);
            if (cell.note) out.U8(cell.note);
            if (cell.instrument) out.U8(cell.instrument);
            if (cell.volume) out.U8(cell.volume);
            if (cell.effect) out.U8(cell.effect);
            if (cell.param) out.U8(cell.param);
        }
    out.PatchU16(sizeAt, static_cast<uint32_t>(std::min<size_t>(out.Size() - dataStart, 0xffff)));
}

void WriteEnvelopePoints(Out& out, const Envelope& e)
{
    for (size_t i = 0; i < 12; ++i) {
        if (i < e.points.size()) {
            out.U16(e.points[i].first);
            out.U16(std::min<uint16_t>(e.points[i].second, 64));
        } else {
            out.U16(0);
            out.U16(0);
        }
    }
}

uint8_t EnvelopeType(const Envelope& e)
{
    if (e.points.empty())
        return 0;
    uint8_t t = 1;
    if (e.sustain >= 0) t |= 2;
    if (e.loopStart >= 0 && e.loopEnd >= e.loopStart) t |= 4;
    return t;
}

uint8_t PointIndex(int i)
{
    return static_cast<uint8_t>(std::clamp(i, 0, 11));
}

void WriteInstrument(Out& out, const Instrument& ins)
{
    const Sample& s = ins.sample;
    out.U32(263);
    out.Text(ins.name, 22);
    out.U8(0);   // type
    out.U16(1);  // one sample
    out.U32(40);  // sample header size
    out.Zeros(96);  // every note uses sample 0
    WriteEnvelopePoints(out, ins.volume);
    WriteEnvelopePoints(out, ins.panning);
    out.U8(static_cast<uint32_t>(std::min<size_t>(ins.volume.points.size(), 12)));
    out.U8(static_cast<uint32_t>(std::min<size_t>(ins.panning.points.size(), 12)));
    out.U8(PointIndex(ins.volume.sustain));
    out.U8(PointIndex(ins.volume.loopStart));
    out.U8(PointIndex(ins.volume.loopEnd));
    out.U8(PointIndex(ins.panning.sustain));
    out.U8(PointIndex(ins.panning.loopStart));
    out.U8(PointIndex(ins.panning.loopEnd));
    out.U8(EnvelopeType(ins.volume));
    out.U8(EnvelopeType(ins.panning));
    out.U8(ins.vibratoType);
    out.U8(ins.vibratoSweep);
    out.U8(ins.vibratoDepth);
    out.U8(ins.vibratoRate);
    out.U16(ins.fadeout);
    out.Zeros(22);

    // Sample header; lengths in bytes (16-bit samples).
    const uint32_t frames = static_cast<uint32_t>(s.data.size());
    const uint32_t loopStart = std::min(s.loopStart, frames);
    const uint32_t loopLength = std::min(s.loopLength, frames - loopStart);
    out.U32(frames * 2);
    out.U32(loopStart * 2);
    out.U32(loopLength * 2);
    out.U8(std::min<uint8_t>(s.volume, 64));
    out.U8(static_cast<uint8_t>(s.finetune));
    out.U8((loopLength ? 1 : 0) | 0x10);
    out.U8(s.panning);
    out.U8(static_cast<uint8_t>(s.relativeNote));
    out.U8(0);  // delta packing
    out.Text(s.name, 22);

    int16_t old = 0;
    for (int16_t v : s.data) {
        out.U16(static_cast<uint16_t>(static_cast<int16_t>(v - old)));
        old = v;
    }
}

}  // namespace

std::vector<uint8_t> WriteXm(const Module& m)
{
    Out out;
    const int channels = std::clamp(m.channels, 1, 32);
    const size_t orders = std::min<size_t>(m.order.size(), 256);
    const size_t patterns = std::min<size_t>(m.patterns.size(), 256);
    const size_t instruments = std::min<size_t>(m.instruments.size(), 128);

    out.Text("Extended Module: ", 17);
    out.Text(m.name, 20);
    out.U8(0x1a);
    out.Text("gw-forge", 20);
    out.U16(0x0104);
    out.U32(276);  // header size from here: 20 bytes of fields and the 256-entry order table
    out.U16(static_cast<uint32_t>(std::max<size_t>(orders, 1)));
    out.U16(static_cast<uint32_t>(std::clamp(m.restart, 0, int(std::max<size_t>(orders, 1)) - 1)));
    out.U16(static_cast<uint32_t>(channels));
    out.U16(static_cast<uint32_t>(patterns));
    out.U16(static_cast<uint32_t>(instruments));
    out.U16(1);  // linear frequency table
    out.U16(static_cast<uint32_t>(std::clamp(m.speed, 1, 31)));
    out.U16(static_cast<uint32_t>(std::clamp(m.bpm, 32, 255)));
    for (size_t i = 0; i < 256; ++i)
        out.U8(i < orders ? std::min<size_t>(m.order[i], patterns ? patterns - 1 : 0) : 0);

    for (size_t i = 0; i < patterns; ++i)
        WritePattern(out, m.patterns[i], channels);
    for (size_t i = 0; i < instruments; ++i)
        WriteInstrument(out, m.instruments[i]);
    return std::move(out.bytes);
}

}  // namespace xm
