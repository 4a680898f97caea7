// Whole-or-nothing file output for every writer of the program.
#include "circles/OutputFile.h"

#include "geometry/Utf8Text.h"

#include <algorithm>
#include <cctype>
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
#include <sys/file.h>
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
// the creation one step. The process id in the name and a lock on the file tell a live save
// from a dead one's.
std::FILE* CreateTempBeside(const std::string& target, std::string& tempPath) {
    std::random_device seed;
    std::mt19937 random(seed());
    fs::path folder = fs::path(target).parent_path();
    std::string stem = TempStem(target) + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = stem + std::to_string(random() % 1000000) + std::string(kTempSuffix);
        std::string candidate = (folder / name).string();
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            flock(fileno(file), LOCK_EX | LOCK_NB); // held until the file is closed
            tempPath = candidate;
            return file;
        }
        if (errno != EEXIST) {
            return nullptr; // the folder refuses new files
        }
    }
    return nullptr;
}

bool AllOf(std::string_view text, bool (*test)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), test);
}

// The process id in a temporary name, "<name>.<16 hex digits>.<pid>-<digits>.tessel-tmp", or
// 0 when the name is not one.
pid_t TempOwner(std::string_view name) {
    if (!name.ends_with(kTempSuffix)) {
        return 0;
    }
    name.remove_suffix(kTempSuffix.size());
    const std::size_t dot = name.rfind('.');
    const std::size_t dash = name.rfind('-');
    if (dot == std::string_view::npos || dot < 17 || name[dot - 17] != '.' || dash < dot) {
        return 0;
    }
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!AllOf(name.substr(dot - 16, 16), hex) || !AllOf(name.substr(dash + 1), digit)) {
        return 0;
    }
    pid_t pid = 0;
    auto [end, ec] = std::from_chars(name.data() + dot + 1, name.data() + dash, pid);
    return ec == std::errc() && end == name.data() + dash ? pid : 0;
}

// Removes the file when no process holds its lock: the one that wrote it has ended.
void RemoveUnlocked(const fs::path& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
        std::error_code ec;
        fs::remove(path, ec);
    }
    close(fd);
}

} // namespace

void RemoveStaleTempFiles(const std::string& folder) {
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(folder.empty() ? fs::path(".") : fs::path(folder), ec)) {
        pid_t owner = TempOwner(entry.path().filename().string());
        if (owner > 0 && owner != getpid() && kill(owner, 0) != 0 && errno == ESRCH) {
            RemoveUnlocked(entry.path());
        }
    }
}

namespace {

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

std::string NotRegularReason(unsigned mode) {
    if (S_ISDIR(mode)) {
        return "it is a folder, not a file.";
    }
    if (S_ISFIFO(mode)) {
        return "it is a named pipe (FIFO), not a regular file.";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "it is a device, not a regular file.";
    }
    if (S_ISSOCK(mode)) {
        return "it is a socket, not a regular file.";
    }
    return "it is not a regular file.";
}

std::string FileErrorText(const std::string& what, const std::string& path, int error) {
    return FileMessage(what, path, std::string(std::strerror(error)) + ".");
}

void COutputFile::Begin(const std::string& path, Mode mode) {
    Discard();
    m_mode = mode;
    m_path = path;
    m_failed = false;
    m_error.clear();
}

bool COutputFile::Attach(int fd) {
    m_file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (!m_file) {
        Fail("Cannot write", errno);
        if (fd >= 0) {
            close(fd);
        }
    }
    return m_file != nullptr;
}

COutputFile::~COutputFile() {
    Discard();
}

bool COutputFile::Open(const std::string& path, Mode mode, Targets targets) {
    Begin(path, mode);
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
        return OpenDirectly(targets);
    }
    if (fs::exists(status) && !ExistingFileWritable(m_target)) {
        Fail("Cannot write", errno);
        return false;
    }
    // Before the new file, so that the space of abandoned ones is free for it.
    RemoveStaleTempFiles(fs::path(m_target).parent_path().string());
    m_file = CreateTempBeside(m_target, m_temp);
    if (!m_file) {
        Fail("Cannot create a file beside", errno);
    } else if (fs::exists(status)) {
        fs::permissions(fs::path(m_temp), status.permissions(), ec); // the new file keeps them
    }
    return m_file != nullptr;
}

bool COutputFile::OpenDirectly(Targets targets) {
    struct stat info {};
    if (stat(m_target.c_str(), &info) != 0) {
        Fail("Cannot write", errno);
        return false;
    }
    if (targets == Targets::RegularOnly) {
        Fail("Cannot write", NotRegularReason(info.st_mode));
        return false;
    }
    // Without O_NONBLOCK, opening a pipe that no program reads would wait for one for ever.
    int fd = open(m_target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENXIO && S_ISFIFO(info.st_mode)) {
            Fail("Cannot write", "it is a named pipe (FIFO) that no program reads.");
        } else {
            Fail("Cannot write", errno);
        }
        return false;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return Attach(fd);
}

bool COutputFile::OpenInPlace(const std::string& path, Mode mode) {
    Begin(path, mode);
    // As Open, no waiting for a pipe that nobody reads.
    int fd =
        open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd >= 0) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    return Attach(fd);
}

bool COutputFile::OpenStandardOutput(const std::string& name, Mode mode) {
    Begin(name, mode);
    // A duplicate of the descriptor: closing it at the end leaves the process's own open.
    return Attach(dup(STDOUT_FILENO));
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
    Fail(what, std::string(std::strerror(error)) + ".");
}

void COutputFile::Fail(const std::string& what, const std::string& reason) {
    if (!m_failed || m_error.empty()) {
        m_error = FileMessage(what, m_path, reason);
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
