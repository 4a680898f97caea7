// Undo and redo of every kind of edit: each step taken back restores the document's saved
// bytes, radii, circles, order and flags exactly, and made again restores the state after it;
// the modified flag follows the saved state; the history stays within its memory and frees
// what it holds without touching what the document still uses.
#include "TempDir.h"
#include "circles/CPCircle.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "packing/ConvergedPacking.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

// Everything undo must give back, compared as a whole. The selection is not a step of its
// own; only style steps give it back (see Selection).
struct DocState {
    std::vector<std::uint8_t> bytes; // the file: graph, kinds, flags, styles, extents
    std::vector<double> geometry;    // per node: position, radius, circle centres and radius
    std::vector<const void*> order;  // node and circle-list identities
    int topologyChanged = 0;
    bool modified = false;
    bool operator==(const DocState&) const = default;
};

// The selection flags of the listed circles and then the outer circle's.
std::vector<int> Selection(const CTesselDoc& doc) {
    std::vector<int> selection;
    for (const CCPCircle* circle : doc.m_circles.m_list) {
        selection.push_back(circle->m_selected);
    }
    selection.push_back(doc.m_circles.m_outer.m_selected);
    return selection;
}

DocState StateOf(CTesselDoc& doc) {
    DocState state;
    state.bytes = doc.SaveToBytes();
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const CCPCircle& c = *node->m_circle;
        state.geometry.insert(state.geometry.end(),
                              {node->x, node->y, c.m_radius, c.m_euclidRadius, c.m_diskCentre.x,
                               c.m_diskCentre.y, c.m_euclidCentre.x, c.m_euclidCentre.y});
        state.order.push_back(node);
    }
    for (const CCPCircle* circle : doc.m_circles.m_list) {
        state.order.push_back(circle);
    }
    state.topologyChanged = doc.m_topologyChanged;
    state.modified = doc.IsModified();
    return state;
}

// Which parts of two states differ, for a failure message.
std::string Difference(const DocState& a, const DocState& b) {
    std::string parts;
    parts += a.bytes != b.bytes ? "bytes " : "";
    parts += a.geometry != b.geometry ? "geometry " : "";
    parts += a.order != b.order ? "order " : "";
    parts += a.topologyChanged != b.topologyChanged ? "topology " : "";
    parts += a.modified != b.modified ? "modified " : "";
    return parts;
}

template <class T, class Pred> T* Pick(const std::vector<T*>& all, std::mt19937& random, Pred ok) {
    std::vector<T*> fitting;
    for (T* item : all) {
        if (ok(item)) {
            fitting.push_back(item);
        }
    }
    return fitting.empty() ? nullptr : fitting[random() % fitting.size()];
}

CDPoint Midpoint(const CCPEdge* edge) {
    return (*edge->m_start + *edge->m_end) * 0.5;
}

// Whether a click at p reaches that node or edge (nodes are hit first).
bool ClickHits(const CTesselDoc& doc, const CDPoint& p, const CCPNode* node) {
    return doc.m_nodes.HitTest(p) == node;
}

bool ClickHits(const CTesselDoc& doc, const CDPoint& p, const CCPEdge* edge) {
    return doc.m_nodes.HitTest(p) == nullptr && doc.m_edges.HitTest(p) == edge;
}

