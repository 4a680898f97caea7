// What became of an export, and the message the user sees for it.
#pragma once

#include "circles/OutputFile.h"

#include <string>

enum class ExportStatus {
    Ok,
    CannotOpen,       // the file could not be created
    WriteFailed,      // writing failed (a full disk); the target was left as it was
    BitmapTooLarge,   // the picture's pixels cannot be held
    MetafileTooLarge, // the picture does not fit a metafile's 32-bit coordinates
    PictureTooLarge,  // the picture's size does not fit the file's 32-bit integers
    NotFinite,        // a circle has no finite centre or radius
};

ExportStatus ToExportStatus(FileStatus status);

// The warning for a failed export of `path` in the current language, on one line; empty for Ok.
std::string ExportErrorText(ExportStatus status, const std::string& path);
