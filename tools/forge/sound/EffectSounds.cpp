// The effect recipes: engines, rotors, rockets, explosions, splashes and cues, from fixed seeds.
#include "sound/EffectSounds.h"

#include <algorithm>
#include <cmath>

using namespace synth;

namespace {

constexpr int R = kEffectRate;

double Sec(size_t i)
{
    return double(i) / R;
}

// Loudness of each kind: RMS target (over the loudest 250 ms for one-shots, the whole loop for
// loops). Engines sit under the effects; explosions are the loudest.
constexpr float kEngineRms = 0.13f;
constexpr float kMissileLoopRms = 0.13f;
constexpr float kExplosionRms = 0.24f;
constexpr float kCueRms = 0.17f;
const size_t kWindow = Frames(0.25, R);

// ---- building blocks -------------------------------------------------------------------------

struct Boom {
    double length = 2.0;
    double tau = 0.35;          // body decay
    double cutoffStart = 3500;  // the body's lowpass sweeps down from here...
    double cutoffEnd = 250;     // ...to here
    double thump = 1.0;         // sub thump level
    double thumpHz0 = 95, thumpHz1 = 38;
    double rumble = 0.6;
    double rumbleTau = 0.7;
    int crackles = 25;
    double crackleSpan = 0.8;
    uint64_t seed = 1;
};

Samples Explosion(const Boom& b)
{
    ForgeRandom rng(b.seed);
    const size_t n = Frames(b.length, R);
    Samples body = WhiteNoise(n, rng);
    Filter(body, Svf::Mode::Low, R, [&](double t) { return b.cutoffEnd + (b.cutoffStart - b.cutoffEnd) * std::exp(-t / 0.22); }, 0.9);
    Shape(body, R, [&](double t) { return AttackDecay(t, 0.004, b.tau); });

    Samples crack = WhiteNoise(Frames(0.05, R), rng);
    Filter(crack, Svf::Mode::High, R, 1200.0);
    Shape(crack, R, [](double t) { return std::exp(-t / 0.009); });

    Samples thump(n);
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double t = Sec(i);
        const double hz = b.thumpHz1 + (b.thumpHz0 - b.thumpHz1) * std::exp(-t / 0.15);
        phase += kTwoPi * hz / R;
        thump[i] = static_cast<float>(std::sin(phase) * AttackDecay(t, 0.006, 0.3) * b.thump);
    }

    Samples rumble = BrownNoise(n, rng);
    Filter(rumble, Svf::Mode::Low, R, 140.0);
    Shape(rumble, R, [&](double t) { return AttackDecay(t, 0.06, b.rumbleTau) * b.rumble * 6.0; });

    Samples out(n);
    MixInto(out, body, 0, 1.0f);
    MixInto(out, crack, 0, 0.6f);
    MixInto(out, thump, 0, 0.7f);
    MixInto(out, rumble, 0, 1.0f);
    for (int k = 0; k < b.crackles; ++k) {
        const double t = 0.04 + rng.Float() * b.crackleSpan;
        Samples c = WhiteNoise(Frames(0.004 + rng.Float() * 0.01, R), rng);
        Filter(c, Svf::Mode::Band, R, 1500.0 + rng.Float() * 3500.0, 1.5);
        Shape(c, R, [](double u) { return std::exp(-u / 0.003); });
        MixInto(out, c, Frames(t, R), static_cast<float>(0.9 * std::exp(-t / 0.6) * (0.4 + rng.Float())));
    }
    out.resize(n);
    return out;
}

// A tone from a frequency that may follow time, as a sum of harmonics with the given levels.
Samples Tone(double seconds, const std::function<double(double)>& hz, const std::vector<double>& harmonics)
{
    const size_t n = Frames(seconds, R);
    Samples s(n);
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double f = hz(Sec(i));
        phase += kTwoPi * f / R;
        double v = 0.0;
        for (size_t h = 0; h < harmonics.size(); ++h)
            if (f * (h + 1) < R * 0.45)
                v += harmonics[h] * std::sin(phase * double(h + 1));
        s[i] = static_cast<float>(v);
    }
    return s;
}

