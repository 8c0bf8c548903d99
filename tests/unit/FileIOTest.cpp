// Whole-file reads and atomic writes: the old file survives every failed write.
#include "resources/FileIO.h"

#include "app/Log.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class FileIOTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("gw_fileio_" + std::to_string(getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    size_t FilesInDir() const { return size_t(std::distance(std::filesystem::directory_iterator(m_dir), {})); }

    std::filesystem::path m_dir;
};

}  // namespace

TEST_F(FileIOTest, WriteReplacesAndReadsBack)
{
    const std::string path = (m_dir / "scores1.tab").string();
    ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>{1, 2, 3}));
    ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>{9}));
    std::vector<uint8_t> back;
    ASSERT_TRUE(ReadWholeFile(path, back));
    EXPECT_EQ(back, std::vector<uint8_t>{9});
    EXPECT_EQ(FilesInDir(), 1u);  // no temporary file is left beside it

    ASSERT_TRUE(WriteFileAtomic(path, nullptr, 0));
    ASSERT_TRUE(ReadWholeFile(path, back));
    EXPECT_TRUE(back.empty());
}

TEST_F(FileIOTest, FailedRenameKeepsTheOldAndLeavesNoTemporaryFile)
{
    // The target is a folder with something in it: the rename over it must fail.
    const std::filesystem::path target = m_dir / "save.sav";
    std::filesystem::create_directories(target / "inside");
    EXPECT_FALSE(WriteFileAtomic(target.string(), std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(FileIOTest, ReadFailures)
{
    std::vector<uint8_t> out{1};
    EXPECT_FALSE(ReadWholeFile((m_dir / "none").string(), out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(WriteFileAtomic("", nullptr, 0));

    const std::string path = (m_dir / "big").string();
    std::ofstream(path, std::ios::binary) << std::string(200000, 'x');
    EXPECT_FALSE(ReadWholeFile(path, out, 100000));  // over the limit
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(ReadWholeFile(path, out, 200000));
    EXPECT_EQ(out.size(), 200000u);
}

TEST_F(FileIOTest, AWriteCutShortKeepsTheOldFileAndLogsOneLine)
{
    // A full disk as root sees one: a file-size limit, its signal ignored, makes the write fail
    // with EFBIG whatever the folder's mode bits say.
    const std::string path = (m_dir / "dx.cfg").string();
    const std::string log = (m_dir / "log.txt").string();
    ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>(100, 7)));
    ASSERT_TRUE(LogOpen(log.c_str()));
    rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool wrote = WriteFileAtomic(path, std::vector<uint8_t>(10000, 9));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    LogOpen(nullptr);

    EXPECT_FALSE(wrote);
    std::vector<uint8_t> back;
    ASSERT_TRUE(ReadWholeFile(path, back));
    EXPECT_EQ(back, std::vector<uint8_t>(100, 7));
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "cannot write " + path + ": File too large\n");
    EXPECT_EQ(FilesInDir(), 2u);  // the file and the log: the temporary file is gone
}

TEST_F(FileIOTest, AWriteRemovesOnlyItsOwnTemporariesLeftByWritersThatEnded)
{
    // A pid that has surely ended: a child that exited and was reaped.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string dead = std::to_string(child), alive = std::to_string(getppid());
    // A folder of its own each time: a process looks once per file, so a repeated run needs a new path.
    static int run = 0;
    const std::filesystem::path dir = m_dir / ("run" + std::to_string(++run));
    std::filesystem::create_directories(dir);
    const std::vector<std::string> strays = {
        "save.sav.tmp" + dead,     // a killed writer of this file: removed
        "save.sav.tmp" + alive,    // another running game's write in flight: kept
        "save.sav.tmp" + dead + "x",  // not the writer's own pattern: kept
        "save.sav.tmp",
        "save.sav.tmp-" + dead,
        "other.sav.tmp" + dead,    // another file's stray is not this write's business
        "xsave.sav.tmp" + dead,
    };
    for (const auto& name : strays)
        std::ofstream(dir / name) << "half";
    const std::string path = (dir / "save.sav").string();

    // A write that is not made durable (bulk extraction) leaves the folder alone.
    ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>{1}, false));
    EXPECT_TRUE(std::filesystem::exists(dir / strays[0]));

    ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>{2}));
    EXPECT_FALSE(std::filesystem::exists(dir / strays[0]));
    for (size_t i = 1; i < strays.size(); ++i)
        EXPECT_TRUE(std::filesystem::exists(dir / strays[i])) << strays[i];
    EXPECT_EQ(size_t(std::distance(std::filesystem::directory_iterator(dir), {})), strays.size());  // six kept, save.sav

    // Once done, a file's later writes in this process do not look again.
    std::ofstream(dir / strays[0]) << "half";
    ASSERT_TRUE(WriteFileAtomic(path, std::vector<uint8_t>{3}));
    EXPECT_TRUE(std::filesystem::exists(dir / strays[0]));
}
