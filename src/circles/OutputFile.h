// COutputFile: writes a file whole or not at all, through a temporary file beside it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// What became of an attempt to write a file.
enum class FileStatus {
    Ok,
    NothingToWrite, // there was no content (a bitmap never created); no file was touched
    CannotOpen,     // the file (or the temporary file beside it) could not be created
    WriteFailed,    // a write, the flush or the final rename failed; the target is unchanged
};

class COutputFile {
public:
    enum class Mode {
        Binary,
        Text, // every "\n" is stored as CR LF
    };

    COutputFile() = default;
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;
    // Discards the temporary file when Commit was not reached.
    ~COutputFile();

    // A regular file is written through a temporary file in the same folder and renamed over
    // the target by Commit; anything else that exists (a device, a pipe) is written directly.
    bool Open(const std::string& path, Mode mode);
    void Write(const void* data, std::size_t size);
    void Write(std::string_view text);
    bool Failed() const { return m_failed; }
    // Closes the file and, if every write succeeded, puts it in place of the target.
    FileStatus Commit();

private:
    void Discard();

    std::FILE* m_file = nullptr;
    Mode m_mode = Mode::Binary;
    std::string m_target;
    std::string m_temp; // empty when writing to the target directly
    bool m_failed = false;
};
