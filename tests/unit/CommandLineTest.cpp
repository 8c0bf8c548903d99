// The start-up options: what each one sets and which arguments are refused.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLine Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "gorgewing2");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

}  // namespace

TEST(CommandLineTest, EachOptionSetsItsField)
{
    const CommandLine none = Parse({});
    EXPECT_TRUE(none.error.empty());
    EXPECT_EQ(none.screen, CommandLine::Screen::AsStored);
    EXPECT_FALSE(none.portable || none.help || none.version);
    EXPECT_TRUE(none.dataDir.empty());

    EXPECT_EQ(Parse({"--windowed"}).screen, CommandLine::Screen::Windowed);
    EXPECT_EQ(Parse({"--fullscreen"}).screen, CommandLine::Screen::FullScreen);
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"--version"}).version);
    const CommandLine all = Parse({"--portable", "--data", "/opt/gw", "--windowed"});
    EXPECT_TRUE(all.error.empty()) << all.error;
    EXPECT_TRUE(all.portable);
    EXPECT_EQ(all.dataDir, "/opt/gw");
    EXPECT_EQ(all.screen, CommandLine::Screen::Windowed);
    EXPECT_EQ(Parse({"--data=games/gw2"}).dataDir, "games/gw2");
}

TEST(CommandLineTest, RefusedArgumentsNameTheFault)
{
    const CommandLine unknown = Parse({"--windowed", "--fulscreen"});
    EXPECT_NE(unknown.error.find("--fulscreen"), std::string::npos) << unknown.error;
    EXPECT_FALSE(Parse({"level1"}).error.empty());
    EXPECT_FALSE(Parse({"-x"}).error.empty());
    EXPECT_NE(Parse({"--data"}).error.find("--data"), std::string::npos);
    EXPECT_FALSE(Parse({"--data="}).error.empty());
    EXPECT_FALSE(Parse({"--data", ""}).error.empty());
    EXPECT_FALSE(Parse({"--windowed", "--fullscreen"}).error.empty());
}

TEST(CommandLineTest, UsageNamesEveryOption)
{
    const std::string usage = UsageText();
    for (const char* option : {"--windowed", "--fullscreen", "--data DIR", "--portable", "--help", "--version"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(VersionText().rfind("gorgewing2 ", 0), 0u);
}
