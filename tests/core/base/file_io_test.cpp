#include "base/settings_file_io.h"
#include "core/base/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tlx {
namespace {

// A process id that no process holds any more.
pid_t deadPid() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(FileIo, OnlyRegularFilesAreRead) {
    test::TempDir dir;
    // A FIFO without a writer would block an ordinary open for ever.
    ASSERT_EQ(::mkfifo(dir.file("fifo.dat").c_str(), 0600), 0);
    EXPECT_EQ(readWholeFile(dir.file("fifo.dat")).reason, "not a regular file");
    EXPECT_FALSE(readWholeFile(dir.file("fifo.dat")).bytes);
    EXPECT_EQ(readWholeFile("/dev/null").reason, "not a regular file");
    test::spit(dir.file("a.dat"), "1\r\n");
    EXPECT_EQ(readWholeFile(dir.file("a.dat")).bytes, "1\r\n");
}

TEST(FileIo, ASaveRemovesTheTemporariesOfKilledSavesOnly) {
    test::TempDir dir;
    const std::string dead = std::to_string(deadPid());
    const std::string alive = std::to_string(::getppid());
    const std::string stale = dir.file(".a.dat.tmp-" + dead);
    const std::string staleSecond = dir.file(".a.dat.tmp-" + dead + "-2");
    const std::string running = dir.file(".a.dat.tmp-" + alive);
    const std::string otherTarget = dir.file(".b.dat.tmp-" + dead);
    for (const auto& f : {stale, staleSecond, running, otherTarget}) {
        test::spit(f, "half");
    }
    ASSERT_TRUE(writeFileAtomically(dir.file("a.dat"), "new", false).ok());
    EXPECT_EQ(test::slurp(dir.file("a.dat")), "new");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_FALSE(std::filesystem::exists(staleSecond));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(otherTarget));
    // Nothing of this save is left beside the target.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 3u);
}

} // namespace
} // namespace tlx
