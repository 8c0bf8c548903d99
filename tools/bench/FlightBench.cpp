// FlightBench: set-up as the game does, the autopilot's flight per level, timing and the report.
#include "FlightBench.h"

#include "Autopilot.h"
#include "app/AppWindow.h"
#include "app/Log.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "platform/GL.h"
#include "platform/Platform.h"
#include "player/Player.h"
#include "render/ResourceBank.h"
#include "resources/ResourceGroup.h"
#include "ui/MenuLayout.h"
#include "world/Level.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double Percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5));
    return v[i];
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
    std::vector<double> allFrames;
    std::printf("{\n  \"aircraft\": %d,\n  \"graphics\": %s,\n  \"levels\": [\n", o.aircraft, o.graphics ? "true" : "false");
    for (int level = o.firstLevel; level <= last; ++level) {
        CGameField field(&game, layout ? layout->Font() : nullptr, &input, o.graphics);
        field.SetWriteSaveFile(false);
        uint32_t frameClock = 0;
        field.SetClock([&frameClock] { return frameClock; });
        const auto t0 = Clock::now();
        field.NewLevel(level);
        const double newLevelMs = Ms(t0, Clock::now());
        field.SelectAircraft(o.aircraft);
        Autopilot pilot(input, game);
        std::vector<double> frames;
        const int maxFrames = o.maxSeconds * 60;
        int n = 0;
        float fuelTaken = 0.0f;
        float lastFuel = field.Player()->Fuel();
        for (; n < maxFrames && !field.Ended(); ++n) {
            const auto f0 = Clock::now();
            pilot.Steer(field);
            field.Update(dt);
            frameClock += 17;
            if (app) {
                app->View().SetPerspective(800, 600);
                if (CLevel* l = field.World()) {
                    const Vec3& fog = l->FogColor();
                    glClearColor(fog.x, fog.y, fog.z, 1.0f);
                }
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                field.Draw();
                app->SwapBuffers();
                frames.push_back(Ms(f0, Clock::now()));
            }
            const float fuel = field.Player()->Fuel();
            if (fuel > lastFuel)
                fuelTaken += fuel - lastFuel;
            lastFuel = fuel;
        }
        const CPlayer* p = field.Player();
        const bool finished = field.PlayerFinished();
        if (!finished)
            ++failures;
        const CLevel* world = field.World();
        std::printf("    {\"level\": %d, \"finished\": %s, \"end_state\": \"%s\", \"game_seconds\": %.1f, "
                    "\"y\": %.1f, \"length\": %.1f, \"fuel_end\": %.1f, \"fuel_min\": %.1f, \"fuel_taken\": %.1f, "
                    "\"depots_steered\": %d, \"min_clearance\": %.2f, \"newlevel_ms\": %.1f",
                    level, finished ? "true" : "false", StateName(p->GetState()), n / 60.0, p->Position().y,
                    world ? world->Length() : 0.0f, p->Fuel(), pilot.MinFuel(), fuelTaken, pilot.DepotsSteered(),
                    pilot.MinClearance(), newLevelMs);
        if (!frames.empty())
            std::printf(", \"frame_ms_median\": %.2f, \"frame_ms_p99\": %.2f, \"frame_ms_max\": %.2f",
                        Percentile(frames, 0.5), Percentile(frames, 0.99), Percentile(frames, 1.0));
        std::printf("}%s\n", level < last ? "," : "");
        std::fflush(stdout);
        allFrames.insert(allFrames.end(), frames.begin(), frames.end());
    }
    std::printf("  ],\n");
    if (!allFrames.empty())
        std::printf("  \"all_frame_ms_median\": %.2f,\n  \"all_frame_ms_p99\": %.2f,\n", Percentile(allFrames, 0.5),
                    Percentile(allFrames, 0.99));
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
        else {
            std::fprintf(stderr, "usage: gw-bench flight [--aircraft 0..2] [--first N] [--last N] "
                                 "[--max-seconds N] [--no-graphics]\n");
            return 2;
        }
    }
    return RunFlightBench(o);
}
