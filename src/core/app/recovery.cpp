#include "core/app/recovery.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace tallyro {

namespace {

// FNV-1a: a short, stable name for a path of any length or alphabet.
std::string hashName(const std::string& text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(hash));
    return buffer;
}

std::optional<RecoveryEntry> readInfo(const fs::path& infoFile) {
    std::ifstream in(infoFile, std::ios::binary);
    std::string path, kind, time;
    if (!in || !std::getline(in, path) || !std::getline(in, kind) || !std::getline(in, time))
        return std::nullopt;
    if (path.empty() || (kind != "grd" && kind != "pla"))
        return std::nullopt;
    RecoveryEntry entry;
    try {
        entry.changedAtMs = std::stoll(time);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    entry.originalPath = fs::path(path);
    entry.kind = kind;
    entry.infoFile = infoFile;
    entry.contentFile = fs::path(infoFile).replace_extension("." + kind);
    std::error_code error;
    if (!fs::is_regular_file(entry.contentFile, error))
        return std::nullopt;
    return entry;
}

} // namespace

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

fs::path RecoveryStore::keyPath(const fs::path& original) {
    std::error_code error;
    fs::path absolute = fs::absolute(original, error);
    return (error ? original : absolute).lexically_normal();
}

std::string RecoveryStore::baseName(const fs::path& original) const {
    return hashName(keyPath(original).string());
}

fs::path RecoveryStore::contentPathFor(const fs::path& original, const std::string& kind) const {
    fs::create_directories(folder_);
    return folder_ / (baseName(original) + "." + kind);
}

namespace {

void writeReplacing(const fs::path& file, const std::string& text) {
    fs::path temporary = fs::path(file).concat(".new");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw std::runtime_error("Unable to write the copy of unsaved work.");
        }
    }
    fs::rename(temporary, file);
}

} // namespace

void RecoveryStore::writeCopy(const fs::path& original, const std::string& kind,
                              const std::string& text, std::int64_t changedAtMs) const {
    writeReplacing(contentPathFor(original, kind), text);
    writeInfo(original, kind, changedAtMs);
}

void RecoveryStore::writeInfo(const fs::path& original, const std::string& kind,
                              std::int64_t changedAtMs) const {
    fs::create_directories(folder_);
    writeReplacing(folder_ / (baseName(original) + ".info"),
                   keyPath(original).string() + "\n" + kind + "\n" + std::to_string(changedAtMs) +
                       "\n");
}

std::optional<RecoveryEntry> RecoveryStore::find(const fs::path& original) const {
    fs::path info = folder_ / (baseName(original) + ".info");
    std::error_code error;
    if (!fs::exists(info, error))
        return std::nullopt;
    auto entry = readInfo(info);
    // A name collision of two paths is as good as none.
    if (entry && entry->originalPath != keyPath(original))
        return std::nullopt;
    return entry;
}

std::vector<RecoveryEntry> RecoveryStore::list(std::vector<fs::path>* damaged) const {
    std::vector<RecoveryEntry> entries;
    std::error_code error;
    if (!fs::is_directory(folder_, error))
        return entries;
    for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
        if (file.path().extension() != ".info")
            continue;
        if (auto entry = readInfo(file.path()))
            entries.push_back(*entry);
        else if (damaged)
            damaged->push_back(file.path());
    }
    return entries;
}

void RecoveryStore::remove(const fs::path& original) const {
    std::error_code error;
    std::string base = baseName(original);
    fs::remove(folder_ / (base + ".info"), error);
    fs::remove(folder_ / (base + ".grd"), error);
    fs::remove(folder_ / (base + ".pla"), error);
}

void RecoveryStore::moveAside(const fs::path& file) const {
    std::error_code error;
    fs::path stem = fs::path(file).replace_extension();
    for (const char* extension : {".info", ".grd", ".pla"}) {
        fs::path part = fs::path(stem).concat(extension);
        if (fs::exists(part, error))
            fs::rename(part, fs::path(part).concat(".damaged"), error);
    }
}

} // namespace tallyro
