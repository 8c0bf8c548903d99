// gw-view: the model viewer for content authors. "info" prints what the game's readers make of a
// file, "shot" renders it to a PNG, and without a command it turns in a window.
#include "ViewFile.h"

#include "app/Log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Usage()
{
    std::fprintf(stderr,
                 "usage: gw-view info FILE\n"
                 "       gw-view shot FILE OUT.png [--yaw DEG] [--pitch DEG] [--size WxH] [--text TEXT]\n"
                 "       gw-view FILE [--yaw DEG] [--pitch DEG] [--size WxH] [--text TEXT]\n"
                 "FILE: a .3ds model, a .unt unit, a .obj mesh (info only), a TGA or JPEG picture;\n"
                 "      with --text, a font picture and the line of text to draw in it.\n"
                 "--pack PACK reads FILE through a resource group mounted on PACK (the pack first,\n"
                 "      then the disk); --key NAME names the file inside the pack instead of FILE;\n"
                 "      --cipher TEXT sets the group's key (default: the key of the game's packs).\n");
}

bool ParseSize(const char* text, int& w, int& h)
{
    int a = 0, b = 0;
    if (std::sscanf(text, "%dx%d", &a, &b) != 2 || a < 16 || b < 16 || a > 8192 || b > 8192)
        return false;
    w = a;
    h = b;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    std::string pack, key, cipher;
    bool cipherSet = false;
    ShotOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "gw-view: %s needs a value\n", what);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--yaw")
            options.yaw = static_cast<float>(std::atof(value("--yaw")));
        else if (a == "--pitch")
            options.pitch = static_cast<float>(std::atof(value("--pitch")));
        else if (a == "--size") {
            if (!ParseSize(value("--size"), options.width, options.height)) {
                std::fprintf(stderr, "gw-view: --size takes WxH (16 to 8192 each)\n");
                return 2;
            }
        } else if (a == "--text")
            options.text = value("--text");
        else if (a == "--pack")
            pack = value("--pack");
        else if (a == "--key")
            key = value("--key");
        else if (a == "--cipher") {
            cipher = value("--cipher");
            cipherSet = true;
        } else if (a == "-h" || a == "--help") {
            Usage();
            return 0;
        } else
            positional.push_back(a);
    }
    if (positional.empty() && key.empty()) {
        Usage();
        return 2;
    }

    ResourceGroup group("view");
    if (!pack.empty()) {
        const bool levels = pack.size() >= 4 && pack.compare(pack.size() - 4, 4, ".set") == 0;
        group.SetKey(cipherSet ? cipher : (levels ? kLevelsPackKey : kMainPackKey));
        if (!group.MountPack(pack)) {
            std::fprintf(stderr, "gw-view: cannot mount the pack %s\n", pack.c_str());
            return 1;
        }
    }

    const std::string command = positional.empty() ? std::string() : positional[0];
    if (command == "info") {
        const std::string name = !key.empty() ? key : (positional.size() > 1 ? positional[1] : "");
        if (name.empty()) {
            Usage();
            return 2;
        }
        return PrintInfo(group, name) ? 0 : 1;
    }
    if (command == "shot") {
        // shot FILE OUT.png, or with --key: shot OUT.png
        std::string name = key, out;
        if (key.empty() && positional.size() == 3) {
            name = positional[1];
            out = positional[2];
        } else if (!key.empty() && positional.size() == 2) {
            out = positional[1];
        } else {
            Usage();
            return 2;
        }
        return RenderFile(group, name, out, options);
    }
    if (positional.size() > 1) {
        Usage();
        return 2;
    }
    options.interactive = true;
    return RenderFile(group, key.empty() ? command : key, "", options);
}
