// CCPNodeArray: the document's nodes in creation order; it owns them and, with the circle
// list, their circles.
#pragma once

#include "model/CPNode.h"

#include <vector>

class CCPCircle;
class CCPCircleArray;

class CCPNodeArray : public CObject {
    TESSEL_DECLARE_DYNCREATE(CCPNodeArray)

public:
    CCPNodeArray() = default;
    CCPNodeArray(const CCPNodeArray&) = delete;
    CCPNodeArray& operator=(const CCPNodeArray&) = delete;
    // Deletes the remaining nodes with their circles: whoever shares circles with this
    // collection (the document's circle list) lets go of them first, through RemoveAll.
    ~CCPNodeArray() override;

    int GetSize() const { return static_cast<int>(m_array.size()); }
    // The node at i, or nullptr when i is out of range.
    CCPNode* GetAt(int i) const;
    int IndexOf(const CCPNode* node) const;
    void Add(CCPNode* node) { m_array.push_back(node); }
    // Appends n empty nodes (no circle) for the archive to fill in.
    void AddNew(int n);
    // Deletes a member node, and its circle unless circles holds it (the list then frees it
    // later); anything that is not a member is left alone.
    void Remove(CCPNode* node, const CCPCircleArray& circles);
    // Remove for every node, then empties the collection.
    void RemoveAll(const CCPCircleArray& circles);

    void UpdateKinds();
    // False when some node is NotConnected (true for an empty collection).
    bool AllConnected() const;
    bool HasCircle(const CCPCircle* circle) const;
    void Draw(CDrawSurface& dc) const;
    // The first node in collection order whose square holds p, or nullptr.
    CCPNode* HitTest(const CDPoint& p) const;
    CCPNode* HitTest(IntPoint p) const { return HitTest(CDPoint(p)); }
    // Multiplies every node's x by sx and y by sy.
    void Scale(double sx, double sy);

    // Sweeps of the radius solver in one packing run.
    static int m_sweeps;
    // Puts m_sweeps back to its built-in value.
    static void ResetDefaults();

    std::vector<CCPNode*> m_array;

private:
    void DeleteAll(const CCPCircleArray* circles);
};
