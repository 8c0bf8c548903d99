// ParamFile: tokenising, comments, writing, typed look-ups, ParseFloats, and hostile text.
#include "resources/CCipher.h"
#include "resources/ParamFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

namespace {

std::string TempPath(const std::string& leaf)
{
    auto dir = std::filesystem::temp_directory_path() / ("gw_param_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return (dir / leaf).string();
}

ParamFile Parsed(const std::string& text)
{
    ParamFile pf;
    pf.Parse(text, true);
    return pf;
}

}  // namespace

TEST(ParamFileParse, QuotedValuesAndEmptyValueAtTheEnd)
{
    ParamFile pf = Parsed("a 1 b \"x y\" c");
    ASSERT_EQ(pf.Size(), 3u);
    EXPECT_EQ(pf.GetString("a", "?"), "1");
    EXPECT_EQ(pf.GetString("b", "?"), "x y");
    EXPECT_TRUE(pf.Has("c"));
    EXPECT_EQ(pf.GetString("c", "?"), "");
}

TEST(ParamFileParse, PairsSpanLinesAndAnyLineEnds)
{
    ParamFile pf = Parsed("k1\r\n\tv1 k2 v2\rk3\n\n  v3\n");
    EXPECT_EQ(pf.GetString("k1", ""), "v1");
    EXPECT_EQ(pf.GetString("k2", ""), "v2");
    EXPECT_EQ(pf.GetString("k3", ""), "v3");
    EXPECT_EQ(pf.Size(), 3u);
}

TEST(ParamFileParse, QuotedValueKeepsLineEndsAndUnterminatedQuoteTakesTheRest)
{
    ParamFile pf = Parsed("a \"one\ntwo\" b \"open to the end\n x");
    EXPECT_EQ(pf.GetString("a", ""), "one\ntwo");
    EXPECT_EQ(pf.GetString("b", ""), "open to the end\n x");
    EXPECT_EQ(pf.Size(), 2u);
}

TEST(ParamFileParse, CommentsBlankToTheLineFeedEvenInsideQuotes)
{
    ParamFile pf = Parsed("width 800 // the width of it\nheight 600");
    EXPECT_EQ(pf.Size(), 2u);
    EXPECT_EQ(pf.GetString("width", ""), "800");
    EXPECT_EQ(pf.GetString("height", ""), "600");

    // The comment eats the closing quote: the value runs on to the next double quote.
    ParamFile q = Parsed("url \"http://x\"\nnext \"v\"\n");
    EXPECT_EQ(q.GetString("url", ""), "http:    \nnext ");
    EXPECT_TRUE(q.Has("v\""));
}

TEST(ParamFileParse, LaterKeyOverridesAndClearFirstControlsMerging)
{
    ParamFile pf = Parsed("a 1 a 2");
    EXPECT_EQ(pf.GetString("a", ""), "2");
    pf.Parse(std::string("b 3"), false);
    EXPECT_EQ(pf.Size(), 2u);
    pf.Parse(std::string("c 4"), true);
    EXPECT_EQ(pf.Size(), 1u);
    EXPECT_FALSE(pf.Has("a"));
}

TEST(ParamFileParse, EmptyAndWhitespaceOnlyTextsGiveNoPairs)
{
    EXPECT_EQ(Parsed("").Size(), 0u);
    EXPECT_EQ(Parsed(" \t\r\n ").Size(), 0u);
    EXPECT_EQ(Parsed("////\n// x y z").Size(), 0u);
    ParamFile pf;
    EXPECT_TRUE(pf.Parse(nullptr, 0, true));
    EXPECT_EQ(pf.Size(), 0u);
}

TEST(ParamFileParse, BinaryNoiseNeverCrashes)
{
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        std::string noise(rng() % 600, '\0');
        for (char& c : noise) {
            // Lean on the bytes the tokeniser cares about.
            static const char special[] = {'"', '/', ' ', '\n', '\t', '\r', '\0', 'a'};
            c = (rng() % 3 == 0) ? special[rng() % sizeof special] : char(rng());
        }
        ParamFile pf;
        pf.Parse(noise.data(), noise.size(), true);
        pf.Parse(noise.data(), noise.size(), true, "zel");
        // Whatever came out writes and reads back to the same pairs when no value holds a quote.
        bool hasQuote = false;
        for (const auto& [k, v] : pf.Pairs())
            hasQuote = hasQuote || v.find('"') != std::string::npos || k.find('"') != std::string::npos ||
                       k.find("//") != std::string::npos || v.find("//") != std::string::npos ||
                       v.find_first_of("\t\r\n") != std::string::npos || v.empty();
        if (!hasQuote) {
            ParamFile back = Parsed(pf.ToText());
            EXPECT_EQ(back.Pairs(), pf.Pairs());
        }
    }
}