// One edit as the editor makes it, picked at random among those that apply; some picks change
// nothing and record no step. A style step selects circles first and leaves the selection it
// styled in `styled`.
void RandomStep(CTesselDoc& doc, std::mt19937& random, std::vector<int>& styled) {
    const auto& nodes = doc.m_nodes.m_array;
    const auto& edges = doc.m_edges.m_array;
    switch (random() % 11) {
    // Clicks only where they change the graph: a click that hits something and changes
    // nothing still marks the graph as edited, which is no step of its own.
    case 0:
    case 1:
        if (CCPEdge* e = Pick(edges, random, [&](CCPEdge* e) {
                return e->m_interior == 0 && ClickHits(doc, Midpoint(e), e);
            })) {
            doc.ClickAdd(Midpoint(e));
        }
        break;
    case 2:
        if (CCPNode* n = Pick(nodes, random, [&](CCPNode* n) {
                return n->CanConnect() && ClickHits(doc, *n, n);
            })) {
            doc.ClickAdd(*n);
        }
        break;
    case 3:
        if (CCPNode* n = Pick(nodes, random, [&](CCPNode* n) {
                return doc.CanDeleteNode(n) && ClickHits(doc, *n, n);
            })) {
            doc.ClickDelete(*n);
        }
        break;
    case 4:
        if (CCPEdge* e = Pick(edges, random, [&](CCPEdge* e) {
                return doc.CanDeleteEdge(e) && ClickHits(doc, Midpoint(e), e);
            })) {
            doc.ClickDelete(Midpoint(e));
        }
        break;
    case 5: {
        CCPNode* n = Pick(nodes, random, [](CCPNode*) { return true; });
        const CDPoint from = *n;
        n->Set(IntPoint{int(random() % 400) - 200, int(random() % 400) - 200});
        doc.RecordNodeMove(n, from);
        break;
    }
    case 6:
        doc.ScaleDownGraph(0.9);
        break;
    case 7:
        // A loose node blocks the packing: delete one first.
        if (!doc.m_nodes.AllConnected()) {
            if (CCPNode* n = Pick(nodes, random, [&](CCPNode* n) {
                    return doc.CanDeleteNode(n) && ClickHits(doc, *n, n);
                })) {
                doc.ClickDelete(*n);
            }
        } else {
            doc.RunPacking();
        }
        break;
    case 8:
        if (random() % 2 == 0) {
            doc.RandomizeNodes();
        } else if (doc.m_nodes.AllConnected()) {
            CConvergedPacking packing;
            std::string problem;
            if (ComputeConvergedPacking(doc.m_nodes, 1e-12, {}, packing, problem)) {
                doc.ApplyConvergedPacking(packing);
            }
        }
        break;
    case 9: {
        // Select some circles, then style them as the circle bar or Paste Circle would.
        for (int i = -1; i < doc.m_circles.GetCount(); ++i) {
            doc.m_circles.GetAt(i)->m_selected = random() % 3 == 0;
        }
        styled = Selection(doc);
        CCPCircle style;
        style.m_innerCol = random() & 0xFFFFFF;
        style.m_lineCol = random() & 0xFFFFFF;
        style.m_thickness = int(random() % 9);
        doc.ApplyStyleToSelection(style, int(random() % 7 + 1) * 2, ids::kStepPasteCircle);
        break;
    }
    case 10: {
        doc.m_circles.SelectAll(1, true);
        styled = Selection(doc);
        CGradation gradation;
        gradation.startColor = random() & 0xFFFFFF;
        gradation.endColor = random() & 0xFFFFFF;
        gradation.end = CDPoint(0.5, 0.25);
        gradation.applyLine = 1;
        gradation.applyInner = 1;
        doc.ApplyGradation(gradation);
        break;
    }
    }
}

class EditHistory : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.EnableHistory();
        m_doc.SetViewRadius(300.0);
        m_doc.SetGraphExtent(400, 300);
        m_doc.OnNewDocument();
    }
    CTesselDoc m_doc;
};

} // namespace

