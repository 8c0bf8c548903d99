// gw-pack: the pack tool for content authors and curious players.
//
//   gw-pack create OUT DIR --key KEY [--encipher GLOB]...   pack a folder
//   gw-pack list PACK                                      NAME SIZE FLAG OFFSET per entry
//   gw-pack extract PACK DIR --key KEY                     unpack, deciphering 'y' entries
//   gw-pack decipher FILE --key KEY                        settings/save/score file to text
//   gw-pack encipher FILE OUT --key KEY                    text back to such a file
//
// The packing and the ciphers are the game's own (resources/PackFile.h, resources/CCipher.h),
// so what this tool writes the game reads, and the other way round. Exit status: 0 done, 1 a
// file could not be read or written or a pack is damaged, 2 bad arguments.
#include "resources/CCipher.h"
#include "resources/FileIO.h"
#include "resources/PackFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fnmatch.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* kUsage =
    "usage:\n"
    "  gw-pack create OUT DIR --key KEY [--encipher GLOB]...\n"
    "      Packs every file under DIR into OUT. Entry names are the paths relative to DIR,\n"
    "      with '/'. Files whose name matches a GLOB ('*' also crosses '/') are stored\n"
    "      enciphered with KEY, the others plainly.\n"
    "  gw-pack list PACK\n"
    "      Prints one line per entry: NAME SIZE FLAG OFFSET (FLAG y = enciphered, n = plain).\n"
    "  gw-pack extract PACK DIR --key KEY\n"
    "      Unpacks PACK into DIR, deciphering enciphered entries with KEY.\n"
    "  gw-pack decipher FILE --key KEY\n"
    "      Writes the plain text of an enciphered settings, save or score file to standard output.\n"
    "  gw-pack encipher FILE OUT --key KEY\n"
    "      Enciphers the text in FILE into OUT, as the game writes such files.\n"
    "\n"
    "The game's keys: pack \"data/data.pk\" qpwoeirut5678zmxncbv0192; level sets \"levels/*.set\"\n"
    "k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1; \"data/dx.cfg\" zel; \"data/save.sav\" kq71x.\n";

struct Args {
    std::vector<std::string> positional;
    std::vector<std::string> encipher;
    std::string key;
    bool hasKey = false;
    bool help = false;
    std::string error;
};

Args ParseArgs(int argc, char** argv)
{
    Args args;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* option, std::string& into) -> bool {
            std::string prefix = std::string(option) + "=";
            if (a == option) {
                if (i + 1 >= argc) {
                    args.error = std::string(option) + " needs a value";
                    return true;
                }
                into = argv[++i];
                return true;
            }
            if (a.compare(0, prefix.size(), prefix) == 0) {
                into = a.substr(prefix.size());
                return true;
            }
            return false;
        };
        std::string glob;
        if (a == "--help" || a == "-h") {
            args.help = true;
        } else if (value("--key", args.key)) {
            args.hasKey = true;
        } else if (value("--encipher", glob)) {
            if (args.error.empty())
                args.encipher.push_back(glob);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            args.error = "unknown option " + a;
        } else {
            args.positional.push_back(a);
        }
        if (!args.error.empty())
            break;
    }
    return args;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "gw-pack: %s\n", message.c_str());
    return 1;
}

int BadUsage(const std::string& message)
{
    std::fprintf(stderr, "gw-pack: %s (gw-pack --help shows the usage)\n", message.c_str());
    return 2;
}

bool Matches(const std::vector<std::string>& globs, const std::string& name)
{
    for (const std::string& g : globs)
        if (fnmatch(g.c_str(), name.c_str(), 0) == 0)
            return true;
    return false;
}

int Create(const Args& args)
{
    const std::string& out = args.positional[1];
    const fs::path dir = args.positional[2];
    if (!args.encipher.empty() && args.key.empty())
        return BadUsage("--encipher needs a non-empty --key");
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return Fail("not a folder: " + dir.string());

    std::vector<std::string> names;
    fs::recursive_directory_iterator it(dir, fs::directory_options::none, ec);
    if (ec)
        return Fail("cannot read folder " + dir.string() + ": " + ec.message());
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec)
            return Fail("cannot read folder " + dir.string() + ": " + ec.message());
        if (it->is_regular_file(ec))
            names.push_back(fs::relative(it->path(), dir, ec).generic_string());
    }
    // Name order, so that the same folder always gives the same pack.
    std::sort(names.begin(), names.end());

    std::vector<PackSource> sources;
    sources.reserve(names.size());
    for (const std::string& name : names) {
        PackSource source;
        source.name = name;
        if (name.size() > kPackMaxNameLength)
            return Fail("name longer than 99 bytes: " + name);
        if (!ReadWholeFile((dir / name).string(), source.bytes))
            return Fail("cannot read " + (dir / name).string());
        source.encipher = Matches(args.encipher, name);
        sources.push_back(std::move(source));
    }
    std::string error;
    if (!WritePack(out, sources, args.key, &error))
        return Fail(error);
    return 0;
}

