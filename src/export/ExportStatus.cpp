// Export failure messages from the string tables.
#include "export/ExportStatus.h"

#include "document/StringIds.h"
#include "document/StringTable.h"

ExportStatus ToExportStatus(FileStatus status) {
    switch (status) {
    case FileStatus::Ok:
        return ExportStatus::Ok;
    case FileStatus::CannotOpen:
        return ExportStatus::CannotOpen;
    case FileStatus::NothingToWrite:
    case FileStatus::WriteFailed:
        break;
    }
    return ExportStatus::WriteFailed;
}

std::string ExportErrorText(ExportStatus status, const std::string& path) {
    switch (status) {
    case ExportStatus::Ok:
        return {};
    case ExportStatus::CannotOpen: {
        // The path replaces "%s" as plain text: it is never read as a format.
        std::string text = LoadString(ids::kCannotOpenFile);
        std::size_t at = text.find("%s");
        return at == std::string::npos ? text + " " + path : text.replace(at, 2, path);
    }
    case ExportStatus::WriteFailed:
        return path + "\n" + LoadString(ids::kWriteFailed);
    case ExportStatus::BitmapTooLarge:
        return LoadString(ids::kCannotCreateBitmap);
    case ExportStatus::MetafileTooLarge:
        break;
    }
    return LoadString(ids::kCannotCreateMetafile);
}
