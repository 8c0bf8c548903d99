// Synth: the forge's small sound-synthesis kit, mono float buffers at a given rate.
//
// The effect recipes (EffectSounds) and the music instruments (MusicInstruments) are built from
// these pieces: noise, oscillators, a state-variable filter whose cutoff may move per sample,
// envelopes, mixing, seamless loops and loudness finishing. Everything is deterministic: noise
// comes from ForgeRandom with the caller's seed, so a recipe gives the same samples on every run.
#pragma once

#include "core/ForgeRandom.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Samples = std::vector<float>;

inline size_t Frames(double seconds, int rate)
{
    return seconds > 0.0 ? static_cast<size_t>(seconds * rate + 0.5) : 0;
}

Samples WhiteNoise(size_t n, ForgeRandom& rng);
// Integrated (red) noise, leaky so that it stays bounded; roughly unit peak.
Samples BrownNoise(size_t n, ForgeRandom& rng);

// Topology-preserving state-variable filter. Cutoff in Hz, resonance q (0.5 .. 20).
class Svf {
public:
    enum class Mode { Low, Band, High };
    Svf(Mode mode, int rate) : m_mode(mode), m_rate(rate) {}
    float Process(float x, double cutoff, double q);

private:
    Mode m_mode;
    int m_rate;
    double m_ic1 = 0.0, m_ic2 = 0.0;
};

// Filters the whole buffer with a cutoff that may follow time (seconds from the start).
void Filter(Samples& s, Svf::Mode mode, int rate, const std::function<double(double)>& cutoff, double q = 0.707);
void Filter(Samples& s, Svf::Mode mode, int rate, double cutoff, double q = 0.707);

// Multiplies by env(t) with t in seconds.
void Shape(Samples& s, int rate, const std::function<double(double)>& env);
// Attack (linear) then exponential decay with time constant tau.
double AttackDecay(double t, double attack, double tau);

// dst[offset + i] += src[i] * gain, growing dst when needed.
void MixInto(Samples& dst, const Samples& src, size_t offset = 0, float gain = 1.0f);
// The same, wrapping around dst's end (for loops: anything mixed in this way repeats seamlessly).
void MixWrapped(Samples& dst, const Samples& src, size_t offset, float gain = 1.0f);

// A loop of exactly n frames from a buffer of n + fade frames: the tail fades into the head
// with equal power, so the end joins the start without a step.
Samples CloseLoop(const Samples& longer, size_t n, size_t fade);

// A frequency moved to the nearest one that fits a whole number of cycles into n frames.
double LoopFrequency(double hz, size_t n, int rate);

// Peak absolute value and root-mean-square (over the loudest window of the given length, or the
// whole buffer when window is 0).
float Peak(const Samples& s);
float Rms(const Samples& s, size_t window = 0);

// Scales to the target RMS (over the loudest window), then limits softly so that no sample
// exceeds peakCap.
void Finish(Samples& s, float targetRms, float peakCap, size_t window = 0);

// Short fades at both ends of a one-shot so that it starts and ends at zero.
void FadeEnds(Samples& s, int rate, double inSeconds = 0.002, double outSeconds = 0.03);

}  // namespace synth
