// COutputFile: writes a file whole or not at all, through a temporary file beside it. The one
// engine behind every file the program writes (exports, bitmaps, documents, the profile).
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

    // What may stand at the path besides a regular file.
    enum class Targets {
        Any,         // a device or a pipe is written directly
        RegularOnly, // anything else is refused, as reading such a file is
    };

    // A regular file is written through a temporary file in the same folder and renamed over
    // the target by Commit; anything else that exists (a device, a pipe) is written directly,
    // never waiting for a pipe that nobody reads. A symbolic link is followed: the file it
    // points to is replaced and the link survives. A replaced file keeps its permissions; a
    // new one gets 0666 less the umask.
    bool Open(const std::string& path, Mode mode, Targets targets = Targets::Any);
    // Writes into the file itself, emptied first (created when missing), for a file that the
    // caller made for us to fill and may hold open: a program that reads the result through
    // its own handle would not see a file renamed over it. A failed write leaves it partial.
    bool OpenInPlace(const std::string& path, Mode mode);
    // Writes to the process's standard output as it is (a pipe, a terminal or a redirected
    // file), named `name` in messages; Commit flushes it and leaves it open.
    bool OpenStandardOutput(const std::string& name, Mode mode);
    void Write(const void* data, std::size_t size);
    void Write(std::string_view text);
    bool Failed() const { return m_failed; }
    // Closes the file and, if every write succeeded, flushes it to the disk and only then puts
    // it in place of the target, so that a crash leaves either the old file or the new one.
    FileStatus Commit();
    // After a failed Open or Commit: a sentence naming the file and the reason.
    const std::string& ErrorText() const { return m_error; }

private:
    // Forgets any earlier file and failure before a new one is opened.
    void Begin(const std::string& path, Mode mode);
    // Writes through the descriptor (a failed open's -1 included), or fails naming errno.
    bool Attach(int fd);
    // A device or a pipe, opened for writing in place.
    bool OpenDirectly(Targets targets);
    void Fail(const std::string& what, int error);
    void Fail(const std::string& what, const std::string& reason);
    bool Finish();
    void Discard();

    std::FILE* m_file = nullptr;
    Mode m_mode = Mode::Binary;
    std::string m_target;
    std::string m_path; // as the caller named it, for messages
    std::string m_temp; // empty when writing to the target directly
    bool m_failed = false;
    std::string m_error;
};

// Removes the temporary files that saves into `folder` (the current one when empty) left
// when their process was killed: those whose process has ended and whose lock nobody holds.
// Every save runs it on its target's folder, and opening a document on the document's.
void RemoveStaleTempFiles(const std::string& folder);

// Makes a write beyond the file-size limit (ulimit -f) fail with EFBIG like a full disk, so that
// it is reported and its temporary file removed, instead of the signal that would kill the
// process on the spot. Each program calls it once at start-up.
void IgnoreFileSizeSignal();

// "<what> "<path>": <reason>" as the file helpers report failures, on one line: the path's
// non-printable bytes are escaped.
std::string FileMessage(const std::string& what, const std::string& path,
                        const std::string& reason);
// Why a path that is not a regular file is not written or read, from its stat mode: "it is a
// named pipe (FIFO), not a regular file." and the like.
std::string NotRegularReason(unsigned mode);

// FileMessage with the reason for errno `error`, as "<what> "<path>": <reason>."
std::string FileErrorText(const std::string& what, const std::string& path, int error);
