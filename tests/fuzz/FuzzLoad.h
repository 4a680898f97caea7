// One fuzz input: arbitrary bytes opened as a document; whatever opens is edited, saved and
// opened again. Shared by the libFuzzer target and the GoogleTest that replays the crashers.
#pragma once

#include "document/RandomEdits.h"
#include "document/TesselDoc.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <span>
#include <string>
#include <vector>

// Stops the run as a crash would, so that the fuzzer keeps the input.
inline void FuzzCheck(bool condition) {
    if (!condition) {
        std::abort();
    }
}

inline bool AllPositionsFinite(const CTesselDoc& doc) {
    for (const CCPNode* node : doc.m_nodes.m_array) {
        if (!std::isfinite(node->x) || !std::isfinite(node->y)) {
            return false;
        }
    }
    return true;
}

// Hints, clicks on and beside every node and edge, and a clamp, as the view makes them.
inline void FuzzViewCalls(CTesselDoc& doc) {
    for (int i = 0; i < doc.m_nodes.GetSize() && i < 64; ++i) {
        CDPoint p = *doc.GetNodeAt(i);
        IntPoint pixel = p.ToPoint();
        doc.GetHintText(pixel);
        doc.ClampToExtent(pixel);
    }
    for (int i = 0; i < doc.m_edges.GetSize() && i < 64; ++i) {
        const CCPEdge* edge = doc.GetEdgeAt(i);
        doc.GetHintText(((*edge->m_start + *edge->m_end) * 0.5).ToPoint());
    }
}

inline void FuzzLoadOne(std::span<const std::uint8_t> bytes) {
    CTesselDoc doc;
    doc.OnNewDocument();
    std::vector<std::uint8_t> before = doc.SaveToBytes();
    std::string error;
    if (!doc.LoadFromBytes(bytes, error)) {
        // A refused file names its fault and leaves the document as it was.
        FuzzCheck(!error.empty() && doc.SaveToBytes() == before);
        return;
    }
    std::mt19937 random(static_cast<unsigned>(bytes.size()));
    FuzzViewCalls(doc);
    for (int i = 0; i < 40; ++i) {
        RandomEdit(doc, random);
    }
    FuzzViewCalls(doc);
    doc.SetGraphExtent(doc.m_extentX * 0.5, doc.m_extentY * 2);
    // Whatever the edits made must save and open again, byte for byte the same.
    std::vector<std::uint8_t> saved = doc.SaveToBytes();
    CTesselDoc again;
    bool reopened = again.LoadFromBytes(saved, error);
    FuzzCheck(reopened || !AllPositionsFinite(doc));
    FuzzCheck(!reopened || again.SaveToBytes() == saved);
}
