#include "engine/session/transcript_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rux {

bool TranscriptFile::open(const std::string& fileName, Mode mode) {
    close();
    std::FILE* file = std::fopen(fileName.c_str(), mode == Mode::Append ? "ab" : "wb");
    if (!file) return false;
    file_.reset(file);
    // The absolute name, so that the check for a deleted file still finds it
    // if the working folder changes.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
    fileName_ = error ? fileName : absolute.string();
#ifndef _WIN32
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0) {
        close();
        return false;
    }
    device_ = static_cast<uint64_t>(info.st_dev);
    inode_ = static_cast<uint64_t>(info.st_ino);
#endif
    return true;
}

bool TranscriptFile::writeLine(std::string_view line) {
    if (!file_) return false;
    const bool written =
        stillInPlace() && std::fwrite(line.data(), 1, line.size(), file_.get()) == line.size() &&
        std::fwrite(kTranscriptLineEnd.data(), 1, kTranscriptLineEnd.size(), file_.get()) ==
            kTranscriptLineEnd.size() &&
        std::fflush(file_.get()) == 0 && makeDurable();
    if (!written) close();
    return written;
}

void TranscriptFile::close() {
    file_.reset();
    fileName_.clear();
    device_ = inode_ = 0;
}

// Windows does not let an open file be deleted; elsewhere a deleted or
// replaced file would silently swallow every further line.
bool TranscriptFile::stillInPlace() const {
#ifdef _WIN32
    return true;
#else
    struct stat info {};
    return ::stat(fileName_.c_str(), &info) == 0 && static_cast<uint64_t>(info.st_dev) == device_ &&
           static_cast<uint64_t>(info.st_ino) == inode_;
#endif
}

// Hands the flushed line from the system's cache to the disk. Targets that
// cannot be synchronised (a pipe, a device) count as done.
bool TranscriptFile::makeDurable() {
#ifdef _WIN32
    return ::_commit(::_fileno(file_.get())) == 0;
#else
#if defined(__linux__)
    const int result = ::fdatasync(::fileno(file_.get()));
#else
    const int result = ::fsync(::fileno(file_.get()));
#endif
    return result == 0 || errno == EINVAL || errno == ENOTSUP;
#endif
}

} // namespace rux
