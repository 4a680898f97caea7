// Random edits for the invariant and damaged-graph tests.
#include "document/RandomEdits.h"

#include "document/TesselDoc.h"

#include <vector>

namespace {

int Below(std::mt19937& random, int n) {
    return n > 0 ? static_cast<int>(random() % static_cast<unsigned>(n)) : 0;
}

template <class T, class Pred>
T* PickWhere(const std::vector<T*>& all, std::mt19937& random, Pred pred) {
    std::vector<T*> fitting;
    for (T* item : all) {
        if (pred(item)) {
            fitting.push_back(item);
        }
    }
    return fitting.empty() ? nullptr : fitting[Below(random, static_cast<int>(fitting.size()))];
}

template <class T> T* PickAny(const std::vector<T*>& all, std::mt19937& random) {
    return all.empty() ? nullptr : all[Below(random, static_cast<int>(all.size()))];
}

// A point a few units from a random node or edge midpoint.
CDPoint NearSomething(const CTesselDoc& doc, std::mt19937& random) {
    CDPoint target;
    if (Below(random, 2) == 0 && doc.m_nodes.GetSize() > 0) {
        target = *PickAny(doc.m_nodes.m_array, random);
    } else if (doc.m_edges.GetSize() > 0) {
        const CCPEdge* edge = PickAny(doc.m_edges.m_array, random);
        if (edge->m_start && edge->m_end) {
            target = (*edge->m_start + *edge->m_end) * 0.5;
        }
    }
    return target + CDPoint(Below(random, 9) - 4, Below(random, 9) - 4);
}

} // namespace

EditOutcome RandomEdit(CTesselDoc& doc, std::mt19937& random) {
    const auto& nodes = doc.m_nodes.m_array;
    const auto& edges = doc.m_edges.m_array;
    switch (Below(random, 12)) {
    case 0:
    case 1:
    case 2:
        return {"grow", doc.GrowNode(PickWhere(
                            edges, random, [](const CCPEdge* e) { return e->m_interior == 0; }))};
    case 3:
    case 4:
        return {"connect", doc.ConnectNode(PickWhere(nodes, random,
                                                     [](CCPNode* n) { return n->CanConnect(); }))};
    case 5:
        return {"delete node",
                doc.DeleteNode(PickWhere(nodes, random,
                                         [&](const CCPNode* n) { return doc.CanDeleteNode(n); })),
                true};
    case 6:
        return {"delete edge",
                doc.DeleteEdge(PickWhere(edges, random,
                                         [&](const CCPEdge* e) { return doc.CanDeleteEdge(e); })),
                true};
    case 7:
        return {"grow anywhere", doc.GrowNode(PickAny(edges, random))};
    case 8:
        return {"connect anywhere", doc.ConnectNode(PickAny(nodes, random))};
    case 9:
        return {"delete anything",
                doc.DeleteNode(PickAny(nodes, random)) || doc.DeleteEdge(PickAny(edges, random)),
                true};
    case 10: {
        std::size_t before = nodes.size() + edges.size();
        doc.ClickAdd(NearSomething(doc, random));
        return {"left click", nodes.size() + edges.size() != before};
    }
    default: {
        std::size_t before = nodes.size() + edges.size();
        doc.ClickDelete(NearSomething(doc, random));
        return {"right click", nodes.size() + edges.size() != before, false};
    }
    }
}