// A long random session of every kind of step: undoing all of it walks back through exactly
// the states it went through, and redoing all of it forward again.
TEST_F(EditHistory, EveryStepUndoesAndRedoesExactly) {
    std::set<int> taken;
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        ASSERT_TRUE(BuildHexDisk(m_doc, 2));
        ASSERT_FALSE(m_doc.History().CanUndo());
        std::vector<DocState> states{StateOf(m_doc)};
        std::vector<int> names;
        std::vector<std::vector<int>> styled; // per step: the selection a style step styled
        for (int i = 0; i < 400; ++i) {
            const std::size_t before = m_doc.History().Count();
            std::vector<int> selection;
            RandomStep(m_doc, random, selection);
            if (m_doc.History().Count() != before) {
                states.push_back(StateOf(m_doc));
                names.push_back(m_doc.History().UndoNameId());
                styled.push_back(selection);
            }
        }
        ASSERT_GT(names.size(), 100u) << seed;
        taken.insert(names.begin(), names.end());
        for (std::size_t k = names.size(); k-- > 0;) {
            ASSERT_EQ(m_doc.History().UndoNameId(), names[k]);
            ASSERT_TRUE(m_doc.Undo());
            ASSERT_TRUE(StateOf(m_doc) == states[k])
                << "seed " << seed << ", undo of step " << k << " (" << names[k]
                << "): " << Difference(StateOf(m_doc), states[k]);
            if (!styled[k].empty()) {
                ASSERT_EQ(Selection(m_doc), styled[k]) << "seed " << seed << ", undo of " << k;
            }
        }
        EXPECT_FALSE(m_doc.Undo());
        for (std::size_t k = 0; k < names.size(); ++k) {
            ASSERT_EQ(m_doc.History().RedoNameId(), names[k]);
            ASSERT_TRUE(m_doc.Redo());
            ASSERT_TRUE(StateOf(m_doc) == states[k + 1])
                << "seed " << seed << ", redo of step " << k << " (" << names[k]
                << "): " << Difference(StateOf(m_doc), states[k + 1]);
            if (!styled[k].empty()) {
                ASSERT_EQ(Selection(m_doc), styled[k]) << "seed " << seed << ", redo of " << k;
            }
        }
        EXPECT_FALSE(m_doc.Redo());
    }
    EXPECT_EQ(taken,
              (std::set<int>{ids::kStepGrowNode, ids::kStepConnectNode, ids::kStepDeleteNode,
                             ids::kStepDeleteEdge, ids::kStepMoveNode, ids::kStepScaleDown,
                             ids::kStepCirclePacking, ids::kStepPackToConvergence,
                             ids::kStepNodeRandomize, ids::kStepPasteCircle, ids::kStepGradation}));
}

// A packing run after an undone edit continues exactly as it would have without the edit.
TEST_F(EditHistory, UndoneRadiiLetCirclePackingContinueAsBefore) {
    ASSERT_TRUE(BuildHexDisk(m_doc, 3));
    CTesselDoc twin;
    twin.SetViewRadius(300.0);
    twin.SetGraphExtent(400, 300);
    ASSERT_TRUE(BuildHexDisk(twin, 3));
    m_doc.RunPacking();
    twin.RunPacking();
    const CCPEdge* boundary = nullptr;
    for (const CCPEdge* edge : m_doc.m_edges.m_array) {
        boundary = edge->m_interior == 0 ? edge : boundary;
    }
    m_doc.ClickAdd(Midpoint(boundary)); // resets the radii at the next run
    ASSERT_TRUE(m_doc.Undo());
    m_doc.RunPacking();
    twin.RunPacking();
    EXPECT_TRUE(StateOf(m_doc).geometry == StateOf(twin).geometry);
}

