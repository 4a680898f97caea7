// The edge collection: ownership, searches in collection order, and whole-graph passes.
#include "model/CPEdgeArray.h"

#include "circles/DrawSurface.h"

#include <algorithm>

TESSEL_IMPLEMENT_DYNCREATE(CCPEdgeArray, CObject)

CCPEdge* CCPEdgeArray::GetAt(int i) const {
    return i >= 0 && i < GetSize() ? m_array[i] : nullptr;
}

int CCPEdgeArray::IndexOf(const CCPEdge* edge) const {
    auto it = std::find(m_array.begin(), m_array.end(), edge);
    return it == m_array.end() ? -1 : static_cast<int>(it - m_array.begin());
}

void CCPEdgeArray::AddNew(int n) {
    for (int i = 0; i < n; ++i) {
        m_array.push_back(new CCPEdge);
    }
}

void CCPEdgeArray::Remove(CCPEdge* edge) {
    auto it = std::find(m_array.begin(), m_array.end(), edge);
    if (it == m_array.end()) {
        return;
    }
    delete edge;
    m_array.erase(it);
    m_array.shrink_to_fit();
}

int CCPEdgeArray::Detach(const CCPEdge* edge) {
    const int index = IndexOf(edge);
    if (index >= 0) {
        m_array.erase(m_array.begin() + index);
    }
    return index;
}

void CCPEdgeArray::RemoveAll() {
    for (CCPEdge* edge : m_array) {
        delete edge;
    }
    m_array.clear();
    m_array.shrink_to_fit();
}

void CCPEdgeArray::UpdateInteriors() {
    for (CCPEdge* edge : m_array) {
        edge->UpdateInterior();
    }
}

void CCPEdgeArray::Draw(CDrawSurface& dc, const CViewTransform& view) const {
    dc.SaveState();
    for (const CCPEdge* edge : m_array) {
        edge->DrawInBracket(dc, view);
    }
    dc.RestoreState();
}

CCPEdge* CCPEdgeArray::HitTest(const CDPoint& p, double pixel) const {
    for (CCPEdge* edge : m_array) {
        if (edge->HitTest(p, pixel)) {
            return edge;
        }
    }
    return nullptr;
}

CCPEdge* CCPEdgeArray::FindEdge(const CCPNode* a, const CCPNode* b) const {
    if (!a || !b) {
        return nullptr;
    }
    for (CCPEdge* edge : m_array) {
        if ((edge->m_start == a && edge->m_end == b) || (edge->m_start == b && edge->m_end == a)) {
            return edge;
        }
    }
    return nullptr;
}
