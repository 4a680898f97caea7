// POSIX implementation of the safe file helpers.
#include "document/SafeFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Reason(const std::string& what, const std::string& path, int error) {
    return what + " \"" + path + "\": " + std::strerror(error) + ".";
}

// The file a save replaces: the target of a symbolic link, so that the link survives.
std::string ResolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        realpath(path.c_str(), resolved)) {
        return resolved;
    }
    return path;
}

// Creates a temporary file beside `target` that no other file has the name of.
int CreateTemporary(const std::string& target, std::string& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
        int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    std::string target = ResolvedTarget(path);
    std::string temporary;
    int fd = CreateTemporary(target, temporary);
    if (fd < 0) {
        error = Reason("Cannot create a file beside", path, errno);
        return false;
    }
    struct stat existing {};
    bool ok = WriteAll(fd, bytes);
    if (ok && stat(target.c_str(), &existing) == 0) {
        ok = fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && fsync(fd) == 0;
    int savedErrno = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        error = Reason("Cannot write", path, savedErrno);
    }
    return ok;
}

ReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& bytes, std::string& error) {
    bytes.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return ReadResult::Missing;
        }
        error = Reason("Cannot open", path, errno);
        return ReadResult::Failed;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "Cannot open \"" + path + "\": it is not a regular file.";
        close(fd);
        return ReadResult::Failed;
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        error = "Cannot open \"" + path + "\": the file is too large.";
        close(fd);
        return ReadResult::Failed;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = Reason("Cannot read", path, errno);
            close(fd);
            return ReadResult::Failed;
        }
        if (got == 0) {
            break; // a file that shrank while being read ends where it ends
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    close(fd);
    return ReadResult::Ok;
}
