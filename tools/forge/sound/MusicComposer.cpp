// Composition of the menu tracks: sections, chords, bass, pad, arpeggio, lead and drums.
#include "sound/MusicComposer.h"

#include "core/ForgeRandom.h"
#include "sound/MusicInstruments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace music {

namespace {

constexpr int kRows = 64;
constexpr int kBar = 16;
constexpr int kChannels = 10;
enum Channel { kChKick, kChSnare, kChHat, kChBass, kChLead, kChArp, kChPad0, kChPad1, kChPad2, kChCrash };

enum class Part { Intro, VerseA, VerseB, Chorus, Bridge, Outro };

struct Chord {
    int root;  // pitch class, 0 = C
    bool minor;
};

struct Section {
    Part part;
    std::array<Chord, 4> chords;
};

struct Style {
    const char* name;
    int speed;
    int bpm;
    int key;  // tonic pitch class of the minor key
    uint8_t lead;
    bool fourOnTheFloor;
    uint64_t seed;
    std::vector<Section> sections;
    std::vector<uint8_t> order;
};

// ---- pitch helpers ---------------------------------------------------------------------------

int PitchClass(int midi)
{
    return ((midi % 12) + 12) % 12;
}

// The note of pitch class pc nearest to target.
int Nearest(int pc, int target)
{
    int best = target;
    int bestDist = 99;
    for (int m = target - 6; m <= target + 6; ++m)
        if (PitchClass(m) == PitchClass(pc) && std::abs(m - target) < bestDist) {
            best = m;
            bestDist = std::abs(m - target);
        }
    return best;
}

std::array<int, 3> ChordTones(const Chord& c)
{
    return {c.root, c.root + (c.minor ? 3 : 4), c.root + 7};
}

bool InScale(int midi, int key, const Chord& chord)
{
    static const int minor[] = {0, 2, 3, 5, 7, 8, 10};
    const int pc = PitchClass(midi - key);
    for (int s : minor)
        if (pc == s)
            return true;
    // The chord's own tones belong too (the raised leading tone of a major dominant).
    for (int t : ChordTones(chord))
        if (PitchClass(t) == PitchClass(midi))
            return true;
    return false;
}

bool IsChordTone(int midi, const Chord& chord)
{
    for (int t : ChordTones(chord))
        if (PitchClass(t) == PitchClass(midi))
            return true;
    return false;
}

// ---- cells -----------------------------------------------------------------------------------

void Note(xm::Pattern& p, int row, int ch, int midi, uint8_t instrument, int volume)
{
    if (row < 0 || row >= p.rows)
        return;
    xm::Cell& c = p.At(row, ch);
    c.note = static_cast<uint8_t>(std::clamp(midi - 11, 1, 96));
    c.instrument = instrument;
    c.volume = static_cast<uint8_t>(xm::kSetVolume + std::clamp(volume, 0, 64));
}

void Off(xm::Pattern& p, int row, int ch)
{
    if (row < 0 || row >= p.rows)
        return;
    xm::Cell& c = p.At(row, ch);
    if (!c.note)
        c.note = xm::kKeyOff;
}

// ---- the parts -------------------------------------------------------------------------------

struct Event {
    int start;
    int length;
};

// Rhythm motifs of one bar (start row, length in rows).
const std::vector<std::vector<Event>> kMotifs = {
    {{0, 4}, {4, 2}, {6, 2}, {8, 6}, {14, 2}},
    {{0, 2}, {2, 2}, {4, 4}, {8, 2}, {10, 2}, {12, 4}},
    {{0, 6}, {6, 2}, {8, 8}},
    {{2, 2}, {4, 2}, {6, 4}, {10, 2}, {12, 4}},
    {{0, 3}, {3, 3}, {6, 2}, {8, 3}, {11, 3}, {14, 2}},
    {{0, 2}, {2, 4}, {6, 2}, {8, 4}, {12, 2}, {14, 2}},
};
const std::vector<std::vector<Event>> kCadences = {
    {{0, 4}, {4, 4}, {8, 8}},
    {{0, 2}, {2, 2}, {4, 12}},
    {{0, 6}, {6, 10}},
};

void WriteLead(xm::Pattern& p, const Style& style, const Section& s, uint64_t seed)
{
    ForgeRandom rng(seed);
    const bool chorus = s.part == Part::Chorus;
    const int lo = chorus ? 64 : 60;
    const int hi = chorus ? 81 : 76;
    int cur = Nearest(s.chords[0].root + (chorus ? 7 : 0), (lo + hi) / 2);
    const int motifA = rng.Int(int(kMotifs.size()));
    const int motifB = rng.Int(int(kMotifs.size()));
    const int cadence = rng.Int(int(kCadences.size()));
    const int volume = chorus ? 50 : 44;
    for (int bar = 0; bar < 4; ++bar) {
        const Chord& chord = s.chords[size_t(bar)];
        const auto& rhythm = bar == 3 ? kCadences[size_t(cadence)] : kMotifs[size_t(bar == 1 ? motifB : motifA)];
        for (size_t e = 0; e < rhythm.size(); ++e) {
            const Event ev = rhythm[e];
            const bool strong = ev.start % 4 == 0;
            const bool last = bar == 3 && e + 1 == rhythm.size();
            int next = cur;
            if (last) {
                next = Nearest(chord.root, cur);
            } else if (strong) {
                // A chord tone near a step away, wandering up or down, turning at the range's ends.
                int dir = rng.Chance(0.5f) ? 1 : -1;
                if (cur + dir * 4 > hi || cur + dir * 4 < lo)
                    dir = -dir;
                const int target = cur + dir * (1 + rng.Int(4));
                int best = cur;
                int bestDist = 99;
                for (int m = target - 4; m <= target + 4; ++m)
                    if (IsChordTone(m, chord) && std::abs(m - target) < bestDist) {
                        best = m;
                        bestDist = std::abs(m - target);
                    }
                next = best;
            } else {
                int dir = rng.Chance(0.5f) ? 1 : -1;
                if (cur + dir * 3 > hi || cur + dir * 3 < lo)
                    dir = -dir;
                next = cur + dir;
                while (!InScale(next, style.key, chord))
                    next += dir;
                if (rng.Chance(0.3f)) {
                    next += dir;
                    while (!InScale(next, style.key, chord))
                        next += dir;
                }
            }
            // Keep within the range by folding back an octave.
            while (next > hi)
                next -= 12;
            while (next < lo)
                next += 12;
            cur = next;
            const int row = bar * kBar + ev.start;
            Note(p, row, kChLead, cur, style.lead, strong ? volume : volume - 8);
            if (ev.length < kBar && ev.length >= 2)
                Off(p, row + ev.length - 1, kChLead);
        }
    }
}

int BassRoot(const Chord& c)
{
    return Nearest(c.root, 38);  // around D2
}

void WriteBass(xm::Pattern& p, int key, const Section& s, const Section& following)
{
    for (int bar = 0; bar < 4; ++bar) {
        const Chord& chord = s.chords[size_t(bar)];
        const Chord& next = bar < 3 ? s.chords[size_t(bar + 1)] : following.chords[0];
        const int root = BassRoot(chord);
        const int base = bar * kBar;
        switch (s.part) {
        case Part::Intro:
            break;
        case Part::Bridge:
            Note(p, base, kChBass, root, kBass, 50);
            Note(p, base + 8, kChBass, root + 7, kBass, 44);
            break;
        case Part::Outro:
            Note(p, base, kChBass, root, kBass, 48 - bar * 8);
            Off(p, base + 12, kChBass);
            break;
        case Part::VerseA:
        case Part::VerseB: {
            const int rows[] = {0, 3, 6, 8, 11, 14};
            const int notes[] = {root, root, root + 12, root, root + 7, root};
            for (int i = 0; i < 6; ++i) {
                Note(p, base + rows[i], kChBass, notes[i], kBass, i == 0 || i == 3 ? 54 : 44);
                Off(p, base + rows[i] + 2, kChBass);
            }
            break;
        }
        case Part::Chorus: {
            for (int e = 0; e < 8; ++e) {
                int n = (e % 2) ? root + 12 : root;
                if (e == 7) {
                    // Lead into the next chord from the scale step below it.
                    const int target = BassRoot(next);
                    n = InScale(target - 2, key, chord) && !InScale(target - 1, key, chord) ? target - 2 : target - 1;
                    if (!InScale(n, key, chord))
                        n = target - 2;
                }
                Note(p, base + e * 2, kChBass, n, kBass, e % 2 ? 44 : 54);
            }
            break;
        }
        }
    }
}

void WritePad(xm::Pattern& p, const Section& s, std::array<int, 3>& voicing)
{
    const int volume = s.part == Part::Intro ? 36 : s.part == Part::Outro ? 34 : 40;
    for (int bar = 0; bar < 4; ++bar) {
        const auto tones = ChordTones(s.chords[size_t(bar)]);
        // Each voice moves to the nearest tone not already taken: smooth voice leading.
        std::array<bool, 3> used{};
        for (int v = 0; v < 3; ++v) {
            int best = voicing[size_t(v)];
            int bestDist = 99;
            int bestTone = 0;
            for (int t = 0; t < 3; ++t) {
                if (used[size_t(t)])
                    continue;
                const int m = Nearest(tones[size_t(t)], voicing[size_t(v)]);
                if (std::abs(m - voicing[size_t(v)]) < bestDist) {
                    best = m;
                    bestDist = std::abs(m - voicing[size_t(v)]);
                    bestTone = t;
                }
            }
            used[size_t(bestTone)] = true;
            voicing[size_t(v)] = std::clamp(best, 52, 72);
            const int vol = s.part == Part::Outro ? volume - bar * 6 : volume;
            Note(p, bar * kBar, kChPad0 + v, voicing[size_t(v)], kPad, vol);
        }
    }
    if (s.part == Part::Outro)
        for (int v = 0; v < 3; ++v)
            Off(p, kRows - 4, kChPad0 + v);
}

void WriteArp(xm::Pattern& p, const Section& s)
{
    if (s.part == Part::Bridge)
        return;
    const bool fast = s.part == Part::Chorus;
    const int step = fast ? 1 : 2;
    const int volume = s.part == Part::Chorus ? 26 : 30;
    static const int shape[] = {0, 1, 2, 3, 2, 1, 2, 3};
    for (int bar = 0; bar < 4; ++bar) {
        const auto tones = ChordTones(s.chords[size_t(bar)]);
        const int r = Nearest(tones[0], 72);
        const int pitches[] = {r, Nearest(tones[1], r + 4), Nearest(tones[2], r + 7), r + 12};
        for (int row = 0, i = 0; row < kBar; row += step, ++i) {
            int vol = (row % 4 == 0) ? volume : volume - 8;
            if (s.part == Part::Outro)
                vol -= bar * 5;
            Note(p, bar * kBar + row, kChArp, pitches[shape[i % 8]], kPluck, vol);
        }
    }
}

void WriteDrums(xm::Pattern& p, const Style& style, const Section& s, bool fillAtEnd)
{
    auto kick = [&](int row, int vol) { Note(p, row, kChKick, 60, kKick, vol); };
    auto snare = [&](int row, int vol) { Note(p, row, kChSnare, 60, kSnare, vol); };
    auto hat = [&](int row, int vol) { Note(p, row, kChHat, 60, kHat, vol); };
    for (int bar = 0; bar < 4; ++bar) {
        const int b = bar * kBar;
        switch (s.part) {
        case Part::Intro:
            for (int r = 0; r < kBar; r += 4)
                hat(b + r, r == 0 ? 30 : 20);
            if (bar >= 2)
                kick(b, 40);
            break;
        case Part::VerseA:
        case Part::VerseB:
            kick(b, 60);
            kick(b + 8, 56);
            if (bar % 2 == 1)
                kick(b + 10, 44);
            if (style.fourOnTheFloor) {
                kick(b + 4, 52);
                kick(b + 12, 52);
            }
            snare(b + 4, 50);
            snare(b + 12, 50);
            for (int r = 0; r < kBar; r += 2)
                hat(b + r, r % 4 == 0 ? 34 : 22);
            break;
        case Part::Chorus:
            kick(b, 64);
            kick(b + 6, 48);
            kick(b + 8, 60);
            if (style.fourOnTheFloor) {
                kick(b + 4, 54);
                kick(b + 12, 54);
            } else {
                kick(b + 14, 44);
            }
            snare(b + 4, 54);
            snare(b + 12, 54);
            for (int r = 0; r < kBar; ++r)
                hat(b + r, r % 2 == 0 ? 32 : 18);
            break;
        case Part::Bridge:
            kick(b, 56);
            snare(b + 8, 48);
            for (int r = 0; r < kBar; r += 4)
                hat(b + r, 26);
            break;
        case Part::Outro:
            if (bar < 2) {
                kick(b, 52 - bar * 12);
                snare(b + 8, 40 - bar * 10);
            }
            for (int r = 0; r < kBar; r += 4)
                hat(b + r, 26 - bar * 5);
            break;
        }
    }
    if (s.part == Part::Chorus)
        Note(p, 0, kChCrash, 60, kCrash, 44);
    if (fillAtEnd) {
        // A snare roll rising into the next section.
        for (int r = 56; r < kRows; ++r)
            if (r % 2 == 0 || r >= 60)
                snare(r, 30 + (r - 56) * 3);
    }
}

xm::Pattern ComposeSection(const Style& style, size_t index, std::array<int, 3>& voicing)
{
    const Section& s = style.sections[index];
    // The section that follows this one the first time it is played.
    const Section* following = &s;
    for (size_t i = 0; i + 1 < style.order.size(); ++i)
        if (style.order[i] == index) {
            following = &style.sections[style.order[i + 1]];
            break;
        }
    xm::Pattern p(kRows, kChannels);
    WriteDrums(p, style, s, following->part == Part::Chorus && s.part != Part::Chorus);
    WriteBass(p, style.key, s, *following);
    WritePad(p, s, voicing);
    WriteArp(p, s);
    if (s.part == Part::VerseB || s.part == Part::Chorus || s.part == Part::Bridge)
        WriteLead(p, style, s, style.seed * 131 + index);
    return p;
}

xm::Module Compose(const Style& style)
{
    xm::Module m;
    m.name = style.name;
    m.channels = kChannels;
    m.speed = style.speed;
    m.bpm = style.bpm;
    m.order = style.order;
    m.instruments = MakeInstruments(style.seed);
    std::array<int, 3> voicing = {57, 60, 64};
    for (size_t i = 0; i < style.sections.size(); ++i)
        m.patterns.push_back(ComposeSection(style, i, voicing));
    return m;
}

// Pitch classes.
constexpr int C = 0, D = 2, E = 4, F = 5, G = 7, A = 9, B = 11, Bb = 10;

}  // namespace

