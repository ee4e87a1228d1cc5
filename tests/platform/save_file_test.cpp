// Saving through temporary files: their names, what a failed save leaves, and which temporary
// files of interrupted saves a later save removes.
#include "platform/save_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class SaveFileTest : public ::testing::Test {
protected:
    SaveFileTest()
        : m_dir(fs::temp_directory_path() / ("kxsave" + std::to_string(getpid())))
    {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    ~SaveFileTest() override { fs::remove_all(m_dir); }

    std::string Path(const std::string &name) const { return (m_dir / name).string(); }
    void Touch(const std::string &name, long ageSeconds = 0) const
    {
        std::ofstream(Path(name)) << "partial";
        if (ageSeconds > 0) {
            timeval times[2] {};
            times[0].tv_sec = times[1].tv_sec = time(nullptr) - ageSeconds;
            utimes(Path(name).c_str(), times);
        }
    }
    std::string Read(const std::string &name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path m_dir;
};

} // namespace

TEST(TemporaryFileNameTest, OnlyTheSaveFilesOwnPatternCounts)
{
    long pid = 0;
    EXPECT_TRUE(kx::IsTemporaryFileName("demo.xml.kxtmp.4711.a8Zq0x", &pid));
    EXPECT_EQ(pid, 4711);
    EXPECT_TRUE(kx::IsTemporaryFileName("x.kxtmp.1.AAAAAA"));
    for (const char *name : {"demo.xml", ".kxtmp.4711.a8Zq0x", "demo.xml.kxtmp..a8Zq0x",
             "demo.xml.kxtmp.4711.a8Zq0", "demo.xml.kxtmp.4711.a8Zq0x.png", "demo.xml.4711.a8Zq0x",
             "demo.xml.kxtmp.47a1.a8Zq0x", "demo.xml.kxtmp.4711.a8-q0x", "demo.xml.XXXXXX"}) {
        EXPECT_FALSE(kx::IsTemporaryFileName(name)) << name;
    }
}

TEST_F(SaveFileTest, ASaveReplacesTheTargetAndLeavesNoTemporaryFile)
{
    kx::SaveFile file;
    ASSERT_TRUE(file.Open(Path("p.xml")));
    ASSERT_TRUE(file.Write("<root/>\n"));
    // While it is written, the temporary file carries the writer's process id.
    bool seen = false;
    for (const auto &entry : fs::directory_iterator(m_dir)) {
        long pid = 0;
        seen = kx::IsTemporaryFileName(entry.path().filename().string(), &pid) && pid == getpid();
    }
    EXPECT_TRUE(seen);
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(Read("p.xml"), "<root/>\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

    std::string error;
    EXPECT_FALSE(kx::SaveFile::WriteWhole(Path("missing/p.xml"), "x", &error));
    EXPECT_EQ(error, "folder does not exist");
    EXPECT_FALSE(kx::SaveFile::WriteWhole(m_dir.string(), "x", &error)); // a folder
    EXPECT_EQ(error, "Is a directory");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(SaveFileTest, ALaterSaveRemovesOnlyTemporaryFilesWhoseWriterIsGone)
{
    // A process that certainly ended: a child that has been waited for.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string gone = std::to_string(child);
    const std::string running = std::to_string(getppid());

    Touch("a.xml.kxtmp." + gone + ".aaaaaa"); // writer gone: removed
    Touch("b.cpp.kxtmp." + running + ".bbbbbb"); // writer running, fresh: kept
    Touch("c.h.kxtmp." + running + ".cccccc", 2 * 24 * 3600); // running, but two days old
    Touch("d.xml.kxtmp." + running + ".dddddd", 23 * 3600); // running, less than a day old
    Touch("e.xml." + gone + ".eeeeee"); // not a temporary file of a save
    Touch("f.xml");
    fs::create_directory(m_dir / ("g.xml.kxtmp." + gone + ".gggggg")); // a folder stays

    ASSERT_TRUE(kx::SaveFile::WriteWhole(Path("p.xml"), "<root/>\n"));
    std::set<std::string> left;
    for (const auto &entry : fs::directory_iterator(m_dir))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left,
        (std::set<std::string> {"b.cpp.kxtmp." + running + ".bbbbbb",
            "d.xml.kxtmp." + running + ".dddddd", "e.xml." + gone + ".eeeeee", "f.xml",
            "g.xml.kxtmp." + gone + ".gggggg", "p.xml"}));
}
