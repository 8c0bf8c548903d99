// The log: truncated at open, one line per write, silent when it cannot be written.
#include "app/Log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
std::string ReadAll(const std::filesystem::path& p)
{
    std::ifstream f(p);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}
}  // namespace

TEST(Log, StartsEmptyAndAppendsFormattedLines)
{
    const auto path = std::filesystem::temp_directory_path() / "gw_log_test.txt";
    {
        std::ofstream old(path);
        old << "from an earlier run\n";
    }
    ASSERT_TRUE(LogOpen(path.c_str()));
    EXPECT_EQ(ReadAll(path), "");
    LogWrite("CLevel = %s", "ok");
    LogWrite("InitMultiTexture = %s", "true");
    LogWrite("%i-%0.2f", 7, 1.5);
    EXPECT_EQ(ReadAll(path), "CLevel = ok\nInitMultiTexture = true\n7-1.50\n");
    std::filesystem::remove(path);
}

TEST(Log, AnUnwritableLogIsDroppedSilently)
{
    EXPECT_FALSE(LogOpen("/nonexistent-folder/for/log.txt"));
    EXPECT_STREQ(LogFileName(), "");
    LogWrite("nobody reads %s", "this");  // must not crash

    // A log whose file vanishes after opening drops lines without recreating trouble.
    const auto dir = std::filesystem::temp_directory_path() / "gw_log_gone";
    std::filesystem::create_directories(dir);
    const auto path = dir / "log.txt";
    ASSERT_TRUE(LogOpen(path.c_str()));
    std::filesystem::remove_all(dir);
    LogWrite("lost line");
    EXPECT_FALSE(std::filesystem::exists(dir));
}
