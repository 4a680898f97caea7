// The node collection: ownership of nodes and circles, searches in collection order, and
// whole-graph passes.
#include "model/CPNodeArray.h"

#include "circles/CPCircleArray.h"

#include <algorithm>
#include <unordered_set>

TESSEL_IMPLEMENT_DYNCREATE(CCPNodeArray, CObject)

namespace {
constexpr int DefaultSweeps = 5;
}

int CCPNodeArray::m_sweeps = DefaultSweeps;

void CCPNodeArray::ResetDefaults() {
    m_sweeps = DefaultSweeps;
}

CCPNodeArray::~CCPNodeArray() {
    DeleteAll(nullptr);
}

CCPNode* CCPNodeArray::GetAt(int i) const {
    return i >= 0 && i < GetSize() ? m_array[i] : nullptr;
}

int CCPNodeArray::IndexOf(const CCPNode* node) const {
    auto it = std::find(m_array.begin(), m_array.end(), node);
    return it == m_array.end() ? -1 : static_cast<int>(it - m_array.begin());
}

void CCPNodeArray::AddNew(int n) {
    for (int i = 0; i < n; ++i) {
        m_array.push_back(new CCPNode);
    }
}

void CCPNodeArray::Remove(CCPNode* node, const CCPCircleArray& circles) {
    auto it = std::find(m_array.begin(), m_array.end(), node);
    if (it == m_array.end()) {
        return;
    }
    if (!circles.Contains(node->m_circle)) {
        node->DeleteCircle();
    }
    delete node;
    m_array.erase(it);
    m_array.shrink_to_fit();
}

int CCPNodeArray::Detach(const CCPNode* node) {
    const int index = IndexOf(node);
    if (index >= 0) {
        m_array.erase(m_array.begin() + index);
    }
    return index;
}

void CCPNodeArray::RemoveAll(const CCPCircleArray& circles) {
    DeleteAll(&circles);
}

void CCPNodeArray::DeleteAll(const CCPCircleArray* circles) {
    // One set instead of a search of the list per node: after a packing run both hold every
    // circle.
    std::unordered_set<const CCPCircle*> listed;
    if (circles) {
        listed.insert(circles->m_list.begin(), circles->m_list.end());
    }
    for (CCPNode* node : m_array) {
        if (!listed.contains(node->m_circle)) {
            node->DeleteCircle();
        }
        delete node;
    }
    m_array.clear();
    m_array.shrink_to_fit();
}

void CCPNodeArray::UpdateKinds() {
    for (CCPNode* node : m_array) {
        node->UpdateKind();
    }
}

bool CCPNodeArray::AllConnected() const {
    return std::none_of(m_array.begin(), m_array.end(),
                        [](const CCPNode* node) { return node->m_kind == NotConnected; });
}

bool CCPNodeArray::HasCircle(const CCPCircle* circle) const {
    return std::any_of(m_array.begin(), m_array.end(),
                       [circle](const CCPNode* node) { return node->m_circle == circle; });
}

void CCPNodeArray::Draw(CDrawSurface& dc, const CViewTransform& view) const {
    for (const CCPNode* node : m_array) {
        node->Draw(dc, view);
    }
}

CCPNode* CCPNodeArray::HitTest(const CDPoint& p, double pixel) const {
    for (CCPNode* node : m_array) {
        if (node->HitTest(p, pixel)) {
            return node;
        }
    }
    return nullptr;
}

void CCPNodeArray::Scale(double sx, double sy) {
    for (CCPNode* node : m_array) {
        node->x *= sx;
        node->y *= sy;
    }
}
