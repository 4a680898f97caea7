// Where an export is written: a file, or the standard output for tessel-cli's "-".
#pragma once

#include "circles/OutputFile.h"
#include "export/ExportStatus.h"

#include <string>

struct ExportTarget {
    std::string path; // the file, or how messages name the standard output
    bool standardOutput = false;
    bool inPlace = false; // written into the file itself: COutputFile::OpenInPlace

    ExportTarget(std::string file) : path(std::move(file)) {} // a path is a file target
    ExportTarget(const char* file) : path(file) {}
    static ExportTarget StandardOutput() {
        ExportTarget target("-");
        target.standardOutput = true;
        return target;
    }
    static ExportTarget InPlace(std::string file) {
        ExportTarget target(std::move(file));
        target.inPlace = true;
        return target;
    }

    // The file's name without its folder, the title some formats carry; empty for the
    // standard output.
    std::string Title() const;
    bool Open(COutputFile& file, COutputFile::Mode mode) const;
};

// Writes the bytes to the target whole, binary.
ExportStatus WriteBytes(const ExportTarget& target, const void* data, std::size_t size);
