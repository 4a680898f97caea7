// The document file's byte layout: Serialize of every stored class, and the document's
// loading into a fresh graph that must pass its checks before it replaces the old one.
#include "circles/CPCircleArray.h"
#include "document/Archive.h"
#include "document/GraphIndex.h"
#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "model/GraphCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// The smallest records the layout allows: a node without edges whose circle is a
// back-reference, an edge, the outer circle's style.
constexpr std::uint64_t MinNodeBytes = 8 + 8 + 4 + 4 + 2;
constexpr std::uint64_t MinEdgeBytes = 3 * 4;
constexpr std::uint64_t StyleBytes = 3 * 4;
// A million-node file is read in a few seconds; this asks about Cancel every few milliseconds.
constexpr std::size_t kRecordsBetweenCancelChecks = 16384;

void SerializeInt(CArchive& ar, int& value) {
    if (ar.IsStoring()) {
        ar.WriteI32(value);
    } else {
        value = ar.ReadI32();
    }
}

void SerializeColor(CArchive& ar, COLORREF& value) {
    if (ar.IsStoring()) {
        ar.WriteI32(static_cast<std::int32_t>(value));
    } else {
        value = static_cast<COLORREF>(ar.ReadI32());
    }
}

// A node's circle as read. A shared circle (a back-reference, which the editor never
// writes) or a missing one becomes a circle of the node's own, so that every node owns
// exactly one circle as the rest of the program expects.
CCPCircle* OwnCircle(const CArchive::ObjectRead& read) {
    auto* circle = static_cast<CCPCircle*>(read.object);
    if (circle && !read.backReference) {
        return circle;
    }
    auto* own = new CCPCircle;
    if (circle) {
        own->CopyStyle(*circle);
    }
    return own;
}

// What a document of that many nodes and edges takes, but for its few class names: each node's
// point, edge count, kind and circle record, each edge's record and its two listings.
std::size_t StoredBytes(const CTesselDoc& doc) {
    constexpr std::size_t NodeBytes = 8 + 8 + 4 + 4 + 2 + StyleBytes;
    constexpr std::size_t EdgeBytes = 3 * 4 + 2 * 4;
    return 64 + NodeBytes * doc.m_nodes.m_array.size() + EdgeBytes * doc.m_edges.m_array.size();
}

void StoreDocument(CTesselDoc& doc, CArchive& ar) {
    ar.Reserve(ar.Position() + StoredBytes(doc));
    CGraphIndex index(doc.m_nodes, doc.m_edges);
    ar.SetGraph(&index);
    ar.WriteF64(doc.m_extentX);
    ar.WriteF64(doc.m_extentY);
    ar.WriteI32(doc.m_nodes.GetSize());
    ar.WriteI32(doc.m_edges.GetSize());
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->Serialize(ar);
    }
    for (CCPEdge* edge : doc.m_edges.m_array) {
        edge->Serialize(ar);
    }
    doc.m_circles.Serialize(ar);
    ar.SetGraph(nullptr);
}

