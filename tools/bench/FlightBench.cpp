// FlightBench: set-up as the game does, the autopilot's flight per level, timing and the report.
#include "FlightBench.h"

#include "game/Autopilot.h"
#include "game/FlightFigures.h"
#include "game/Gunner.h"
#include "render/PngWriter.h"
#include "ThreatLog.h"
#include "app/AppWindow.h"
#include "app/FrameTimes.h"
#include "app/ProcessUsage.h"
#include "app/Log.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "platform/GL.h"
#include "platform/Platform.h"
#include "player/MissleCtrl.h"
#include "player/Player.h"
#include "world/AtmosphericCtpl.h"
#include "render/ResourceBank.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"
#include "ui/MenuLayout.h"
#include "world/EnemiesCtrl.h"
#include "world/Terrain.h"
#include "world/Water.h"
#include "world/Level.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// How far apart the generator's starts of one level's runs are: further than any level number,
// so that no run of one level draws what a run of another draws.
constexpr unsigned kRunSeedStep = 100003u;

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Reloads the level's enemies file with every entry but the fuel depots left out: a flight
// without enemies, as the valley alone is flown.
void KeepOnlyDepots(CGameField& field, int level, bool depots)
{
    CEnemiesCtrl* enemies = field.World() ? field.World()->Enemies() : nullptr;
    const ResourceGroup* group = ResourceGroup::GetGroup(kLevelsGroup);
    if (!enemies || !group)
        return;
    char path[64];
    std::snprintf(path, sizeof path, "levels/level%02i/enemies.ter", level);
    ParamFile file;
    if (!file.Read(*group, path, true))
        return;
    std::vector<std::string> drop;
    for (const auto& [key, value] : file.Pairs())
        if (key.rfind("name", 0) == 0 && (value != "Fuel" || !depots))
            drop.push_back(key);
    for (const std::string& key : drop)
        file.Remove(key);
    enemies->ClearEnemies();
    enemies->ReadEnemies(file);
    enemies->SetMissileCtrl(field.Missiles());
}

// The GL driver's own counts of a pass's work, where it keeps them (pipeline statistics and
// occlusion queries): fragment shader invocations, samples that passed the depth test and
// primitives that entered clipping. These do not depend on the machine's load.
class PassCounters {
public:
    static constexpr int kKinds = 3;
    PassCounters()
    {
        m_gen = reinterpret_cast<GenQueries>(platform::GLProcAddress("glGenQueries"));
        m_begin = reinterpret_cast<BeginQuery>(platform::GLProcAddress("glBeginQuery"));
        m_end = reinterpret_cast<EndQuery>(platform::GLProcAddress("glEndQuery"));
        m_result = reinterpret_cast<QueryResult>(platform::GLProcAddress("glGetQueryObjectuiv"));
        const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        m_ok = m_gen && m_begin && m_end && m_result && ext && std::strstr(ext, "GL_ARB_pipeline_statistics_query");
        m_delete = reinterpret_cast<DeleteQueries>(platform::GLProcAddress("glDeleteQueries"));
        m_ok = m_ok && m_delete;
        if (m_ok)
            m_gen(kKinds, m_names);
    }
    ~PassCounters()
    {
        if (m_ok)
            m_delete(kKinds, m_names);
    }
    PassCounters(const PassCounters&) = delete;
    PassCounters& operator=(const PassCounters&) = delete;
    bool Ok() const { return m_ok; }
    void Begin()
    {
        if (m_ok)
            for (int k = 0; k < kKinds; ++k)
                m_begin(kTargets[k], m_names[k]);
    }
    // Ends the queries and adds their results to the pass's totals.
    void End(double (&totals)[kKinds])
    {
        if (!m_ok)
            return;
        for (int k = 0; k < kKinds; ++k)
            m_end(kTargets[k]);
        for (int k = 0; k < kKinds; ++k) {
            GLuint v = 0;
            m_result(m_names[k], 0x8866 /* GL_QUERY_RESULT */, &v);
            totals[k] += v;
        }
    }

private:
    using GenQueries = void (*)(GLsizei, GLuint*);
    using DeleteQueries = void (*)(GLsizei, const GLuint*);
    using BeginQuery = void (*)(GLenum, GLuint);
    using EndQuery = void (*)(GLenum);
    using QueryResult = void (*)(GLuint, GLenum, GLuint*);
    // Fragment shader invocations, samples passed, clipping input primitives.
    static constexpr GLenum kTargets[kKinds] = {0x82F4, 0x8914, 0x82F6};
    GenQueries m_gen = nullptr;
    DeleteQueries m_delete = nullptr;
    BeginQuery m_begin = nullptr;
    EndQuery m_end = nullptr;
    QueryResult m_result = nullptr;
    GLuint m_names[kKinds] = {};
    bool m_ok = false;
};

