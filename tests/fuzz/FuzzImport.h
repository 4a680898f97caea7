// One fuzz input for a reader of other programs' files: arbitrary bytes imported in one
// format. What imports must be a checked disk that saves and opens again; what is refused
// names its fault and leaves the document as it was. Shared by the libFuzzer targets and the
// GoogleTest that replays their corpora.
#pragma once

#include "FuzzLoad.h"
#include "interchange/Import.h"
#include "model/DiskCheck.h"

#include <string_view>

inline void FuzzImportOne(std::span<const std::uint8_t> bytes, ImportFormat format) {
    CTesselDoc doc;
    doc.OnNewDocument();
    const std::vector<std::uint8_t> before = doc.SaveToBytes();
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::string> notes;
    std::string error;
    // Both ways for meshes: refused for several parts, and their largest part.
    for (bool largest : {false, true}) {
        if (!ImportText(doc, text, {format, largest}, notes, error)) {
            FuzzCheck(!error.empty() && doc.SaveToBytes() == before);
            continue;
        }
        FuzzCheck(FindDiskProblem(doc.m_nodes, doc.m_edges).empty());
        std::vector<std::uint8_t> saved = doc.SaveToBytes();
        CTesselDoc again;
        FuzzCheck(again.LoadFromBytes(saved, error) || !AllPositionsFinite(doc));
        return;
    }
}
