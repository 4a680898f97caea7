// CCPNodeArray: the document's nodes in creation order; it owns them and, with the circle
// list, their circles.
#pragma once

#include "model/CPNode.h"

#include <functional>
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
    // Takes a member out of the collection without deleting it or its circle, and returns
    // the position it had; -1 when it is not a member.
    int Detach(const CCPNode* node);
    // Puts a node in at position i (0 to the size), the later ones moving up.
    void InsertAt(int i, CCPNode* node) { m_array.insert(m_array.begin() + i, node); }
    // Remove for every node, then empties the collection.
    void RemoveAll(const CCPCircleArray& circles);

    void UpdateKinds();
    // False when some node is NotConnected (true for an empty collection).
    bool AllConnected() const;
    bool HasCircle(const CCPCircle* circle) const;
    void Draw(CDrawSurface& dc, const CViewTransform& view = {}) const;
    // The first node in collection order whose square holds p (see CHotSpot::HitTest), or
    // nullptr.
    CCPNode* HitTest(const CDPoint& p, double pixel = 1.0) const;
    CCPNode* HitTest(IntPoint p) const { return HitTest(CDPoint(p)); }
    // Multiplies every node's x by sx and y by sy.
    void Scale(double sx, double sy);

    // Radius solver (src/packing/RadiusSolver.cpp): m_sweeps sweeps of SolveRadius over the
    // nodes in collection order, each against the radii as they stand. After each sweep
    // `carryOn`, when given, hears how many are done; false stops the solver there, and
    // SolveRadii returns false.
    using SweepCheck = std::function<bool(int sweepsDone)>;
    bool SolveRadii(const SweepCheck& carryOn = {});
    // Every node's circle back to hyperbolic radius 1.0.
    void ResetRadii();

    // Layout (src/packing/Layout.cpp). Places every circle in the unit disk: the start node
    // at the centre, its up-neighbour along +y, then passes of Place in collection order
    // until every node is placed or a pass places nothing. Without an inner node nothing
    // changes. Returns the number of passes (0 when nothing was laid out).
    int Layout();
    void ClearPlaced();
    // The inner node nearest the origin, the earliest on ties; nullptr when there is none.
    CCPNode* FindStartNode() const;
    // Moves every node onto its circle's Euclidean centre times scale.
    void ApplyLayout(double scale);

    // Node Randomize (src/packing/NodeOrder.cpp): n random swaps of the nodes, then
    // RandomRotate on every node, drawing from a generator seeded from the clock, or from
    // next.
    void Randomize();
    void Randomize(const RandomSource& next);

    // Sweeps of the radius solver in one packing run.
    static int m_sweeps;
    // Puts m_sweeps back to its built-in value.
    static void ResetDefaults();

    std::vector<CCPNode*> m_array;

private:
    void DeleteAll(const CCPCircleArray* circles);
};
