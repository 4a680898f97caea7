// CGraphEditStep: a click edit of the graph (grow, connect, delete a node or an edge), written
// down while the edit runs: the fields of every node and edge it changes, before and after,
// the objects it takes out of the collections and the ones it adds. Objects out of the
// document stay alive in the step, so that every pointer the history keeps stays good.
#pragma once

#include "document/EditStep.h"
#include "geometry/DPoint.h"

#include <unordered_set>
#include <vector>

class CCPEdge;
class CCPNode;

class CGraphEditStep : public CEditStep {
public:
    // Starts recording an edit of the document as it is now.
    explicit CGraphEditStep(const CTesselDoc& doc);
    ~CGraphEditStep() override;

    using CEditStep::SetNameId;

    // Called by the document's edits before they change an object's fields (a node's kind
    // and edge list, an edge's ends and interior flag); later calls for the same object are
    // ignored.
    void Touch(const CCPNode* node);
    void Touch(const CCPEdge* edge);
    // For an object whose kind or interior flag alone has just changed from `before`.
    void KindChanged(const CCPNode* node, int before);
    void InteriorChanged(const CCPEdge* edge, int before);
    // An object taken out of its collection at that position; the step keeps it. `listed`:
    // the node's circle is in the document's circle list.
    void NodeRemoved(int index, CCPNode* node, bool listed);
    void EdgeRemoved(int index, CCPEdge* edge);

    // After the edit: takes the objects it appended and the fields of what it changed. False
    // when the edit changed nothing, and then the step is of no use.
    bool Finish(const CTesselDoc& doc);

    void Undo(CTesselDoc& doc) override;
    void Redo(CTesselDoc& doc) override;
    void Release(CTesselDoc& doc, bool done) override;
    std::size_t Bytes() const override;

private:
    struct NodeFields {
        CCPNode* node;
        int kind;
        std::vector<CCPEdge*> edges;
    };
    struct EdgeFields {
        CCPEdge* edge;
        CCPNode* start;
        CCPNode* end;
        int interior;
    };
    struct RemovedNode {
        int index;
        CCPNode* node;
        bool listed;
    };
    struct RemovedEdge {
        int index;
        CCPEdge* edge;
    };

    static NodeFields FieldsOf(const CCPNode* node);
    static EdgeFields FieldsOf(const CCPEdge* edge);
    static void Apply(const std::vector<NodeFields>& nodes, const std::vector<EdgeFields>& edges);
    // Puts held nodes back, their positions carried from the graph area they were taken out
    // of to the one the document has now.
    void Rescale(const CTesselDoc& doc, CCPNode* node) const;
    void NoteHeldExtent(const CTesselDoc& doc);

    std::unordered_set<const void*> m_touched;
    std::vector<NodeFields> m_nodesBefore;
    std::vector<NodeFields> m_nodesAfter;
    std::vector<EdgeFields> m_edgesBefore;
    std::vector<EdgeFields> m_edgesAfter;
    std::vector<RemovedNode> m_removedNodes; // in the order of removal
    std::vector<RemovedEdge> m_removedEdges;
    std::vector<CCPNode*> m_addedNodes; // in the order of appending
    std::vector<CCPEdge*> m_addedEdges;
    int m_nodeCount = 0; // the collections' sizes before the edit
    int m_edgeCount = 0;
    int m_topologyBefore = 0;
    int m_topologyAfter = 0;
    bool m_statesBefore = false;
    bool m_statesAfter = false;
    CDPoint m_heldExtent; // the graph area's half sizes when the held objects left it
};