// A periodic tone over exactly n frames (every partial fits a whole number of cycles).
Samples LoopTone(size_t n, double hz, const std::vector<double>& harmonics)
{
    Samples s(n);
    const double base = LoopFrequency(hz, n, R);
    for (size_t h = 0; h < harmonics.size(); ++h) {
        const double f = base * double(h + 1);
        if (f >= R * 0.45)
            break;
        for (size_t i = 0; i < n; ++i)
            s[i] += static_cast<float>(harmonics[h] * std::sin(kTwoPi * f * Sec(i)));
    }
    return s;
}

// Multiplies by 1 + depth * sin at a rate fitted to the loop.
void LoopWobble(Samples& s, double hz, double depth, double phase = 0.0)
{
    const double f = LoopFrequency(hz, s.size(), R);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] *= static_cast<float>(1.0 + depth * std::sin(kTwoPi * f * Sec(i) + phase));
}

Samples FilteredNoise(size_t n, ForgeRandom& rng, Svf::Mode mode, double cutoff, double q)
{
    Samples s = WhiteNoise(n, rng);
    Filter(s, mode, R, cutoff, q);
    return s;
}

// ---- engines -------------------------------------------------------------------------------

struct JetSpec {
    double seconds = 2.0;
    double roarCut = 800;
    double hissHz = 3500;
    double hiss = 0.35;
    double whineHz = 1850;
    double whine = 0.022;
    double rumble = 0.8;
    uint64_t seed = 10;
};

Samples JetLoop(const JetSpec& j)
{
    ForgeRandom rng(j.seed);
    const size_t n = Frames(j.seconds, R);
    const size_t fade = Frames(0.3, R);
    Samples noise = FilteredNoise(n + fade, rng, Svf::Mode::Low, j.roarCut, 0.6);
    Samples rumble = BrownNoise(n + fade, rng);
    Filter(rumble, Svf::Mode::Low, R, 110.0);
    MixInto(noise, rumble, 0, static_cast<float>(j.rumble * 4.0));
    MixInto(noise, FilteredNoise(n + fade, rng, Svf::Mode::Band, j.hissHz, 0.8), 0, static_cast<float>(j.hiss));
    Samples loop = CloseLoop(noise, n, fade);
    Samples whine = LoopTone(n, j.whineHz, {1.0, 0.0, 0.15});
    LoopWobble(whine, 2.5, 0.25);
    const float level = Rms(loop);
    MixInto(loop, whine, 0, static_cast<float>(j.whine * level / 0.1));
    return loop;
}

struct RotorSpec {
    double seconds = 2.0;
    double bladeHz = 9.0;
    double thumpCut = 420;
    double whineHz = 1500;
    double whine = 0.02;
    double body = 0.3;
    uint64_t seed = 20;
};

Samples RotorLoop(const RotorSpec& r)
{
    ForgeRandom rng(r.seed);
    const size_t n = Frames(r.seconds, R);
    const size_t fade = Frames(0.25, R);
    Samples loop = CloseLoop(FilteredNoise(n + fade, rng, Svf::Mode::Low, 320.0, 0.7), n, fade);
    for (float& v : loop)
        v *= static_cast<float>(r.body);
    const int count = std::max(1, int(std::lround(r.bladeHz * r.seconds)));
    const double period = double(n) / count;
    for (int k = 0; k < count; ++k) {
        // Each blade slaps a little differently; every other one is softer.
        Samples slap = FilteredNoise(Frames(0.12, R), rng, Svf::Mode::Low, r.thumpCut * (0.9 + 0.2 * rng.Float()), 1.3);
        Samples low = Tone(0.12, [](double) { return 62.0; }, {1.0});
        MixInto(slap, low, 0, 0.35f);
        Shape(slap, R, [](double t) { return AttackDecay(t, 0.004, 0.028); });
        MixWrapped(loop, slap, static_cast<size_t>(std::lround(k * period)), (k % 2) ? 2.2f : 3.0f);
    }
    Samples whine = LoopTone(n, r.whineHz, {1.0, 0.3});
    Samples tail = LoopTone(n, r.bladeHz * 5.5, {1.0, 0.5, 0.3, 0.2});
    const float level = Rms(loop);
    MixInto(loop, whine, 0, static_cast<float>(r.whine * level / 0.1));
    MixInto(loop, tail, 0, static_cast<float>(0.02 * level / 0.1));
    return loop;
}

