// Parsing of the game's few start-up options.
#include "app/CommandLine.h"

#include <cstring>

#ifndef GW_VERSION
#define GW_VERSION "0.0.0"
#endif

CommandLine ParseCommandLine(int argc, const char* const* argv)
{
    CommandLine cl;
    bool windowed = false, fullScreen = false;
    for (int i = 1; i < argc && cl.error.empty(); ++i) {
        const char* arg = argv[i] ? argv[i] : "";
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            cl.help = true;
        } else if (!std::strcmp(arg, "--version")) {
            cl.version = true;
        } else if (!std::strcmp(arg, "--windowed")) {
            windowed = true;
        } else if (!std::strcmp(arg, "--fullscreen")) {
            fullScreen = true;
        } else if (!std::strcmp(arg, "--portable")) {
            cl.portable = true;
        } else if (!std::strcmp(arg, "--data")) {
            if (i + 1 >= argc || !argv[i + 1] || !argv[i + 1][0])
                cl.error = "--data needs a folder";
            else
                cl.dataDir = argv[++i];
        } else if (!std::strncmp(arg, "--data=", 7)) {
            cl.dataDir = arg + 7;
            if (cl.dataDir.empty())
                cl.error = "--data needs a folder";
        } else {
            cl.error = std::string("unknown option '") + arg + "'";
        }
    }
    if (cl.error.empty() && windowed && fullScreen)
        cl.error = "--windowed and --fullscreen cannot be given together";
    cl.screen = windowed ? CommandLine::Screen::Windowed
                         : fullScreen ? CommandLine::Screen::FullScreen : CommandLine::Screen::AsStored;
    return cl;
}

std::string UsageText()
{
    return "Usage: gorgewing2 [OPTION]...\n"
           "Gorgewing II, a 3D arcade flight shooter: fly along a river valley and shoot what shoots back.\n"
           "\n"
           "Options:\n"
           "  --windowed     start in a window, whatever the settings say\n"
           "  --fullscreen   start full screen, whatever the settings say\n"
           "  --data DIR     read the game's data (data/data.pk, levels/) from DIR\n"
           "  --portable     keep settings, saves, tables and log beside the data\n"
           "  --help         show this help and leave\n"
           "  --version      show the version and leave\n"
           "\n"
           "Without --portable an installed game keeps the player's files in the XDG folders:\n"
           "  settings and save   $XDG_CONFIG_HOME/gorgewing2 (~/.config/gorgewing2)\n"
           "  Top 7 tables        $XDG_DATA_HOME/gorgewing2 (~/.local/share/gorgewing2)\n"
           "  own level sets      $XDG_DATA_HOME/gorgewing2/levels/*.set\n"
           "  log                 $XDG_STATE_HOME/gorgewing2/log.txt (~/.local/state/gorgewing2)\n"
           "  screenshots (F12)   the pictures folder's gorgewing2/ (~/Pictures/gorgewing2)\n"
           "A game folder whose data folder can be written (the build's game/) is portable by itself.\n"
           "GORGEWING2_DATA names the data folder when --data is not given.\n"
           "See gorgewing2(6) for the controls.\n";
}

std::string VersionText()
{
    return std::string("gorgewing2 ") + GW_VERSION;
}
