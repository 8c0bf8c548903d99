// gw-forge: makes the game's data and writes the packs "data/data.pk" and "levels/base.set".
//
// Usage: gw-forge OUTDIR [--loose]; gw-forge --icons DIR NAME for the desktop icons
// (DIR/NxN/apps/NAME.png at the sizes of the icon theme); gw-forge valleys --seed N [--title TEXT]
// [--levels K] [OUT.set] for a level set of its own from a seed. Every content module adds its files to one collection; the
// collection is then packed with the resources code's pack writer (group "main" and group
// "levels_pack" keys) and, with --loose, also written file by file beside the packs so that
// authors can look at them, together with pictures of every model under "loose/pictures/".
// Exit status 0 on success, 1 on a usage or write error.
#include "ForgeContent.h"
#include "resources/FileIO.h"
#include "resources/GameFolders.h"
#include "resources/PackFile.h"
#include "resources/ResourceGroup.h"
#include "render/PngWriter.h"
#include "ui/LevelSetDlg.h"
#ifdef GW_FORGE_SOUND
#include "sound/ForgeSound.h"
#endif
#ifdef GW_FORGE_UI
#include "ui/ForgeInterface.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool WriteOnePack(const ForgeFiles& files, ForgeFiles::Pack pack, const std::string& path, const char* key)
{
    std::vector<PackSource> sources;
    for (const auto& [name, file] : files.Files(pack))
        sources.push_back(PackSource{name, file.bytes, file.encipher});
    std::string error;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (!WritePack(path, sources, key, &error)) {
        std::fprintf(stderr, "gw-forge: cannot write %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    size_t bytes = 0;
    for (const PackSource& s : sources)
        bytes += s.bytes.size();
    std::printf("gw-forge: %s: %zu files, %zu bytes\n", path.c_str(), sources.size(), bytes);
    return true;
}

bool WriteLoose(const ForgeFiles& files, const std::string& outDir)
{
    for (ForgeFiles::Pack pack : {ForgeFiles::Pack::Main, ForgeFiles::Pack::Levels})
        for (const auto& [name, file] : files.Files(pack)) {
            const std::filesystem::path path = std::filesystem::path(outDir) / "loose" / name;
            std::error_code ec;
            std::filesystem::create_directories(path.parent_path(), ec);
            if (!WriteFileAtomic(path.string(), file.bytes)) {
                std::fprintf(stderr, "gw-forge: cannot write %s\n", path.string().c_str());
                return false;
            }
        }
    for (const auto& [name, bytes] : files.Pictures()) {
        const std::filesystem::path path = std::filesystem::path(outDir) / "loose" / "pictures" / name;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (!WriteFileAtomic(path.string(), bytes))
            return false;
    }
    return true;
}

// The icon at every size the desktop's icon theme keeps, as DIR/NxN/apps/NAME.png.
bool WriteIcons(const std::string& dir, const std::string& name)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const Image icon = ForgeIcon(size);
        // The forge's pictures are bottom-up; a PNG starts at the top row.
        std::vector<uint8_t> topDown;
        const size_t row = static_cast<size_t>(size) * 4;
        for (int y = size - 1; y >= 0; --y)
            topDown.insert(topDown.end(), icon.Pixels().begin() + static_cast<std::ptrdiff_t>(y * row),
                           icon.Pixels().begin() + static_cast<std::ptrdiff_t>((y + 1) * row));
        const std::string sub = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path path = std::filesystem::path(dir) / sub / "apps" / (name + ".png");
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (!WritePng(path.string(), static_cast<uint32_t>(size), static_cast<uint32_t>(size), 4, topDown)) {
            std::fprintf(stderr, "gw-forge: cannot write %s\n", path.string().c_str());
            return false;
        }
    }
    return true;
}

// Where a set made without OUT.set goes: the player's own level-set folder as the game finds it
// from where the forge runs — the portable game folder's "levels" (the build's game folder beside
// the forge's bin folder, or a game folder it is run from), or, installed,
// $XDG_DATA_HOME/gorgewing2/levels/, which is made when missing.
std::string DefaultValleysFolder()
{
    const GameFolders folders = ResolveGameFolders(FolderInputsOfProcess("", false));
    if (folders.portable || folders.userLevelsDir.empty())
        return folders.dataDir + "/levels";
    MakeFolders(folders.userLevelsDir);
    return folders.userLevelsDir;
}

