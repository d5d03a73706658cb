#include "engine/session/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace rux {

namespace {

struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, Closer>;

// Tries a handful of names so that a leftover temporary file from an
// interrupted save never blocks saving. Exclusive creation never reuses a
// file that someone else made.
constexpr int temporaryNameTries = 16;

FileHandle createTemporaryBeside(const std::string& fileName, std::string& temporaryName) {
    for (int attempt = 0; attempt < temporaryNameTries; ++attempt) {
        temporaryName = fileName + ".tmp" + (attempt == 0 ? "" : std::to_string(attempt));
        if (std::FILE* file = std::fopen(temporaryName.c_str(), "wbx")) return FileHandle(file);
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

bool makeDurable(std::FILE* file) {
#ifdef _WIN32
    return ::_commit(::_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0 || errno == EINVAL || errno == ENOTSUP;
#endif
}

bool writeAll(FileHandle file, std::span<const uint8_t> bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                         std::fflush(file.get()) == 0 && makeDurable(file.get());
    // Closing can report the last failure of a delayed write.
    return std::fclose(file.release()) == 0 && written;
}

} // namespace

bool fileExists(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(fileName, error);
    return status.type() != std::filesystem::file_type::not_found;
}

FileContents readFileUpTo(const std::string& fileName, std::size_t limit) {
    FileContents contents;
    const FileHandle file(std::fopen(fileName.c_str(), "rb"));
    if (!file) return contents;
    contents.bytes.resize(limit + 1);
    const std::size_t got = std::fread(contents.bytes.data(), 1, contents.bytes.size(), file.get());
    contents.bytes.resize(got);
    contents.status =
        std::ferror(file.get()) ? FileContents::Status::ReadError : FileContents::Status::Read;
    return contents;
}

bool replaceFile(const std::string& fileName, std::span<const uint8_t> bytes) {
    std::string temporaryName;
    FileHandle file = createTemporaryBeside(fileName, temporaryName);
    if (!file) return false;
    std::error_code error;
    if (!writeAll(std::move(file), bytes)) {
        std::filesystem::remove(temporaryName, error);
        return false;
    }
    std::filesystem::rename(temporaryName, fileName, error);
    if (error) {
        std::filesystem::remove(temporaryName, error);
        return false;
    }
    return true;
}

} // namespace rux
