#include "core/classfile/textfile.h"

#include "core/classfile/errortext.h"
#include "core/classfile/fileerror.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tallyro {

namespace {

std::string quotedPath(std::string_view path) {
    std::string quoted(1, '"');
    quoted += shownPath(path);
    quoted += '"';
    return quoted;
}

[[noreturn]] void failWith(int error, std::string_view path) {
    throw FileError(std::string(std::strerror(error)) + " (" + shownPath(path) + ")");
}

// Windows-1252 code points for the bytes 0x80..0x9F; 0 marks the five bytes
// the code page leaves undefined, which are kept as the C1 control of the
// same number.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void appendCp1252(std::string& out, std::string_view bytes) {
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            appendUtf8(out, kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : c);
        else
            appendUtf8(out, c);
    }
}

std::string kindOfFile(mode_t mode) {
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "something else";
}

[[noreturn]] void failNotRegular(std::string_view path, mode_t mode) {
    throw FileError(quotedPath(path) + " is " + kindOfFile(mode) + ", not a regular file.");
}

std::string sizeText(std::size_t bytes) {
    if (bytes % (1024 * 1024) == 0)
        return std::to_string(bytes / (1024 * 1024)) + " MiB";
    if (bytes % 1024 == 0)
        return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " bytes";
}

[[noreturn]] void failTooLarge(std::string_view path, std::size_t limit) {
    throw FileError(quotedPath(path) + " is larger than " + sizeText(limit) +
                    ", more than a file of this kind can hold.");
}

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

} // namespace

std::size_t firstInvalidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        // Most of a file is plain ASCII: pass over it eight bytes at a time.
        while (i + 8 <= bytes.size()) {
            uint64_t block;
            std::memcpy(&block, bytes.data() + i, 8);
            if (block & 0x8080808080808080ull)
                break;
            i += 8;
        }
        if (i >= bytes.size())
            break;
        auto c = static_cast<unsigned char>(bytes[i]);
        int extra;
        char32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return i;
        }
        if (i + extra >= bytes.size())
            return i;
        for (int k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        static constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += extra + 1;
    }
    return std::string_view::npos;
}

bool isValidUtf8(std::string_view bytes) {
    return firstInvalidUtf8(bytes) == std::string_view::npos;
}

std::string decodeFileBytes(std::string bytes) {
    if (std::string_view(bytes).substr(0, 3) == "\xEF\xBB\xBF")
        bytes.erase(0, 3);
    std::size_t bad = firstInvalidUtf8(bytes);
    if (bad == std::string_view::npos)
        return bytes;
    // Line ends are ASCII and never inside a UTF-8 character, so every line
    // can be judged on its own. Everything before the line of the first bad
    // byte is known to be valid.
    std::string_view all(bytes);
    std::size_t start = all.find_last_of("\r\n", bad);
    start = start == std::string_view::npos ? 0 : start + 1;
    std::string out(all.substr(0, start));
    out.reserve(bytes.size() + bytes.size() / 4);
    while (start < all.size()) {
        std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view line = all.substr(start, end - start);
        if (isValidUtf8(line))
            out.append(line);
        else
            appendCp1252(out, line);
        if (end < all.size())
            out += all[end];
        start = end + 1;
    }
    return out;
}

std::string readTextFile(const std::string& path, std::size_t sizeLimit) {
    // The type is looked at before the file is opened: opening a named pipe
    // waits for a writer, and a device may never end.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        failWith(errno, path);
    if (!S_ISREG(info.st_mode))
        failNotRegular(path, info.st_mode);
    if (static_cast<std::uintmax_t>(info.st_size) > sizeLimit)
        failTooLarge(path, sizeLimit);

    // O_NONBLOCK: should the name have become a pipe since, opening it still
    // returns at once, and the second look below refuses it.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0)
        failWith(errno, path);
    if (::fstat(fd.get(), &info) != 0)
        failWith(errno, path);
    if (!S_ISREG(info.st_mode))
        failNotRegular(path, info.st_mode);
    if (static_cast<std::uintmax_t>(info.st_size) > sizeLimit)
        failTooLarge(path, sizeLimit);

    // A file that grows while it is read, or one whose size the system does
    // not know, still gives no more than the limit and one byte.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
    char buffer[65536];
    while (bytes.size() <= sizeLimit) {
        std::size_t wanted = std::min(sizeof buffer, sizeLimit + 1 - bytes.size());
        ssize_t n = ::read(fd.get(), buffer, wanted);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failWith(errno, path);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (bytes.size() > sizeLimit)
        failTooLarge(path, sizeLimit);
    fd.reset();
    return decodeFileBytes(std::move(bytes));
}

namespace {

namespace fs = std::filesystem;

// The file a path finally names once every symbolic link on its last part is
// followed. A link to a file that does not exist yet names that file.
std::string followLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(static_cast<std::size_t>(info.st_size) + 256, '\0');
        ssize_t length;
        while ((length = ::readlink(current.c_str(), target.data(), target.size())) >= 0 &&
               static_cast<std::size_t>(length) == target.size())
            target.resize(target.size() * 2);
        if (length < 0)
            failWith(errno, path);
        target.resize(static_cast<std::size_t>(length));
        if (target.empty())
            failWith(ENOENT, path);
        if (target.front() == '/')
            current = target;
        else
            current = (fs::path(current).parent_path() / target).string();
    }
    failWith(ELOOP, path);
}