// An old-style propeller drone: a buzzing fundamental with its harmonics and a little noise.
Samples PropLoop(double seconds, double hz, double cutoff, uint64_t seed)
{
    ForgeRandom rng(seed);
    const size_t n = Frames(seconds, R);
    const size_t fade = Frames(0.25, R);
    std::vector<double> harmonics;
    for (int h = 1; h <= 24; ++h)
        harmonics.push_back(1.0 / h);
    Samples drone = LoopTone(n, hz, harmonics);
    // The buzz's brightness: a lowpass run twice round the loop so its state has settled.
    Samples twice = drone;
    twice.insert(twice.end(), drone.begin(), drone.end());
    Filter(twice, Svf::Mode::Low, R, cutoff, 1.1);
    Samples loop(twice.begin() + static_cast<long>(n), twice.end());
    LoopWobble(loop, 4.0, 0.18);
    const float level = Rms(loop);
    Samples noise = CloseLoop(FilteredNoise(n + fade, rng, Svf::Mode::Low, 900.0, 0.6), n, fade);
    MixInto(loop, noise, 0, level * 0.9f / std::max(Rms(noise), 1e-6f));
    return loop;
}

// ---- missiles ------------------------------------------------------------------------------

Samples RocketLoop(double seconds, double centerHz, double roarCut, double flutterHz, uint64_t seed)
{
    ForgeRandom rng(seed);
    const size_t n = Frames(seconds, R);
    const size_t fade = Frames(0.2, R);
    Samples mix = FilteredNoise(n + fade, rng, Svf::Mode::Band, centerHz, 0.6);
    MixInto(mix, FilteredNoise(n + fade, rng, Svf::Mode::Low, roarCut, 0.7), 0, 0.9f);
    Samples loop = CloseLoop(mix, n, fade);
    // Crackle of the motor, wrapped so that it repeats seamlessly.
    const int crackles = int(seconds * 40);
    for (int k = 0; k < crackles; ++k) {
        Samples c = FilteredNoise(Frames(0.006, R), rng, Svf::Mode::High, 2500.0, 0.7);
        Shape(c, R, [](double t) { return std::exp(-t / 0.002); });
        MixWrapped(loop, c, static_cast<size_t>(rng.Float() * n), 0.25f + 0.3f * rng.Float());
    }
    LoopWobble(loop, flutterHz, 0.15);
    return loop;
}

// ---- cues ------------------------------------------------------------------------------------

Samples Whoosh(uint64_t seed)
{
    ForgeRandom rng(seed);
    const double len = 1.3;
    Samples s = WhiteNoise(Frames(len, R), rng);
    Filter(s, Svf::Mode::Band, R, [&](double t) { return 350.0 + 2600.0 * std::pow(std::sin(kPi * t / len), 2.0); }, 1.6);
    Shape(s, R, [&](double t) { return std::pow(std::sin(kPi * std::min(t / len, 1.0)), 1.6); });
    Samples low = WhiteNoise(Frames(len, R), rng);
    Filter(low, Svf::Mode::Low, R, 250.0);
    Shape(low, R, [&](double t) { return std::sin(kPi * std::min(t / len, 1.0)); });
    MixInto(s, low, 0, 0.8f);
    return s;
}

Samples Beep(double seconds, double hz)
{
    Samples s = Tone(seconds, [hz](double) { return hz; }, {1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14});
    Filter(s, Svf::Mode::Low, R, 4000.0);
    Shape(s, R, [seconds](double t) { return std::min({1.0, t / 0.006, (seconds - t) / 0.012}); });
    return s;
}

