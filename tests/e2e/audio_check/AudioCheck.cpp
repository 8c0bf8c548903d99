// gw_audio_check: lays a recording of the game's sound output beside the game's audio trace and
// tells whether each sound the trace says started is heard in the recording at that moment.
//
// The game writes the trace when "GW_AUDIO_TRACE" names a file; SDL's disk driver writes the
// recording. Both count the same output frames, so a sound that started at frame F must be found
// in the recording from F on, plus the output's latency: its decoded waveform is correlated with
// the recording over a range of lags (each side on its own, as pan and volume scale the sides)
// and must match at the latency most starts agree on. Sounds placed too quietly to be heard are listed but not judged.
//
//   gw_audio_check GAME_DIR RECORDING TRACE [--expect KIND=FILE[,FILE...]]... [--music FILE,FILE...]
//
// --expect: at least one audible start of one of the files must be found, and most judged starts
// of them (louder sounds mask quieter ones). --music: the modules must start in this order, each after the one before
// has played to its end, and the recording must not be silent while they play.
// Exit 0 when every expectation holds, 1 otherwise, 2 on bad arguments or unreadable files.
#include "audio/AudioDevice.h"
#include "audio/AudioFiles.h"
#include "resources/ResourceGroup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TraceEvent {
    uint64_t frame = 0;
    std::string what;  // play, volume, pan, stop, music, music-stop, format
    int channel = -1;
    int value = 0;
    std::string file;
};

struct Recording {
    int rate = 44100;
    int channels = 2;
    std::vector<int16_t> samples;
    size_t Frames() const { return samples.size() / size_t(channels); }
    double At(size_t frame, int side) const { return samples[frame * size_t(channels) + size_t(side)] / 32768.0; }
};

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, sep))
        if (!part.empty())
            out.push_back(part);
    return out;
}

bool ReadTrace(const std::string& path, std::vector<TraceEvent>& events, Recording& rec)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        TraceEvent e;
        if (!(words >> e.frame >> e.what))
            continue;
        if (e.what == "format")
            words >> rec.rate >> rec.channels;
        else if (e.what == "play")
            words >> e.channel >> e.file;
        else if (e.what == "volume" || e.what == "pan")
            words >> e.channel >> e.value;
        else if (e.what == "stop")
            words >> e.channel;
        else if (e.what == "music")
            words >> e.file;
        events.push_back(e);
    }
    return rec.rate > 0 && rec.channels > 0 && rec.channels <= 8;
}

bool ReadRecording(const std::string& path, Recording& rec)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t frameBytes = 2 * size_t(rec.channels);
    rec.samples.resize(bytes.size() / frameBytes * size_t(rec.channels));
    std::memcpy(rec.samples.data(), bytes.data(), rec.samples.size() * 2);
    return true;
}

// The waveform the mixer plays for a file, as interleaved samples in the output format.
class Decoder {
public:
    explicit Decoder(AudioDevice& device) : m_device(device) {}
    const std::vector<int16_t>& Sample(const std::string& file)
    {
        auto it = m_cache.find(file);
        if (it != m_cache.end())
            return it->second;
        std::vector<int16_t> frames;
        const std::vector<uint8_t> bytes = ReadAudioFile(file);
        if (const AudioHandle h = bytes.empty() ? 0 : m_device.LoadSample(bytes.data(), bytes.size(), 1)) {
            frames = m_device.DecodedFrames(h);
            m_device.FreeSample(h);
        }
        return m_cache.emplace(file, std::move(frames)).first->second;
    }
    uint32_t MusicLengthMs(const std::string& file)
    {
        const std::vector<uint8_t> bytes = ReadAudioFile(file);
        const AudioHandle h = bytes.empty() ? 0 : m_device.LoadMusic(bytes.data(), bytes.size());
        const uint32_t ms = m_device.MusicLengthMs(h);
        m_device.FreeMusic(h);
        return ms;
    }

private:
    AudioDevice& m_device;
    std::map<std::string, std::vector<int16_t>> m_cache;
};

