// Whole-or-nothing file output for every writer of the program.
#include "circles/OutputFile.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

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
        std::error_code ec;
        if (!fs::exists(fs::path(candidate), ec)) {
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

COutputFile::~COutputFile() {
    Discard();
}

bool COutputFile::Open(const std::string& path, Mode mode) {
    Discard();
    m_mode = mode;
    m_target = path;
    m_failed = false;
    std::error_code ec;
    fs::file_status status = fs::status(fs::path(path), ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        if (fs::is_directory(status)) {
            return false;
        }
        m_file = std::fopen(path.c_str(), "wb");
        return m_file != nullptr;
    }
    if (fs::exists(status) && !ExistingFileWritable(path)) {
        return false;
    }
    m_file = CreateTempBeside(path, m_temp);
    if (m_file && fs::exists(status)) {
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
        m_failed = true;
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
    bool ok = !m_failed && std::fflush(m_file) == 0 && !std::ferror(m_file);
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    if (ok && !m_temp.empty()) {
        std::error_code ec;
        fs::rename(fs::path(m_temp), fs::path(m_target), ec);
        ok = !ec;
    }
    if (ok) {
        m_temp.clear();
    }
    Discard();
    return ok ? FileStatus::Ok : FileStatus::WriteFailed;
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
