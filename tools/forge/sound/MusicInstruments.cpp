// The music instruments: drums from noise and sweeps, tonal voices from periodic waveforms.
#include "sound/MusicInstruments.h"

#include "sound/Synth.h"

#include <algorithm>
#include <cmath>

using namespace synth;

namespace music {

namespace {

constexpr int R = kSampleRate;
// C-4 with 128 frames per cycle.
constexpr double kBaseHz = double(kSampleRate) / kCycleFrames;

std::vector<int16_t> ToPcm(const Samples& s, float peak)
{
    const float p = std::max(Peak(s), 1e-9f);
    std::vector<int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(std::clamp(s[i] / p * peak, -1.0f, 1.0f) * 32767.0f));
    return out;
}

// cycles whole periods of a waveform whose partial h has level levels[h-1]; an optional second
// oscillator one cycle apart over the loop gives a slow chorus.
Samples Periodic(int cycles, const std::vector<double>& levels, bool chorus)
{
    const size_t n = size_t(cycles) * kCycleFrames;
    Samples s(n);
    for (size_t h = 0; h < levels.size(); ++h) {
        if (levels[h] == 0.0)
            continue;
        const double k = double(h + 1);
        for (size_t i = 0; i < n; ++i) {
            const double t = double(i) / n;  // 0..1 over the loop
            double v = std::sin(kTwoPi * cycles * k * t);
            if (chorus)
                v = 0.5 * v + 0.5 * std::sin(kTwoPi * (cycles + 1) * k * t + 1.3 * k);
            s[i] += static_cast<float>(levels[h] * v);
        }
    }
    return s;
}

xm::Instrument Looped(const char* name, const Samples& s, float peak, uint8_t volume)
{
    xm::Instrument ins;
    ins.name = name;
    ins.sample.name = name;
    ins.sample.data = ToPcm(s, peak);
    ins.sample.loopStart = 0;
    ins.sample.loopLength = static_cast<uint32_t>(s.size());
    ins.sample.volume = volume;
    ins.sample.relativeNote = 24;
    return ins;
}

xm::Instrument OneShot(const char* name, Samples s, float peak, uint8_t volume)
{
    FadeEnds(s, R, 0.0005, 0.01);
    xm::Instrument ins;
    ins.name = name;
    ins.sample.name = name;
    ins.sample.data = ToPcm(s, peak);
    ins.sample.volume = volume;
    ins.sample.relativeNote = 24;
    return ins;
}

}  // namespace