int List(const Args& args)
{
    PackTable table;
    const std::string& path = args.positional[1];
    PackReadResult result = ReadPackTable(path, table);
    if (result == PackReadResult::CannotOpen)
        return Fail("cannot open " + path);
    if (result == PackReadResult::BadMagic)
        return Fail(path + " is not a pack file");
    for (size_t i = 0; i < table.entries.size(); ++i) {
        const PackEntry& e = table.entries[i];
        std::printf("%s %u %c %u\n", table.names[i].c_str(), e.size, e.flag, e.offset);
    }
    for (const std::string& p : table.problems)
        std::fprintf(stderr, "gw-pack: %s: damaged: %s\n", path.c_str(), p.c_str());
    return table.problems.empty() ? 0 : 1;
}

// An entry name as a path below the target folder; false for names that would leave it.
bool SafeRelativePath(const std::string& name, fs::path& out)
{
    std::string n = name;
    std::replace(n.begin(), n.end(), '\\', '/');
    if (n.empty() || n[0] == '/' || n.find('\0') != std::string::npos)
        return false;
    fs::path p(n);
    if (p.has_root_name() || p.has_root_directory())
        return false;
    for (const auto& part : p)
        if (part == ".." || part == ".")
            return false;
    if (n.back() == '/')
        return false;
    out = p;
    return true;
}

int Extract(const Args& args)
{
    const std::string& path = args.positional[1];
    const fs::path dir = args.positional[2];
    PackTable table;
    PackReadResult result = ReadPackTable(path, table);
    if (result == PackReadResult::CannotOpen)
        return Fail("cannot open " + path);
    if (result == PackReadResult::BadMagic)
        return Fail(path + " is not a pack file");
    int status = 0;
    for (const std::string& p : table.problems) {
        std::fprintf(stderr, "gw-pack: %s: damaged: %s\n", path.c_str(), p.c_str());
        status = 1;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return Fail("cannot open " + path);
    std::vector<std::string> written;
    for (size_t i = 0; i < table.entries.size(); ++i) {
        const std::string& name = table.names[i];
        fs::path rel;
        if (!SafeRelativePath(name, rel)) {
            std::fprintf(stderr, "gw-pack: skipped entry with an unsafe name: %s\n", name.c_str());
            status = 1;
            continue;
        }
        // The game reads the first of several entries of one name; so does the tool.
        const std::string generic = rel.generic_string();
        if (std::find(written.begin(), written.end(), generic) != written.end()) {
            std::fprintf(stderr, "gw-pack: skipped a second entry named %s\n", name.c_str());
            status = 1;
            continue;
        }
        std::vector<uint8_t> bytes;
        if (!ReadPackEntry(f, table.entries[i], args.key, bytes)) {
            std::fprintf(stderr, "gw-pack: cannot read entry %s\n", name.c_str());
            status = 1;
            continue;
        }
        const fs::path target = dir / rel;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        if (!WriteFileAtomic(target.string(), bytes, false)) {
            std::fclose(f);
            return Fail("cannot write " + target.string());
        }
        written.push_back(generic);
    }
    std::fclose(f);
    return status;
}

int Decipher(const Args& args)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(args.positional[1], bytes))
        return Fail("cannot read " + args.positional[1]);
    std::vector<uint8_t> plain = CCipher().Decipher(bytes.data(), bytes.size(), args.key);
    if (!plain.empty() && std::fwrite(plain.data(), 1, plain.size(), stdout) != plain.size())
        return Fail("cannot write to standard output");
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write to standard output");
}

int Encipher(const Args& args)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(args.positional[1], bytes))
        return Fail("cannot read " + args.positional[1]);
    std::vector<uint8_t> out = CCipher().Encipher(bytes.data(), bytes.size(), args.key);
    if (!WriteFileAtomic(args.positional[2], out))
        return Fail("cannot write " + args.positional[2]);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Args args = ParseArgs(argc, argv);
    if (args.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!args.error.empty())
        return BadUsage(args.error);
    if (args.positional.empty())
        return BadUsage("no command given");

    struct Command {
        const char* name;
        size_t operands;
        bool needsKey;
        int (*run)(const Args&);
    };
    static const Command commands[] = {
        {"create", 2, false, Create},   {"list", 1, false, List},         {"extract", 2, true, Extract},
        {"decipher", 1, true, Decipher}, {"encipher", 2, true, Encipher},
    };
    const std::string& name = args.positional[0];
    for (const Command& c : commands) {
        if (name != c.name)
            continue;
        if (args.positional.size() != c.operands + 1)
            return BadUsage(name + " takes " + std::to_string(c.operands) + " operand(s)");
        if (c.needsKey && !args.hasKey)
            return BadUsage(name + " needs --key KEY");
        if (name != "create" && !args.encipher.empty())
            return BadUsage("--encipher belongs to create");
        return c.run(args);
    }
    return BadUsage("unknown command " + name);
}