// Normalised correlation of the reference with the recording from frame `at`, over `length`
// frames, one side, at every lag of a range. The output device may hold a buffer or two between
// the mixer and the recording, so a sound is heard up to that much after its start.
constexpr int kLagBefore = -64;
constexpr int kLagAfter = 2048 + 64;
struct Match {
    std::vector<double> scores;  // per lag from kLagBefore, the better side
    double score = 0.0;          // the best of them
    int lag = 0;                 // and its lag

    // The best score within `slack` frames of `lag`.
    double Near(int lag, int slack) const
    {
        double best = 0.0;
        for (int l = std::max(kLagBefore, lag - slack); l <= std::min(kLagAfter, lag + slack); ++l)
            best = std::max(best, scores[size_t(l - kLagBefore)]);
        return best;
    }
};

Match Correlate(const Recording& rec, const std::vector<int16_t>& ref, int64_t at, size_t length)
{
    Match best;
    best.scores.assign(size_t(kLagAfter - kLagBefore + 1), 0.0);
    const int ch = rec.channels;
    for (int lag = kLagBefore; lag <= kLagAfter; ++lag) {
        const int64_t start = at + lag;
        if (start < 0 || size_t(start) + length > rec.Frames())
            continue;
        for (int side = 0; side < ch; ++side) {
            double dot = 0.0, rr = 0.0, ss = 0.0;
            for (size_t i = 0; i < length; ++i) {
                const double r = ref[i * size_t(ch) + size_t(side)] / 32768.0;
                const double s = rec.At(size_t(start) + i, side);
                dot += r * s;
                rr += r * r;
                ss += s * s;
            }
            const double score = rr > 0.0 && ss > 1e-9 ? dot / std::sqrt(rr * ss) : 0.0;
            double& atLag = best.scores[size_t(lag - kLagBefore)];
            atLag = std::max(atLag, score);
            if (score > best.score) {
                best.score = score;
                best.lag = lag;
            }
        }
    }
    return best;
}

double Rms(const Recording& rec, size_t from, size_t to)
{
    to = std::min(to, rec.Frames());
    double sum = 0.0;
    size_t n = 0;
    for (size_t i = from; i < to; ++i)
        for (int side = 0; side < rec.channels; ++side, ++n)
            sum += rec.At(i, side) * rec.At(i, side);
    return n ? std::sqrt(sum / double(n)) : 0.0;
}

struct Expectation {
    std::string kind;
    std::vector<std::string> files;
    int audible = 0, judged = 0, found = 0;
};

// One judged start and its best match in the recording.
struct Judged {
    Expectation* kind = nullptr;
    const TraceEvent* event = nullptr;
    int volume = 0;
    Match at;
};

// The output's latency is the lag most clear matches agree on. A start is found when the sound
// matches the recording at that latency (give or take a few frames, or one whole buffer, as the
// mixer may fill a buffer ahead of the device now and then) clearly above chance: a
// waveform of a few thousand frames laid over unrelated sound scores near zero. The best match
// over the whole range is not required to lie there, as a louder sound starting a few
// hundredths later can pull it a little aside while the start is plainly heard. Loud sounds can
// still mask quiet ones, so a kind passes when most of its starts are found, and at least one.
constexpr double kFoundScore = 0.2;
constexpr double kAgreeScore = 0.3;
constexpr int kLatencySlack = 8;
constexpr int kBufferFrames = 1024;  // the game's mixer buffer: the mixer may run one ahead of the device
constexpr int kAudibleVolume = 30;
constexpr int kJudgedPerKind = 12;
constexpr double kFoundShare = 0.75;

