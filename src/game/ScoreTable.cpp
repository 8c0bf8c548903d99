// CScoreTable: ranking, insertion and the table file.
#include "game/ScoreTable.h"

#include "resources/ParamFile.h"

#include <string>

const char* const CScoreTable::kKey = "zu#58p";
const char* const CScoreTable::kFiles[2] = {"data/scores1.tab", "data/scores2.tab"};

int CScoreTable::Rank(int32_t score) const
{
    if (score == 0)
        return -1;
    int rank = 0;
    for (const Entry& e : m_entries) {
        if (Better(score, e.score))
            break;
        ++rank;
    }
    return rank >= kShown ? -1 : rank;
}

void CScoreTable::Insert(const std::string& name, int32_t score, int32_t level)
{
    size_t at = 0;
    while (at < m_entries.size() && !Better(score, m_entries[at].score))
        ++at;
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), Entry{name, score, level});
    while (m_entries.size() > static_cast<size_t>(kShown))
        m_entries.pop_back();
}

void CScoreTable::WriteKeys(ParamFile& file) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const std::string n = std::to_string(i);
        file.SetString("name" + n, m_entries[i].name);
        file.SetInt("score" + n, m_entries[i].score);
        file.SetInt("level" + n, m_entries[i].level);
    }
    file.SetInt("num", static_cast<int>(m_entries.size()));
}

void CScoreTable::ReadKeys(const ParamFile& file)
{
    m_entries.clear();
    int num = file.GetInt("num", "0");
    // Every entry needs keys of its own, so a count beyond the file's keys is a damaged file.
    if (num < 0)
        num = 0;
    if (static_cast<size_t>(num) > file.Size())
        num = static_cast<int>(file.Size());
    for (int i = 0; i < num; ++i) {
        const std::string n = std::to_string(i);
        m_entries.push_back({file.GetString("name" + n, "0"), file.GetInt("score" + n, "0"), file.GetInt("level" + n, "0")});
    }
}

bool CScoreTable::Save(const std::string& fileName) const
{
    ParamFile file;
    WriteKeys(file);
    return file.Save(fileName, kKey);
}

bool CScoreTable::Load(const std::string& fileName)
{
    ParamFile file;
    if (!file.Load(fileName, true, kKey))
        return false;
    ReadKeys(file);
    return true;
}
