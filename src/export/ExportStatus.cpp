// Export failure messages from the string tables.
#include "export/ExportStatus.h"

#include "document/StringIds.h"
#include "document/StringTable.h"
#include "geometry/Utf8Text.h"

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
        return at == std::string::npos ? text + " " + Printable(path)
                                       : text.replace(at, 2, Printable(path));
    }
    case ExportStatus::WriteFailed:
        return Printable(path) + ": " + LoadString(ids::kWriteFailed);
    case ExportStatus::BitmapTooLarge:
        return LoadString(ids::kCannotCreateBitmap);
    case ExportStatus::PictureTooLarge:
        return LoadString(ids::kPictureTooLarge);
    case ExportStatus::NotFinite:
        return LoadString(ids::kNotFinite);
    case ExportStatus::MetafileTooLarge:
        break;
    }
    return LoadString(ids::kCannotCreateMetafile);
}