bool CheckSounds(const Recording& rec, const std::vector<TraceEvent>& events, Decoder& decoder,
                 std::vector<Expectation>& expect)
{
    std::vector<Judged> judged;
    std::map<int, int> volume;  // per channel, as the trace left it (a new channel plays at 100)
    for (size_t k = 0; k < events.size(); ++k) {
        const TraceEvent& e = events[k];
        if (e.what == "volume")
            volume[e.channel] = e.value;
        if (e.what != "play")
            continue;
        Expectation* ex = nullptr;
        for (Expectation& x : expect)
            if (std::find(x.files.begin(), x.files.end(), e.file) != x.files.end())
                ex = &x;
        if (!ex)
            continue;
        // The volume the caller places the sound at comes right after the start, in the same
        // update; the playback ends at its length, a stop, or a new start on the channel.
        const std::vector<int16_t>& ref = decoder.Sample(e.file);
        const size_t refFrames = ref.size() / size_t(rec.channels);
        int vol = volume.count(e.channel) ? volume[e.channel] : 100;
        uint64_t end = e.frame + refFrames;
        for (size_t j = k + 1; j < events.size(); ++j) {
            const TraceEvent& n = events[j];
            if (n.channel != e.channel)
                continue;
            if (n.what == "volume" && n.frame <= e.frame + 1024)
                vol = n.value;
            if ((n.what == "stop" || n.what == "play") && n.frame < end) {
                end = n.frame;
                break;
            }
        }
        end = std::min<uint64_t>(end, rec.Frames());
        const size_t length = size_t(std::min<uint64_t>(end > e.frame ? end - e.frame : 0, uint64_t(rec.rate) * 3 / 10));
        if (vol < kAudibleVolume || length < size_t(rec.rate) / 20 || length > refFrames) {
            std::printf("  %8.3f s  %-9s %-18s volume %3d: too quiet or short to judge\n", double(e.frame) / rec.rate,
                        ex->kind.c_str(), e.file.c_str(), vol);
            continue;
        }
        ++ex->audible;
        if (ex->judged >= kJudgedPerKind)
            continue;
        ++ex->judged;
        judged.push_back({ex, &e, vol, Correlate(rec, ref, int64_t(e.frame), length)});
    }

    // The device's latency: the median lag of the clear matches.
    std::vector<int> lags;
    for (const Judged& j : judged)
        if (j.at.score >= kAgreeScore)
            lags.push_back(j.at.lag);
    std::sort(lags.begin(), lags.end());
    const int latency = lags.empty() ? 0 : lags[lags.size() / 2];
    std::printf("output latency: %d frames (from %zu clear matches)\n", latency, lags.size());

    for (const Judged& j : judged) {
        const double there = std::max({j.at.Near(latency, kLatencySlack),
                                        j.at.Near(latency - kBufferFrames, kLatencySlack),
                                        j.at.Near(latency + kBufferFrames, kLatencySlack)});
        const bool found = !lags.empty() && there >= kFoundScore;
        if (found)
            ++j.kind->found;
        std::printf("  %8.3f s  %-9s %-18s volume %3d: match %.2f at the latency, best %.2f at lag %d: %s\n",
                    double(j.event->frame) / rec.rate, j.kind->kind.c_str(), j.event->file.c_str(), j.volume, there,
                    j.at.score, j.at.lag, found ? "found" : "missed");
    }
    bool ok = true;
    for (const Expectation& x : expect) {
        const bool good = x.found > 0 && x.found >= kFoundShare * x.judged;
        std::printf("%s: %d audible starts, %d judged, %d found%s\n", x.kind.c_str(), x.audible, x.judged, x.found,
                    good ? "" : "  <- FAIL");
        ok = ok && good;
    }
    return ok;
}

