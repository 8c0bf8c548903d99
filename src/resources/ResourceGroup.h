// ResourceGroup: a named source of game files, one pack file first and the disk behind it.
//
// The game reads all its data by name through a group: "main" (the game's own data, mounted
// from "data/data.pk" at start) and "levels_pack" (the chosen level set, "levels/*.set"). A
// group remembers the entry table of its last mounted pack, not the data: every ReadFile opens
// the pack again, seeks and reads. Names are compared without regard to case or to '/' versus
// '\'. A name the pack does not hold is read from disk relative to the working directory.
//
// The group table (CreateGroup, GetGroup, DeleteGroup) is the one process-wide owner of the
// groups; the entry point creates "main" first and deletes it last. Failures never throw: a
// missing or foreign pack makes MountPack return false and reads fall back to the disk; a
// damaged pack mounts the entries that are intact and logs the rest (MountProblem says which of
// the three it was, for the one line the entry point shows); a file found nowhere reads as an
// empty buffer and is named in the log.
#pragma once

#include "resources/FileBuffer.h"
#include "resources/PackFile.h"

#include <string>
#include <string_view>
#include <vector>

// The game's groups, their packs and keys.
inline constexpr const char* kMainGroup = "main";
inline constexpr const char* kMainPackFile = "data/data.pk";
inline constexpr const char* kMainPackKey = "qpwoeirut5678zmxncbv0192";
inline constexpr const char* kLevelsGroup = "levels_pack";
inline constexpr const char* kLevelsPackKey = "k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1";

class ResourceGroup {
public:
    explicit ResourceGroup(std::string name) : m_name(std::move(name)) {}

    // The group table. CreateGroup destroys any group of the same name first (pointers to it
    // die with it) and returns the new, empty group.
    static ResourceGroup* CreateGroup(const std::string& name);
    static ResourceGroup* GetGroup(const std::string& name);
    static void DeleteGroup(const std::string& name);
    static void DeleteAllGroups();

    const std::string& Name() const { return m_name; }

    // The key enciphered entries are deciphered with.
    void SetKey(std::string_view key) { m_key.assign(key.data(), key.size()); }
    const std::string& Key() const { return m_key; }

    // Reads the entry table of the pack at path, replacing the current one. False when the file
    // cannot be opened or does not begin with "LB"; the group is then unchanged.
    bool MountPack(const std::string& path);
    // What the last MountPack found wrong: "" when the pack mounted whole, else "cannot be
    // opened", "is not a pack file" or "is damaged" (its intact entries are mounted).
    const std::string& MountProblem() const { return m_mountProblem; }

    // The named file: from the pack when an entry matches (deciphered when stored enciphered),
    // otherwise from disk. Empty when it is found nowhere.
    FileBuffer ReadFile(const std::string& name) const;

    // Index of the first entry matching name, or -1.
    int FindEntry(const std::string& name) const;

    const std::vector<PackEntry>& Entries() const { return m_entries; }
    const std::vector<std::string>& Names() const { return m_names; }  // lower case
    const std::string& PackPath() const { return m_packPath; }

private:
    std::string m_name;
    std::vector<PackEntry> m_entries;
    std::vector<std::string> m_names;
    std::string m_packPath;
    std::string m_key;
    std::string m_mountProblem;
};
