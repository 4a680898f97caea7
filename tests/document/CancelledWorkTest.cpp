// Opening, saving and a packing run that the user stops, at every point where they ask:
// the document and the file stay exactly as they were, and a run that is not stopped does
// what it does without being asked.
#include "TempDir.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "model/CPNodeArray.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>

namespace {

// A cancel check that says yes on its nth question, and counts the questions.
struct StopAt {
    int n;
    int asked = 0;
    CancelCheck Check() {
        return [this] { return ++asked == n; };
    }
};

// The radii too, which the saved bytes do not hold.
std::vector<double> RadiiOf(const CTesselDoc& doc) {
    std::vector<double> radii;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        radii.push_back(node->m_circle->m_radius);
    }
    return radii;
}

TEST(CancelledWork, OpeningStoppedAnywhereKeepsTheDocument) {
    CTempDir dir;
    CTesselDoc disk;
    ASSERT_TRUE(BuildHexDisk(disk, 80)); // more nodes and edges than one stretch of reading
    std::string error;
    ASSERT_TRUE(disk.OnSaveDocument(dir.File("disk.tesl"), error)) << error;

    CTesselDoc doc;
    doc.NewGraph(300);
    doc.SetModifiedFlag(false);
    const std::vector<std::uint8_t> before = doc.SaveToBytes();
    int questions = 0;
    for (int n = 1;; ++n) {
        StopAt stop{n};
        if (doc.OnOpenDocument(dir.File("disk.tesl"), error, stop.Check())) {
            questions = stop.asked;
            break;
        }
        EXPECT_NE(error.find("cancelled"), std::string::npos) << error;
        EXPECT_EQ(doc.SaveToBytes(), before) << "stopped at question " << n;
        EXPECT_FALSE(doc.IsModified());
    }
    // Asked while the nodes and the edges are read and around the checks.
    EXPECT_GE(questions, 6);
    EXPECT_EQ(doc.SaveToBytes(), disk.SaveToBytes());
}

TEST(CancelledWork, SavingStoppedAnywhereKeepsTheFile) {
    CTempDir dir;
    const std::string path = dir.File("disk.tesl");
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    std::string error;
    ASSERT_TRUE(doc.OnSaveDocument(path, error)) << error;
    const std::string saved = ReadText(path);
    ASSERT_TRUE(doc.RunPacking());
    ASSERT_TRUE(doc.IsModified());

    for (int n = 1;; ++n) {
        StopAt stop{n};
        if (doc.OnSaveDocument(path, error, stop.Check())) {
            EXPECT_GE(n, 3);
            break;
        }
        EXPECT_EQ(error, "Did not save \"" + path + "\": saving was cancelled.");
        EXPECT_EQ(ReadText(path), saved) << "stopped at question " << n;
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    }
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    EXPECT_EQ(ReadText(path), std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(doc.IsModified());
}

class CancelledPacking : public ::testing::TestWithParam<bool> {
protected:
    // A packed hex disk edited since (so the next run starts again from radius 1), with or
    // without a history as the parameter says (the editor keeps one, tessel-cli does not).
    void Prepare(CTesselDoc& doc) {
        if (GetParam()) {
            doc.EnableHistory();
        }
        ASSERT_TRUE(BuildHexDisk(doc, 6));
        ASSERT_TRUE(doc.RunPacking());
        doc.m_topologyChanged = 1;
        doc.SetModifiedFlag(false);
    }
};

TEST_P(CancelledPacking, StoppedAtEveryStepChangesNothing) {
    CTesselDoc doc;
    Prepare(doc);
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    const std::vector<double> radii = RadiiOf(doc);
    const bool couldUndo = doc.History().CanUndo();

    const int steps = CCPNodeArray::m_sweeps + 1;
    for (int stopAfter = 1; stopAfter < steps; ++stopAfter) {
        int lastReport = 0;
        const auto progress = [&](int done, int total) {
            EXPECT_EQ(total, steps);
            lastReport = done;
            return done < stopAfter;
        };
        std::string refusal;
        EXPECT_FALSE(doc.RunPacking(&refusal, progress));
        EXPECT_EQ(refusal, "");
        EXPECT_EQ(lastReport, stopAfter);
        EXPECT_EQ(doc.SaveToBytes(), bytes) << "stopped after step " << stopAfter;
        EXPECT_EQ(RadiiOf(doc), radii);
        EXPECT_EQ(doc.m_topologyChanged, 1);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.History().CanUndo(), couldUndo);
    }

    // Not stopped, a run with progress hears of every sweep and gives what a run without
    // progress gives.
    std::vector<int> reported;
    ASSERT_TRUE(doc.RunPacking(nullptr, [&](int done, int) {
        reported.push_back(done);
        return true;
    }));
    std::vector<int> everySweep(steps - 1);
    std::iota(everySweep.begin(), everySweep.end(), 1);
    EXPECT_EQ(reported, everySweep);
    CTesselDoc twin;
    Prepare(twin);
    ASSERT_TRUE(twin.RunPacking());
    EXPECT_EQ(doc.SaveToBytes(), twin.SaveToBytes());
    EXPECT_EQ(RadiiOf(doc), RadiiOf(twin));
    EXPECT_TRUE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(History, CancelledPacking, ::testing::Bool());

} // namespace