std::vector<xm::Instrument> MakeInstruments(uint64_t seed)
{
    ForgeRandom rng(seed);
    std::vector<xm::Instrument> out;

    // Kick: a falling sine with a click.
    {
        const size_t n = Frames(0.4, R);
        Samples s(n);
        double phase = 0.0;
        for (size_t i = 0; i < n; ++i) {
            const double t = double(i) / R;
            phase += kTwoPi * (48.0 + 110.0 * std::exp(-t / 0.04)) / R;
            s[i] = static_cast<float>(std::sin(phase) * AttackDecay(t, 0.001, 0.16));
        }
        Samples click = WhiteNoise(Frames(0.01, R), rng);
        Filter(click, Svf::Mode::Band, R, 3000.0, 0.8);
        Shape(click, R, [](double t) { return std::exp(-t / 0.002); });
        MixInto(s, click, 0, 0.6f);
        out.push_back(OneShot("kick", s, 0.95f, 64));
    }
    // Snare: a short tone body and a bright noise.
    {
        const size_t n = Frames(0.3, R);
        Samples noise = WhiteNoise(n, rng);
        Filter(noise, Svf::Mode::High, R, 1500.0, 0.7);
        Shape(noise, R, [](double t) { return AttackDecay(t, 0.001, 0.07); });
        Samples body(n);
        for (size_t i = 0; i < n; ++i) {
            const double t = double(i) / R;
            body[i] = static_cast<float>(std::sin(kTwoPi * 190.0 * t) * AttackDecay(t, 0.001, 0.05));
        }
        MixInto(noise, body, 0, 0.9f);
        out.push_back(OneShot("snare", noise, 0.9f, 56));
    }
    // Closed hat.
    {
        Samples s = WhiteNoise(Frames(0.08, R), rng);
        Filter(s, Svf::Mode::High, R, 7000.0, 0.7);
        Shape(s, R, [](double t) { return AttackDecay(t, 0.0005, 0.018); });
        out.push_back(OneShot("hat", s, 0.7f, 40));
    }
    // Crash cymbal.
    {
        Samples s = WhiteNoise(Frames(1.6, R), rng);
        Filter(s, Svf::Mode::High, R, 4500.0, 0.6);
        Shape(s, R, [](double t) { return AttackDecay(t, 0.002, 0.45); });
        out.push_back(OneShot("crash", s, 0.7f, 36));
    }
    // Bass: a soft saw, rolled off.
    {
        std::vector<double> levels;
        for (int h = 1; h <= 40; ++h)
            levels.push_back(std::exp(-h / 7.0) / h);
        xm::Instrument ins = Looped("bass", Periodic(1, levels, false), 0.9f, 52);
        ins.volume.points = {{0, 64}, {6, 52}, {30, 40}, {40, 0}};
        ins.volume.sustain = 2;
        ins.fadeout = 2000;
        out.push_back(std::move(ins));
    }
    // Pad: two saws a cycle apart over the loop, a slow chorus; swells in and out.
    {
        std::vector<double> levels;
        for (int h = 1; h <= 12; ++h)
            levels.push_back(std::exp(-h / 4.0) / h);
        xm::Instrument ins = Looped("pad", Periodic(100, levels, true), 0.9f, 30);
        ins.volume.points = {{0, 0}, {24, 64}, {60, 50}, {90, 0}};
        ins.volume.sustain = 2;
        ins.fadeout = 600;
        out.push_back(std::move(ins));
    }
    // Pulse lead: odd harmonics (a rounded square), with vibrato.
    {
        std::vector<double> levels;
        for (int h = 1; h <= 19; ++h)
            levels.push_back((h % 2) ? std::exp(-h / 9.0) / h : 0.12 / h);
        xm::Instrument ins = Looped("lead", Periodic(1, levels, false), 0.9f, 40);
        ins.volume.points = {{0, 0}, {2, 64}, {12, 48}, {20, 0}};
        ins.volume.sustain = 2;
        ins.fadeout = 1500;
        ins.vibratoType = 0;
        ins.vibratoSweep = 24;
        ins.vibratoDepth = 3;
        ins.vibratoRate = 12;
        out.push_back(std::move(ins));
    }
    // Saw lead: brighter, chorused, for the second track.
    {
        std::vector<double> levels;
        for (int h = 1; h <= 18; ++h)
            levels.push_back(std::exp(-h / 8.0) / h);
        xm::Instrument ins = Looped("sawlead", Periodic(80, levels, true), 0.9f, 38);
        ins.volume.points = {{0, 0}, {2, 64}, {14, 50}, {22, 0}};
        ins.volume.sustain = 2;
        ins.fadeout = 1200;
        ins.vibratoSweep = 30;
        ins.vibratoDepth = 4;
        ins.vibratoRate = 10;
        out.push_back(std::move(ins));
    }
    // Pluck: decaying harmonics, higher ones faster.
    {
        const size_t n = Frames(1.2, R);
        Samples s(n);
        for (int h = 1; h <= 16; ++h) {
            const double f = kBaseHz * h;
            const double level = 1.0 / std::pow(h, 1.2);
            const double tau = 0.5 / std::pow(h, 0.7);
            for (size_t i = 0; i < n; ++i) {
                const double t = double(i) / R;
                s[i] += static_cast<float>(level * std::sin(kTwoPi * f * t) * AttackDecay(t, 0.002, tau));
            }
        }
        out.push_back(OneShot("pluck", s, 0.9f, 34));
    }
    return out;
}

}  // namespace music
