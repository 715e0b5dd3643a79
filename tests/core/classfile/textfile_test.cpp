// Reading files: what is not a regular file, or is too large, is refused at
// once; the encoding is decided line by line.
#include "core/classfile/fileerror.h"
#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"
#include "core/lessons/lessonfile.h"
#include "tempfolder.h"

#include <gmock/gmock.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

using namespace tallyro;
using namespace tallyro::testing;

namespace {

std::string openError(const std::string& path, std::size_t limit = kTextFileLimit) {
    try {
        readTextFile(path, limit);
    } catch (const FileError& error) {
        return error.what();
    }
    return "(read)";
}

} // namespace

TEST(ReadingFiles, OnlyRegularFilesAreReadAndOthersAreRefusedAtOnce) {
    ::alarm(20); // reading a pipe used to wait for a writer for ever
    TempFolder folder;
    std::string pipe = folder.file("PIPE.grd");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    std::filesystem::create_symlink(pipe, folder.file("LINK.grd"));
    int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    folder.file("SOCK.grd").copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    EXPECT_THAT(openError(pipe), ::testing::HasSubstr("is a named pipe, not a regular file"));
    EXPECT_THAT(openError(folder.file("LINK.grd")), ::testing::HasSubstr("a named pipe"));
    EXPECT_THAT(openError(folder.file("SOCK.grd")), ::testing::HasSubstr("is a socket, not a"));
    EXPECT_THAT(openError("/dev/zero"), ::testing::HasSubstr("\"/dev/zero\" is a device, not a"));
    EXPECT_THAT(openError(folder.path()), ::testing::HasSubstr("is a folder, not a regular file"));
    ::close(sock);
    // The file commands go through the same reader and empty the record.
    ClassRecord record;
    record.clearToCapacity();
    EXPECT_THROW(readClassFile(pipe, record), FileError);
    EXPECT_FALSE(record.hasCapacity());
    LessonPlan plan;
    EXPECT_THROW(readLessonFile("/dev/zero", plan), FileError);
    EXPECT_THROW(readPeriodNames(pipe), FileError);
    ::alarm(0);
}

TEST(ReadingFiles, FilesLargerThanTheLimitAreRefusedBeforeTheyAreRead) {
    TempFolder folder;
    std::string big = folder.file("BIG.grd");
    spit(big, "");
    std::filesystem::resize_file(big, 5 * 1024 * 1024); // sparse: no disk space
    EXPECT_THAT(openError(big), ::testing::HasSubstr("is larger than 4 MiB"));
    std::filesystem::resize_file(big, kTextFileLimit);
    EXPECT_EQ(readTextFile(big).size(), kTextFileLimit);
    EXPECT_THAT(openError(big, kTextFileLimit - 1), ::testing::HasSubstr("larger than"));
    // /proc files say they are empty: what is read is bounded all the same.
    EXPECT_THAT(openError("/proc/self/maps", 16), ::testing::HasSubstr("larger than 16 bytes"));
}

TEST(ReadingFiles, EncodingIsDecidedLineByLine) {
    // UTF-8, Windows-1252 ending in a lone CR, Windows-1252 quote marks, UTF-8.
    EXPECT_EQ(decodeFileBytes("\xEF\xBB\xBF\"Jos\xC3\xA9\"\r\n\"M\xFCller\"\r\x93Hi\x94\n\xC3\xB1"),
              "\"Jos\xC3\xA9\"\r\n\"M\xC3\xBCller\"\r\xE2\x80\x9CHi\xE2\x80\x9D\n\xC3\xB1");
    // A UTF-8 character split over a line end is UTF-8 on neither line.
    EXPECT_EQ(decodeFileBytes("\xC3\n\xA9"), "\xC3\x83\n\xC2\xA9");

    // One Windows-1252 name no longer spoils the UTF-8 names of a class.
    TempFolder folder;
    std::string path = folder.file("MIXED.grd");
    spit(path, weightsLines() + "2\r\n\"Zo\xC3\xAB\"\r\n\"Fran\xE7ois\"\r\n");
    ClassRecord record;
    readClassFile(path, record);
    EXPECT_EQ(record.studentNames[0], "Zo\xC3\xAB");
    EXPECT_EQ(record.studentNames[1], "Fran\xC3\xA7ois");
}
