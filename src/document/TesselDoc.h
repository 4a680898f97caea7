// CTesselDoc: the one document, owning the graph and its circles, with every edit a click
// in graph mode makes.
#pragma once

#include "circles/CPCircleArray.h"
#include "document/EditHistory.h"
#include "document/ViewSettings.h"
#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"
#include "model/GraphGrowth.h"
#include "model/NodeColouring.h"
#include "packing/DiskPlacement.h"
#include "packing/MaximalPacking.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CDiskMove;
class CGraphEditStep;
class COutputFile;
struct CConvergedPacking;
struct CLayoutRequest;

// Asked now and then by long work; true asks it to stop.
using CancelCheck = std::function<bool()>;

class CTesselDoc : public CObject {
    TESSEL_DECLARE_DYNCREATE(CTesselDoc)

public:
    // Used when no view has told the document its drawing radius.
    static constexpr double DefaultViewRadius = 500.0;

    CTesselDoc() = default;
    CTesselDoc(const CTesselDoc&) = delete;
    CTesselDoc& operator=(const CTesselDoc&) = delete;
    ~CTesselDoc() override { RemoveAll(); }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // The core of a new document: unmodified, nothing selected (the outer circle neither),
    // then the starting triangle sized by the view's drawing radius.
    bool OnNewDocument();

    // Files (src/document/DocumentFile.cpp).
    //
    // Reads the document file at path. A file without nodes (an empty file too) gives the
    // starting triangle, modified; any other file leaves the document unmodified. A file
    // that cannot be read or is malformed leaves the document exactly as it was and gives
    // false with a message naming the file and what is wrong with it. Opening and saving ask
    // `cancelled` now and then (from whatever thread they run on); when it says yes they stop
    // with false as a failure would, the document and the file as they were.
    bool OnOpenDocument(const std::string& path, std::string& error,
                        const CancelCheck& cancelled = {});
    // Writes the document file through a temporary file beside path, so that a failure
    // keeps the previous file; clears the modified flag only on success. A document that
    // opening would refuse (FindSaveProblem) is not written at all.
    bool OnSaveDocument(const std::string& path, std::string& error,
                        const CancelCheck& cancelled = {});
    // Empty when the document as it stands would open again; otherwise what opening it
    // would refuse (a position that is not finite, a damaged graph).
    std::string FindSaveProblem() const;
    // OnOpenDocument and OnSaveDocument without the file: the archive's bytes.
    bool LoadFromBytes(std::span<const std::uint8_t> bytes, std::string& error,
                       const CancelCheck& cancelled = {});
    std::vector<std::uint8_t> SaveToBytes();
    // Storing writes the graph, extents and styles; loading reads them into a fresh graph
    // that replaces the document's only when the whole stream was read and checked. A
    // failure is recorded on the archive and leaves the document as it was. Defined with
    // the file format (src/document/DocumentFormat.cpp).
    void Serialize(CArchive& ar) override;

    // The view's drawing radius, or nothing while there is no view.
    void SetViewRadius(std::optional<double> radius) { m_viewRadius = radius; }
    // The radius last told, when it is a positive number; DefaultViewRadius otherwise.
    double GetViewRadius() const;
    // The margin a view keeps around the outer circle (the setting "Margin"); tessel-cli
    // passes the one of its profile. Without a view radius the packing scale follows it.
    void SetViewMargin(int margin) { m_viewMargin = margin; }

    // Replaces the graph by the starting triangle of circumradius a / 3 and marks the
    // document modified.
    void NewGraph(double a);
    // Deletes every node, edge and circle, each circle exactly once; the outer circle stays.
    void RemoveAll();

    int IndexOfNode(const CCPNode* node) const { return m_nodes.IndexOf(node); }
    int IndexOfEdge(const CCPEdge* edge) const { return m_edges.IndexOf(edge); }
    // nullptr when the index is out of range.
    CCPNode* GetNodeAt(int i) const { return m_nodes.GetAt(i); }
    CCPEdge* GetEdgeAt(int i) const { return m_edges.GetAt(i); }