int ValleysUsage()
{
    std::fprintf(stderr, "usage: gw-forge valleys --seed N [--title TEXT] [--levels K] [OUT.set]\n");
    return 1;
}

// gw-forge valleys: a level set of its own from a seed, written as one pack.
int Valleys(int argc, char** argv)
{
    bool haveSeed = false;
    uint64_t seed = 0;
    std::string title, out;
    int levels = ForgeScale::kLevelCount;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--seed" && hasValue) {
            char* end = nullptr;
            seed = std::strtoull(argv[++i], &end, 10);
            haveSeed = end && *end == '\0' && argv[i][0] != '-' && argv[i][0] != '\0';
            if (!haveSeed)
                return ValleysUsage();
        } else if (a == "--title" && hasValue) {
            title = NInterface::CLevelSetDlg::CleanSetTitle(argv[++i]);  // as the game will list it
        } else if (a == "--levels" && hasValue) {
            levels = std::atoi(argv[++i]);
            if (levels < 1 || levels > kMaxValleyLevels) {
                std::fprintf(stderr, "gw-forge valleys: --levels takes 1 to %d\n", kMaxValleyLevels);
                return 1;
            }
        } else if (a == "-h" || a == "--help") {
            std::printf("usage: gw-forge valleys --seed N [--title TEXT] [--levels K] [OUT.set]\n"
                        "  Makes a level set of K levels (10) from the seed N: the same seed, the same set.\n"
                        "  Without OUT.set it goes into %s as valleys-N.set.\n",
                        DefaultValleysFolder().c_str());
            return 0;
        } else if (a[0] != '-' && out.empty()) {
            out = a;
        } else {
            return ValleysUsage();
        }
    }
    if (!haveSeed)
        return ValleysUsage();
    if (title.empty())
        title = "Valleys " + std::to_string(seed);
    if (out.empty())
        out = DefaultValleysFolder() + "/valleys-" + std::to_string(seed) + ".set";
    ForgeFiles files;
    ForgeValleySet(files, seed, title, levels);
    if (!WriteOnePack(files, ForgeFiles::Pack::Levels, out, kLevelsPackKey))
        return 1;
    std::printf("gw-forge: \"%s\", %d levels from seed %llu\n", title.c_str(), levels,
                static_cast<unsigned long long>(seed));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "valleys") == 0)
        return Valleys(argc, argv);
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("usage: gw-forge OUTDIR [--loose]\n"
                    "       gw-forge --icons DIR NAME\n"
                    "       gw-forge valleys --seed N [--title TEXT] [--levels K] [OUT.set]\n"
                    "  Makes the game's data into OUTDIR/data/data.pk and OUTDIR/levels/base.set;\n"
                    "  --loose also writes every file unpacked (and model pictures) under OUTDIR/loose/.\n"
                    "  --icons writes the desktop icon as DIR/NxN/apps/NAME.png, N from 16 to 256.\n"
                    "  valleys makes a level set of its own from a seed (gw-forge valleys --help).\n");
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--icons") == 0) {
        if (argc != 4) {
            std::fprintf(stderr, "usage: gw-forge --icons DIR NAME\n");
            return 1;
        }
        return WriteIcons(argv[2], argv[3]) ? 0 : 1;
    }
    if (argc < 2 || argc > 3 || argv[1][0] == '-' || (argc == 3 && std::strcmp(argv[2], "--loose") != 0)) {
        std::fprintf(stderr, "usage: gw-forge OUTDIR [--loose]\n");
        return 1;
    }
    const std::string outDir = argv[1];
    ForgeFiles files;
    files.SetWantPictures(argc == 3);
    ForgeTuning(files);
    ForgeLevels(files);
    ForgeAircraft(files);
    ForgeWeapons(files);
    ForgeUnits(files);
    ForgeParticles(files);
    ForgeHud(files);
#ifdef GW_FORGE_SOUND
    ForgeSounds(files);
    ForgeMusic(files);
#endif
#ifdef GW_FORGE_UI
    ForgeInterface(files);
#endif

    if (!WriteOnePack(files, ForgeFiles::Pack::Main, outDir + "/data/data.pk", kMainPackKey) ||
        !WriteOnePack(files, ForgeFiles::Pack::Levels, outDir + "/levels/base.set", kLevelsPackKey))
        return 1;
    if (argc == 3 && !WriteLoose(files, outDir))
        return 1;
    return 0;
}