uint64_t nameHash(std::string_view name) {
    // FNV-1a: the same on every run and every build, unlike std::hash.
    uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

constexpr std::string_view kRandomLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLength = 6;

bool isTemporaryOf(std::string_view entry, std::string_view prefix) {
    if (entry.size() != prefix.size() + kRandomLength || !entry.starts_with(prefix))
        return false;
    for (char c : entry.substr(prefix.size()))
        if (kRandomLetters.find(c) == std::string_view::npos)
            return false;
    return true;
}

// Removes what a save of the same file left when it was killed. A temporary
// that another save still holds locked is left to it.
void removeStaleTemporaries(int folder, const std::string& prefix) {
    int listing = ::dup(folder);
    if (listing < 0)
        return;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return;
    }
    ::rewinddir(dir);
    std::vector<std::string> stale;
    while (dirent* entry = ::readdir(dir)) {
        if (isTemporaryOf(entry->d_name, prefix))
            stale.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : stale) {
        Descriptor fd(
            ::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat info;
        if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folder, name.c_str(), 0);
    }
}

// A file that no one may write is not replaced even for a user whom the
// system would let write it: its read-only mark is the teacher's wish.
int writeRefusal(int folder, const std::string& name, const struct stat& existing) {
    if (::faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0)
        return errno;
    if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    return 0;
}

// The temporary file of one save: removed on every way out unless it has
// taken the file's place.
class Temporary {
public:
    Temporary(int folder, const std::string& prefix, const std::string& shownAs) : folder_(folder) {
        std::random_device random;
        std::uniform_int_distribution<std::size_t> letter(0, kRandomLetters.size() - 1);
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = prefix;
            for (std::size_t i = 0; i < kRandomLength; ++i)
                name_ += kRandomLetters[letter(random)];
            // 0666: the umask decides a new file's permissions, as for any
            // file the teacher creates.
            int fd = ::openat(folder_, name_.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd >= 0) {
                fd_.reset(fd);
                // Held until the save ends, so that a save of the same file
                // running at the same time does not take it for stale.
                ::flock(fd, LOCK_EX | LOCK_NB);
                return;
            }
            if (errno != EEXIST)
                failWith(errno, shownAs);
        }
        failWith(EEXIST, shownAs);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (!placed_)
            ::unlinkat(folder_, name_.c_str(), 0);
    }

    int fd() const { return fd_.get(); }
    const std::string& name() const { return name_; }
    void placed() { placed_ = true; }
    void close() { fd_.reset(); }

private:
    int folder_;
    std::string name_;
    Descriptor fd_;
    bool placed_ = false;
};

} // namespace

std::string temporaryNamePrefix(std::string_view fileName) {
    // The first characters of the name let a person see whose it is; the
    // hash of the whole name tells apart names that start alike.
    std::size_t cut = std::min<std::size_t>(fileName.size(), 16);
    while (cut > 0 && cut < fileName.size() &&
           (static_cast<unsigned char>(fileName[cut]) & 0xC0) == 0x80)
        --cut;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hash;
    for (uint64_t value = nameHash(fileName), i = 0; i < 16; ++i, value >>= 4)
        hash += kHex[value & 0xF];
    std::string prefix(1, '.');
    prefix += fileName.substr(0, cut);
    prefix += '~';
    prefix += hash;
    prefix += ".tly-save-";
    return prefix;
}

void writeFileAtomically(const std::string& path, std::string_view content) {
    fs::path target(followLinks(path));
    std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..")
        throw FileError(quotedPath(path) + " is a folder, not a file.");
    std::string folderPath = target.has_parent_path() ? target.parent_path().string() : ".";

    Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        failWith(errno, folderPath);

    struct stat existing;
    bool exists = ::fstatat(folder.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        failWith(errno, path);
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            throw FileError(quotedPath(path) + " is a folder, not a file.");
        // A pipe or a device would be replaced by a plain file.
        if (!S_ISREG(existing.st_mode))
            failNotRegular(path, existing.st_mode);
        if (int refusal = writeRefusal(folder.get(), name, existing))
            failWith(refusal, path);
    }

    std::string prefix = temporaryNamePrefix(name);
    removeStaleTemporaries(folder.get(), prefix);
    Temporary temporary(folder.get(), prefix, folderPath);

    if (exists) {
        struct stat made;
        if (::fstat(temporary.fd(), &made) == 0 &&
            (made.st_uid != existing.st_uid || made.st_gid != existing.st_gid)) {
            // Only a privileged process may give a file away; an ordinary one
            // may still keep a group it belongs to. Either is best effort.
            if (::fchown(temporary.fd(), existing.st_uid, existing.st_gid) != 0 &&
                ::fchown(temporary.fd(), static_cast<uid_t>(-1), existing.st_gid) != 0) {
                // Neither is allowed: the file becomes the teacher's own, as
                // a file the teacher creates would.
            }
        }
        // After the owner: changing the owner clears the set-id bits.
        if (::fchmod(temporary.fd(), existing.st_mode & 07777) != 0)
            failWith(errno, path);
    }

    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(temporary.fd(), data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failWith(errno, path);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(temporary.fd()) != 0)
        failWith(errno, path);
    if (::renameat(folder.get(), temporary.name().c_str(), folder.get(), name.c_str()) != 0)
        failWith(errno, path);
    temporary.placed();
    temporary.close();
    // Without this a power cut could bring back the folder's entry for the
    // old file although the save was reported done. A file system that has
    // nothing to flush for folders says so with EINVAL.
    if (::fsync(folder.get()) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        failWith(errno, path);
}

} // namespace tallyro