    // Stretches the graph from the current extent to the half-width w and half-height h. An
    // axis whose new half-size is not a positive number keeps its extent and its coordinates.
    void SetGraphExtent(double w, double h);
    // Pulls a point that lies outside the graph area onto its border (the whole pixel
    // nearest it).
    void ClampToExtent(IntPoint& p) const;
    void ClampToExtent(CDPoint& p) const;

    // The clicks take `pixel`, the length of a screen pixel in document units, since the hit
    // squares and bands keep their size on a zoomed screen.
    //
    // A left click: connects the node under p, else grows on the edge under p.
    void ClickAdd(const CDPoint& p, double pixel = 1.0);
    // A right click: deletes the node under p, else the edge under p.
    void ClickDelete(const CDPoint& p, double pixel = 1.0);
    // What the two buttons would do at p, the texts joined by "/"; empty over nothing.
    std::string GetHintText(const CDPoint& p, double pixel = 1.0) const;
    std::string GetHintText(IntPoint p) const { return GetHintText(CDPoint(p)); }

    // Each edit below returns whether it changed the graph. A failed precondition, or a graph
    // too damaged for the edit to make sense, changes nothing.
    //
    // A new NotConnected node on the free side of a boundary edge.
    bool GrowNode(CCPEdge* edge);
    // Closes the node's fan and makes it inner.
    bool ConnectNode(CCPNode* node);
    // Removes a NotConnected node with two edges, when more than three nodes remain.
    bool DeleteNode(CCPNode* node);
    // Removes a boundary edge between two outer nodes together with the triangle of its
    // inner apex.
    bool DeleteEdge(CCPEdge* edge);
    bool CanDeleteNode(const CCPNode* node) const;
    bool CanDeleteEdge(const CCPEdge* edge) const;

    // Kinds of all nodes, then interior flags of all edges.
    void RecomputeStates();

    // Packing (src/document/DocumentPacking.cpp).
    //
    // Why a packing run must not start: the check's sentence for a graph that is not a
    // triangulated disk, the message shown while a node is NotConnected, or nothing.
    std::string FindPackingRefusal() const;
    // The packing run: solves the radii (from 1.0 again after an edit), lays the circles
    // out, moves every node onto its circle's centre, lists the circles in node order and
    // marks the document modified. Refused while some node is NotConnected or the graph is
    // not a triangulated disk (FindPackingRefusal): returns false, changes nothing and, when
    // refusal is given, puts the text the user is shown there. `progress`, when given, hears
    // after each sweep of the radius solver and before the layout how many of the run's
    // steps are done; false stops the run, which then returns false with everything as it
    // was (refusal untouched). With a history or a progress, a run that runs out of memory
    // puts everything back before the exception leaves.
    using PackingProgress = std::function<bool(int done, int total)>;
    bool RunPacking(std::string* refusal = nullptr, const PackingProgress& progress = {});
    // Pack to Convergence: the maximal packing to the given tolerance, applied as a packing
    // run applies its circles, with the solver's figures in outcome. Refused like RunPacking,
    // with the reason in refusal; a cancelled solve (progress returned false) changes nothing.
    bool PackToConvergence(double tolerance, const NewtonProgress& progress,
                           CConvergedPacking& outcome, std::string* refusal = nullptr);
    // Applies a computed packing that was not cancelled: radii, circles, node positions and
    // the circle list, then marks the document modified. The next Circle Packing continues
    // from its radii.
    void ApplyConvergedPacking(const CConvergedPacking& packing);
    // Node Randomize on the node collection, then marks the document modified.
    void RandomizeNodes();
    // The frame the next Pack to Convergence lays its packing out in: the moved view kept
    // when the packing was moved since the last packing run (StartFromCircles); without a
    // packing in memory, as a file keeps none, the view its node positions show when they
    // are a packing moved; otherwise the centred layout.
    CLayoutRequest GetLayoutRequest() const;