// A point in the frame's drawing: the wall clock and the processor time of every thread (the
// GL driver's raster threads included, whose work a finished pass has done).
struct DrawMark {
    Clock::time_point wall;
    double cpuS;
    double mainCpuS;  // the calling (game) thread alone
    static DrawMark Now() { return DrawMark{Clock::now(), ProcessCpuSeconds(), ThreadCpuSeconds()}; }
};

// Wall and processor milliseconds of the drawing groups, one FrameTimes per group.
struct DrawParts {
    FrameTimes wall[4], cpu[4], mainCpu[4];
    double work[4][PassCounters::kKinds] = {};  // the driver's counts, summed over the frames
    void Add(int i, const DrawMark& a, const DrawMark& b)
    {
        wall[i].Add(Ms(a.wall, b.wall));
        cpu[i].Add((b.cpuS - a.cpuS) * 1000.0);
        mainCpu[i].Add((b.mainCpuS - a.mainCpuS) * 1000.0);
    }
};

// The field's drawing in its own order, each group finished and timed: the level (sky, terrain,
// water, enemies), the aircraft with its shadow, missiles and effects, the HUD.
void DrawTimed(CGameField& field, PassCounters& counters, DrawParts& parts, DrawParts& levelParts)
{
    const DrawMark t0 = DrawMark::Now();
    glPushMatrix();
    AppWindow::Get()->View().ApplyCamera();
    field.Camera().LookAt(*field.Player());
    glEnable(GL_DEPTH_TEST);
    // The level's own order (DrawLevel), its steps timed apart: fog, terrain, sky, water,
    // enemies. The frame's clear is finished first and counts for the level as a whole only.
    CLevel* world = field.World();
    world->SetupFog();
    glFinish();
    const DrawMark s0 = DrawMark::Now();
    counters.Begin();
    if (world->GetTerrain())
        world->GetTerrain()->Draw();
    counters.End(levelParts.work[1]);
    glFinish();
    const DrawMark s1 = DrawMark::Now();
    counters.Begin();
    world->DrawSky(world->ViewPosition());
    counters.End(levelParts.work[0]);
    glFinish();
    const DrawMark s2 = DrawMark::Now();
    counters.Begin();
    if (world->GetWater())
        world->GetWater()->Draw();
    counters.End(levelParts.work[2]);
    glFinish();
    const DrawMark s3 = DrawMark::Now();
    counters.Begin();
    if (world->Enemies())
        world->Enemies()->DrawEnemies();
    counters.End(levelParts.work[3]);
    glDisable(GL_FOG);
    glFinish();
    const DrawMark t1 = DrawMark::Now();
    levelParts.Add(0, s1, s2);
    levelParts.Add(1, s0, s1);
    levelParts.Add(2, s2, s3);
    levelParts.Add(3, s3, t1);
    field.Player()->Draw();
    field.Player()->Shadow().Draw();
    glFinish();
    const DrawMark t2 = DrawMark::Now();
    field.Missiles()->Draw();
    field.Atmosphere()->Draw();
    glFinish();
    const DrawMark t3 = DrawMark::Now();
    glPopMatrix();
    glDisable(GL_FOG);
    field.Hud().Draw();
    glFinish();
    const DrawMark t4 = DrawMark::Now();
    parts.Add(0, t0, t1);
    parts.Add(1, t1, t2);
    parts.Add(2, t2, t3);
    parts.Add(3, t3, t4);
}

// The frame just drawn (the back buffer), read back and written as a PNG; outside the timing.
void WriteShot(const std::string& dir, int level, int frame)
{
    char name[48];
    std::snprintf(name, sizeof name, "/level%02d_f%05d.png", level, frame);
    if (!WriteBackBufferPng(dir + name, 800, 600))
        std::fprintf(stderr, "gw-bench flight: cannot write %s%s\n", dir.c_str(), name);
}

long PeakRssKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

const char* StateName(int s)
{
    static const char* names[] = {"start", "flying", "maneuver", "run-out", "finished", "dead", "shot-down"};
    return s >= 0 && s < 7 ? names[s] : "?";
}

}  // namespace

