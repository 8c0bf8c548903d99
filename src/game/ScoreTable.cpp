// CScoreTable: ranking, insertion and the table file.
#include "game/ScoreTable.h"

#include "render/BitmapText.h"
#include "resources/ParamFile.h"

#include <algorithm>
#include <string>

const char* const CScoreTable::kKey = "zu#58p";

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
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), Entry{CleanName(name), score, level});
    while (m_entries.size() > static_cast<size_t>(kShown))
        m_entries.pop_back();
}

void CScoreTable::WriteKeys(ParamFile& file) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const std::string n = std::to_string(i);
        file.SetString("name" + n, CleanName(m_entries[i].name));
        file.SetInt("score" + n, m_entries[i].score);
        file.SetInt("level" + n, m_entries[i].level);
    }
    file.SetInt("num", static_cast<int>(m_entries.size()));
}

void CScoreTable::ReadKeys(const ParamFile& file)
{
    m_entries.clear();
    const int num = file.GetInt("num", "0");
    // The count comes from the file: an entry is read only while one of its keys is really
    // there, so a count of two billion over three entries gives three rows, not a long walk.
    for (int i = 0; i < num; ++i) {
        const std::string n = std::to_string(i);
        if (!file.Has("name" + n) && !file.Has("score" + n) && !file.Has("level" + n))
            break;
        m_entries.push_back(
            {CleanName(file.GetString("name" + n, "0")), file.GetInt("score" + n, "0"), file.GetInt("level" + n, "0")});
    }
}

std::string CScoreTable::CleanName(const std::string& name)
{
    std::string out;
    for (size_t i = 0; i < name.size() && out.size() < kNameLength; ++i) {
        char c = name[i];
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u > 126)
            c = ' ';
        else if (c == '"')
            c = '\'';
        else if (c == '/' && !out.empty() && out.back() == '/')
            c = '\\';
        out += c;
    }
    // An empty value would make the parameter text pair the key with the next token.
    return out.empty() ? std::string("Anonymous") : out;
}

CScoreTable::RowPlan CScoreTable::PlanRows(size_t count, float bottom)
{
    RowPlan plan;
    const float lastBaseline = bottom - kTextSize / 2.0f;
    if (count == 0 || lastBaseline < kFirstRowY)
        return plan;
    const float room = lastBaseline - kFirstRowY;
    if (count > 1 && kRowStep * static_cast<float>(count - 1) > room)
        plan.step = std::max(kMinRowStep, room / static_cast<float>(count - 1));
    // A hair of slack, so that rows closed up to land exactly on the last baseline all count.
    const size_t fit = static_cast<size_t>(room / plan.step + 0.001f) + 1;
    plan.shown = std::min(count, fit);
    return plan;
}

void CScoreTable::Draw(const CBitmapText* font, float bottom) const
{
    if (!font)
        return;
    const RowPlan plan = PlanRows(m_entries.size(), bottom);
    for (size_t i = 0; i < plan.shown; ++i) {
        const Entry& e = m_entries[i];
        const float y = kFirstRowY + plan.step * static_cast<float>(i);
        const std::string level = std::to_string(e.level);
        const std::string score = std::to_string(e.score);
        const struct {
            const char* text;
            float x;
        } cells[] = {{e.name.c_str(), kNameX}, {level.c_str(), kLevelX}, {score.c_str(), kScoreX}};
        for (const auto& cell : cells) {
            font->Draw(cell.text, kTextSize, cell.x + 1, y + 1, 1, 0, 0, 0, 1);
            font->Draw(cell.text, kTextSize, cell.x, y, 1, 1, 1, 0, 1);
        }
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