// Back at the state last saved the document is unmodified, and only there.
TEST_F(EditHistory, TheModifiedFlagFollowsTheSavedState) {
    CTempDir dir;
    std::string error;
    const std::string path = dir.File("saved.tesl");
    EXPECT_TRUE(m_doc.IsModified()); // a new document
    const CCPEdge* edge = m_doc.m_edges.GetAt(0);
    m_doc.ClickAdd(Midpoint(edge));
    ASSERT_TRUE(m_doc.OnSaveDocument(path, error)) << error;
    const std::vector<std::uint8_t> saved = m_doc.SaveToBytes();
    m_doc.ClickAdd(Midpoint(m_doc.m_edges.GetAt(1)));
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Undo();
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.SaveToBytes(), saved);
    m_doc.Undo();
    EXPECT_TRUE(m_doc.IsModified()); // before the save: the new document
    m_doc.Redo();
    EXPECT_FALSE(m_doc.IsModified());
    m_doc.Redo();
    EXPECT_TRUE(m_doc.IsModified());

    // A new edit after undoing past the save leaves no way back to it.
    m_doc.Undo();
    m_doc.Undo();
    m_doc.ClickAdd(Midpoint(m_doc.m_edges.GetAt(2)));
    EXPECT_FALSE(m_doc.History().CanRedo());
    m_doc.Undo();
    EXPECT_TRUE(m_doc.IsModified());

    // An opened document starts unmodified with nothing to undo, and comes back to that.
    ASSERT_TRUE(BuildHexDisk(m_doc, 2));
    ASSERT_TRUE(m_doc.OnSaveDocument(path, error)) << error;
    ASSERT_TRUE(m_doc.OnOpenDocument(path, error)) << error;
    EXPECT_FALSE(m_doc.History().CanUndo());
    m_doc.RunPacking();
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Undo();
    EXPECT_FALSE(m_doc.IsModified());
}

// A drag, Graph Scale-Down and a deletion by a right click change what is saved: they mark the
// document modified (closing would lose them otherwise), and undoing back to the saved state
// clears the flag again.
TEST_F(EditHistory, DragsScaleDownAndDeletionsModifyAndUndoBackToTheSavedState) {
    ASSERT_TRUE(BuildHexDisk(m_doc, 2));
    m_doc.SetModifiedFlag(false);
    m_doc.History().MarkSaved();
    CCPNode* node = m_doc.m_nodes.GetAt(3);
    const CDPoint from = *node;
    node->Set(IntPoint{12, 34});
    m_doc.RecordNodeMove(node, from);
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Undo();
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(CDPoint(*node), from);
    m_doc.ScaleDownGraph(0.5);
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Undo();
    EXPECT_FALSE(m_doc.IsModified());
    const CCPEdge* deletable = nullptr;
    for (int i = 0; i < m_doc.m_edges.GetSize() && !deletable; ++i) {
        deletable = m_doc.CanDeleteEdge(m_doc.m_edges.GetAt(i)) ? m_doc.m_edges.GetAt(i) : nullptr;
    }
    ASSERT_NE(deletable, nullptr);
    const int edges = m_doc.m_edges.GetSize();
    m_doc.ClickDelete((*deletable->m_start + *deletable->m_end) * 0.5);
    ASSERT_EQ(m_doc.m_edges.GetSize(), edges - 1);
    EXPECT_TRUE(m_doc.IsModified());
    m_doc.Undo();
    EXPECT_FALSE(m_doc.IsModified());
    m_doc.Redo();
    EXPECT_TRUE(m_doc.IsModified());
}

// A window resized between a drag and its undo puts the node back where the stretched graph
// has it, as the resize moved every other node.
TEST_F(EditHistory, ANodeComesBackInTheGraphAreaOfNow) {
    CCPNode* node = m_doc.m_nodes.GetAt(0);
    const CDPoint from = *node;
    node->Set(IntPoint{100, 100});
    m_doc.RecordNodeMove(node, from);
    m_doc.SetGraphExtent(800, 150); // twice as wide, half as high
    m_doc.Undo();
    EXPECT_DOUBLE_EQ(node->x, from.x * 2);
    EXPECT_DOUBLE_EQ(node->y, from.y * 0.5);
    m_doc.Redo(); // the drag's end, carried into the same graph area
    EXPECT_DOUBLE_EQ(node->x, 200.0);
    EXPECT_DOUBLE_EQ(node->y, 50.0);
}

