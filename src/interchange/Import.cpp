// Choosing the reader and reading the file for it.
#include "interchange/Import.h"

#include "document/SafeFile.h"
#include "interchange/CirclePackDocument.h"
#include "interchange/MeshDocument.h"

#include <algorithm>
#include <filesystem>
#include <new>

namespace {

// Text files of a million nodes take some 100 MB; a larger file is refused unread.
constexpr std::size_t kMaxImportBytes = 1024u * 1024 * 1024;

} // namespace

std::optional<ImportFormat> ImportFormatOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    const std::pair<const char*, ImportFormat> known[] = {{".p", ImportFormat::CirclePack},
                                                          {".off", ImportFormat::Off},
                                                          {".obj", ImportFormat::Obj},
                                                          {".xy", ImportFormat::Points},
                                                          {".txt", ImportFormat::Points}};
    for (auto [name, format] : known) {
        if (extension == name) {
            return format;
        }
    }
    return std::nullopt;
}

bool ImportText(CTesselDoc& doc, std::string_view text, const CImportOptions& options,
                std::vector<std::string>& notes, std::string& error, const CancelCheck& cancelled) {
    try {
        switch (options.format) {
        case ImportFormat::CirclePack:
            return ImportCirclePack(doc, text, notes, error, cancelled);
        case ImportFormat::Points:
            return ImportPoints(doc, text, notes, error);
        case ImportFormat::Off:
        case ImportFormat::Obj:
            break;
        }
        CMesh mesh;
        const bool read = options.format == ImportFormat::Off ? ReadOffMesh(text, mesh, error)
                                                              : ReadObjMesh(text, mesh, error);
        return read && ImportMesh(doc, mesh, options.largest, notes, error);
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory to import the file.";
    }
    return false;
}

bool ImportFile(CTesselDoc& doc, const std::string& path, const CImportOptions& options,
                std::vector<std::string>& notes, std::string& error, const CancelCheck& cancelled) {
    std::vector<std::uint8_t> bytes;
    ReadResult read = ReadResult::Failed;
    try {
        read = ReadWholeFile(path, kMaxImportBytes, bytes, error);
    } catch (const std::bad_alloc&) {
        error = FileMessage("Cannot import", path, "there is not enough memory.");
    }
    if (read == ReadResult::Missing) {
        error = FileMessage("Cannot import", path, "the file does not exist.");
    }
    if (read != ReadResult::Ok) {
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!ImportText(doc, text, options, notes, error, cancelled)) {
        error = FileMessage("Cannot import", path, error);
        return false;
    }
    return true;
}
