// tessel-cli style --colour-by, run as a separate process: what each colouring writes into the
// file, and the refusals.
#include "CliRunner.h"
#include "document/TesselDoc.h"

#include <gtest/gtest.h>

TEST(CliColour, ColoursTheChosenCirclesAndRefusesWhatItCannot) {
    CTempDir dir;
    const std::string in = dir.File("h.tesl");
    const std::string out = dir.File("c.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "3", in}).exitCode, 0);
    enum class Expect { ProperInner, CentreLineBlack, FromLastBlack, Rim, Nothing };
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        Expect expect;
        std::string says; // in the error line
    };
    const Row rows[] = {
        {{"--colour-by", "proper"}, 0, Expect::ProperInner, ""},
        {{"--colour-by", "rings", "--colors", "#000000,#FFFFFF", "--line"},
         0,
         Expect::CentreLineBlack,
         ""},
        {{"--colour-by", "rings", "--colors", "#000000,#FFFFFF", "--line", "--from", "36"},
         0,
         Expect::FromLastBlack,
         ""},
        {{"--colour-by", "rings", "--from", "37"}, 2, Expect::Nothing, "--from"},
        {{"--colour-by", "rings", "--from", "0,0"}, 2, Expect::Nothing, "--from"},
        {{"--colour-by", "degree", "--from", "3"}, 2, Expect::Nothing, "--from goes with"},
        {{"--colour-by", "radius", "--colors", "#000000,#FF0000", "--nodes", "30-36"},
         0,
         Expect::Rim,
         ""},
        {{"--colour-by", "proper", "--palette", "#FF0000,#00FF00"},
         1,
         Expect::Nothing,
         "the palette has 2"},
        {{"--colour-by", "bogus"}, 2, Expect::Nothing, "rings, degree, proper or radius"},
        {{"--colour-by", "proper", "--colors", "#000000,#FFFFFF"}, 2, Expect::Nothing, "--palette"},
        {{"--colour-by", "degree", "--palette", "#000000"}, 2, Expect::Nothing, "--palette"},
        {{"--colour-by", "rings", "--snap"}, 2, Expect::Nothing, "--snap belongs"},
        {{"--colour-by", "degree", "--runs", "2"}, 2, Expect::Nothing, "--runs applies"},
        {{"--palette", "#000000"}, 2, Expect::Nothing, "--palette belongs"},
        {{"--colour-by", "rings", "--gradation", "linear", "--from", "0,0", "--to", "1,0",
          "--colors", "#000000,#FFFFFF", "--inner"},
         2,
         Expect::Nothing,
         "not both"},
    };
    for (const Row& row : rows) {
        std::remove(out.c_str());
        std::vector<std::string> args{"style", in, out};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const CCliResult result = RunCliProcess(dir, args);
        const std::string what = row.args[0] + " " + row.args[1];
        EXPECT_EQ(result.exitCode, row.exitCode) << what << ": " << result.err;
        if (row.expect == Expect::Nothing) {
            EXPECT_NE(result.err.find(row.says), std::string::npos) << what << ": " << result.err;
            continue;
        }
        CTesselDoc doc;
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(out, error)) << error;
        for (const CCPNode* node : doc.m_nodes.m_array) {
            const CCPCircle& c = *node->m_circle;
            if (row.expect == Expect::ProperInner) {
                for (int p = 0; p < node->GetEdgeCount(); ++p) {
                    EXPECT_NE(c.m_innerCol, node->GetNeighbour(p)->m_circle->m_innerCol);
                }
                EXPECT_EQ(c.m_lineCol, 0u);
            }
        }
        const CCPCircle& centre = *doc.m_nodes.m_array[0]->m_circle;
        for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
            const CCPNode* node = doc.m_nodes.m_array[i];
            if (row.expect == Expect::CentreLineBlack && node->m_kind == Outer) {
                EXPECT_EQ(node->m_circle->m_lineCol, 0xFFFFFFu) << i; // the rim is ring 3
            }
            // Only nodes 30 to 36 were chosen; horocycles take the end colour.
            const bool chosen = i >= 30 && i <= 36;
            if (row.expect == Expect::Rim) {
                EXPECT_EQ(node->m_circle->m_innerCol != 0xFFFFFFu, chosen) << i;
                EXPECT_TRUE(!chosen || node->m_kind == Inner ||
                            node->m_circle->m_innerCol == 0x0000FFu)
                    << i;
            }
        }
        if (row.expect == Expect::CentreLineBlack) {
            EXPECT_EQ(centre.m_lineCol, 0u);
            EXPECT_EQ(centre.m_innerCol, 0xFFFFFFu);
        }
        // Counted from a rim node: it alone is black, the far side of the rim (six edges away)
        // takes the end colour.
        if (row.expect == Expect::FromLastBlack) {
            int black = 0;
            int white = 0;
            for (const CCPNode* node : doc.m_nodes.m_array) {
                black += node->m_circle->m_lineCol == 0u;
                white += node->m_circle->m_lineCol == 0xFFFFFFu;
            }
            EXPECT_EQ(doc.m_nodes.m_array[36]->m_circle->m_lineCol, 0u);
            EXPECT_NE(centre.m_lineCol, 0u);
            EXPECT_EQ(black, 1);
            EXPECT_GE(white, 1);
        }
    }
}
