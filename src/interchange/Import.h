// Importing the files of other programs as documents: CirclePack packings, OFF and Wavefront
// OBJ meshes, and point sets.
#pragma once

#include "document/TesselDoc.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ImportFormat { CirclePack, Off, Obj, Points };

struct CImportOptions {
    ImportFormat format = ImportFormat::CirclePack;
    bool largest = false; // a mesh of several parts: its largest part instead of a refusal
};

// The format a file's extension names (.p, .off, .obj, and .xy or .txt for points), case
// ignored; nothing for any other.
std::optional<ImportFormat> ImportFormatOf(const std::string& path);

// Replaces the document's graph by the one the text describes, or leaves the document as it
// was and puts the fault, one sentence naming its line, into `error`. Sentences on what was
// left unread go into `notes`. Long work asks `cancelled` now and then.
bool ImportText(CTesselDoc& doc, std::string_view text, const CImportOptions& options,
                std::vector<std::string>& notes, std::string& error,
                const CancelCheck& cancelled = {});

// The same from a file; `error` then names the file too ("Cannot import "a.p": line 3: ...").
bool ImportFile(CTesselDoc& doc, const std::string& path, const CImportOptions& options,
                std::vector<std::string>& notes, std::string& error,
                const CancelCheck& cancelled = {});
