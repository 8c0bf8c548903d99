// CScoreTable: one "Top 7" table of names, scores and levels, and its enciphered file.
//
// GameData owns the two tables (normal and custom games). The controls' load and store
// (game/GameControls.h) read and write both files; the game-over and Top 7 dialogs rank, insert
// and clear entries and draw them. A table file that cannot be read leaves the table as it was;
// one that cannot be written is not written (false), and the old file stays whole (the write goes
// through a temporary file and a rename). Loading takes the entries in file order, without
// sorting: the count "num" read from the file is followed only while the entry's keys exist, so a
// damaged count never makes the loader invent rows or run long; a file holding more than seven
// rows shows them all until the next Insert trims the list. Names are cleaned on the way in and
// out (CleanName), so a hostile name can neither break the table file nor the drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CBitmapText;
class ParamFile;

class CScoreTable {
public:
    struct Entry {
        std::string name;
        int32_t score = 0;
        int32_t level = 0;
    };

    static constexpr int kShown = 7;
    static constexpr size_t kNameLength = 15;  // what the enter-name edit allows
    static const char* const kKey;         // "zu#58p"

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

    // Where the rows stand: baselines from y 150, 50 apart; the name at x 100, the level at 480,
    // the score at 560; size 23.
    static constexpr float kFirstRowY = 150.0f, kRowStep = 50.0f, kTextSize = 23.0f;
    static constexpr float kNameX = 100.0f, kLevelX = 480.0f, kScoreX = 560.0f;
    // Rows never close up more than this: a row's glyphs and a small gap.
    static constexpr float kMinRowStep = kTextSize + 4.0f;

    // How count rows are laid out above the layout line bottom (the top of the dialog's
    // buttons): 50 apart while they fit; more rows close up evenly so that the last baseline
    // stays half the text size above bottom, down to kMinRowStep; rows that still do not fit are
    // not shown (shown < count).
    struct RowPlan {
        float step = kRowStep;
        size_t shown = 0;
    };
    static RowPlan PlanRows(size_t count, float bottom);

    // Entry i at y = 150 + step i (the plan above for the line bottom), each cell in black one
    // pixel right and down, then in yellow. Needs a GL context; no font, no text.
    void Draw(const CBitmapText* font, float bottom = 600.0f) const;

    // At most kNameLength characters; control characters become spaces, a double quote an
    // apostrophe, and the second slash of "//" a backslash (the parameter text would take a quote
    // or a comment there and lose the keys after it); an empty name is "Anonymous".
    static std::string CleanName(const std::string& name);

    const std::vector<Entry>& Entries() const { return m_entries; }
    bool m_ascending = false;

private:
    bool Better(int32_t a, int32_t b) const { return m_ascending ? a < b : a > b; }
    std::vector<Entry> m_entries;
};
