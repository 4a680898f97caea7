// Whole-or-nothing file output for every writer of the program.
#include "circles/OutputFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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

// A name beside the target that no other file has yet: fopen's "x" mode makes the check and
// the creation one step.
std::FILE* CreateTempBeside(const std::string& target, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string candidate = target + ".tmp" + std::to_string(random() % 1000000);
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            tempPath = candidate;
            return file;
        }
        if (errno != EEXIST) {
            return nullptr; // the folder refuses new files
        }
    }
    return nullptr;
}

// An existing file we may not write stays refused, as opening it directly would be.
bool ExistingFileWritable(const std::string& path) {
    std::FILE* probe = std::fopen(path.c_str(), "r+b");
    if (!probe) {
        return false;
    }
    std::fclose(probe);
    return true;
}

} // namespace

std::string FileErrorText(const std::string& what, const std::string& path, int error) {
    return what + " \"" + path + "\": " + std::strerror(error) + ".";
}

COutputFile::~COutputFile() {
    Discard();
}

bool COutputFile::Open(const std::string& path, Mode mode) {
    Discard();
    m_mode = mode;
    m_path = path;
    m_target = ResolvedTarget(path);
    m_failed = false;
    m_error.clear();
    std::error_code ec;
    fs::file_status status = fs::status(fs::path(m_target), ec);
    if (fs::is_directory(status)) {
        Fail("Cannot write", EISDIR);
        return false;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        m_file = std::fopen(m_target.c_str(), "wb");
        if (!m_file) {
            Fail("Cannot write", errno);
        }
        return m_file != nullptr;
    }
    if (fs::exists(status) && !ExistingFileWritable(m_target)) {
        Fail("Cannot write", errno);
        return false;
    }
    m_file = CreateTempBeside(m_target, m_temp);
    if (!m_file) {
        Fail("Cannot create a file beside", errno);
    } else if (fs::exists(status)) {
        fs::permissions(fs::path(m_temp), status.permissions(), ec); // the new file keeps them
    }
    return m_file != nullptr;
}

void COutputFile::Write(const void* data, std::size_t size) {
    if (!m_file) {
        m_failed = true;
        return;
    }
    if (m_failed || size == 0) {
        return;
    }
    if (std::fwrite(data, 1, size, m_file) != size) {
        Fail("Cannot write", errno);
    }
}

void COutputFile::Write(std::string_view text) {
    if (m_mode == Mode::Binary) {
        Write(text.data(), text.size());
        return;
    }
    std::size_t start = 0;
    for (std::size_t newline = text.find('\n'); newline != std::string_view::npos;
         newline = text.find('\n', start)) {
        Write(text.data() + start, newline - start);
        Write("\r\n", 2);
        start = newline + 1;
    }
    Write(text.data() + start, text.size() - start);
}

FileStatus COutputFile::Commit() {
    if (!m_file) {
        return FileStatus::CannotOpen;
    }
    bool ok = Finish();
    if (ok) {
        m_temp.clear();
    }
    Discard();
    return ok ? FileStatus::Ok : FileStatus::WriteFailed;
}

// Flush, sync, close and rename, each step only after the one before succeeded.
bool COutputFile::Finish() {
    bool ok = !m_failed;
    if (ok && (std::fflush(m_file) != 0 || std::ferror(m_file))) {
        Fail("Cannot write", errno);
        ok = false;
    }
    // Devices and pipes may not support fsync; only the temporary file must reach the disk.
    if (ok && !m_temp.empty() && fsync(fileno(m_file)) != 0) {
        Fail("Cannot write", errno);
        ok = false;
    }
    if (std::fclose(m_file) != 0 && ok) {
        Fail("Cannot write", errno);
        ok = false;
    }
    m_file = nullptr;
    if (ok && !m_temp.empty() && std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        Fail("Cannot write", errno);
        ok = false;
    }
    return ok;
}

void COutputFile::Fail(const std::string& what, int error) {
    if (!m_failed || m_error.empty()) {
        m_error = FileErrorText(what, m_path, error);
    }
    m_failed = true;
}

void COutputFile::Discard() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temp.empty()) {
        std::error_code ec;
        fs::remove(fs::path(m_temp), ec);
        m_temp.clear();
    }
}