bool CheckMusic(const Recording& rec, const std::vector<TraceEvent>& events, Decoder& decoder,
                const std::vector<std::string>& tracks)
{
    std::vector<const TraceEvent*> starts;
    for (const TraceEvent& e : events)
        if (e.what == "music")
            starts.push_back(&e);
    bool ok = starts.size() >= tracks.size();
    if (!ok)
        std::printf("music: %zu starts traced, %zu expected  <- FAIL\n", starts.size(), tracks.size());
    for (size_t i = 0; ok && i < tracks.size(); ++i) {
        const TraceEvent& e = *starts[i];
        const double at = double(e.frame) / rec.rate;
        const uint32_t lengthMs = decoder.MusicLengthMs(tracks[i]);
        std::printf("music: %s starts at %.2f s, %.1f s long\n", e.file.c_str(), at, lengthMs / 1000.0);
        if (e.file != tracks[i]) {
            std::printf("  expected %s  <- FAIL\n", tracks[i].c_str());
            ok = false;
            break;
        }
        // The next module follows the end of this one (the menu looks once a frame).
        uint64_t until = rec.Frames();
        if (i + 1 < starts.size()) {
            until = starts[i + 1]->frame;
            const double gap = double(until - e.frame) / rec.rate - lengthMs / 1000.0;
            std::printf("  the next one starts %.2f s after its end\n", gap);
            if (gap < -0.05 || gap > 1.5) {
                std::printf("  not one after the other  <- FAIL\n");
                ok = false;
            }
        }
        // Heard all along: every two seconds of it carry sound.
        const size_t window = size_t(rec.rate) * 2;
        size_t silent = 0, windows = 0;
        for (uint64_t f = e.frame; f + window <= until && f + window <= rec.Frames(); f += window, ++windows)
            if (Rms(rec, size_t(f), size_t(f) + window) < 0.003)
                ++silent;
        std::printf("  %zu of %zu two-second stretches silent\n", silent, windows);
        if (windows == 0 || silent * 10 > windows) {
            std::printf("  not heard  <- FAIL\n");
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: gw_audio_check GAME_DIR RECORDING TRACE [--expect KIND=FILE[,FILE...]]... "
                             "[--music FILE,FILE...]\n");
        return 2;
    }
    const std::string gameDir = argv[1];
    std::vector<Expectation> expect;
    std::vector<std::string> tracks;
    for (int i = 4; i + 1 < argc; i += 2) {
        const std::string opt = argv[i], value = argv[i + 1];
        const size_t eq = value.find('=');
        if (opt == "--expect" && eq != std::string::npos)
            expect.push_back({value.substr(0, eq), Split(value.substr(eq + 1), ','), 0, 0, 0});
        else if (opt == "--music")
            tracks = Split(value, ',');
        else {
            std::fprintf(stderr, "gw_audio_check: bad option %s\n", opt.c_str());
            return 2;
        }
    }

    Recording rec;
    std::vector<TraceEvent> events;
    if (!ReadTrace(argv[3], events, rec) || !ReadRecording(argv[2], rec)) {
        std::fprintf(stderr, "gw_audio_check: cannot read %s or %s\n", argv[3], argv[2]);
        return 2;
    }
    std::printf("recording: %.2f s at %d Hz, %d channels; trace: %zu events\n", double(rec.Frames()) / rec.rate,
                rec.rate, rec.channels, events.size());

    // The sounds are decoded by the mixer itself, through the silent driver, into the output
    // format the game used.
    unsetenv("GW_AUDIO_TRACE");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<AudioDevice> device = AudioDevice::Create();
    ResourceGroup* group = ResourceGroup::CreateGroup("main");
    if (!device->Ready() || !group->MountPack(gameDir + "/data/data.pk")) {
        std::fprintf(stderr, "gw_audio_check: no mixer or no pack in %s\n", gameDir.c_str());
        return 2;
    }
    if (device->OutputRate() != rec.rate || device->OutputChannels() != rec.channels) {
        std::fprintf(stderr, "gw_audio_check: the mixer decodes at %d Hz x %d, the recording is %d Hz x %d\n",
                     device->OutputRate(), device->OutputChannels(), rec.rate, rec.channels);
        return 2;
    }
    Decoder decoder(*device);
    bool ok = true;
    if (!expect.empty())
        ok = CheckSounds(rec, events, decoder, expect) && ok;
    if (!tracks.empty())
        ok = CheckMusic(rec, events, decoder, tracks) && ok;
    ResourceGroup::DeleteGroup("main");
    std::printf("%s\n", ok ? "ok" : "FAIL");
    return ok ? 0 : 1;
}
