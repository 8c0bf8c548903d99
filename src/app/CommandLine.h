// CommandLine: the options the game takes when it is started (--help, --version, --windowed,
// --fullscreen, --data DIR, --portable) and its usage text.
//
// The entry point parses argv once, before anything else: --help and --version print and end the
// program with code 0, an unknown or incomplete option prints an error and the usage hint and ends
// it with code 2. Nothing is read from the environment here; the folders are found by GameFolders.
#pragma once

#include <string>

struct CommandLine {
    enum class Screen { AsStored, Windowed, FullScreen };

    bool help = false;
    bool version = false;
    // --windowed / --fullscreen: this run starts so, whatever the settings file holds.
    Screen screen = Screen::AsStored;
    // --data DIR: the folder that holds data/data.pk and levels/ ("" when not given).
    std::string dataDir;
    // --portable: the player's files are written beside the data, as in the build's game folder.
    bool portable = false;
    // Set when the arguments cannot be used; the message names the offending argument.
    std::string error;
};

// Reads the arguments after the program name. Both "--data DIR" and "--data=DIR" are taken.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// The text --help prints (options, files, where to read more).
std::string UsageText();
// "gorgewing2 <version>".
std::string VersionText();
