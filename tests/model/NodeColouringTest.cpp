// Colourings: rings and degrees on disks whose answer is known, proper colourings in which
// neighbours differ, radii after packing, and Colour By as one undo step.
#include "model/NodeColouring.h"

#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "document/TilingDisk.h"
#include "model/FanIndex.h"
#include "packing/ConvergedPacking.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

std::map<COLORREF, int> CountColours(const std::vector<COLORREF>& colours) {
    std::map<COLORREF, int> count;
    for (COLORREF c : colours) {
        ++count[c];
    }
    return count;
}

std::vector<COLORREF> InnerColours(const CTesselDoc& doc) {
    std::vector<COLORREF> colours;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        colours.push_back(node->m_circle->m_innerCol);
    }
    return colours;
}

} // namespace

TEST(Colouring, RingsAndDegreesOfAHexDisk) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 4));
    const CFanIndex fans(doc.m_nodes);
    CColouring how;
    CColouringInput input;
    input.chosen.assign(fans.Size(), 1);
    input.sources = {0}; // the centre
    std::vector<COLORREF> colours;
    ASSERT_EQ(ColourNodes(fans, how, input, colours), "");
    // Ring k of a hex disk holds 6k nodes, each ring its own colour, from the first colour at
    // the centre to the second on the rim.
    std::multiset<int> sizes;
    for (const auto& [colour, count] : CountColours(colours)) {
        sizes.insert(count);
    }
    EXPECT_EQ(sizes, (std::multiset<int>{1, 6, 12, 18, 24}));
    EXPECT_EQ(colours[0], how.from);
    EXPECT_EQ(CountColours(colours)[how.to], 24);

    how.by = ColourBy::Degree; // 3 at the rim's six corners, 4 along it, 6 inside
    ASSERT_EQ(ColourNodes(fans, how, input, colours), "");
    std::map<COLORREF, int> byDegree = CountColours(colours);
    EXPECT_EQ(byDegree.size(), 3u);
    EXPECT_EQ(byDegree[how.from], 6);
    EXPECT_EQ(byDegree[how.to], 37);

    input.chosen.assign(fans.Size(), 0);
    EXPECT_EQ(ColourNodes(fans, how, input, colours), "no circle is chosen");
}

TEST(Colouring, ProperColouringsKeepNeighboursApart) {
    struct Row {
        const char* graph;
        bool everyOther; // colour every other node only
    };
    for (const Row& row :
         {Row{"random", false}, Row{"random", true}, Row{"tiling", false}, Row{"hex", false}}) {
        CTesselDoc doc;
        std::string problem;
        const std::string graph = row.graph;
        ASSERT_TRUE(graph == "random" ? BuildRandomDisk(doc, 500, 3)
                    : graph == "hex"  ? BuildHexDisk(doc, 6)
                                      : BuildTilingDisk(doc, 3, 7, 3, problem));
        const CFanIndex fans(doc.m_nodes);
        CColouring how;
        how.by = ColourBy::Proper;
        CColouringInput input;
        for (int v = 0; v < fans.Size(); ++v) {
            input.chosen.push_back(!row.everyOther || v % 2 == 0);
        }
        std::vector<COLORREF> colours;
        ASSERT_EQ(ColourNodes(fans, how, input, colours), "") << graph;
        std::set<COLORREF> used;
        for (int v = 0; v < fans.Size(); ++v) {
            for (int p = 0; input.chosen[v] && p < fans.Degree(v); ++p) {
                const int x = fans.Neighbour(v, p);
                EXPECT_FALSE(input.chosen[x] && colours[x] == colours[v]) << graph << v << "-" << x;
            }
            if (input.chosen[v]) {
                used.insert(colours[v]);
            }
        }
        EXPECT_LE(used.size(), 5u) << graph;
        how.palette.resize(2);
        const std::string refusal = ColourNodes(fans, how, input, colours);
        EXPECT_NE(refusal.find("the palette has 2"), std::string::npos) << refusal;
        how.palette = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FF00, 0xFFFF00, 0xFF00FF};
        EXPECT_EQ(ColourNodes(fans, how, input, colours), "the palette has the same colour twice");
    }
}

TEST(Colouring, ColourByIsOneUndoStepAndKeepsTheSelection) {
    CTesselDoc doc;
    doc.EnableHistory();
    ASSERT_TRUE(BuildRandomDisk(doc, 80, 5));
    CTesselDoc::ColourRequest request;
    request.how.by = ColourBy::Radius;
    std::string problem;
    EXPECT_FALSE(doc.ColourCircles(request, problem)); // no packing yet
    EXPECT_EQ(problem, "colouring by radius needs the circles of a packing run");
    CConvergedPacking packing;
    ASSERT_TRUE(doc.PackToConvergence(1e-12, {}, packing));
    const std::vector<COLORREF> before = InnerColours(doc);
    doc.m_circles.GetAt(3)->m_selected = 1;
    doc.SetModifiedFlag(false);

    request.line = true;
    ASSERT_TRUE(doc.ColourCircles(request, problem)) << problem;
    EXPECT_TRUE(doc.IsModified());
    // The largest inner circle gets the second colour, horocycles too, the smallest the first.
    int largest = -1, smallest = -1;
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        const CCPNode* node = doc.m_nodes.m_array[i];
        EXPECT_EQ(node->m_circle->m_lineCol, node->m_circle->m_innerCol);
        if (node->m_kind != Inner) {
            EXPECT_EQ(node->m_circle->m_innerCol, request.how.to) << i;
            continue;
        }
        const double r = packing.radii[i];
        largest = largest < 0 || r > packing.radii[largest] ? i : largest;
        smallest = smallest < 0 || r < packing.radii[smallest] ? i : smallest;
    }
    EXPECT_EQ(doc.m_nodes.m_array[largest]->m_circle->m_innerCol, request.how.to);
    EXPECT_EQ(doc.m_nodes.m_array[smallest]->m_circle->m_innerCol, request.how.from);
    for (int i = 0; i < doc.m_circles.GetCount(); ++i) {
        EXPECT_EQ(doc.m_circles.GetAt(i)->m_selected, i == 3 ? 1 : 0) << i;
    }

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(InnerColours(doc), before);
    EXPECT_FALSE(doc.IsModified());

    // The selected circle alone, rings counted from the centre: it alone changes.
    request = {};
    request.selectedOnly = true;
    doc.m_circles.SelectAll(0, true);
    doc.m_circles.GetAt(3)->m_selected = 1;
    ASSERT_TRUE(doc.ColourCircles(request, problem)) << problem;
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        EXPECT_EQ(doc.m_nodes.m_array[i]->m_circle->m_innerCol == before[i], i != 3) << i;
    }
}
