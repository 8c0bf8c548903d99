// Finding the data folder, the layout (portable or installed) and the player's XDG folders.
#include "resources/GameFolders.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

GameFolders g_current;

const char* kAppFolder = "gorgewing2";

bool HoldsData(const std::string& dir)
{
    std::error_code ec;
    return !dir.empty() && fs::is_regular_file(fs::path(dir) / "data" / "data.pk", ec);
}

bool DataWritable(const std::string& dir)
{
    return access((fs::path(dir) / "data").c_str(), W_OK | X_OK) == 0;
}

std::string Absolute(const std::string& path, const std::string& base)
{
    fs::path p(path);
    if (p.is_relative())
        p = fs::path(base) / p;
    return p.lexically_normal().string();
}

std::string StripSlash(std::string s)
{
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string Home(const FolderInputs& in)
{
    const char* home = in.env ? in.env("HOME") : nullptr;
    if (home && home[0] == '/')
        return StripSlash(home);
    return in.accountHome;
}

}  // namespace

FolderInputs FolderInputsOfProcess(const std::string& dataOption, bool portableOption)
{
    FolderInputs in;
    std::error_code ec;
    in.currentDir = fs::current_path(ec).string();
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        in.executable = exe.string();
    in.dataOption = dataOption;
    in.portableOption = portableOption;
    in.env = [](const char* name) -> const char* { return std::getenv(name); };
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
        in.accountHome = StripSlash(pw->pw_dir);
    return in;
}

std::string XdgFolder(const FolderInputs& in, const char* variable, const char* fallback)
{
    // The base-directory rules: a relative value is invalid and ignored.
    const char* value = in.env ? in.env(variable) : nullptr;
    if (value && value[0] == '/')
        return StripSlash(value);
    const std::string home = Home(in);
    return home.empty() ? std::string() : home + "/" + fallback;
}

std::string PicturesFolder(const FolderInputs& in, const std::string& configHome)
{
    const std::string home = Home(in);
    if (!configHome.empty()) {
        // Lines such as XDG_PICTURES_DIR="$HOME/Pictures"; only $HOME-relative or absolute paths
        // are valid.
        std::ifstream dirs(configHome + "/user-dirs.dirs");
        std::string line;
        for (int n = 0; n < 1000 && std::getline(dirs, line); ++n) {
            const std::string key = "XDG_PICTURES_DIR=\"";
            if (line.compare(0, key.size(), key) != 0)
                continue;
            const size_t end = line.find('"', key.size());
            if (end == std::string::npos)
                continue;
            std::string value = line.substr(key.size(), end - key.size());
            if (value.compare(0, 5, "$HOME") == 0 && !home.empty())
                value = home + value.substr(5);
            // "$HOME/" alone would name the home itself, which the desktop means as "no folder".
            if (!value.empty() && value[0] == '/' && StripSlash(value) != home)
                return StripSlash(value);
        }
    }
    return home.empty() ? std::string() : home + "/Pictures";
}

GameFolders ResolveGameFolders(const FolderInputs& in)
{
    GameFolders f;
    const fs::path exeDir = in.executable.empty() ? fs::path() : fs::path(in.executable).parent_path();
    const char* envData = in.env ? in.env("GORGEWING2_DATA") : nullptr;
    bool installedPlace = false;  // a place that is only read unless --portable says otherwise
    if (!in.dataOption.empty()) {
        f.dataDir = Absolute(in.dataOption, in.currentDir);
        f.foundBy = "--data";
        installedPlace = true;
    } else if (envData && envData[0]) {
        f.dataDir = Absolute(envData, in.currentDir);
        f.foundBy = "GORGEWING2_DATA";
        installedPlace = true;
    } else if (HoldsData(in.currentDir)) {
        f.dataDir = in.currentDir;
        f.foundBy = "current folder";
    } else if (!exeDir.empty() && HoldsData((exeDir / "../share/gorgewing2").lexically_normal().string())) {
        f.dataDir = (exeDir / "../share/gorgewing2").lexically_normal().string();
        f.foundBy = "installed beside the program";
        installedPlace = true;
    } else if (!exeDir.empty() && HoldsData((exeDir / "../game").lexically_normal().string())) {
        f.dataDir = (exeDir / "../game").lexically_normal().string();
        f.foundBy = "build's game folder";
    } else {
        f.dataDir = in.currentDir.empty() ? std::string(".") : in.currentDir;
        f.foundBy = "current folder (no data/data.pk found)";
    }
    f.dataDir = StripSlash(f.dataDir);
    f.portable = in.portableOption || (!installedPlace && DataWritable(f.dataDir));
    if (f.portable)
        return f;  // the relative names of a default GameFolders, read from inside the data folder

    const std::string config = XdgFolder(in, "XDG_CONFIG_HOME", ".config");
    const std::string data = XdgFolder(in, "XDG_DATA_HOME", ".local/share");
    const std::string state = XdgFolder(in, "XDG_STATE_HOME", ".local/state");
    // With no home at all the folders stay empty: nothing is read or written, the game still plays.
    f.configDir = config.empty() ? std::string() : config + "/" + kAppFolder;
    f.userDataDir = data.empty() ? std::string() : data + "/" + kAppFolder;
    f.userLevelsDir = data.empty() ? std::string() : f.userDataDir + "/levels";
    f.stateDir = state.empty() ? std::string() : state + "/" + kAppFolder;
    const std::string pictures = PicturesFolder(in, config);
    f.picturesDir = pictures.empty() ? std::string() : pictures + "/" + kAppFolder;
    return f;
}

bool MakeFolders(const std::string& path, unsigned mode)
{
    if (path.empty())
        return false;
    std::string partial;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        partial = path.substr(0, pos);
        if (partial.empty())
            continue;
        if (mkdir(partial.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeUserFolders(const GameFolders& f)
{
    if (f.portable)
        return true;
    bool ok = true;
    for (const std::string* dir : {&f.configDir, &f.userDataDir, &f.userLevelsDir, &f.stateDir})
        ok = MakeFolders(*dir) && ok;
    return ok;
}

const GameFolders& CurrentFolders()
{
    return g_current;
}

void SetCurrentFolders(const GameFolders& folders)
{
    g_current = folders;
}

std::string ResolveLevelSetPath(const std::string& name, const GameFolders& f)
{
    if (name.empty() || name[0] == '/')
        return name;
    std::error_code ec;
    if (fs::is_regular_file(fs::path(f.dataDir) / name, ec))
        return name;
    if (!f.portable && !f.userDataDir.empty()) {
        const fs::path own = fs::path(f.userDataDir) / name;
        if (fs::is_regular_file(own, ec))
            return own.lexically_normal().string();
    }
    return name;
}
