// CCPEdgeArray: the document's edges in creation order; it owns them.
#pragma once

#include "model/CPEdge.h"

#include <vector>

class CCPNode;

class CCPEdgeArray : public CObject {
    TESSEL_DECLARE_DYNCREATE(CCPEdgeArray)

public:
    CCPEdgeArray() = default;
    CCPEdgeArray(const CCPEdgeArray&) = delete;
    CCPEdgeArray& operator=(const CCPEdgeArray&) = delete;
    ~CCPEdgeArray() override { RemoveAll(); }

    int GetSize() const { return static_cast<int>(m_array.size()); }
    // The edge at i, or nullptr when i is out of range.
    CCPEdge* GetAt(int i) const;
    int IndexOf(const CCPEdge* edge) const;
    void Add(CCPEdge* edge) { m_array.push_back(edge); }
    // Appends n empty edges for the archive to fill in.
    void AddNew(int n);
    // Deletes a member edge and closes its slot; anything else is left alone.
    void Remove(CCPEdge* edge);
    // Takes a member out of the collection without deleting it, and returns the position it
    // had; -1 when it is not a member.
    int Detach(const CCPEdge* edge);
    // Puts an edge in at position i (0 to the size), the later ones moving up.
    void InsertAt(int i, CCPEdge* edge) { m_array.insert(m_array.begin() + i, edge); }
    void RemoveAll();

    void UpdateInteriors();
    void Draw(CDrawSurface& dc, const CViewTransform& view = {}) const;
    // The first edge in collection order that p hits (see CCPEdge::HitTest), or nullptr.
    CCPEdge* HitTest(const CDPoint& p, double pixel = 1.0) const;
    CCPEdge* HitTest(IntPoint p) const { return HitTest(CDPoint(p)); }
    // The first edge in collection order between a and b, either way round, or nullptr.
    CCPEdge* FindEdge(const CCPNode* a, const CCPNode* b) const;

    std::vector<CCPEdge*> m_array;
};