int RunFlightBench(const FlightBenchOptions& o)
{
    LogOpen("log.txt");
    ResourceGroup* group = ResourceGroup::GetGroup(kMainGroup);
    if (!group) {
        group = ResourceGroup::CreateGroup(kMainGroup);
        group->SetKey(kMainPackKey);
        group->MountPack(kMainPackFile);
    }
    CResourceBank* bank = CResourceBank::FindBank("main");
    if (!bank)
        bank = CResourceBank::CreateBank("main", group);

    AppWindow* app = nullptr;
    if (o.graphics) {
        std::string error;
        if (!platform::InitVideo(&error)) {
            std::fprintf(stderr, "gw-bench flight: no display: %s\n", error.c_str());
            return 2;
        }
        app = AppWindow::Create("gw-bench");
        app->View().width = 800;
        app->View().height = 600;
        app->onCreateGLObjects = [] { CResourceBank::CreateAllGLObjects(); };
        app->onReleaseGLObjects = [] { CResourceBank::ReleaseAllGLObjects(); };
        if (!app->OpenWindow("gw-bench", 0, 0, 800, 600)) {
            std::fprintf(stderr, "gw-bench flight: cannot open the window\n");
            return 2;
        }
    }

    GameData& game = GameData::Get();
    if (!game.LoadGameFile(*group)) {
        std::fprintf(stderr, "gw-bench flight: no dat/game.txt (run from the game folder)\n");
        return 2;
    }
    std::unique_ptr<CMenuLayout> layout;
    if (o.graphics) {
        game.LoadModels(bank);
        layout = std::make_unique<CMenuLayout>();
        layout->Load(*group, *bank);
    }
    game.SelectLevelSet(o.levelSet);
    const int last = o.lastLevel > 0 ? o.lastLevel : game.levelsCount;

    InputDevices input;
    const float dt = kFrameStepMs * game.timeScale;
    int failures = 0;
    FrameTimes allFrames;
    double flightCpuS = 0.0, flightWallS = 0.0;  // over every level's flight, NewLevel left out
    std::printf("{\n  \"aircraft\": %d,\n  \"graphics\": %s,\n  \"draw\": %s,\n  \"levels\": [\n", o.aircraft,
                o.graphics ? "true" : "false", o.graphics && o.draw ? "true" : "false");
    // A level is flown o.runs times, the extra runs first and run 0 last; only run 0 is reported
    // key by key, the extra runs add to the level's pooled figures.
    FlightRuns pooled;
    for (int level = o.firstLevel, run = o.runs - 1; level <= last; run > 0 ? --run : (++level, run = o.runs - 1)) {
        if (run == o.runs - 1)
            pooled = FlightRuns();
        // Each level draws from the game's one generator from the same start, so that its figures
        // are the same whichever levels the run begins and ends with (and from run to run). Run k
        // starts the generator kRunSeedStep × k further on, apart from every other level's runs.
        const unsigned seed = static_cast<unsigned>(level) + kRunSeedStep * static_cast<unsigned>(run);
        std::srand(seed);
        CGameField field(&game, layout ? layout->Font() : nullptr, &input, o.graphics);
        field.SetWriteSaveFile(false);
        uint32_t frameClock = 0;
        field.SetClock([&frameClock] { return frameClock; });
        const auto t0 = Clock::now();
        field.NewLevel(level);
        const auto t1 = Clock::now();
        const double newLevelMs = Ms(t0, t1);
        // In the game the begin-level screen sends the pre-warm; here it follows at once.
        field.PrewarmOnce();
        const double prewarmMs = Ms(t1, Clock::now());
        // The level start's autosave enciphers, which seeds the generator from the clock.
        std::srand(seed + 1000u);
        if (!o.enemies)
            KeepOnlyDepots(field, level, o.depots);
        field.SelectAircraft(o.aircraft);
        Autopilot pilot(input, game);
        Gunner gunner(input, game);
        ThreatLog threats;
        FlightFigures figures;
        game.scoreLevel = 0;
        game.ClearKillCounts();
        FrameTimes frames;
        FrameTimes updates, draws, swaps;
        DrawParts parts, levelParts;
        std::unique_ptr<PassCounters> counters;
        if (app && o.breakdown)
            counters = std::make_unique<PassCounters>();
        const int maxFrames = o.maxSeconds * 60;
        int n = 0;
        float fuelTaken = 0.0f;
        float lastFuel = field.Player()->Fuel();
        bool reported = false;
        const double cpu0 = ProcessCpuSeconds();
        const auto flight0 = Clock::now();
        for (; n < maxFrames && !field.Ended(); ++n) {
            const auto f0 = Clock::now();
            const uint32_t paceStart = platform::TimeMs();
            pilot.Steer(field);
            if (o.enemies)
                gunner.Aim(field);
            field.Update(dt);
            if (o.enemies) {
                threats.Observe(field);
                figures.Observe(field, 1.0f / 60.0f);
            }
            frameClock += 17;
            const auto f1 = Clock::now();
            updates.Add(Ms(f0, f1));
            if (app && o.draw) {
                app->View().SetPerspective(800, 600);
                if (CLevel* l = field.World())
                    l->ClearFrame();
                else
                    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                if (o.breakdown)
                    DrawTimed(field, *counters, parts, levelParts);
                else
                    field.Draw();
                glFinish();
                const auto f2 = Clock::now();
                if (!o.shotDir.empty() && run == 0 && n % kShotEvery == 0)
                    WriteShot(o.shotDir, level, n);
                app->SwapBuffers();
                const auto f3 = Clock::now();
                draws.Add(Ms(f1, f2));
                swaps.Add(Ms(f2, f3));
                frames.Add(Ms(f0, f3));
            }
            // Paced as the game's loop paces its frames: a sleep to 17 ms after the frame began.
            if (o.paced)
                if (const uint32_t sleep = FrameSleepMs(paceStart, platform::TimeMs()))
                    platform::SleepMs(sleep);
            if (field.Player()->GetState() == CPlayer::ShotDown && !reported) {
                reported = true;
                const Vec3 q = field.Player()->Position();
                std::fprintf(stderr, "level %d run %d: shot down at (%.2f, %.2f, %.2f), ground %.2f, fuel %.1f\n", level, run, q.x,
                             q.y, q.z, field.World()->GroundHeight(q.x, q.y), field.Player()->Fuel());
                if (const CEnemiesCtrl* en = field.World()->Enemies())
                    for (const auto& e : en->Enemies()) {
                        const Vec3& ep = e->GetPosition();
                        if (std::fabs(ep.y - q.y) < 6.0f)
                            std::fprintf(stderr, "  enemy code %d at (%.2f, %.2f, %.2f) alive %d size %.2f\n", e->ScoreCode(),
                                         ep.x, ep.y, ep.z, e->IsAlive() ? 1 : 0, e->LargestScaledExtent());
                    }
            }
            const float fuel = field.Player()->Fuel();
            if (fuel > lastFuel)
                fuelTaken += fuel - lastFuel;
            lastFuel = fuel;
        }
        pooled.Add(figures, field.Player()->GetState() == CPlayer::Dead || field.Player()->GetState() == CPlayer::ShotDown);
        if (run > 0)
            continue;
        const double levelCpuS = ProcessCpuSeconds() - cpu0;
        const double levelWallS = Ms(flight0, Clock::now()) / 1000.0;
        flightCpuS += levelCpuS;
        flightWallS += levelWallS;
        const CPlayer* p = field.Player();
        const bool finished = field.PlayerFinished();
        if (!finished)
            ++failures;
        const CLevel* world = field.World();
        std::printf("    {\"level\": %d, \"finished\": %s, \"end_state\": \"%s\", \"game_seconds\": %.1f, "
                    "\"y\": %.1f, \"length\": %.1f, \"fuel_end\": %.1f, \"fuel_min\": %.1f, \"fuel_taken\": %.1f, "
                    "\"depots_steered\": %d, \"avoid_frames\": %d, \"hull_end\": %.0f, \"min_clearance\": %.2f, "
                    "\"newlevel_ms\": %.1f, \"prewarm_ms\": %.1f",
                    level, finished ? "true" : "false", StateName(p->GetState()), n / 60.0, p->Position().y,
                    world ? world->Length() : 0.0f, p->Fuel(), pilot.MinFuel(), fuelTaken, pilot.DepotsSteered(),
                    pilot.AvoidFrames(), p->HullPercent(), pilot.MinClearance(), newLevelMs, prewarmMs);
        if (o.enemies)
            std::printf(", \"score\": %d, \"kills\": [%d, %d, %d, %d], \"deaths\": %d, \"fire_frames\": [%d, %d]",
                        game.scoreLevel, game.killCounts[0], game.killCounts[1], game.killCounts[2],
                        game.killCounts[3], p->GetState() == CPlayer::Dead || p->GetState() == CPlayer::ShotDown ? 1 : 0,
                        gunner.PrimaryFrames(), gunner.SecondaryFrames());
        if (o.enemies)
            threats.Print(stdout);
        if (o.enemies) {
            std::printf(", \"targets_met\": %d, \"targets_per_min\": %.1f, \"kills_by_kind\": {", figures.TargetsMet(),
                        figures.TargetsPerMinute());
            for (int k = 0; k < FlightFigures::kKinds; ++k)
                std::printf("%s\"%s\": %d", k ? ", " : "", FlightFigures::kKindNames[k], figures.Kills(k));
            // The gunner's deaths are "deaths" above: a flight ends with the first.
            std::printf("}, \"hull_lost_per_min\": %.2f, \"enemy_launches\": %d, \"launches_per_min\": %.1f, "
                        "\"longest_gap_s\": %.1f",
                        figures.HullLostPerMinute(), figures.Launches(), figures.LaunchesPerMinute(),
                        figures.LongestGapSeconds());
            if (o.runs > 1)
                std::printf(", \"runs\": %d, \"game_seconds_mean\": %.1f, \"targets_per_min_mean\": %.1f, "
                            "\"launches_per_min_mean\": %.1f, \"hull_lost_per_min_mean\": %.2f, \"deaths_total\": %d, "
                            "\"lives_lost_share\": %.2f, \"longest_gap_s_mean\": %.1f, \"longest_gap_s_max\": %.1f",
                            pooled.Runs(), pooled.SecondsMean(), pooled.TargetsPerMinute(), pooled.LaunchesPerMinute(),
                            pooled.HullLostPerMinute(), pooled.Deaths(), pooled.DeathShare(), pooled.LongestGapMean(),
                            pooled.LongestGapMax());
        }
        std::printf(", \"update_ms_median\": %.3f, \"update_ms_p99\": %.3f", updates.Percentile(0.5),
                    updates.Percentile(0.99));
        if (!frames.Empty())
            std::printf(", \"frame_ms_median\": %.2f, \"frame_ms_p99\": %.2f, \"frame_ms_max\": %.2f, "
                        "\"frame_ms_max_settled\": %.2f, "
                        "\"draw_ms_median\": %.2f, \"draw_ms_p99\": %.2f, \"swap_ms_median\": %.2f, \"swap_ms_p99\": %.2f",
                        frames.Percentile(0.5), frames.Percentile(0.99), frames.Max(), frames.MaxSettled(),
                        draws.Percentile(0.5), draws.Percentile(0.99), swaps.Percentile(0.5), swaps.Percentile(0.99));
        std::printf(", \"paced\": %s, \"cpu_s_per_s\": %.3f, \"vmhwm_mb\": %.1f", o.paced ? "true" : "false",
                    levelWallS > 0.0 ? levelCpuS / levelWallS : 0.0, ProcessPeakResidentMb());
        if (!parts.wall[0].Empty()) {
            std::printf(", \"level_draw_ms_median\": %.2f, \"aircraft_draw_ms_median\": %.2f, "
                        "\"effects_draw_ms_median\": %.2f, \"hud_draw_ms_median\": %.2f",
                        parts.wall[0].Percentile(0.5), parts.wall[1].Percentile(0.5), parts.wall[2].Percentile(0.5),
                        parts.wall[3].Percentile(0.5));
            // The same groups in processor time of all threads: what the pass costs the machine,
            // less disturbed than the wall clock by other work on it.
            std::printf(", \"level_cpu_ms_mean\": %.2f, \"aircraft_cpu_ms_mean\": %.2f, \"effects_cpu_ms_mean\": %.2f, "
                        "\"hud_cpu_ms_mean\": %.2f",
                        parts.cpu[0].Mean(), parts.cpu[1].Mean(), parts.cpu[2].Mean(), parts.cpu[3].Mean());
        }
        if (!levelParts.wall[0].Empty()) {
            std::printf(", \"sky_draw_ms_median\": %.2f, \"terrain_draw_ms_median\": %.2f, \"water_draw_ms_median\": %.2f, "
                        "\"enemies_draw_ms_median\": %.2f",
                        levelParts.wall[0].Percentile(0.5), levelParts.wall[1].Percentile(0.5),
                        levelParts.wall[2].Percentile(0.5), levelParts.wall[3].Percentile(0.5));
            std::printf(", \"sky_cpu_ms_mean\": %.2f, \"terrain_cpu_ms_mean\": %.2f, \"water_cpu_ms_mean\": %.2f, "
                        "\"enemies_cpu_ms_mean\": %.2f",
                        levelParts.cpu[0].Mean(), levelParts.cpu[1].Mean(), levelParts.cpu[2].Mean(),
                        levelParts.cpu[3].Mean());
            std::printf(", \"sky_main_cpu_ms_mean\": %.2f, \"terrain_main_cpu_ms_mean\": %.2f, "
                        "\"water_main_cpu_ms_mean\": %.2f, \"enemies_main_cpu_ms_mean\": %.2f",
                        levelParts.mainCpu[0].Mean(), levelParts.mainCpu[1].Mean(), levelParts.mainCpu[2].Mean(),
                        levelParts.mainCpu[3].Mean());
            // Per frame: fragment shader invocations, samples that passed and primitives
            // clipped, each in thousands; left out where the driver keeps no such counts.
            if (counters && counters->Ok()) {
                const double frames = static_cast<double>(levelParts.wall[0].Count()) * 1000.0;
                const char* names[4] = {"sky", "terrain", "water", "enemies"};
                for (int i = 0; i < 4; ++i)
                    std::printf(", \"%s_fragments_k\": %.1f, \"%s_samples_k\": %.1f, \"%s_primitives_k\": %.2f", names[i],
                                levelParts.work[i][0] / frames, names[i], levelParts.work[i][1] / frames, names[i],
                                levelParts.work[i][2] / frames);
            }
        }
        std::printf("}%s\n", level < last ? "," : "");
        std::fflush(stdout);
        for (const double ms : frames.Values())
            allFrames.Add(ms);
    }
    std::printf("  ],\n");
    if (!allFrames.Empty())
        std::printf("  \"all_frame_ms_median\": %.2f,\n  \"all_frame_ms_p99\": %.2f,\n", allFrames.Percentile(0.5),
                    allFrames.Percentile(0.99));
    // The whole flight's processor use (every thread: the game's and the GL driver's) per wall
    // second, and the peak resident memory at the end of the run.
    std::printf("  \"cpu_s_per_s\": %.3f,\n  \"vmhwm_mb\": %.1f,\n", flightWallS > 0.0 ? flightCpuS / flightWallS : 0.0,
                ProcessPeakResidentMb());
    std::printf("  \"peak_rss_kb\": %ld,\n  \"unfinished\": %d\n}\n", PeakRssKb(), failures);

    layout.reset();
    GameData::Destroy();
    CResourceBank::DeleteAllBanks();
    ResourceGroup::DeleteAllGroups();
    if (app) {
        app->CloseWindow();
        AppWindow::Release();
        platform::ShutdownVideo();
    }
    return failures == 0 ? 0 : 1;
}

