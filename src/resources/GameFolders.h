// GameFolders: where the game reads its data and where it keeps the player's files.
//
// The entry point resolves the folders once, before the log is opened, from the command line, the
// environment and the place of the executable, makes the player's folders and enters the data
// folder (every data path the game reads - "data/data.pk", "levels/base.set", loose files - is
// relative to it). The result is kept as the process-wide record that the settings, the save file,
// the score tables, the level-set dialog and screenshots read their paths from.
//
// Two layouts. Portable (the build's game/ folder, a copied game folder, or --portable): every file
// is written beside the data as it always was ("log.txt", "data/dx.cfg", "data/save.sav",
// "data/scores1.tab", ...). Installed: the data folder is only read, and the player's files live
// in the XDG base folders of their home. Nothing here fails hard: a folder that cannot be made
// shows up later as a write that fails and is logged, and the game goes on.
#pragma once

#include <functional>
#include <string>

struct GameFolders {
    // The folder holding data/data.pk and levels/ (absolute once resolved; "." by default).
    std::string dataDir = ".";
    bool portable = true;
    // How the data folder was found, for the log ("--data", "GORGEWING2_DATA", "game folder", ...).
    std::string foundBy = "current folder";
    // The player's folders; in the portable layout they are relative to the data folder.
    std::string configDir = "data";    // dx.cfg, save.sav
    std::string userDataDir = "data";  // scores1.tab, scores2.tab
    std::string userLevelsDir;         // the player's own level sets ("" when portable)
    std::string stateDir = ".";        // log.txt
    std::string picturesDir = "screenshots";  // F12 screenshots

    // The player's files; "" when their folder is unknown (no home), so nothing is read or written.
    std::string SettingsFile() const { return In(configDir, "dx.cfg"); }
    std::string SaveFile() const { return In(configDir, "save.sav"); }
    std::string ScoresFile(int table) const { return In(userDataDir, table == 1 ? "scores2.tab" : "scores1.tab"); }
    std::string LogFile() const { return In(stateDir, "log.txt"); }

    static std::string In(const std::string& dir, const char* name)
    {
        return dir.empty() ? std::string() : dir == "." ? std::string(name) : dir + "/" + name;
    }
};

// What the resolution looks at. Tests fill it by hand; FolderInputsOfProcess() reads the process.
struct FolderInputs {
    std::string currentDir;      // absolute
    std::string executable;      // absolute path of the running program ("" when unknown)
    std::string dataOption;      // --data DIR
    bool portableOption = false; // --portable
    // Environment lookup: nullptr when the variable is not set.
    std::function<const char*(const char*)> env;
    // The home folder of the account when HOME is not set ("" when there is none).
    std::string accountHome;
};

FolderInputs FolderInputsOfProcess(const std::string& dataOption, bool portableOption);

// Finds the data folder and the layout, in this order: --data; GORGEWING2_DATA; the current
// folder when it holds data/data.pk; ../share/gorgewing2 beside the executable; the build's
// ../game beside it; else the current folder. A found folder is portable when its data/ folder can
// be written, except the installed ../share/gorgewing2 and the --data and GORGEWING2_DATA
// folders, which are portable only with --portable.
GameFolders ResolveGameFolders(const FolderInputs& in);

// The XDG folder for a variable ("XDG_CONFIG_HOME") with its default under home (".config"): the
// variable when it holds an absolute path, else home + "/" + fallback; "" when there is no home.
std::string XdgFolder(const FolderInputs& in, const char* variable, const char* fallback);

// The pictures folder as $XDG_CONFIG_HOME/user-dirs.dirs names it (XDG_PICTURES_DIR), else
// ~/Pictures; "" when there is no home.
std::string PicturesFolder(const FolderInputs& in, const std::string& configHome);

// Makes a folder and its missing parents with the given mode; true when it exists afterwards.
bool MakeFolders(const std::string& path, unsigned mode = 0700);

// Makes the player's folders of an installed layout (nothing for portable) and logs nothing;
// false when one of them could not be made.
bool MakeUserFolders(const GameFolders& folders);

// The process-wide record (portable relative names until the entry point sets it).
const GameFolders& CurrentFolders();
void SetCurrentFolders(const GameFolders& folders);

// A level-set name as the save file keeps it: absolute names stand; a relative name is looked up
// in the data folder first, then in the player's folder (userDataDir); when neither holds it the
// data folder's name is returned unchanged.
std::string ResolveLevelSetPath(const std::string& name, const GameFolders& folders = CurrentFolders());
