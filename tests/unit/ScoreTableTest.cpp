// The Top 7 tables: ranking and insertion rules, where the rows stand, and loading files that are
// damaged, hostile or made with another key without hanging, crashing or inventing rows.
#include "LevelFiles.h"

#include "game/ScoreTable.h"
#include "resources/GameFolders.h"
#include "resources/CCipher.h"
#include "resources/ParamFile.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class ScoreTableFile : public GameFolderTest {
protected:
    // Writes a table file enciphered with the table key (or another one).
    void WriteTable(const std::string& text, const char* key = CScoreTable::kKey) const
    {
        ParamFile f;
        f.Parse(text, true);
        ASSERT_TRUE(f.Save(CurrentFolders().ScoresFile(0), key));
    }
};

std::vector<std::string> Names(const CScoreTable& t)
{
    std::vector<std::string> out;
    for (const auto& e : t.Entries())
        out.push_back(e.name);
    return out;
}

}  // namespace

TEST(ScoreTableRules, ZeroNeverEntersAndAnEmptyTableTakesAnythingElse)
{
    CScoreTable t;
    EXPECT_EQ(t.Rank(0), -1);
    EXPECT_EQ(t.Rank(1), 0);
    EXPECT_EQ(t.Rank(-40), 0) << "a custom game charged more than it scored still has a result";
    t.Insert("a", 100, 1);
    EXPECT_EQ(t.Rank(0), -1) << "zero stays out even with room left";
    EXPECT_EQ(t.Rank(100), 1) << "after the equal score";
    EXPECT_EQ(t.Rank(101), 0);
    EXPECT_EQ(t.Rank(99), 1);
}

TEST(ScoreTableRules, SevenEqualScoresRefuseAnotherAndABetterOneDropsTheLast)
{
    CScoreTable t;
    for (int i = 0; i < 7; ++i)
        t.Insert("p" + std::to_string(i), 500, 1);
    EXPECT_EQ(t.Rank(500), -1);
    EXPECT_EQ(t.Rank(499), -1);
    EXPECT_EQ(t.Rank(501), 0);
    t.Insert("top", 501, 3);
    ASSERT_EQ(t.Entries().size(), 7u);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"top", "p0", "p1", "p2", "p3", "p4", "p5"}));
    EXPECT_EQ(t.Entries()[0].level, 3);
}

TEST(ScoreTableRules, EqualScoresKeepEarlierEntriesFirst)
{
    CScoreTable t;
    t.Insert("first", 300, 1);
    t.Insert("low", 100, 1);
    t.Insert("second", 300, 2);
    t.Insert("high", 900, 2);
    t.Insert("third", 300, 3);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"high", "first", "second", "third", "low"}));
    t.Clear();
    EXPECT_TRUE(t.Entries().empty());
    EXPECT_EQ(t.Rank(5), 0);
}

