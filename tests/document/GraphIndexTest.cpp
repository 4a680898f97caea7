// The indices a stored graph names its nodes and edges by: their collection positions.
#include "document/GraphIndex.h"

#include "document/Archive.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

TEST(GraphIndex, PositionsInBothDirectionsAndOutsidersAreRefused) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 6));
    CGraphIndex index(doc.m_nodes, doc.m_edges);
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        ASSERT_EQ(index.IndexOfNode(doc.m_nodes.m_array[i]), i);
    }
    for (int i = 0; i < doc.m_edges.GetSize(); ++i) {
        ASSERT_EQ(index.IndexOfEdge(doc.m_edges.m_array[i]), i);
    }
    CCPNode stranger;
    CCPEdge loose;
    EXPECT_EQ(index.IndexOfNode(&stranger), -1);
    EXPECT_EQ(index.IndexOfNode(nullptr), -1);
    EXPECT_EQ(index.IndexOfEdge(&loose), -1);

    CArchive ar(std::span<const std::uint8_t>{});
    EXPECT_EQ(index.NodeAt(3, ar), doc.m_nodes.m_array[3]);
    EXPECT_EQ(index.EdgeAt(doc.m_edges.GetSize() - 1, ar), doc.m_edges.m_array.back());
    EXPECT_FALSE(ar.Failed());
    EXPECT_EQ(index.EdgeAt(doc.m_edges.GetSize(), ar), nullptr);
    EXPECT_EQ(ar.Error(), ArchiveError::IndexOutOfRange);
}

// A large disk whose collections are shuffled, so that addresses follow no order of the
// positions, stores and loads to the same bytes: every index written was the position the
// loader reads it as.
TEST(GraphIndex, AShuffledLargeDiskRoundTripsToTheSameBytes) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildRandomDisk(doc, 5000, 11));
    std::mt19937 random(5);
    std::shuffle(doc.m_nodes.m_array.begin(), doc.m_nodes.m_array.end(), random);
    std::shuffle(doc.m_edges.m_array.begin(), doc.m_edges.m_array.end(), random);
    const std::vector<std::uint8_t> saved = doc.SaveToBytes();
    CTesselDoc copy;
    std::string error;
    ASSERT_TRUE(copy.LoadFromBytes(saved, error)) << error;
    EXPECT_EQ(copy.m_nodes.GetSize(), doc.m_nodes.GetSize());
    EXPECT_EQ(copy.SaveToBytes(), saved);
}
