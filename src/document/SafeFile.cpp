// Whole-file reading, and whole-file writing through the one whole-or-nothing engine.
#include "document/SafeFile.h"

#include "circles/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error, COutputFile::Targets targets) {
    COutputFile file;
    if (file.Open(path, COutputFile::Mode::Binary, targets)) {
        file.Write(bytes.data(), bytes.size());
        if (file.Commit() == FileStatus::Ok) {
            return true;
        }
    }
    error = file.ErrorText();
    return false;
}

namespace {

// What is read of a file that reports a smaller size, before the buffer doubles.
constexpr std::size_t kFirstRead = 4096;

// Opens without blocking, so that a named pipe with no writer cannot hold the program; the
// caller checks what was opened before reading.
int OpenForReading(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    return fd;
}

} // namespace

ReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& bytes, std::string& error) {
    bytes.clear();
    int fd = OpenForReading(path);
    if (fd < 0) {
        if (errno == ENOENT) {
            return ReadResult::Missing;
        }
        error = FileErrorText("Cannot open", path, errno);
        return ReadResult::Failed;
    }
    const auto fail = [&](std::string message) {
        error = std::move(message);
        close(fd);
        return ReadResult::Failed;
    };
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return fail(FileMessage("Cannot open", path, NotRegularReason(info.st_mode)));
    }
    const std::string tooLarge = FileMessage("Cannot open", path, "the file is too large.");
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        return fail(tooLarge);
    }
    // The size the system reports is where reading starts, not where it ends: files of the
    // system's own (/proc) report 0 and still hold text, and a file may grow meanwhile. One
    // byte more than reported lets the read that finds the end go without growing.
    bytes.resize(
        std::min(std::max<std::size_t>(static_cast<std::size_t>(info.st_size) + 1, kFirstRead),
                 maxBytes + 1));
    std::size_t done = 0;
    while (true) {
        if (done == bytes.size()) {
            if (done > maxBytes) {
                return fail(tooLarge);
            }
            bytes.resize(std::min(2 * done, maxBytes + 1));
        }
        ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return fail(FileErrorText("Cannot read", path, errno));
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    close(fd);
    return ReadResult::Ok;
}
