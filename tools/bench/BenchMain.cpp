// gw-bench: the level world's benchmark. Run in the game folder:
//   gw-bench --level N [--aircraft A] [--frames F] [--autopilot] [--shot OUT.png]
// Loads the game data and level N of the base set as the game does, flies a camera along the
// valley floor at the aircraft's normal speed in an 800 × 600 window until the level reports
// its end (or F frames), and prints one JSON object: start-up and level-load times, per-frame
// update, draw and frame times (median and 99th percentile), peak resident memory ("rss_mb", and
// "vmhwm_mb" from /proc), and the mean cost of one GroundHeight query ("ground_query_ns").
// --shot writes the last frame as PNG.
// --autopilot is accepted and flies the same camera path; the autopilot's own flights through
// the levels are "gw-bench flight" (FlightBench.h).
#include "FlightBench.h"
#include "render/PngWriter.h"

#include "app/AppWindow.h"
#include "app/FrameTimes.h"
#include "app/ProcessUsage.h"
#include "app/Log.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "render/ResourceBank.h"
#include "resources/ResourceGroup.h"
#include "world/AtmosphericCtpl.h"
#include "world/EnemyKinds.h"
#include "world/Level.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kMaxFrames = 200000;  // a level that never ends still stops

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

int Usage()
{
    std::fprintf(stderr, "usage: gw-bench --level N [--aircraft A] [--frames F] [--autopilot] [--shot OUT.png]\n"
                         "  run in the game folder (data/data.pk, levels/base.set)\n");
    return 2;
}

// A chase view behind and above the flight path, looking ahead along the valley.
void SetCamera(const Vec3& p)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70.0, static_cast<double>(kWidth) / kHeight, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(p.x, p.y - 3.0, p.z + 1.2, p.x, p.y + 6.0, p.z - 0.6, 0.0, 0.0, 1.0);
}

// The x of the valley floor (the lowest ground across the valley) a little ahead of y: the
// camera follows the river's bends instead of flying through the valley walls.
float ValleyFloorX(const CLevel& world, float y)
{
    const float half = world.HalfWidth() * 0.8f;
    float bestX = 0.0f, best = 1e30f;
    for (int i = 0; i <= 64; ++i) {
        const float x = -half + 2.0f * half * i / 64.0f;
        const float h = world.GroundHeight(x, y);
        if (h < best) {
            best = h;
            bestX = x;
        }
    }
    return bestX;
}

}  // namespace