    // Moves of the packing by disk isometries (src/document/DocumentMove.cpp). They act on
    // the circles of the last packing run, which keep their radii, and put every node that
    // has one onto its circle's new centre; a node added since keeps its place.
    //
    // Whether there is a packing to move.
    bool HasPacking() const { return m_circles.GetCount() > 0; }
    // A move in steps, as a drag makes it: StartMove keeps the circles as they stand (false
    // without a packing), ShowMove puts them at their images under a move of that start,
    // FinishMove records the whole as one undo step named nameId and marks the document
    // modified (a move that moved nothing is not recorded), CancelMove puts everything back.
    bool StartMove(int nameId);
    void ShowMove(const CDiskMove& move);
    void FinishMove();
    void CancelMove();
    bool IsMoving() const { return m_move != nullptr; }
    // One move in one step.
    bool MovePacking(const CDiskMove& move, int nameId);
    // The move that brings the node's hyperbolic centre to the disk's centre; nothing when
    // the node has no laid-out circle or its circle is a horocycle, whose centre is a point
    // of the rim.
    std::optional<CDiskMove> FindCentringMove(const CCPNode* node) const;
    // The packing was moved since the last packing run.
    bool m_moved = false;
    // The scale at which the packing places the nodes: the view's drawing radius, or without
    // a view the one a view of the graph area with the view margin would have; never below
    // one pixel (then the half-size of the graph area, or DefaultViewRadius).
    double GetPackingScale() const;
    // Exports: WriteEps in src/document/TesselDocWrite.cpp, WriteText beside the file
    // functions in src/document/DocumentFile.cpp.
    //
    // The whole EPS file at a scale in points, the picture's lower left corner `offset`
    // points from the page origin.
    void WriteEps(COutputFile& file, double scale, double offset) const;
    // One text line per circle, outer circle first.
    void WriteText(COutputFile& file, double scale, const std::string& format) const;

    // Growth (src/document/DocumentGrowth.cpp).
    //
    // Hex Refine, Barycentric Refine or Add Boundary Layer, `times` over, as one undoable
    // step: the grown graph (GrowGraph of src/model/GraphGrowth.h) replaces the document's,
    // whose circles go with it, and the document is marked modified. False with the reason in
    // problem, the document as it was, when the graph is not a disk or the result would have
    // more than MaxGrownNodes nodes; false with problem empty, the document as it was, when
    // `cancelled` stopped the work.
    bool GrowGraph(GraphGrowth growth, int times, std::string& problem,
                   const GrowthCancel& cancelled = {});
    // Puts the graph of the collections in place of the document's (left empty), as one
    // undoable step named nameId when there is a history; the old circles go with the old graph.
    void ReplaceGraph(CCPNodeArray& nodes, CCPEdgeArray& edges, int nameId);

    // Colourings (src/document/DocumentColouring.cpp).
    //
    // Colours circles by their place in the graph (NodeColouring.h), the line colour, the
    // inner colour or both, as one undoable step that marks the document modified: the
    // selected circles, or all. Rings count from the request's node when it names one, else
    // from the selected circles when all circles are coloured and some are selected, else from
    // the centre circle (the node nearest the middle of the graph area); a colouring by radius
    // needs the circles of a packing run. With a history, only circles the circle list shows
    // are coloured (they are the ones undo can give back). The selection stays as it was.
    // False with the reason, nothing changed, when nothing can be coloured.
    struct ColourRequest {
        CColouring how;
        bool selectedOnly = false;
        bool line = false;
        bool inner = true;
        int from = -1; // the node rings count from, by index; -1 for none
    };
    bool ColourCircles(const ColourRequest& request, std::string& problem);

