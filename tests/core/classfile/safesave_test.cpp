// Saving replaces only what the teacher asked for, keeps what the file was
// (link, permissions, owner), leaves no temporary file behind, and flushes
// the folder before it says it is done.
#include "core/classfile/fileerror.h"
#include "core/classfile/textfile.h"
#include "tempfolder.h"

#include <gmock/gmock.h>

#include <csignal>
#include <fcntl.h>
#include <regex>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace tallyro;
using namespace tallyro::testing;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

std::string saveError(const std::string& path, const std::string& content = "new") {
    try {
        writeFileAtomically(path, content);
    } catch (const FileError& error) {
        return error.what();
    }
    return "(saved)";
}

// Saves in a child process whose file size limit stops it part way through
// the write: with SIGXFSZ ignored the write fails (as on a full disk), else
// the child is killed in the middle of the save (as by kill -9).
int saveInChildCutShort(const std::string& path, bool killed) {
    pid_t child = ::fork();
    if (child == 0) {
        if (!killed)
            std::signal(SIGXFSZ, SIG_IGN);
        rlimit none{0, 0}, size{1000, 1000};
        ::setrlimit(RLIMIT_CORE, &none);
        ::setrlimit(RLIMIT_FSIZE, &size);
        ::_exit(saveError(path, std::string(5000, 'x')) == "(saved)" ? 0 : 3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

} // namespace

TEST(SafeSave, WhatTheTeacherCannotWriteOrIsNoFileIsNotReplaced) {
    TempFolder folder;
    std::string path = folder.file("ROOM5.grd");
    spit(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_THAT(saveError(path), HasSubstr("Permission denied"));
    EXPECT_EQ(slurp(path), "old");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::group_read);

    ASSERT_EQ(::mkfifo(folder.file("PIPE.pla").c_str(), 0644), 0);
    EXPECT_THAT(saveError(folder.file("PIPE.pla")), HasSubstr("not a regular file"));
    EXPECT_TRUE(fs::is_fifo(folder.file("PIPE.pla")));
    fs::create_directory(folder.file("sub.grd"));
    EXPECT_THAT(saveError(folder.file("sub.grd")), HasSubstr("is a folder"));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"PIPE.pla", "ROOM5.grd", "sub.grd"}));
}

TEST(SafeSave, ThroughSymbolicLinksTheLinkedFileIsWrittenAndTheLinksStay) {
    TempFolder folder;
    fs::create_directories(folder.path() / "real");
    fs::create_directories(folder.path() / "links");
    spit(folder.file("real/ROOM5.grd"), "old");
    fs::create_symlink("../real/ROOM5.grd", folder.file("links/first.grd"));
    fs::create_symlink("first.grd", folder.file("links/second.grd"));
    writeFileAtomically(folder.file("links/second.grd"), "new");
    EXPECT_EQ(slurp(folder.file("real/ROOM5.grd")), "new");
    EXPECT_TRUE(fs::is_symlink(folder.file("links/first.grd")));
    EXPECT_TRUE(fs::is_symlink(folder.file("links/second.grd")));
    EXPECT_EQ(folder.names("real"), std::vector<std::string>{"ROOM5.grd"});

    // A link to a file not made yet makes it; a loop of links is an error.
    fs::create_symlink("made.grd", folder.file("links/dangling.grd"));
    writeFileAtomically(folder.file("links/dangling.grd"), "made");
    EXPECT_TRUE(fs::is_regular_file(folder.file("links/made.grd")));
    fs::create_symlink("loop.grd", folder.file("links/loop.grd"));
    EXPECT_THAT(saveError(folder.file("links/loop.grd")), HasSubstr("symbolic links"));
}

TEST(SafeSave, PermissionsOwnerAndGroupAreKeptAndAnyLegalNameSaves) {
    TempFolder folder;
    std::string path = folder.file(std::string(251, 'n') + ".grd"); // the longest name
    spit(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    bool privileged = ::geteuid() == 0;
    if (privileged)
        ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
    writeFileAtomically(path, "new");
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (privileged) {
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 8765u);
    }
    EXPECT_EQ(slurp(path), "new");
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST(SafeSave, NoTemporaryIsLeftByAFailedOrAKilledSave) {
    TempFolder folder;
    std::string path = folder.file("ROOM5.grd");
    spit(path, "old");
    int status = saveInChildCutShort(path, false);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"ROOM5.grd"});

    ASSERT_TRUE(WIFSIGNALED(saveInChildCutShort(path, true)));
    EXPECT_EQ(slurp(path), "old");
    ASSERT_EQ(folder.names().size(), 2u); // the file and the killed save's temporary
    // A teacher's file that only looks alike, another file's temporary and
    // the temporary of a save still running are left alone.
    std::string prefix = temporaryNamePrefix("ROOM5.grd");
    std::vector<std::string> others = {prefix + "RUNNIN", prefix + "mine",
                                       temporaryNamePrefix("ROOM6.grd") + "AAAAAA"};
    for (const std::string& name : others)
        spit(folder.file(name), "");
    int running = ::open(folder.file(others[0]).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    writeFileAtomically(path, "new");
    EXPECT_EQ(slurp(path), "new");
    others.push_back("ROOM5.grd");
    std::sort(others.begin(), others.end());
    EXPECT_EQ(folder.names(), others);
    ::close(running);
    writeFileAtomically(path, "newer");
    EXPECT_FALSE(fs::exists(folder.file(prefix + "RUNNIN")));
}

// Without a flush of the folder after the rename a power cut can bring the
// old file back. Only the system calls show it: the save runs again under
// strace and its log is read.
TEST(SafeSave, TheFolderIsFlushedAfterTheRename) {
    if (const char* target = std::getenv("TALLYRO_SAVE_ONCE")) {
        writeFileAtomically(target, "traced");
        return;
    }
    if (std::system("strace -V >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace is not installed";
    TempFolder folder;
    std::string path = folder.file("ROOM5.grd");
    std::string log = folder.file("strace.log");
    // LeakSanitizer cannot run under a tracer.
    std::string command =
        "ASAN_OPTIONS=detect_leaks=0 TALLYRO_SAVE_ONCE='" + path + "' strace -f -qq -o '" + log +
        "' -e trace=openat,rename,renameat,renameat2,fsync /proc/" + std::to_string(::getpid()) +
        "/exe --gtest_filter=SafeSave.TheFolderIsFlushedAfterTheRename "
        ">/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || slurp(path) != "traced")
        GTEST_SKIP() << "strace cannot trace here";
    std::string calls = slurp(log);
    std::smatch opened;
    ASSERT_TRUE(std::regex_search(calls, opened,
                                  std::regex("openat\\(AT_FDCWD, \"" + folder.path().string() +
                                             "\", O_RDONLY[^)]*O_DIRECTORY[^)]*\\) = (\\d+)")));
    std::size_t rename = calls.find("rename", opened.position(0));
    ASSERT_NE(rename, std::string::npos);
    EXPECT_NE(calls.find("fsync(" + opened[1].str() + ")", rename), std::string::npos)
        << "no fsync of the folder after the rename";
}
