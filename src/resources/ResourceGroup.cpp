// Resource groups: the group table, pack mounting, and reads from the pack or the disk.
#include "resources/ResourceGroup.h"

#include "app/Log.h"
#include "resources/FileIO.h"

#include <map>
#include <memory>

namespace {

std::map<std::string, std::unique_ptr<ResourceGroup>>& GroupTable()
{
    static std::map<std::string, std::unique_ptr<ResourceGroup>> table;
    return table;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

std::string Replace(std::string s, char from, char to)
{
    for (char& c : s)
        if (c == from)
            c = to;
    return s;
}

}  // namespace

ResourceGroup* ResourceGroup::CreateGroup(const std::string& name)
{
    auto& table = GroupTable();
    table.erase(name);
    auto group = std::make_unique<ResourceGroup>(name);
    ResourceGroup* raw = group.get();
    table[name] = std::move(group);
    return raw;
}

ResourceGroup* ResourceGroup::GetGroup(const std::string& name)
{
    auto& table = GroupTable();
    auto it = table.find(name);
    return it == table.end() ? nullptr : it->second.get();
}

void ResourceGroup::DeleteGroup(const std::string& name)
{
    GroupTable().erase(name);
}

void ResourceGroup::DeleteAllGroups()
{
    GroupTable().clear();
}

bool ResourceGroup::MountPack(const std::string& path)
{
    PackTable table;
    PackReadResult result = ReadPackTable(path, table);
    m_mountProblem.clear();
    if (result == PackReadResult::CannotOpen) {
        m_mountProblem = "cannot be opened";
        LogWrite("ResourceGroup %s: cannot open pack %s", m_name.c_str(), path.c_str());
        return false;
    }
    if (result == PackReadResult::BadMagic) {
        m_mountProblem = "is not a pack file";
        LogWrite("ResourceGroup %s: %s is not a pack file", m_name.c_str(), path.c_str());
        return false;
    }
    if (!table.problems.empty())
        m_mountProblem = "is damaged";
    for (const std::string& problem : table.problems)
        LogWrite("ResourceGroup %s: damaged pack %s: %s", m_name.c_str(), path.c_str(), problem.c_str());
    m_packPath = path;
    m_entries = std::move(table.entries);
    m_names.clear();
    m_names.reserve(table.names.size());
    for (std::string& name : table.names)
        m_names.push_back(Lower(std::move(name)));
    return true;
}

int ResourceGroup::FindEntry(const std::string& name) const
{
    const std::string wanted = Lower(name);
    for (size_t i = 0; i < m_names.size(); ++i) {
        const std::string& stored = m_names[i];
        if (stored.size() != wanted.size())
            continue;
        if (wanted == Replace(stored, '/', '\\') || wanted == Replace(stored, '\\', '/'))
            return int(i);
    }
    return -1;
}

FileBuffer ResourceGroup::ReadFile(const std::string& name) const
{
    FileBuffer buffer;
    int index = FindEntry(name);
    if (index >= 0) {
        const PackEntry& entry = m_entries[size_t(index)];
        std::FILE* f = std::fopen(m_packPath.c_str(), "rb");
        bool ok = f && ReadPackEntry(f, entry, m_key, buffer.bytes);
        if (f)
            std::fclose(f);
        if (!ok) {
            LogWrite("ResourceGroup %s: cannot read %s from %s", m_name.c_str(), name.c_str(), m_packPath.c_str());
            buffer.bytes.clear();
            return buffer;
        }
        buffer.offset = entry.offset;
        buffer.flag = entry.flag;
        return buffer;
    }
    // Not in the pack: the disk, by the lower-cased name; names the game builds with '\' are
    // read with '/', and a file whose name on disk keeps capitals is still found as asked.
    const std::string asked = Replace(name, '\\', '/');
    const std::string lower = Lower(asked);
    if (ReadWholeFile(lower, buffer.bytes) || (lower != asked && ReadWholeFile(asked, buffer.bytes)))
        return buffer;
    buffer.bytes.clear();
    if (m_packPath.empty())
        LogWrite("ResourceGroup %s: %s found nowhere (no pack, not on disk)", m_name.c_str(), name.c_str());
    else
        LogWrite("ResourceGroup %s: %s found nowhere (not in %s, not on disk)", m_name.c_str(), name.c_str(),
                 m_packPath.c_str());
    return buffer;
}
