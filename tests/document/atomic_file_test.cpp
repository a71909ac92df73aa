#include "atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

TEST(AtomicFile, SavingThroughALinkWritesItsExistingFinalTargetAndKeepsTheLink) {
    // sub/a.vx3 -> ../b.vx3 -> target.vx3: each link relative to its own folder.
    TempFolder folder;
    std::filesystem::create_directory(folder.File("sub"));
    WriteBytes(folder.File("target.vx3"), "old");
    ASSERT_EQ(symlink("../b.vx3", folder.File("sub/a.vx3").c_str()), 0);
    ASSERT_EQ(symlink("target.vx3", folder.File("b.vx3").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(folder.File("sub/a.vx3"), "new").ok);
    EXPECT_EQ(ReadBytes(folder.File("target.vx3")), "new");
    EXPECT_EQ(std::filesystem::read_symlink(folder.File("sub/a.vx3")), "../b.vx3");
    EXPECT_EQ(std::filesystem::read_symlink(folder.File("b.vx3")), "target.vx3");
    EXPECT_EQ(EntriesIn(folder.path()), 4);
}

TEST(AtomicFile, ALinkToNothingIsRefusedAndNothingIsCreatedWhereItPoints) {
    // Directly, through a second link, and to a folder that does not exist either.
    const std::pair<const char*, const char*> links[] = {
        {"a.vx3", "gone.vx3"}, {"a.vx3", "b.vx3"}, {"a.vx3", "nowhere/gone.vx3"}};
    for (const auto& [name, points] : links) {
        for (const WriteMode mode : {WriteMode::Replace, WriteMode::CreateOnly}) {
            TempFolder folder;
            ASSERT_EQ(symlink(points, folder.File(name).c_str()), 0);
            if (std::string(points) == "b.vx3") {
                ASSERT_EQ(symlink("gone.vx3", folder.File("b.vx3").c_str()), 0);
            }
            const int before = EntriesIn(folder.path());
            const AtomicWriteResult written = WriteFileAtomically(folder.File(name), "new", mode);
            EXPECT_FALSE(written.ok) << points;
            EXPECT_EQ(written.error, ENOENT);
            EXPECT_NE(written.reason.find("which does not exist"), std::string::npos) << written.reason;
            EXPECT_EQ(EntriesIn(folder.path()), before) << points;
            std::string target;
            EXPECT_FALSE(ResolveWriteTarget(folder.File(name), target).ok);
        }
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

TEST(AtomicFile, TemporariesOfDeadSavesOfTheSameFileAreRemovedByTheNextSave) {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string dead = std::to_string(child), running = std::to_string(getpid());
    const std::pair<std::string, bool> cases[] = {
        {".x.vx3.tmp-" + dead + "-0", false},   {".x.vx3.tmp-" + dead + "-17", false},
        {".x.vx3.tmp-" + running + "-0", true}, {".y.vx3.tmp-" + dead + "-0", true},
        {".x.vx3.tmp-" + dead + "-0x", true},
    };
    TempFolder folder;
    for (const auto& [name, kept] : cases) WriteBytes(folder.File(name), "left over");
    ASSERT_TRUE(WriteFileAtomically(folder.File("x.vx3"), "saved").ok);
    for (const auto& [name, kept] : cases)
        EXPECT_EQ(std::filesystem::exists(folder.File(name)), kept) << name;
}

TEST(AtomicFile, ASaveKilledWhileWritingLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    const std::string path = folder.File("x.vx3");
    WriteBytes(path, "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Writing beyond the file size limit kills the process with SIGXFSZ mid-save.
        const rlimit noCore{0, 0}, small{100, 100};
        setrlimit(RLIMIT_CORE, &noCore);
        setrlimit(RLIMIT_FSIZE, &small);
        WriteFileAtomically(path, std::string(4096, 'n'));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(EntriesIn(folder.path()), 1);
}

}  // namespace
}  // namespace telvor
