// Long random sequences of edits keep every invariant of the graph and the modified-flag rules.
#include "document/RandomEdits.h"
#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "model/GraphInvariants.h"

#include <gtest/gtest.h>
#include <map>

TEST(RandomEdits, KeepTheInvariantsAndTheModifiedFlagRulesOnManySeeds) {
    std::map<std::string, int> changesBy;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 random(seed);
        CTesselDoc doc;
        doc.NewGraph(300);
        for (int step = 0; step < 120; ++step) {
            std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
            bool flagWas = step % 2 == 0;
            doc.SetModifiedFlag(flagWas);
            EditOutcome edit = RandomEdit(doc, random);
            std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                                ", " + edit.name;
            ASSERT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "") << where;
            ASSERT_EQ(FindDiskProblem(doc.m_nodes, doc.m_edges), "") << where;
            ASSERT_GE(doc.m_nodes.GetSize(), 3) << where;
            std::string after = DescribeGraph(doc.m_nodes, doc.m_edges);
            ASSERT_EQ(after != before, edit.changed) << where;
            bool flagExpected = flagWas || (edit.changed && !edit.deletion);
            ASSERT_EQ(doc.IsModified(), flagExpected) << where;
            changesBy[edit.name] += edit.changed;
        }
    }
    // The sequences did reach every kind of edit often enough to mean something.
    for (const char* name : {"grow", "connect", "delete node", "delete edge", "left click"}) {
        EXPECT_GT(changesBy[name], 50) << name;
    }
    EXPECT_GT(changesBy["right click"], 0);
}
