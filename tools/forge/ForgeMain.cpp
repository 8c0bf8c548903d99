// gw-forge: makes the game's data and writes the packs "data/data.pk" and "levels/base.set".
//
// Usage: gw-forge OUTDIR [--loose], or gw-forge --icons DIR NAME for the desktop icons
// (DIR/NxN/apps/NAME.png at the sizes of the icon theme). Every content module adds its files to one collection; the
// collection is then packed with the resources code's pack writer (group "main" and group
// "levels_pack" keys) and, with --loose, also written file by file beside the packs so that
// authors can look at them, together with pictures of every model under "loose/pictures/".
// Exit status 0 on success, 1 on a usage or write error.
#include "ForgeContent.h"
#include "resources/FileIO.h"
#include "resources/PackFile.h"
#include "resources/ResourceGroup.h"
#include "render/PngWriter.h"
#ifdef GW_FORGE_SOUND
#include "sound/ForgeSound.h"
#endif
#ifdef GW_FORGE_UI
#include "ui/ForgeInterface.h"
#endif

#include <cstdio>
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

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("usage: gw-forge OUTDIR [--loose]\n"
                    "       gw-forge --icons DIR NAME\n"
                    "  Makes the game's data into OUTDIR/data/data.pk and OUTDIR/levels/base.set;\n"
                    "  --loose also writes every file unpacked (and model pictures) under OUTDIR/loose/.\n"
                    "  --icons writes the desktop icon as DIR/NxN/apps/NAME.png, N from 16 to 256.\n");
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
