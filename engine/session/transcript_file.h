#pragma once
// The file behind the transcript: lines of Windows-1252 bytes, each ended by
// the platform's line end and put on the disk before the next one comes, so
// that a crash or a power cut keeps everything written so far.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace rux {

#ifdef _WIN32
inline constexpr std::string_view kTranscriptLineEnd = "\r\n";
#else
inline constexpr std::string_view kTranscriptLineEnd = "\n";
#endif

class TranscriptFile {
  public:
    enum class Mode {
        Write,  // a new, empty file (an existing one is replaced)
        Append, // continue after the file's last line
    };

    // Opens the file; false when it cannot be opened, with nothing open then.
    bool open(const std::string& fileName, Mode mode);
    // Writes the bytes as one line and makes it durable. False when that
    // failed, or when the file was deleted or replaced under the open
    // handle (lines would vanish with it); the file is closed then.
    bool writeLine(std::string_view line);
    void close();
    bool isOpen() const { return file_ != nullptr; }

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    bool stillInPlace() const;
    bool makeDurable();

    std::unique_ptr<std::FILE, Closer> file_;
    std::string fileName_;
    // Which file the name stood for when it was opened (device, inode).
    uint64_t device_ = 0;
    uint64_t inode_ = 0;
};

} // namespace rux
