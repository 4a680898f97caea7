// Whole-or-nothing file output for every writer of the program.
#include "circles/OutputFile.h"

#include "geometry/Utf8Text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every temporary file ends so, which makes one left behind by a killed process recognisable.
constexpr std::string_view kTempSuffix = ".tessel-tmp";
// The longest file name the file systems we write to allow, in bytes.
constexpr std::size_t kNameMax = NAME_MAX;
// Room for ".<16 hex digits>." after the stem, "<pid>-<6 digits>" and the suffix.
constexpr std::size_t kStemMax = kNameMax - 18 - (10 + 1 + 6) - kTempSuffix.size();
// More links than this in a row are taken as a loop, as the system itself does.
constexpr int kMaxLinks = 40;

// The file a save replaces: the end of the chain of symbolic links that starts at `path`, so
// that the links survive; a dangling link gives the file it names, which the save creates.
// False with `error` set for a loop.
bool ResolveTarget(const std::string& path, std::string& target, int& error) {
    target = path;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        if (links == kMaxLinks) {
            error = ELOOP;
            return false;
        }
        std::error_code ec;
        fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            return true; // the link cannot be read; opening it will say why
        }
        target = (fs::path(target).parent_path() / next).string();
    }
}

std::string Hex(std::uint64_t value, int digits) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(std::size_t(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) {
        text[std::size_t(i)] = kHex[value & 0xF];
    }
    return text;
}

// The beginning that every temporary name of `target` shares: as much of its file name as
// fits, then a hash of the whole name, so that long names sharing their beginning differ and
// the temporary name stays within the limit however long the target's name is.
std::string TempStem(const fs::path& target) {
    std::string name = target.filename().string();
    std::uint64_t hash = 14695981039346656037ull; // 64-bit FNV-1a
    for (unsigned char c : name) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    std::size_t keep = std::min(name.size(), kStemMax);
    while (keep > 0 && keep < name.size() && (name[keep] & 0xC0) == 0x80) {
        --keep; // not in the middle of a UTF-8 character
    }
    return name.substr(0, keep) + "." + Hex(hash, 16) + ".";
}

// A name beside the target that no other file has yet: fopen's "x" mode makes the check and
// the creation one step. The process id in the name tells a live save from a dead one's.
std::FILE* CreateTempBeside(const std::string& target, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    fs::path folder = fs::path(target).parent_path();
    std::string stem = TempStem(target) + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = stem + std::to_string(random() % 1000000) + std::string(kTempSuffix);
        std::string candidate = (folder / name).string();
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

// The process id in a temporary name of the stem, or 0 when the name is not one.
pid_t TempOwner(std::string_view name, std::string_view stem) {
    if (!name.starts_with(stem) || !name.ends_with(kTempSuffix)) {
        return 0;
    }
    name.remove_prefix(stem.size());
    pid_t pid = 0;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    return ec == std::errc() && end < name.data() + name.size() && *end == '-' ? pid : 0;
}

// Removes the temporary files of `target` that processes which no longer run left behind
// (killed during a save). Those of running processes may be saves in progress and stay.
void RemoveStaleTemps(const std::string& target) {
    fs::path folder = fs::path(target).parent_path();
    std::string stem = TempStem(target);
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(folder.empty() ? fs::path(".") : folder, ec)) {
        pid_t owner = TempOwner(entry.path().filename().string(), stem);
        bool dead = owner > 0 && owner != getpid() && kill(owner, 0) != 0 && errno == ESRCH;
        if (dead && entry.is_regular_file(ec) && !entry.is_symlink(ec)) {
            fs::remove(entry.path(), ec);
        }
    }
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

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string FileMessage(const std::string& what, const std::string& path,
                        const std::string& reason) {
    return what + " \"" + Printable(path) + "\": " + reason;
}

std::string FileErrorText(const std::string& what, const std::string& path, int error) {
    return FileMessage(what, path, std::string(std::strerror(error)) + ".");
}

COutputFile::~COutputFile() {
    Discard();
}

bool COutputFile::Open(const std::string& path, Mode mode) {
    Discard();
    m_mode = mode;
    m_path = path;
    m_failed = false;
    m_error.clear();
    if (int error = 0; !ResolveTarget(path, m_target, error)) {
        Fail("Cannot write", error);
        return false;
    }
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

bool COutputFile::OpenInPlace(const std::string& path, Mode mode) {
    Discard();
    m_mode = mode;
    m_path = path;
    m_failed = false;
    m_error.clear();
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    m_file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (!m_file) {
        Fail("Cannot write", errno);
        if (fd >= 0) {
            close(fd);
        }
    }
    return m_file != nullptr;
}

bool COutputFile::OpenStandardOutput(const std::string& name, Mode mode) {
    Discard();
    m_mode = mode;
    m_path = name;
    m_failed = false;
    m_error.clear();
    // A duplicate of the descriptor: closing it at the end leaves the process's own open.
    int fd = dup(STDOUT_FILENO);
    m_file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (!m_file) {
        Fail("Cannot write", errno);
        if (fd >= 0) {
            close(fd);
        }
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
    if (ok && !m_temp.empty()) {
        m_temp.clear();
        RemoveStaleTemps(m_target);
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
