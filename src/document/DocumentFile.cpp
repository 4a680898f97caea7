// Opening and saving the document as a file.
#include "circles/OutputFile.h"
#include "document/Archive.h"
#include "document/SafeFile.h"
#include "document/TesselDoc.h"

#include <filesystem>
#include <new>

namespace {

// Far more than any graph a user draws; a larger file is refused before it is read.
constexpr std::size_t MaxDocumentBytes = 256u * 1024 * 1024;

} // namespace

bool CTesselDoc::LoadFromBytes(std::span<const std::uint8_t> bytes, std::string& error,
                               const CancelCheck& cancelled) {
    if (!bytes.empty()) {
        CArchive ar(bytes);
        ar.SetCancelCheck(cancelled);
        try {
            Serialize(ar);
        } catch (const std::bad_alloc&) {
            error = "There is not enough memory to open the file.";
            return false;
        }
        if (ar.Failed()) {
            error = ar.ErrorText();
            return false;
        }
        SetModifiedFlag(false);
    } else {
        m_trailingBytes = 0;
    }
    // An empty file is not read at all; like a file without nodes it gives a new graph.
    if (bytes.empty() || m_nodes.GetSize() == 0) {
        NewGraph(GetViewRadius());
    }
    m_history.MarkSaved(!IsModified());
    return true;
}

std::vector<std::uint8_t> CTesselDoc::SaveToBytes() {
    CArchive ar;
    Serialize(ar);
    return ar.TakeBytes();
}

bool CTesselDoc::OnOpenDocument(const std::string& path, std::string& error,
                                const CancelCheck& cancelled) {
    RemoveStaleTempFiles(std::filesystem::path(path).parent_path().string());
    std::vector<std::uint8_t> bytes;
    ReadResult read = ReadResult::Failed;
    try {
        read = ReadWholeFile(path, MaxDocumentBytes, bytes, error);
    } catch (const std::bad_alloc&) {
        error = FileMessage("Cannot open", path, "there is not enough memory.");
    }
    switch (read) {
    case ReadResult::Missing:
        error = FileMessage("Cannot open", path, "the file does not exist.");
        return false;
    case ReadResult::Failed:
        return false;
    case ReadResult::Ok:
        break;
    }
    if (!LoadFromBytes(bytes, error, cancelled)) {
        error = FileMessage("Cannot open", path, error);
        return false;
    }
    return true;
}

bool CTesselDoc::OnSaveDocument(const std::string& path, std::string& error,
                                const CancelCheck& cancelled) {
    // Asked before each part that takes a while on a large document; once the file is being
    // written it is finished, so that it is either the old file or the new one.
    const auto stop = [&] {
        if (cancelled && cancelled()) {
            error = FileMessage("Did not save", path, "saving was cancelled.");
            return true;
        }
        return false;
    };
    if (std::string problem = FindSaveProblem(); !problem.empty()) {
        error = "Cannot save \"" + path + "\": " + problem + ".";
        return false;
    }
    std::vector<std::uint8_t> bytes;
    try {
        if (stop()) {
            return false;
        }
        bytes = SaveToBytes();
    } catch (const std::bad_alloc&) {
        error = FileMessage("Cannot save", path, "there is not enough memory.");
        return false;
    }
    if (stop() || !WriteFileAtomically(path, bytes, error)) {
        return false;
    }
    SetModifiedFlag(false);
    m_history.MarkSaved();
    return true;
}