int FlightBenchMain(int argc, char** argv)
{
    FlightBenchOptions o;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--aircraft" && hasValue)
            o.aircraft = std::clamp(std::atoi(argv[++i]), 0, GameData::kAircraftCount - 1);
        else if (a == "--first" && hasValue)
            o.firstLevel = std::max(1, std::atoi(argv[++i]));
        else if (a == "--last" && hasValue)
            o.lastLevel = std::max(0, std::atoi(argv[++i]));
        else if (a == "--max-seconds" && hasValue)
            o.maxSeconds = std::max(1, std::atoi(argv[++i]));
        else if (a == "--no-graphics")
            o.graphics = false;
        else if (a == "--no-depots")
            o.depots = false;
        else if (a == "--paced")
            o.paced = true;
        else if (a == "--breakdown")
            o.breakdown = true;
        else if (a == "--enemies")
            o.enemies = true;
        else if (a == "--no-draw")
            o.draw = false;
        else if (a == "--runs" && hasValue)
            o.runs = std::clamp(std::atoi(argv[++i]), 1, 100);
        else if (a == "--set" && hasValue)
            o.levelSet = argv[++i];
        else if (a == "--shots" && hasValue)
            o.shotDir = argv[++i];
        else {
            std::fprintf(stderr, "usage: gw-bench flight [--aircraft 0..2] [--first N] [--last N] "
                                 "[--max-seconds N] [--enemies] [--no-depots] [--paced] [--breakdown] [--no-draw] [--no-graphics] "
                                 "[--shots DIR] [--set PATH] [--runs N]\n");
            return 2;
        }
    }
    return RunFlightBench(o);
}