Samples LowFuelWarning()
{
    Samples s(Frames(1.0, R));
    MixInto(s, Beep(0.13, 1046.5), 0);
    MixInto(s, Beep(0.13, 784.0), Frames(0.17, R));
    MixInto(s, Beep(0.13, 1046.5), Frames(0.34, R));
    MixInto(s, Beep(0.13, 784.0), Frames(0.51, R));
    s.resize(Frames(1.0, R));
    return s;
}

Samples Bell(double seconds, double hz, double tau)
{
    Samples s(Frames(seconds, R));
    const double partials[][2] = {{1.0, 1.0}, {2.76, 0.35}, {5.4, 0.12}, {2.0, 0.2}};
    for (const auto& p : partials) {
        Samples t = Tone(seconds, [&](double) { return hz * p[0]; }, {p[1]});
        Shape(t, R, [&](double u) { return AttackDecay(u, 0.002, tau / p[0] * 1.5); });
        MixInto(s, t);
    }
    return s;
}

Samples Refuel(uint64_t seed)
{
    ForgeRandom rng(seed);
    Samples s(Frames(1.1, R));
    const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int k = 0; k < 4; ++k)
        MixInto(s, Bell(0.8, notes[k], 0.25), Frames(0.085 * k, R), 0.6f);
    // A soft glug of fuel under the chime.
    for (int k = 0; k < 5; ++k) {
        const double f0 = 180.0 + 60.0 * rng.Float();
        Samples g = Tone(0.07, [f0](double t) { return f0 * (1.0 + 6.0 * t); }, {1.0});
        Shape(g, R, [](double t) { return AttackDecay(t, 0.005, 0.02); });
        MixInto(s, g, Frames(0.05 + 0.12 * k, R), 0.35f);
    }
    s.resize(Frames(1.1, R));
    return s;
}

Samples Damage(uint64_t seed)
{
    ForgeRandom rng(seed);
    const double len = 0.7;
    Samples s(Frames(len, R));
    const double partials[] = {430.0, 1170.0, 1910.0, 2790.0, 3650.0};
    for (double p : partials) {
        const double tau = 0.08 + 0.18 * rng.Float();
        const double amp = 0.3 + 0.7 * rng.Float();
        Samples t = Tone(len, [p](double) { return p; }, {amp});
        Shape(t, R, [tau](double u) { return AttackDecay(u, 0.001, tau); });
        MixInto(s, t, 0, 0.5f);
    }
    Samples crack = FilteredNoise(Frames(0.05, R), rng, Svf::Mode::High, 1800.0, 0.7);
    Shape(crack, R, [](double t) { return std::exp(-t / 0.01); });
    MixInto(s, crack, 0, 1.2f);
    Samples thud = Tone(0.25, [](double t) { return 110.0 - 150.0 * t; }, {1.0});
    Shape(thud, R, [](double t) { return AttackDecay(t, 0.002, 0.06); });
    MixInto(s, thud, 0, 1.1f);
    s.resize(Frames(len, R));
    return s;
}

Samples Bubbles(double seconds, int count, double minHz, double maxHz, uint64_t seed, bool wrap)
{
    ForgeRandom rng(seed);
    Samples s(Frames(seconds, R));
    for (int k = 0; k < count; ++k) {
        const double f0 = minHz + (maxHz - minHz) * rng.Float();
        const double len = 0.03 + 0.05 * rng.Float();
        Samples b = Tone(len, [f0, len](double t) { return f0 * (1.0 + 0.8 * t / len); }, {1.0});
        Shape(b, R, [len](double t) { return std::min(1.0, t / 0.003) * std::exp(-t / (len * 0.4)); });
        const size_t at = static_cast<size_t>(rng.Float() * (wrap ? s.size() : s.size() * 0.8));
        const float gain = 0.3f + 0.7f * rng.Float();
        if (wrap)
            MixWrapped(s, b, at, gain);
        else
            MixInto(s, b, at, gain);
    }
    s.resize(Frames(seconds, R));
    return s;
}

