#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallyro {

// RecoveryStore: the copies of unsaved work kept in a folder of their own so
// that a crash never loses a grade. RecoveryEntry: one such copy.
//
// Each open document with unsaved changes has two files there, named from a
// hash of the original file's full path: NAME.grd or NAME.pla, the content
// in the document's own file format (so any copy can be opened as it is),
// and NAME.info, three lines: the original full path, the kind ("grd" or
// "pla") and the time of the last unsaved change in milliseconds since 1970.
// The content is written first; a copy without its info is incomplete.

struct RecoveryEntry {
    std::filesystem::path originalPath;
    std::string kind; // "grd" or "pla"
    std::int64_t changedAtMs = 0;
    std::filesystem::path contentFile;
    std::filesystem::path infoFile;
};

class RecoveryStore {
public:
    explicit RecoveryStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& folder() const { return folder_; }

    // Writes the copy of a document: its file text, then its information.
    // Written without waiting for the disk: the copy guards against the
    // program dying, which leaves what was written with the system, and it
    // must never hold up typing.
    void writeCopy(const std::filesystem::path& original, const std::string& kind,
                   const std::string& text, std::int64_t changedAtMs) const;

    // Where the content copy of a document goes; the folder is created.
    std::filesystem::path contentPathFor(const std::filesystem::path& original,
                                         const std::string& kind) const;
    // Records the copy just written at contentPathFor(original, kind).
    void writeInfo(const std::filesystem::path& original, const std::string& kind,
                   std::int64_t changedAtMs) const;

    // The copy kept for a file, if there is a complete one.
    std::optional<RecoveryEntry> find(const std::filesystem::path& original) const;
    // Every complete copy; copies whose info cannot be read are listed in
    // damaged (their files, to be moved aside).
    std::vector<RecoveryEntry> list(std::vector<std::filesystem::path>* damaged = nullptr) const;

    // The copy is no longer needed (saved, thrown away or restored).
    void remove(const std::filesystem::path& original) const;
    // A copy that could not be read is kept for a person to look at, never
    // loaded half: it is renamed with ".damaged" and no longer listed.
    void moveAside(const std::filesystem::path& file) const;

    // The original path as the store keys it: absolute and normal.
    static std::filesystem::path keyPath(const std::filesystem::path& original);

private:
    std::string baseName(const std::filesystem::path& original) const;

    std::filesystem::path folder_;
};

// Milliseconds since 1970 now, for the time of a change.
std::int64_t nowMs();

} // namespace tallyro