TEST(ParamFileLookup, DefaultsApplyOnlyToAbsentKeys)
{
    ParamFile pf = Parsed("m_sound abc m_speed 2.5x m_neg -12 m_big 99999999999 m_space \"  7\"");
    EXPECT_EQ(Parsed("").GetInt("m_sound", "1"), 1);
    EXPECT_EQ(pf.GetInt("m_sound", "1"), 0);  // present but not numeric
    EXPECT_FALSE(pf.GetBool("m_sound", "1"));
    EXPECT_FLOAT_EQ(pf.GetFloat("m_speed", "0.85"), 2.5f);
    EXPECT_FLOAT_EQ(pf.GetFloat("m_missing", "0.85"), 0.85f);
    EXPECT_EQ(pf.GetInt("m_neg", "0"), -12);
    EXPECT_TRUE(pf.GetBool("m_neg", "0"));
    EXPECT_EQ(pf.GetInt("m_big", "0"), 2147483647);
    EXPECT_EQ(pf.GetInt("m_space", "0"), 7);
    EXPECT_EQ(pf.GetString("m_missing", "dflt"), "dflt");
    EXPECT_FALSE(pf.Has("m_missing"));  // look-ups never add keys
    EXPECT_EQ(pf.GetString("m_missing", nullptr), "");
}

TEST(ParamFileLookup, SettersPrintWithIAndF)
{
    ParamFile pf;
    pf.SetInt("i", -42);
    pf.SetFloat("f", 1.5f);
    pf.SetFloat("g", -0.1f);
    pf.SetFloat("huge", 3.0e38f);
    pf.SetBool("b", true);
    EXPECT_EQ(pf.GetString("i", ""), "-42");
    EXPECT_EQ(pf.GetString("f", ""), "1.500000");
    EXPECT_EQ(pf.GetString("g", ""), "-0.100000");
    EXPECT_EQ(pf.GetString("b", ""), "1");
    EXPECT_FLOAT_EQ(pf.GetFloat("huge", "0"), 3.0e38f);
}

TEST(ParamFileWrite, KeyOrderQuotingAndRoundTrip)
{
    ParamFile pf;
    pf.SetString("b", "2");
    pf.SetString("a", "3 4");
    pf.SetString("c", "tab\there");
    pf.SetString("B", "upper");
    EXPECT_EQ(pf.ToText(), "B upper\na \"3 4\"\nb 2\nc tab\there\n");
    // Only a space makes quotes: a tab value is written bare and splits when read back.
    EXPECT_EQ(Parsed(pf.ToText()).GetString("c", ""), "tab");
    pf.Remove("c");
    ParamFile back = Parsed(pf.ToText());
    EXPECT_EQ(back.GetString("a", ""), "3 4");
    EXPECT_EQ(back.Pairs(), pf.Pairs());
}