Samples Splash(uint64_t seed)
{
    ForgeRandom rng(seed);
    const double len = 1.3;
    Samples s = WhiteNoise(Frames(len, R), rng);
    Filter(s, Svf::Mode::High, R, [](double t) { return 500.0 + 1500.0 * std::exp(-t / 0.2); }, 0.7);
    Shape(s, R, [](double t) { return AttackDecay(t, 0.008, 0.16) + 0.35 * AttackDecay(t - 0.12, 0.03, 0.25); });
    Samples plunge = Tone(0.3, [](double t) { return 140.0 - 180.0 * t; }, {1.0, 0.3});
    Shape(plunge, R, [](double t) { return AttackDecay(t, 0.004, 0.07); });
    MixInto(s, plunge, 0, 0.9f);
    MixInto(s, Bubbles(len, 28, 350.0, 1100.0, seed + 1, false), Frames(0.06, R), 0.35f);
    s.resize(Frames(len, R));
    return s;
}

Samples ShotDown(uint64_t seed)
{
    ForgeRandom rng(seed);
    const double len = 3.2;
    Samples s(Frames(len, R));
    // The engine winds down, sputtering.
    Samples whine = Tone(1.5, [](double t) { return 120.0 + 1000.0 * std::exp(-t / 0.7); }, {1.0, 0.5, 0.3, 0.2});
    Shape(whine, R, [](double t) { return std::min(1.0, t / 0.02) * std::max(0.0, 1.0 - t / 1.5); });
    MixInto(s, whine, 0, 0.45f);
    Samples sputter = FilteredNoise(Frames(1.4, R), rng, Svf::Mode::Low, 900.0, 0.8);
    std::vector<double> gate;
    for (int k = 0; k < 40; ++k)
        gate.push_back(rng.Float() < 0.55 ? 1.0 : 0.15);
    Shape(sputter, R, [&](double t) { return gate[std::min<size_t>(gate.size() - 1, size_t(t / 0.035))] * (1.0 - t / 1.5); });
    MixInto(s, sputter, 0, 0.5f);
    Boom b;
    b.length = len - 1.15;
    b.tau = 0.45;
    b.rumbleTau = 0.8;
    b.seed = seed + 7;
    MixInto(s, Explosion(b), Frames(1.15, R), 1.2f);
    s.resize(Frames(len, R));
    return s;
}

Samples Barrels(uint64_t seed)
{
    Samples s(Frames(2.4, R));
    const double at[] = {0.0, 0.19, 0.43};
    for (int k = 0; k < 3; ++k) {
        Boom b;
        b.length = 1.6;
        b.tau = 0.16 + 0.05 * k;
        b.cutoffStart = 4500;
        b.cutoffEnd = 400;
        b.thump = 0.8;
        b.thumpHz0 = 120;
        b.thumpHz1 = 50;
        b.rumble = 0.35;
        b.rumbleTau = 0.4;
        b.crackles = 18;
        b.seed = seed + uint64_t(k);
        MixInto(s, Explosion(b), Frames(at[k], R), k == 0 ? 1.0f : 0.8f);
    }
    // Burning fuel crackles on.
    ForgeRandom rng(seed + 99);
    for (int k = 0; k < 60; ++k) {
        const double t = 0.3 + 2.0 * rng.Float();
        Samples c = FilteredNoise(Frames(0.005, R), rng, Svf::Mode::Band, 2000.0 + 3000.0 * rng.Float(), 1.2);
        Shape(c, R, [](double u) { return std::exp(-u / 0.002); });
        MixInto(s, c, Frames(t, R), static_cast<float>(0.25 * std::exp(-(t - 0.3) / 1.2)));
    }
    s.resize(Frames(2.4, R));
    return s;
}