TEST(ScoreTableRules, NamesAreCleanedSoTheFileKeepsItsKeys)
{
    EXPECT_EQ(CScoreTable::CleanName("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(CScoreTable::CleanName("a\tb\nc\x01"), "a b c ");
    EXPECT_EQ(CScoreTable::CleanName(""), "Anonymous");
    EXPECT_EQ(CScoreTable::CleanName("say \"hi\""), "say 'hi'");
    EXPECT_EQ(CScoreTable::CleanName("a//b///c"), "a/\\b/\\/c");
}

TEST_F(ScoreTableFile, SaveAndLoadKeepOrderScoresLevelsAndOddNames)
{
    CScoreTable t;
    t.Insert("Ann Lee", 1200, 4);
    t.Insert("\"x // y", 800, 2);  // a quote and a comment would swallow the keys after them
    t.Insert("Zed", -5, 1);
    ASSERT_TRUE(t.Save(CurrentFolders().ScoresFile(1)));

    // The file is enciphered with the table key and holds the documented keys.
    ParamFile raw;
    ASSERT_TRUE(raw.Load(CurrentFolders().ScoresFile(1), true, CScoreTable::kKey));
    EXPECT_EQ(raw.GetInt("num", "0"), 3);
    EXPECT_EQ(raw.GetString("name0", ""), "Ann Lee");
    EXPECT_EQ(raw.GetInt("score1", "0"), 800);
    EXPECT_EQ(raw.GetInt("level2", "0"), 1);

    CScoreTable u;
    ASSERT_TRUE(u.Load(CurrentFolders().ScoresFile(1)));
    ASSERT_EQ(u.Entries().size(), 3u);
    EXPECT_EQ(u.Entries()[0].name, "Ann Lee");
    EXPECT_EQ(u.Entries()[1].name, "'x /\\ y");
    EXPECT_EQ(u.Entries()[1].score, 800);
    EXPECT_EQ(u.Entries()[2].score, -5);
}

TEST_F(ScoreTableFile, NineRowsShowInFileOrderUntilTheNextInsertTrimsToSeven)
{
    std::string text = "num 9";
    const int scores[] = {5, 50, 7, 300, 1, 2, 3, 4, 6};
    for (int i = 0; i < 9; ++i)
        text += " name" + std::to_string(i) + " n" + std::to_string(i) + " score" + std::to_string(i) + " " +
                std::to_string(scores[i]) + " level" + std::to_string(i) + " 1";
    WriteTable(text);
    CScoreTable t;
    ASSERT_TRUE(t.Load(CurrentFolders().ScoresFile(0)));
    ASSERT_EQ(t.Entries().size(), 9u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(t.Entries()[i].score, scores[i]) << "no sorting on load, row " << i;
    t.Insert("new", 1000, 2);
    ASSERT_EQ(t.Entries().size(), 7u);
    EXPECT_EQ(t.Entries()[0].name, "new");
    EXPECT_EQ(t.Entries()[6].name, "n5");
}

TEST(ScoreTableRows, SevenRowsKeepTheirPlacesAndLongerTablesCloseUpAboveTheButtons)
{
    using T = CScoreTable;
    const float buttons = 506.0f;  // the top of the Top 7 buttons
    const T::RowPlan seven = T::PlanRows(7, buttons);
    EXPECT_EQ(seven.shown, 7u);
    EXPECT_FLOAT_EQ(seven.step, 50.0f) << "a normal table stands 50 apart from y 150";

    // A file with nine rows shows all nine, closed up, the last one clear of the buttons.
    const T::RowPlan nine = T::PlanRows(9, buttons);
    EXPECT_EQ(nine.shown, 9u);
    EXPECT_LT(nine.step, 50.0f);
    EXPECT_GE(nine.step, T::kMinRowStep);
    const float last = T::kFirstRowY + nine.step * 8;
    EXPECT_LE(last + T::kTextSize / 4, buttons) << "the ninth row runs into the buttons";

    // A hostile count: rows keep a readable spacing and those that do not fit are left out.
    for (size_t count : {20u, 1000u, 2000000u}) {
        const T::RowPlan many = T::PlanRows(count, buttons);
        EXPECT_GE(many.step, T::kMinRowStep) << count;
        ASSERT_GT(many.shown, 9u) << count;
        EXPECT_LT(many.shown, count) << count;
        EXPECT_LE(T::kFirstRowY + many.step * static_cast<float>(many.shown - 1), buttons - T::kTextSize / 2) << count;
    }

    // Nothing to show, or no room at all under a button row above the first row.
    EXPECT_EQ(T::PlanRows(0, buttons).shown, 0u);
    EXPECT_EQ(T::PlanRows(5, 140.0f).shown, 0u);
    EXPECT_EQ(T::PlanRows(1, 600.0f).shown, 1u);
}

TEST_F(ScoreTableFile, DamagedCountsReadOnlyTheEntriesThatAreThere)
{
    CScoreTable t;
    WriteTable("num 2000000000 name0 x score0 3 name1 y score1 2 level2 9");
    ASSERT_TRUE(t.Load(CurrentFolders().ScoresFile(0)));
    ASSERT_EQ(t.Entries().size(), 3u) << "rows only while their keys exist";
    EXPECT_EQ(t.Entries()[2].name, "0") << "a missing key reads its default";
    EXPECT_EQ(t.Entries()[2].level, 9);

    WriteTable("num -7 name0 x score0 3");
    ASSERT_TRUE(t.Load(CurrentFolders().ScoresFile(0)));
    EXPECT_TRUE(t.Entries().empty());

    WriteTable("num 2 name0 a score0 10 name5 lost score5 99");
    ASSERT_TRUE(t.Load(CurrentFolders().ScoresFile(0)));
    EXPECT_EQ(Names(t), (std::vector<std::string>{"a"})) << "the walk stops at the first gap";

    WriteTable("num 1 name0 \"a very long name indeed, far too long\" score0 -2147483648 level0 -3");
    ASSERT_TRUE(t.Load(CurrentFolders().ScoresFile(0)));
    ASSERT_EQ(t.Entries().size(), 1u);
    EXPECT_EQ(t.Entries()[0].name.size(), CScoreTable::kNameLength);
    EXPECT_EQ(t.Entries()[0].score, INT32_MIN);
}

TEST_F(ScoreTableFile, AMissingFileKeepsTheTableAndNoiseGivesNothingHarmful)
{
    CScoreTable t;
    t.Insert("kept", 10, 1);
    EXPECT_FALSE(t.Load("data/none.tab"));
    EXPECT_EQ(Names(t), (std::vector<std::string>{"kept"}));

    // A table written with another key deciphers to noise.
    WriteTable("num 3 name0 a score0 1 name1 b score1 2 name2 c score2 3", "another");
    t.Load(CurrentFolders().ScoresFile(0));
    EXPECT_LT(t.Entries().size(), 3u);

    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<uint8_t> noise(1 + rng() % 4000);
        for (auto& b : noise)
            b = static_cast<uint8_t>(rng());
        Write(CurrentFolders().ScoresFile(0), noise);
        t.Load(CurrentFolders().ScoresFile(0));
        ASSERT_LE(t.Entries().size(), noise.size());
        for (const auto& e : t.Entries()) {
            EXPECT_LE(e.name.size(), CScoreTable::kNameLength);
            for (char c : e.name)
                EXPECT_TRUE(c >= 32 && c <= 126);
        }
    }
}