int main(int argc, char** argv)
{
    platform::KeepBigBlocksOffTheHeap();  // as the game does, so the peak memory compares
    // The autopilot's flights through every level: gw-bench flight ...
    if (argc > 1 && std::string(argv[1]) == "flight")
        return FlightBenchMain(argc, argv);
    int level = 0, aircraft = 0, frames = 0;
    bool autopilot = false;
    std::string shot;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--level" && hasValue)
            level = std::atoi(argv[++i]);
        else if (a == "--aircraft" && hasValue)
            aircraft = std::atoi(argv[++i]);
        else if (a == "--frames" && hasValue)
            frames = std::atoi(argv[++i]);
        else if (a == "--shot" && hasValue)
            shot = argv[++i];
        else if (a == "--autopilot")
            autopilot = true;
        else
            return Usage();
    }
    if (level <= 0 || aircraft < 0 || aircraft >= GameData::kAircraftCount || frames < 0)
        return Usage();
    (void)autopilot;  // the level fly-through always follows the valley floor

    LogOpen("log.txt");
    std::string error;
    if (!platform::InitVideo(&error)) {
        std::fprintf(stderr, "gw-bench: no display: %s\n", error.c_str());
        return 1;
    }
    platform::Window window;
    if (!window.Open("gw-bench", 0, 0, kWidth, kHeight) || !window.CreateGLContext()) {
        std::fprintf(stderr, "gw-bench: cannot open an 800 x 600 GL window\n");
        return 1;
    }
    window.Show();
    AppWindow::InitMultiTexture();
    glViewport(0, 0, kWidth, kHeight);

    // Start-up: the main group and bank, the game record and its two loading steps.
    const Clock::time_point t0 = Clock::now();
    ResourceGroup* main = ResourceGroup::CreateGroup(kMainGroup);
    main->SetKey(kMainPackKey);
    if (!main->MountPack(kMainPackFile))
        std::fprintf(stderr, "gw-bench: %s not mounted; reading from disk\n", kMainPackFile);
    CResourceBank::CreateBank(kMainGroup, main);
    GameData& game = GameData::Get();
    game.LoadGameFile();
    const int missing = game.LoadModels();
    game.SelectLevelSet(game.m_levels_pack_name);
    const double startupMs = MsSince(t0);
    if (missing != 0)
        std::fprintf(stderr, "gw-bench: %i models or textures did not load (see log.txt)\n", missing);

    // The level.
    // The level with its enemies and their battle effects, as a game field builds it.
    RegisterEnemyKinds();
    auto effects = std::make_unique<CAtmosphericCtpl>();
    auto worldOwner = std::make_unique<CLevel>(&game, effects.get());
    CLevel& world = *worldOwner;
    const Clock::time_point t1 = Clock::now();
    if (!world.LoadLevel(level))
        std::fprintf(stderr, "gw-bench: level %i has no terrain\n", level);
    const double newLevelMs = MsSince(t1);

    // The fly-through at the fixed step and the aircraft's normal speed.
    const float dt = kFrameStepMs * game.timeScale;
    const float speed = game.m_plane_speed_normal_forward[aircraft];
    Vec3 pos(ValleyFloorX(world, 10.0f), 10.0f, world.FlyingHeight());
    world.SetViewPosition(pos);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    FrameTimes updateMs, drawMs, frameMs;
    const int limit = frames > 0 ? frames : kMaxFrames;
    int done = 0;
    for (; done < limit; ++done) {
        // The path: along the level at the normal speed, drifting towards the valley floor ahead.
        pos.x += (ValleyFloorX(world, pos.y + 8.0f) - pos.x) * 0.04f;
        pos.z = std::max(world.FlyingHeight(), world.GroundHeight(pos.x, pos.y) + 0.8f);
        const Clock::time_point f0 = Clock::now();
        pos.y += speed * dt;
        world.SetViewPosition(pos);
        world.UpdateLevel(dt);
        effects->Update(dt);
        updateMs.Add(MsSince(f0));

        const Clock::time_point d0 = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SetCamera(pos);
        world.DrawLevel();
        effects->Draw();
        glFinish();
        drawMs.Add(MsSince(d0));

        const bool last = done + 1 == limit || world.IsFinished();
        if (last && !shot.empty()) {
            if (!WriteBackBufferPng(shot, kWidth, kHeight))
                std::fprintf(stderr, "gw-bench: cannot write %s\n", shot.c_str());
        }
        window.SwapBuffers();
        frameMs.Add(MsSince(f0));
        if (world.IsFinished()) {
            ++done;
            break;
        }
    }

    // The height queries that flight, enemies and missiles ask many times a frame.
    constexpr int kQueries = 1000000;
    const float half = world.HalfWidth(), length = std::max(1.0f, world.Length());
    uint32_t seed = 12345u;
    volatile float sink = 0.0f;
    const Clock::time_point q0 = Clock::now();
    for (int i = 0; i < kQueries; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const float x = ((seed >> 8) & 0xFFFF) / 65535.0f * 2.0f * half - half;
        const float y = (seed >> 24) / 255.0f * length + (i & 255) * 0.01f;
        sink = sink + world.GroundHeight(x, y);
    }
    const double groundNs = MsSince(q0) * 1e6 / kQueries;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("{\"level\": %d, \"frames\": %d, \"startup_ms\": %.1f, \"newlevel_ms\": %.1f, "
                "\"update_ms\": {\"p50\": %.3f, \"p99\": %.3f}, \"draw_ms\": {\"p50\": %.3f, \"p99\": %.3f}, "
                "\"frame_ms\": {\"p50\": %.3f, \"p99\": %.3f}, \"rss_mb\": %.1f, \"ground_query_ns\": %.1f, "
                "\"vmhwm_mb\": %.1f}\n",
                level, done, startupMs, newLevelMs, updateMs.Percentile(0.5), updateMs.Percentile(0.99),
                drawMs.Percentile(0.5), drawMs.Percentile(0.99), frameMs.Percentile(0.5), frameMs.Percentile(0.99),
                usage.ru_maxrss / 1024.0, groundNs, ProcessPeakResidentMb());

    worldOwner.reset();  // its display lists go while the context is still there
    effects.reset();
    CResourceBank::DeleteAllBanks();
    GameData::Destroy();
    ResourceGroup::DeleteAllGroups();
    window.Close();
    platform::ShutdownVideo();
    return 0;
}