    // Undo and redo (src/document/DocumentHistory.cpp).
    //
    // From now on the edits below are recorded for undo: clicks, node moves, Graph
    // Scale-Down, the packing runs, Node Randomize and circle styles. The editor turns this on;
    // tessel-cli keeps no history. A new or opened document starts with an empty one.
    void EnableHistory() { m_historyEnabled = true; }
    CEditHistory& History() { return m_history; }
    const CEditHistory& History() const { return m_history; }
    // Each returns false when there is nothing to undo or redo.
    bool Undo() { return m_history.Undo(*this); }
    bool Redo() { return m_history.Redo(*this); }
    // A node the user dragged from `from` to where it stands now.
    void RecordNodeMove(CCPNode* node, const CDPoint& from);
    // Graph Scale-Down: every node's coordinates times the rate; the extent and the modified
    // flag stay.
    void ScaleDownGraph(double rate);
    // Gives the selected circles the attributes of `style` that `flags` names and marks the
    // document modified; nameId names the step.
    void ApplyStyleToSelection(const CCPCircle& style, int flags, int nameId);
    // A colour gradation over the selected circles (it leaves the modified flag alone).
    void ApplyGradation(const CGradation& request);
    // Takes over a node's circle that the history no longer needs but that a circle list may
    // still show; it is freed when the history is cleared and no list holds it.
    void RetireCircle(CCPCircle* circle) { m_retiredCircles.push_back(circle); }

    int m_topologyChanged = 0; // a click hit the graph since the last packing run
    double m_extentY = 500.0;  // half-height of the graph area
    double m_extentX = 500.0;  // half-width of the graph area
    // Bytes that followed the document in the file it was read from; they are not kept.
    std::uint64_t m_trailingBytes = 0;
    CCPCircleArray m_circles;
    CCPEdgeArray m_edges;
    CCPNodeArray m_nodes;

private:
    // The first inner neighbour of the edge's start whose fan holds the edge, or nullptr.
    CCPNode* FindApex(const CCPEdge* edge) const;
    // What a full RecomputeStates would change after a connection at node, when the states
    // were right before it.
    void RecomputeStatesAfterConnect(CCPNode* node);

    // A packing run's radii and layout; false when progress stopped it.
    bool SolveAndLayOut(const PackingProgress& progress);

    // The history's side of the edits (src/document/DocumentHistory.cpp). A graph edit run
    // by a click is written down in m_journal, which the edits tell before they change an
    // object; objects they remove go to it instead of being deleted.
    void StartGraphEdit(int nameId);
    void FinishGraphEdit();
    void Touch(const CCPNode* node);
    void Touch(const CCPEdge* edge);
    void UpdateKindOf(CCPNode* node);
    void UpdateInteriorOf(CCPEdge* edge);
    void DropNode(CCPNode* node);
    void DropEdge(CCPEdge* edge);
    // Records a step just done, with the modified flag it found.
    void Record(std::unique_ptr<CEditStep> step, bool modifiedBefore);
    // A packing run empties the circle list; with a history, circles no node holds belong
    // to the history's nodes and are not freed.
    void ReleaseCircleList();
    void FreeRetiredCircles();
    friend class CGraphEditStep;

    bool m_modified = false;
    std::optional<double> m_viewRadius;
    int m_viewMargin = CViewSettings{}.Margin;
    // The kinds and flags are known to be what RecomputeStates would make them: true after
    // the document's own edits, false when the graph came from elsewhere (after RemoveAll,
    // until the first full recompute).
    bool m_statesCurrent = false;
    bool m_historyEnabled = false;
    CEditHistory m_history;
    CGraphEditStep* m_journal = nullptr; // the click edit being recorded
    int m_journalModified = 0;           // the modified flag when it started
    std::vector<CCPCircle*> m_retiredCircles;
    // A move between StartMove and FinishMove or CancelMove: the nodes it moves with their
    // places and circles at the start, and the state before it for undo.
    struct CMoveInProgress {
        std::vector<CCPNode*> nodes;
        std::vector<CDPoint> places;
        std::vector<CDiskCircle> circles;
        std::unique_ptr<CEditStep> before;
        bool wasModified = false;
    };
    std::unique_ptr<CMoveInProgress> m_move;
};
