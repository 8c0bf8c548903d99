// CScoreTable: one "Top 7" table of names, scores and levels, and its enciphered file.
//
// GameData owns the two tables (normal and custom games). The controls' load and store
// (game/GameControls.h) read and write both files; the game-over and Top 7 dialogs rank, insert
// and clear entries and draw them. A table file that cannot be read leaves the table as it was;
// one that cannot be written is not written (false). Loading takes the entries in file order;
// the count read from the file is bounded by the keys the file really holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ParamFile;

class CScoreTable {
public:
    struct Entry {
        std::string name;
        int32_t score = 0;
        int32_t level = 0;
    };

    static constexpr int kShown = 7;
    static const char* const kKey;         // "zu#58p"
    static const char* const kFiles[2];    // "data/scores1.tab", "data/scores2.tab"

    // -1 for a score of 0; otherwise the number of leading entries not below the score (the walk
    // stops at the first lower one); 7 or more gives -1.
    int Rank(int32_t score) const;
    // Goes after every entry with an equal score; the list is then trimmed to seven.
    void Insert(const std::string& name, int32_t score, int32_t level);
    void Clear() { m_entries.clear(); }

    bool Save(const std::string& fileName) const;
    bool Load(const std::string& fileName);
    void WriteKeys(ParamFile& file) const;
    void ReadKeys(const ParamFile& file);

    const std::vector<Entry>& Entries() const { return m_entries; }
    bool m_ascending = false;

private:
    bool Better(int32_t a, int32_t b) const { return m_ascending ? a < b : a > b; }
    std::vector<Entry> m_entries;
};