// A click on a large graph records only what it touched, not a copy of the graph; the history
// drops its oldest steps when it holds more than its limit.
TEST_F(EditHistory, MemoryStaysBounded) {
    // Drawn on the lattice inside a radius of 300, the disk's edges would be 5 pixels long, too
    // short for a click on one to miss its ends.
    m_doc.SetViewRadius(3000.0);
    ASSERT_TRUE(BuildHexDisk(m_doc, 60)); // 10,981 nodes
    const CCPEdge* boundary = nullptr;
    for (const CCPEdge* edge : m_doc.m_edges.m_array) {
        boundary = edge->m_interior == 0 ? edge : boundary;
    }
    m_doc.ClickAdd(Midpoint(boundary));
    ASSERT_EQ(m_doc.History().Count(), 1u);
    EXPECT_LT(m_doc.History().Bytes(), 4096u);

    // A packing step keeps the run's state once: some tens of bytes per node.
    m_doc.ClickDelete(*m_doc.m_nodes.GetAt(m_doc.m_nodes.GetSize() - 1));
    m_doc.RunPacking();
    const std::size_t packing = m_doc.History().Bytes();
    EXPECT_LT(packing, 120u * 10981 + 8192);

    m_doc.History().SetMemoryLimit(3 * packing);
    for (int i = 0; i < 6; ++i) {
        m_doc.RunPacking();
    }
    EXPECT_LE(m_doc.History().Bytes(), 3 * packing);
    EXPECT_GE(m_doc.History().Count(), 2u);
    while (m_doc.Undo()) {
    }
    EXPECT_FALSE(m_doc.History().CanUndo());
    // One step larger than the limit is kept all the same, so the last change can be undone.
    m_doc.History().SetMemoryLimit(1);
    m_doc.RunPacking();
    EXPECT_EQ(m_doc.History().Count(), 1u);
    EXPECT_TRUE(m_doc.Undo());
}

// A node deleted after a packing keeps its circle in the list until the next run; the history
// holds the node while undo may bring it back, and no circle is freed twice or lost when the
// steps are dropped (the sanitizers check both).
TEST_F(EditHistory, DroppedStepsFreeWhatTheyHoldOnce) {
    ASSERT_TRUE(BuildHexDisk(m_doc, 2));
    m_doc.RunPacking();
    // Taking the inner node at an outer edge out of its fan leaves a loose boundary node.
    CCPEdge* edge = nullptr;
    for (CCPEdge* e : m_doc.m_edges.m_array) {
        edge = m_doc.CanDeleteEdge(e) ? e : edge;
    }
    ASSERT_NE(edge, nullptr);
    m_doc.ClickDelete(Midpoint(edge));
    CCPNode* loose = nullptr;
    for (CCPNode* n : m_doc.m_nodes.m_array) {
        loose = m_doc.CanDeleteNode(n) ? n : loose;
    }
    ASSERT_NE(loose, nullptr);
    const CCPCircle* circle = loose->m_circle;
    m_doc.ClickDelete(*loose);
    ASSERT_TRUE(m_doc.m_circles.Contains(circle)); // still drawn, as without a history
    m_doc.ClickAdd(Midpoint(m_doc.m_edges.GetAt(0)));
    m_doc.Undo();
    m_doc.Undo();
    EXPECT_TRUE(m_doc.m_nodes.HasCircle(circle));
    m_doc.Redo();
    m_doc.ClickAdd(Midpoint(m_doc.m_edges.GetAt(1))); // drops the undone grow
    m_doc.History().SetMemoryLimit(1);                // drops all but the newest
    m_doc.RunPacking();
    m_doc.History().SetMemoryLimit(CEditHistory::DefaultMemoryLimit);
    m_doc.Undo();
    EXPECT_TRUE(m_doc.m_circles.Contains(circle)); // the list before the run, circle and all
    m_doc.OnNewDocument();                         // frees the rest
    EXPECT_EQ(m_doc.m_nodes.GetSize(), 3);
}

// Without a history (tessel-cli) nothing is kept.
TEST(EditHistoryOff, TheCommandLineToolKeepsNothing) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    doc.RunPacking();
    doc.ClickAdd(*doc.m_nodes.GetAt(0));
    EXPECT_EQ(doc.History().Count(), 0u);
    EXPECT_FALSE(doc.Undo());
}