Samples SinkingLoop(double seconds, double gurgleCut, int bubbles, double minHz, double maxHz, bool creak, uint64_t seed)
{
    ForgeRandom rng(seed);
    const size_t n = Frames(seconds, R);
    const size_t fade = Frames(0.3, R);
    Samples loop = CloseLoop(FilteredNoise(n + fade, rng, Svf::Mode::Low, gurgleCut, 2.0), n, fade);
    LoopWobble(loop, 1.5, 0.5);
    LoopWobble(loop, 3.5, 0.3, 1.0);
    Samples b = Bubbles(seconds, bubbles, minHz, maxHz, seed + 3, true);
    MixInto(loop, b, 0, 0.8f * Rms(loop) / std::max(Rms(b), 1e-6f));
    if (creak) {
        // Stick-slip of bending plates: bursts of clicks through a resonance, wrapped round.
        const float level = Rms(loop);
        for (int burst = 0; burst < 3; ++burst) {
            const double start = rng.Float() * seconds;
            const double rate = 35.0 + 25.0 * rng.Float();
            const double blen = 0.25 + 0.2 * rng.Float();
            Samples clicks(Frames(blen + 0.1, R));
            for (double t = 0.0; t < blen; t += 1.0 / (rate * (1.0 + 0.5 * t)))
                clicks[Frames(t, R)] += 1.0f;
            Filter(clicks, Svf::Mode::Band, R, 380.0 + 200.0 * rng.Float(), 12.0);
            Shape(clicks, R, [blen](double t) { return std::sin(kPi * std::min(t / blen, 1.0)); });
            MixWrapped(loop, clicks, Frames(start, R), level * 2.0f / std::max(Rms(clicks), 1e-6f) * 0.15f);
        }
    }
    return loop;
}

// ---- assembly --------------------------------------------------------------------------------

EffectSound Loop(const char* path, Samples s, float rms)
{
    Finish(s, rms, kEffectPeakCap, 0);
    return EffectSound{path, true, std::move(s)};
}

EffectSound OneShot(const char* path, Samples s, float rms)
{
    FadeEnds(s, R);
    Finish(s, rms, kEffectPeakCap, kWindow);
    return EffectSound{path, false, std::move(s)};
}

Boom MakeBoom(double length, double tau, double cutoffStart, double thump, double rumble, double rumbleTau, int crackles, uint64_t seed)
{
    Boom b;
    b.length = length;
    b.tau = tau;
    b.cutoffStart = cutoffStart;
    b.thump = thump;
    b.rumble = rumble;
    b.rumbleTau = rumbleTau;
    b.crackles = crackles;
    b.seed = seed;
    return b;
}

}  // namespace

