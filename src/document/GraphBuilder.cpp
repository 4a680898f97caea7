// Disk builders: a spiral of fan closings, each grown out to its degree first.
//
// The cursor walks the boundary in its own direction. At each boundary node it grows new
// nodes on the edge from the node's last neighbour until the node has its degree, then
// closes the node's fan, which joins the last grown node to the node's first neighbour: the
// next node of the walk. Every node grown is a neighbour of a node closed right after, so
// none stays NotConnected, and the walk needs no search.
#include "document/GraphBuilder.h"

#include "document/TesselDoc.h"
#include "model/FanIndex.h"
#include "packing/DiskDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace {

// Far more neighbours than any generated node gets; reaching it means the walk went wrong.
constexpr int MaxDegree = 64;

// Uniform integers from a fixed engine with fixed code, so that a seed means the same graph
// with every standard library.
class CSeededRandom {
public:
    explicit CSeededRandom(unsigned seed) : m_engine(seed) {}
    // 0 to n - 1, for n > 0.
    int Below(int n) {
        const std::uint32_t range = static_cast<std::uint32_t>(n);
        const std::uint32_t limit = UINT32_MAX - UINT32_MAX % range;
        std::uint32_t v = 0;
        do {
            v = static_cast<std::uint32_t>(m_engine());
        } while (v >= limit);
        return static_cast<int>(v % range);
    }

private:
    std::mt19937 m_engine;
};

// One grow on the boundary edge that ends at node, coming from its last neighbour.
bool GrowAtEnd(CTesselDoc& doc, CCPNode* node) {
    return !node->m_edges.empty() && doc.GrowNode(node->m_edges.back());
}

// Grows at node until it has at least `degree` neighbours and can close, then closes it.
// Returns the next node of the walk, or nullptr when an edit was refused.
CCPNode* CloseAt(CTesselDoc& doc, CCPNode* node, int degree) {
    while (node->GetEdgeCount() < degree || !node->CanConnect()) {
        if (node->GetEdgeCount() >= MaxDegree || !GrowAtEnd(doc, node)) {
            return nullptr;
        }
    }
    CCPNode* next = node->GetNeighbour(0);
    return doc.ConnectNode(node) ? next : nullptr;
}

// An inner node of degree 3 tucked in before node: a node grown at node's end, one more
// grown at that one's end, and the first closed. Node keeps being the walk's current node.
bool AddDegreeThreeNode(CTesselDoc& doc, CCPNode* node) {
    if (!GrowAtEnd(doc, node)) {
        return false;
    }
    CCPNode* tucked = doc.GetNodeAt(doc.m_nodes.GetSize() - 1);
    return GrowAtEnd(doc, tucked) && doc.ConnectNode(tucked);
}

// Tells progress of every 4096th step; false when it asks to stop.
bool GoOn(const BuildProgress& progress, int step, int made, int total) {
    constexpr int kReportEvery = 4096;
    return !progress || step % kReportEvery != 0 || progress(made, total);
}

void StartBuilding(CTesselDoc& doc) {
    doc.NewGraph(doc.GetViewRadius());
    doc.m_topologyChanged = 1;
}

// The grow edits place new nodes wherever there is room, so a finished disk sprawls as a
// spiral whose edges cross. It is drawn again inside the disk the view shows, without a
// crossing: a hexagonal disk on the triangular lattice, which shows its rings as regular
// hexagons, any other disk by Tutte's barycentric drawing, which one sparse solve finds and
// which needs no packing. The hexagonal disk's centre node, the first, lies in the middle,
// where the packing then starts. False when the disk cannot be drawn so.
bool DrawInDisk(CTesselDoc& doc, bool lattice) {
    CFanIndex fans(doc.m_nodes);
    std::vector<CDPoint> points;
    if (!(lattice ? DrawOnLattice(fans, 0, points) : DrawBarycentric(fans, points))) {
        return false;
    }
    const double scale = doc.GetPackingScale();
    for (int i = 0; i < fans.Size(); ++i) {
        doc.m_nodes.m_array[i]->Set(points[i] * scale);
    }
    return true;
}

} // namespace

bool BuildHexDisk(CTesselDoc& doc, int rings, const BuildProgress& progress) {
    if (rings < 1 || rings > MaxHexRings) {
        return false;
    }
    StartBuilding(doc);
    const int innerNodes = 1 + 3 * (rings - 1) * rings;
    const int total = 1 + 3 * rings * (rings + 1);
    CCPNode* node = doc.GetNodeAt(0);
    for (int i = 0; i < innerNodes && node; ++i) {
        if (!GoOn(progress, i, doc.m_nodes.GetSize(), total)) {
            return false;
        }
        CCPNode* next = CloseAt(doc, node, 6);
        node = node->GetEdgeCount() == 6 ? next : nullptr;
    }
    return node && doc.m_nodes.GetSize() == total && DrawInDisk(doc, true);
}

bool BuildRandomDisk(CTesselDoc& doc, int nodes, unsigned seed, const BuildProgress& progress) {
    if (nodes < 4 || nodes > MaxRandomDiskNodes) {
        return false;
    }
    StartBuilding(doc);
    CSeededRandom random(seed);
    CCPNode* node = doc.GetNodeAt(0);
    int inner = 0;
    for (int step = 0; node && doc.m_nodes.GetSize() < nodes; ++step) {
        if (!GoOn(progress, step, doc.m_nodes.GetSize(), nodes)) {
            return false;
        }
        if (random.Below(16) == 0) {
            if (!AddDegreeThreeNode(doc, node)) {
                return false;
            }
            ++inner;
        }
        // Degrees above six lengthen the boundary, below six shorten it. Leaning towards the
        // low ones while the boundary is longer than a hexagonal disk's of the same size keeps
        // the disk round instead of all rim.
        const int size = doc.m_nodes.GetSize();
        const int boundary = size - inner;
        const bool longRim = static_cast<long long>(boundary) * boundary > 12LL * size;
        node = CloseAt(doc, node, longRim ? 3 + random.Below(5) : 5 + random.Below(6));
        ++inner;
    }
    return node && DrawInDisk(doc, false);
}