TEST(ParamFileWrite, SaveAndLoadPlainAndEnciphered)
{
    const std::string plainPath = TempPath("plain.txt");
    const std::string cipherPath = TempPath("cipher.cfg");
    ParamFile pf;
    pf.SetInt("m_window_width", 1024);
    pf.SetString("name", "a b c");
    ASSERT_TRUE(pf.Save(plainPath));
    ASSERT_TRUE(pf.Save(cipherPath, "zel"));

    ParamFile plain;
    ASSERT_TRUE(plain.Load(plainPath, true));
    EXPECT_EQ(plain.Pairs(), pf.Pairs());

    ParamFile ciphered;
    ASSERT_TRUE(ciphered.Load(cipherPath, true, "zel"));
    EXPECT_EQ(ciphered.Pairs(), pf.Pairs());
    // On disk it is one byte longer than the text and not the text.
    EXPECT_EQ(std::filesystem::file_size(cipherPath), pf.ToText().size() + 1);

    ParamFile foreign;
    foreign.SetString("keep", "me");
    ASSERT_TRUE(foreign.Load(cipherPath, false, "kq71x"));
    EXPECT_EQ(foreign.GetInt("m_window_width", "0"), 0);  // noise, not the stored value
    EXPECT_EQ(foreign.GetString("keep", ""), "me");
}

TEST(ParamFileWrite, MissingFileLeavesTheMapAndUnwritablePathFails)
{
    ParamFile pf = Parsed("a 1");
    EXPECT_FALSE(pf.Load(TempPath("does_not_exist.txt"), true));
    EXPECT_EQ(pf.GetString("a", ""), "1");
    EXPECT_FALSE(pf.Save(TempPath("no_such_dir/x.txt")));
    EXPECT_FALSE(std::filesystem::exists(TempPath("no_such_dir")));
}

TEST(ParamFileWrite, EmptyAndOneByteEncipheredFilesGiveEmptyText)
{
    ParamFile pf = Parsed("a 1");
    EXPECT_TRUE(pf.Parse("", 0, true, "zel"));
    EXPECT_EQ(pf.Size(), 0u);
    const char one = 'x';
    EXPECT_TRUE(pf.Parse(&one, 1, true, "zel"));
    EXPECT_EQ(pf.Size(), 0u);

    // An empty map saved enciphered writes one byte and reads back as nothing.
    const std::string path = TempPath("empty.cfg");
    ASSERT_TRUE(ParamFile().Save(path, "zel"));
    EXPECT_EQ(std::filesystem::file_size(path), 1u);
    ParamFile back;
    EXPECT_TRUE(back.Load(path, true, "zel"));
    EXPECT_EQ(back.Size(), 0u);
}

TEST(ParamFileFloats, SeparatorsAndCapacity)
{
    float v[4] = {-1, -1, -1, -1};
    EXPECT_EQ(ParamFile::ParseFloats("1.5 2   3", v, 4), 3);
    EXPECT_FLOAT_EQ(v[0], 1.5f);
    EXPECT_FLOAT_EQ(v[1], 2.0f);
    EXPECT_FLOAT_EQ(v[2], 3.0f);
    EXPECT_FLOAT_EQ(v[3], -1.0f);

    // Leading and trailing spaces make empty pieces: their elements stay but are used up.
    float w[4] = {-1, -1, -1, -1};
    EXPECT_EQ(ParamFile::ParseFloats("  7 8 ", w, 4), 4);
    EXPECT_FLOAT_EQ(w[0], -1.0f);
    EXPECT_FLOAT_EQ(w[1], 7.0f);
    EXPECT_FLOAT_EQ(w[2], 8.0f);
    EXPECT_FLOAT_EQ(w[3], -1.0f);

    // Never past capacity, and a non-number leaves its element alone.
    float x[3] = {-1, -1, 99};
    EXPECT_EQ(ParamFile::ParseFloats("4 abc 6 7 8", x, 2), 2);
    EXPECT_FLOAT_EQ(x[0], 4.0f);
    EXPECT_FLOAT_EQ(x[1], -1.0f);
    EXPECT_FLOAT_EQ(x[2], 99.0f);

    EXPECT_EQ(ParamFile::ParseFloats("1 2", x, 0), 0);
    EXPECT_EQ(ParamFile::ParseFloats("1 2", nullptr, 3), 0);
}