std::vector<EffectSound> MakeEffectSounds()
{
    std::vector<EffectSound> out;

    // The player's engines: the jets' turbine (id 0) and the helicopter's rotor (id 16).
    JetSpec jet;
    out.push_back(Loop("sounds/s1.ogg", JetLoop(jet), kEngineRms));
    RotorSpec heli;
    heli.seconds = 2.0;
    heli.bladeHz = 10.5;
    heli.whineHz = 1650;
    heli.seed = 21;
    out.push_back(Loop("sounds/s15.ogg", RotorLoop(heli), kEngineRms));

    // Missiles in flight: the player's, the helicopter's, the enemies' rising missiles.
    out.push_back(Loop("sounds/s6.ogg", RocketLoop(1.5, 1800.0, 700.0, 13.0, 30), kMissileLoopRms));
    out.push_back(Loop("sounds/s7.ogg", RocketLoop(1.2, 2700.0, 1100.0, 17.0, 31), kMissileLoopRms));
    out.push_back(Loop("sounds/s71.ogg", RocketLoop(1.6, 1100.0, 450.0, 9.0, 32), kMissileLoopRms));

    // Explosions by weight.
    out.push_back(OneShot("sounds/s61.ogg", Explosion(MakeBoom(1.6, 0.22, 4000, 0.8, 0.4, 0.45, 20, 40)), kExplosionRms * 0.9f));
    {
        Samples boat = Explosion(MakeBoom(2.4, 0.3, 3500, 1.0, 0.6, 0.7, 25, 41));
        MixInto(boat, Splash(42), Frames(0.05, R), 0.7f);
        boat.resize(Frames(2.4, R));
        out.push_back(OneShot("sounds/s41.ogg", std::move(boat), kExplosionRms));
    }
    {
        Samples helicopter = Explosion(MakeBoom(2.3, 0.3, 3800, 0.9, 0.5, 0.6, 35, 43));
        ForgeRandom rng(44);
        for (int k = 0; k < 4; ++k) {
            Samples clank = Damage(45 + uint64_t(k));
            MixInto(helicopter, clank, Frames(0.25 + 0.35 * k + 0.1 * rng.Float(), R), 0.25f);
        }
        helicopter.resize(Frames(2.3, R));
        out.push_back(OneShot("sounds/s42.ogg", std::move(helicopter), kExplosionRms));
    }
    out.push_back(OneShot("sounds/s43.ogg", Explosion(MakeBoom(2.8, 0.38, 3200, 1.1, 0.8, 0.9, 30, 46)), kExplosionRms));
    out.push_back(OneShot("sounds/s44.ogg", Explosion(MakeBoom(3.2, 0.45, 2600, 1.3, 1.0, 1.1, 60, 47)), kExplosionRms));
    out.push_back(OneShot("sounds/s45.ogg", Barrels(48), kExplosionRms));
    // Flak burst.
    {
        Boom flak = MakeBoom(1.1, 0.1, 7000, 0.6, 0.25, 0.35, 12, 49);
        flak.cutoffEnd = 700;
        flak.thumpHz0 = 140;
        out.push_back(OneShot("sounds/s8.ogg", Explosion(flak), kExplosionRms * 0.8f));
    }

    // The player's cues.
    out.push_back(OneShot("sounds/s11.ogg", Whoosh(50), kCueRms));
    out.push_back(OneShot("sounds/s12.ogg", LowFuelWarning(), kCueRms));
    out.push_back(OneShot("sounds/s13.ogg", ShotDown(51), kExplosionRms));
    out.push_back(OneShot("sounds/s14.ogg", Refuel(52), kCueRms));
    out.push_back(OneShot("sounds/s17.ogg", Damage(53), kCueRms * 1.2f));
    out.push_back(OneShot("sounds/s62.ogg", Splash(54), kCueRms));

    // Sinking boats.
    out.push_back(Loop("sounds/s411.ogg", SinkingLoop(2.0, 220.0, 40, 300.0, 900.0, false, 60), kEngineRms * 0.9f));
    out.push_back(Loop("sounds/s412.ogg", SinkingLoop(2.4, 160.0, 22, 180.0, 520.0, false, 61), kEngineRms * 0.9f));
    out.push_back(Loop("sounds/s413.ogg", SinkingLoop(2.0, 200.0, 25, 250.0, 700.0, true, 62), kEngineRms * 0.9f));

    // Enemy helicopters (ids 80..83).
    const RotorSpec rotors[] = {
        {1.6, 8.75, 380, 1400, 0.02, 0.3, 70},
        {1.4, 10.0, 460, 1700, 0.025, 0.3, 71},
        {1.8, 12.2, 520, 1250, 0.02, 0.35, 72},
        {2.0, 7.5, 340, 1900, 0.025, 0.25, 73},
    };
    const char* rotorFiles[] = {"sounds/s30.ogg", "sounds/s31.ogg", "sounds/s32.ogg", "sounds/s33.ogg"};
    for (int k = 0; k < 4; ++k)
        out.push_back(Loop(rotorFiles[k], RotorLoop(rotors[k]), kEngineRms));

    // Enemy planes (ids 90..93): two jets, a propeller plane and a heavy drone.
    JetSpec fighter;
    fighter.roarCut = 950;
    fighter.whineHz = 2250;
    fighter.seed = 80;
    out.push_back(Loop("sounds/s20.ogg", JetLoop(fighter), kEngineRms));
    out.push_back(Loop("sounds/s21.ogg", PropLoop(2.0, 96.0, 1200.0, 81), kEngineRms));
    JetSpec interceptor;
    interceptor.roarCut = 1500;
    interceptor.hissHz = 5000;
    interceptor.whineHz = 3100;
    interceptor.whine = 0.03;
    interceptor.seed = 82;
    out.push_back(Loop("sounds/s22.ogg", JetLoop(interceptor), kEngineRms));
    out.push_back(Loop("sounds/s23.ogg", PropLoop(2.0, 62.0, 700.0, 83), kEngineRms));
    return out;
}
