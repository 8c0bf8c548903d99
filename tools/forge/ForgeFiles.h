// ForgeFiles: everything the forge makes, gathered by path before it is packed and written.
//
// Each content module of the forge (models, levels, interface art, sounds, music) adds its files
// here under the path the game reads them by ("dat/game.txt", "sounds/s15.ogg",
// "levels/level01/terra.ter"), naming the pack it belongs in and whether the pack stores it
// enciphered. The forge's main packs the collection into "data/data.pk" (Pack::Main) and
// "levels/base.set" (Pack::Levels) and, with --loose, also writes every file unpacked.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ForgeFile {
    std::vector<uint8_t> bytes;
    bool encipher = false;
};

class ForgeFiles {
public:
    enum class Pack { Main, Levels };

    // Adds or replaces a file; paths use '/'.
    void Add(Pack pack, const std::string& path, std::vector<uint8_t> bytes, bool encipher = false)
    {
        auto& m = pack == Pack::Main ? m_main : m_levels;
        m[path] = ForgeFile{std::move(bytes), encipher};
    }
    void AddText(Pack pack, const std::string& path, const std::string& text, bool encipher = false)
    {
        Add(pack, path, std::vector<uint8_t>(text.begin(), text.end()), encipher);
    }

    // Files in path order, so that packs come out byte-identical on every run.
    const std::map<std::string, ForgeFile>& Files(Pack pack) const { return pack == Pack::Main ? m_main : m_levels; }

    // Pictures of the models for authors (written only with --loose); modules ask WantPictures()
    // first so that a normal run does not spend time rendering them.
    void SetWantPictures(bool on) { m_wantPictures = on; }
    bool WantPictures() const { return m_wantPictures; }
    void AddPicture(const std::string& name, std::vector<uint8_t> bytes)
    {
        if (m_wantPictures)
            m_pictures[name] = std::move(bytes);
    }
    const std::map<std::string, std::vector<uint8_t>>& Pictures() const { return m_pictures; }

private:
    bool m_wantPictures = false;
    std::map<std::string, std::vector<uint8_t>> m_pictures;
    std::map<std::string, ForgeFile> m_main;
    std::map<std::string, ForgeFile> m_levels;
};