xm::Module ComposeTrack1()
{
    Style s;
    s.name = "Gorgewing: Valley Run";
    s.speed = 6;
    s.bpm = 125;
    s.key = A;
    s.lead = kPulseLead;
    s.fourOnTheFloor = false;
    s.seed = 1001;
    std::vector<Section> sections = {
        {Part::Intro, {{{A, true}, {F, false}, {C, false}, {G, false}}}},
        {Part::VerseA, {{{A, true}, {F, false}, {C, false}, {G, false}}}},
        {Part::VerseB, {{{A, true}, {F, false}, {C, false}, {G, false}}}},
        {Part::Chorus, {{{F, false}, {G, false}, {E, true}, {A, true}}}},
        {Part::Chorus, {{{F, false}, {G, false}, {C, false}, {E, false}}}},
        {Part::Bridge, {{{D, true}, {A, true}, {Bb, false}, {E, false}}}},
        {Part::Outro, {{{A, true}, {F, false}, {G, false}, {A, true}}}},
    };
    s.sections = std::move(sections);
    s.order = {0, 1, 2, 3, 4, 1, 2, 3, 4, 5, 3, 4, 6};
    return Compose(s);
}

xm::Module ComposeTrack2()
{
    Style s;
    s.name = "Gorgewing: Top Cover";
    s.speed = 5;
    s.bpm = 140;
    s.key = E;
    s.lead = kSawLead;
    s.fourOnTheFloor = true;
    s.seed = 2002;
    std::vector<Section> sections = {
        {Part::Intro, {{{E, true}, {C, false}, {G, false}, {D, false}}}},
        {Part::VerseA, {{{E, true}, {C, false}, {G, false}, {D, false}}}},
        {Part::VerseB, {{{E, true}, {C, false}, {A, true}, {B, false}}}},
        {Part::Chorus, {{{C, false}, {D, false}, {E, true}, {C, false}}}},
        {Part::Chorus, {{{A, true}, {D, false}, {G, false}, {B, false}}}},
        {Part::Bridge, {{{C, false}, {A, true}, {D, false}, {D, false}}}},
        {Part::Outro, {{{E, true}, {C, false}, {D, false}, {E, true}}}},
    };
    s.sections = std::move(sections);
    s.order = {0, 1, 2, 1, 2, 3, 4, 5, 3, 4, 1, 2, 3, 4, 5, 3, 4, 6};
    return Compose(s);
}

double ModuleSeconds(const xm::Module& module)
{
    double rows = 0.0;
    for (uint8_t o : module.order)
        if (o < module.patterns.size())
            rows += module.patterns[o].rows;
    return rows * module.speed * 2.5 / module.bpm;
}

}  // namespace music
