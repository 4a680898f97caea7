// Opening an export's target.
#include "export/ExportTarget.h"

#include <filesystem>

std::string ExportTarget::Title() const {
    return standardOutput ? std::string() : std::filesystem::path(path).filename().string();
}

bool ExportTarget::Open(COutputFile& file, COutputFile::Mode mode) const {
    if (standardOutput) {
        return file.OpenStandardOutput(path, mode);
    }
    return inPlace ? file.OpenInPlace(path, mode) : file.Open(path, mode);
}

ExportStatus WriteBytes(const ExportTarget& target, const void* data, std::size_t size) {
    COutputFile file;
    if (!target.Open(file, COutputFile::Mode::Binary)) {
        return ExportStatus::CannotOpen;
    }
    file.Write(data, size);
    return ToExportStatus(file.Commit());
}