bool IsFinite(const CDPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Empty when the extent and the positions are sizes and points the view can work with.
std::string FindPlaceProblem(double extentX, double extentY, const CCPNodeArray& nodes) {
    if (!(std::isfinite(extentX) && std::isfinite(extentY) && extentX >= 0 && extentY >= 0)) {
        return "the graph extent is not a size";
    }
    for (std::size_t i = 0; i < nodes.m_array.size(); ++i) {
        if (!IsFinite(*nodes.m_array[i])) {
            return "node " + std::to_string(i) + " has no finite position";
        }
    }
    return {};
}

// Empty when the table read with a file has interior flags of 0 or 1 and is a triangulated
// disk.
std::string FindTableProblem(const CGraphTable& table) {
    for (int i = 0; i < table.Edges(); ++i) {
        if (table.Interior(i) != 0 && table.Interior(i) != 1) {
            return "edge " + std::to_string(i) + " has the interior flag " +
                   std::to_string(table.Interior(i));
        }
    }
    return FindDiskProblem(table);
}

void LoadDocument(CTesselDoc& doc, CArchive& ar) {
    double extentX = ar.ReadF64();
    double extentY = ar.ReadF64();
    std::int64_t nodeCount = ar.ReadI32();
    std::int64_t edgeCount = ar.ReadI32();
    if (!ar.Failed() && (nodeCount < 0 || edgeCount < 0)) {
        ar.Fail(ArchiveError::InconsistentGraph, std::to_string(nodeCount) + " nodes and " +
                                                     std::to_string(edgeCount) +
                                                     " edges announced");
        return;
    }
    std::uint64_t needed = nodeCount * MinNodeBytes + edgeCount * MinEdgeBytes + StyleBytes;
    if (!ar.Failed() && needed > ar.Remaining()) {
        ar.Fail(ArchiveError::EndOfFile, std::to_string(nodeCount) + " nodes and " +
                                             std::to_string(edgeCount) +
                                             " edges announced, but only " +
                                             std::to_string(ar.Remaining()) + " bytes follow");
    }
    // Making a million nodes and edges and their index takes a while itself.
    if (ar.CheckCancel()) {
        return;
    }
    CCPNodeArray nodes;
    CCPEdgeArray edges;
    nodes.AddNew(static_cast<int>(nodeCount));
    edges.AddNew(static_cast<int>(edgeCount));
    CGraphTable table;
    table.kind.reserve(nodeCount);
    table.listStart.reserve(nodeCount + 1);
    table.listEdges.reserve(2 * edgeCount);
    table.edgeData.reserve(3 * edgeCount);
    CGraphIndex index(nodes, edges);
    index.RecordInto(&table);
    ar.SetGraph(&index);
    for (std::size_t i = 0; i < nodes.m_array.size() && !ar.Failed(); ++i) {
        if (i % kRecordsBetweenCancelChecks == 0 && ar.CheckCancel()) {
            break;
        }
        nodes.m_array[i]->Serialize(ar);
        table.kind.push_back(nodes.m_array[i]->m_kind);
        table.listStart.push_back(static_cast<int>(table.listEdges.size()));
    }
    for (std::size_t i = 0; i < edges.m_array.size() && !ar.Failed(); ++i) {
        if (i % kRecordsBetweenCancelChecks == 0 && ar.CheckCancel()) {
            break;
        }
        edges.m_array[i]->Serialize(ar);
        table.edgeData.push_back(edges.m_array[i]->m_interior);
    }
    ar.SetGraph(nullptr);
    CCPCircle outer;
    outer.Serialize(ar);
    const std::uint64_t trailing = ar.Remaining();
    if (!ar.CheckCancel()) {
        // The nodes and edges were made one by one and every node owns the circle it read,
        // so only the table's indices remain to be checked.
        std::string problem = FindPlaceProblem(extentX, extentY, nodes);
        if (problem.empty()) {
            problem = FindTableProblem(table);
        }
        if (!problem.empty()) {
            ar.Fail(ArchiveError::InconsistentGraph, problem);
        }
    }
    // The checks take a while on a large graph; a Cancel meanwhile still keeps the document.
    if (ar.CheckCancel()) {
        return; // the fresh graph goes with its collections; the document keeps its own
    }
    doc.RemoveAll();
    doc.m_nodes.m_array.swap(nodes.m_array);
    doc.m_edges.m_array.swap(edges.m_array);
    doc.m_extentX = extentX;
    doc.m_extentY = extentY;
    doc.m_circles.m_outer.CopyStyle(outer);
    doc.m_trailingBytes = trailing;
}

} // namespace

std::string CTesselDoc::FindSaveProblem() const {
    std::string problem = FindPlaceProblem(m_extentX, m_extentY, m_nodes);
    return problem.empty() ? FindDiskProblem(m_nodes, m_edges) : problem;
}

void CDPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << x << y;
    } else {
        ar >> x >> y;
    }
}

void CHotSpot::Serialize(CArchive& ar) {
    CDPoint::Serialize(ar);
    if (ar.IsLoading()) {
        m_highlight = 0;
    }
}

void CCPNode::Serialize(CArchive& ar) {
    CHotSpot::Serialize(ar);
    const CGraphIndex* graph = ar.Graph();
    if (ar.IsStoring()) {
        ar.WriteI32(GetEdgeCount());
        for (const CCPEdge* edge : m_edges) {
            ar.WriteI32(graph ? graph->IndexOfEdge(edge) : -1);
        }
        ar.WriteI32(m_kind);
        ar.WriteObject(m_circle);
        return;
    }
    std::int32_t count = ar.ReadI32();
    m_edges.clear();
    if (!ar.CheckCount(count, 4, "edge indices of a node")) {
        return;
    }
    m_edges.reserve(std::max(count, 0));
    for (std::int32_t i = 0; i < count && !ar.Failed(); ++i) {
        std::int32_t index = ar.ReadI32();
        CCPEdge* edge = graph && !ar.Failed() ? graph->EdgeAt(index, ar) : nullptr;
        if (edge) {
            m_edges.push_back(edge);
        }
    }
    m_kind = ar.ReadI32();
    if (!ar.Failed()) {
        m_circle = OwnCircle(ar.ReadObject(&CCPCircle::classCCPCircle));
    }
}

void CCPEdge::Serialize(CArchive& ar) {
    const CGraphIndex* graph = ar.Graph();
    if (ar.IsStoring()) {
        ar.WriteI32(graph ? graph->IndexOfNode(m_start) : -1);
        ar.WriteI32(graph ? graph->IndexOfNode(m_end) : -1);
        ar.WriteI32(m_interior);
        return;
    }
    std::int32_t start = ar.ReadI32();
    std::int32_t end = ar.ReadI32();
    m_interior = ar.ReadI32();
    if (graph && !ar.Failed()) {
        m_start = graph->NodeAt(start, ar);
        m_end = graph->NodeAt(end, ar);
    }
}

void CCPCircle::Serialize(CArchive& ar) {
    SerializeColor(ar, m_innerCol);
    SerializeColor(ar, m_lineCol);
    SerializeInt(ar, m_thickness);
    if (ar.IsLoading()) {
        m_thickness = NormalisedThickness(m_thickness);
    }
}

void CCPCircleArray::Serialize(CArchive& ar) {
    m_outer.Serialize(ar);
}

void CTesselDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        StoreDocument(*this, ar);
    } else {
        LoadDocument(*this, ar);
    }
}
