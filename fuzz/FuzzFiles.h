// FuzzFiles: the whole-file fuzz targets' shared harness — one input seen as a folder of named
// files, a scratch game folder to write them into, and the forge's game folder for the data the
// targets do not fuzz (game.txt, aircraft files, the base level set).
//
// An input is split at marker lines "--- NAME" (at the very start of the input or right after a
// line feed). The bytes before the first marker belong to the target's first file. A marker whose
// name is not a plain relative path (letters, digits, '_', '-', '.', '/'; no "..") is kept as data,
// so a mutation of a marker only changes which file the bytes land in. The seeds are written the
// same way by fuzz/seeds/*.sh, so the fuzzer mutates the level's or the unit's plain text files
// and the harness hands them to the game's own loaders.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gwfuzz {

struct NamedFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

inline bool PlainName(std::string_view n)
{
    if (n.empty() || n.size() > 99 || n.front() == '/' || n.find("..") != std::string_view::npos)
        return false;
    for (char c : n) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-' || c == '.' || c == '/';
        if (!ok)
            return false;
    }
    return true;
}

// Splits the input; at most 16 files (later markers are kept as data of the 16th). The line feed
// before a marker belongs to the marker, so a file's last line ends where it ended in the seed.
inline std::vector<NamedFile> SplitFiles(const uint8_t* data, size_t size, const std::string& firstName)
{
    std::vector<NamedFile> files;
    files.push_back({firstName, {}});
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    size_t pos = 0;   // start of the current file's bytes not yet taken
    size_t scan = 0;  // where the next marker is looked for
    for (;;) {
        size_t m = all.find("--- ", scan);
        while (m != std::string_view::npos && m != 0 && all[m - 1] != '\n')
            m = all.find("--- ", m + 1);
        std::vector<uint8_t>& cur = files.back().bytes;
        if (m == std::string_view::npos) {
            cur.insert(cur.end(), all.begin() + pos, all.end());
            break;
        }
        const size_t eol = all.find('\n', m);
        const size_t nameEnd = eol == std::string_view::npos ? all.size() : eol;
        const std::string_view name = all.substr(m + 4, nameEnd - m - 4);
        if (!PlainName(name) || files.size() >= 16) {
            scan = m + 4;
            continue;
        }
        const size_t dataEnd = std::max(pos, m > 0 ? m - 1 : size_t(0));
        cur.insert(cur.end(), all.begin() + pos, all.begin() + dataEnd);
        files.push_back({std::string(name), {}});
        pos = eol == std::string_view::npos ? all.size() : eol + 1;
        scan = pos;
    }
    return files;
}

inline const NamedFile* Find(const std::vector<NamedFile>& files, std::string_view name)
{
    for (const auto& f : files)
        if (f.name == name)
            return &f;
    return nullptr;
}

// The forge's game folder: GW_FUZZ_GAME_DIR, else build/default/game beside this build
// (bin/NAME_fuzz lives in build/fuzz/bin).
inline std::filesystem::path GameDir()
{
    if (const char* env = std::getenv("GW_FUZZ_GAME_DIR"))
        return env;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return exe.parent_path().parent_path().parent_path() / "default" / "game";
}

// A scratch game folder under /dev/shm (or TMPDIR when /dev/shm is missing) that becomes the
// working directory for the run; the game's relative paths ("data/...", "levels/...") land in it.
// Removed when the process exits normally.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& target)
    {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::exists("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                                              : std::filesystem::temp_directory_path();
        m_dir = base / ("gw_fuzz_" + target + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(m_dir, ec);
        std::filesystem::create_directories(m_dir, ec);
        std::filesystem::current_path(m_dir, ec);
        Reset();
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    // Empties the folder and makes data/ and levels/ again.
    void Reset() const
    {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(m_dir, ec))
            std::filesystem::remove_all(e.path(), ec);
        std::filesystem::create_directories(m_dir / "data", ec);
        std::filesystem::create_directories(m_dir / "levels", ec);
    }
    // Writes a file under the folder (parents made as needed); names are lower-cased on disk as
    // the resource groups ask for them. False when the name is not a plain relative path.
    bool Write(std::string name, const std::vector<uint8_t>& bytes) const
    {
        if (!PlainName(name))
            return false;
        for (char& c : name)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        std::error_code ec;
        const auto path = m_dir / name;
        std::filesystem::create_directories(path.parent_path(), ec);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            return false;
        const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        return std::fclose(f) == 0 && ok;
    }
    const std::filesystem::path& Dir() const { return m_dir; }

private:
    std::filesystem::path m_dir;
};

inline std::vector<uint8_t> Bytes(std::string_view s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

}  // namespace gwfuzz
