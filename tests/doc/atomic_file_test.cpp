#include "atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "temp_folder.h"

namespace telvor {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

int EntriesIn(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::recursive_directory_iterator(folder)) ++count;
    return count;
}

TEST(AtomicFile, SavingThroughALinkWritesItsFinalTargetAndKeepsTheLink) {
    // sub/a.vx3 -> ../b.vx3 -> target.vx3: each link relative to its own folder.
    for (const bool targetExists : {true, false}) {
        TempFolder folder;
        std::filesystem::create_directory(folder.File("sub"));
        if (targetExists) WriteBytes(folder.File("target.vx3"), "old");
        ASSERT_EQ(symlink("../b.vx3", folder.File("sub/a.vx3").c_str()), 0);
        ASSERT_EQ(symlink("target.vx3", folder.File("b.vx3").c_str()), 0);
        ASSERT_TRUE(WriteFileAtomically(folder.File("sub/a.vx3"), "new").ok);
        EXPECT_EQ(ReadBytes(folder.File("target.vx3")), "new");
        EXPECT_EQ(std::filesystem::read_symlink(folder.File("sub/a.vx3")), "../b.vx3");
        EXPECT_EQ(std::filesystem::read_symlink(folder.File("b.vx3")), "target.vx3");
        EXPECT_EQ(EntriesIn(folder.path()), 4);
    }
}

TEST(AtomicFile, AFileOfAnotherOwnerKeepsOwnerGroupAndMode) {
    if (geteuid() != 0) GTEST_SKIP() << "only root saves files of other owners";
    TempFolder folder;
    const std::string path = folder.File("theirs.vx3");
    for (const auto& [uid, gid, mode] : {std::tuple{65534u, 65534u, 0640u}, std::tuple{0u, 65534u, 02660u}}) {
        WriteBytes(path, "old");
        ASSERT_EQ(chown(path.c_str(), uid, gid), 0);
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomically(path, "new").ok);
        struct stat info {};
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, uid);
        EXPECT_EQ(info.st_gid, gid);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

}  // namespace
}  // namespace telvor
