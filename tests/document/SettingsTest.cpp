// The profile's settings: defaults, order and formats of the 23 keys, the fallback rules for
// values the program cannot use, and locale independence.
#include "document/Settings.h"

#include "TempDir.h"
#include "circles/CPCircle.h"
#include "model/CPEdge.h"
#include "model/CPNode.h"

#include <clocale>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// Every test starts from and leaves the built-in defaults.
class Settings : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        CHotSpot::ResetDefaults();
        CCPNode::ResetDefaults();
        CCPEdge::ResetDefaults();
        ResetCircleDefaults();
    }
    static std::string Saved(const CViewSettings& view) {
        CIniFile ini;
        SaveSettings(ini, view);
        return ini.Text();
    }
    CViewSettings Loaded(const std::string& text) {
        CIniFile ini;
        ini.Parse(text);
        CViewSettings view;
        LoadSettings(ini, view);
        return view;
    }
};

const char* const AllDefaults = "[View]\r\nCircleAntialiasing=0\r\nBGColor=16777215\r\n"
                                "Margin=10\r\nGraSnap=0\r\nGraStartCol=16777215\r\n"
                                "GraEndCol=0\r\n"
                                "[Node]\r\nInnerCol=16776960\r\nOuterCol=16711935\r\n"
                                "NotConnectCol=65535\r\nSize=4\r\n"
                                "ThurstonThreshold=0.000100000000\r\n"
                                "[Edge]\r\nInnerCol=16711680\r\nOuterCol=255\r\nThickness=1\r\n"
                                "Hit=3.000000000000\r\n"
                                "[Circle]\r\nDefInnerCol=16777215\r\nDefLineCol=0\r\n"
                                "DefThickness=1\r\nDefOutInnerCol=16777215\r\n"
                                "DefOutLineCol=0\r\nDefOutThickness=1\r\n"
                                "BackModeColor=8421504\r\n"
                                "[Convergence]\r\nTolerance=1e-12\r\n";

} // namespace

TEST_F(Settings, AMissingProfileGivesDefaultsAndExitingWritesAll23Keys) {
    CTempDir dir;
    std::string error;
    CViewSettings view;
    view.GraphResizeRate = 0.5;
    std::string path = dir.File("config/Tessel.ini");
    ASSERT_TRUE(LoadSettingsFile(path, view, error)) << error;
    EXPECT_EQ(view.Margin, 10);
    EXPECT_EQ(CHotSpot::m_size, 4);
    ASSERT_TRUE(SaveSettingsFile(path, view, error)) << error;
    EXPECT_EQ(ReadText(path), AllDefaults);
}

TEST_F(Settings, SavedValuesReadBackAndOtherSectionsSurvive) {
    CTempDir dir;
    std::string error;
    std::string path = dir.File("tessel.ini");
    WriteText(path, "[Frame]\r\nDock=left\r\n[View]\r\nMargin=3\r\nOwnKey=x\r\n");
    CViewSettings view;
    ASSERT_TRUE(LoadSettingsFile(path, view, error));
    EXPECT_EQ(view.Margin, 3);
    view.BGColor = 255;
    CCPNode::m_threshold = 0.00001;
    CCPEdge::m_hit = 2.5;
    DefOutThickness = 9;
    ASSERT_TRUE(SaveSettingsFile(path, view, error)) << error;
    std::string text = ReadText(path);
    EXPECT_NE(text.find("[Frame]\r\nDock=left\r\n"), std::string::npos);
    EXPECT_NE(text.find("OwnKey=x\r\n"), std::string::npos);
    EXPECT_NE(text.find("ThurstonThreshold=0.000010000000\r\n"), std::string::npos);
    EXPECT_EQ(text.find("GraphResizeRate"), std::string::npos);

    Reset();
    CViewSettings back;
    ASSERT_TRUE(LoadSettingsFile(path, back, error));
    EXPECT_EQ(back.BGColor, 255u);
    EXPECT_EQ(CCPNode::m_threshold, 0.00001);
    EXPECT_EQ(CCPEdge::m_hit, 2.5);
    EXPECT_EQ(DefOutThickness, 9);
    EXPECT_EQ(back.GraphResizeRate, 0.9);
}

TEST_F(Settings, TheThresholdFallsBackTo00001) {
    for (const char* text : {"-1", "0", "abc", "nan", "inf", "2"}) {
        CCPNode::m_threshold = 0.5;
        Loaded(std::string("[Node]\nThurstonThreshold=") + text + "\n");
        EXPECT_EQ(CCPNode::m_threshold, 0.0001) << text;
    }
    Loaded("[node]\nthurstonthreshold=0.001\n");
    EXPECT_EQ(CCPNode::m_threshold, 0.001);
}

// The tolerance is stored so that it reads back exactly, also below what twelve decimals
// show; values Pack to Convergence cannot work to fall back to 1e-12.
TEST_F(Settings, TheConvergenceToleranceKeepsEveryDigitAndFallsBackTo1e12) {
    CViewSettings view;
    for (double tolerance : {1.5e-13, 1e-15, 0.1, 1.0, 2.0 / 3 * 1e-9}) {
        view.Tolerance = tolerance;
        EXPECT_EQ(Loaded(Saved(view)).Tolerance, tolerance) << Saved(view);
    }
    view.Tolerance = 1.5e-13;
    EXPECT_NE(Saved(view).find("[Convergence]\r\nTolerance=1.5e-13\r\n"), std::string::npos);
    for (const char* text : {"0", "-1e-9", "1e-16", "2", "abc", "nan", "inf"}) {
        EXPECT_EQ(Loaded(std::string("[Convergence]\nTolerance=") + text + "\n").Tolerance, 1e-12)
            << text;
    }
    EXPECT_EQ(Loaded("[convergence]\ntolerance=0.5\n").Tolerance, 0.5);
}

TEST_F(Settings, ValuesTheProgramCannotUseKeepTheDefault) {
    CViewSettings view = Loaded("[View]\nMargin=1000000000\nBGColor=-1\nGraSnap=7\n"
                                "GraEndCol=16777216\nCircleAntialiasing=1\n"
                                "[Node]\nSize=-5\nInnerCol=255\n"
                                "[Edge]\nHit=nan\nThickness=100000\n"
                                "[Circle]\nDefThickness=-1\nDefOutThickness=70000\n");
    EXPECT_EQ(view.Margin, 10);
    EXPECT_EQ(view.BGColor, 0xFFFFFFu);
    EXPECT_EQ(view.GraSnap, 1);
    EXPECT_EQ(view.GraEndCol, 0u);
    EXPECT_EQ(view.CircleAntialiasing, 1);
    EXPECT_EQ(CHotSpot::m_size, 4);
    EXPECT_EQ(CCPNode::m_innerColor, 255u);
    EXPECT_EQ(CCPEdge::m_hit, 3.0);
    EXPECT_EQ(CCPEdge::m_thickness, 1);
    EXPECT_EQ(DefThickness, 1);
    EXPECT_EQ(DefOutThickness, 1);

    for (const char* hit : {"-2", "1e300", "inf"}) {
        CCPEdge::m_hit = 3.0;
        Loaded(std::string("[Edge]\nHit=") + hit + "\n");
        EXPECT_EQ(CCPEdge::m_hit, 3.0) << hit;
    }
    // Text that is not a number reads as 0.0, which the hit distance keeps.
    Loaded("[Edge]\nHit=wide\n");
    EXPECT_EQ(CCPEdge::m_hit, 0.0);
}

TEST_F(Settings, OuterCircleDefaultsDoNotFollowTheInnerOnes) {
    Loaded("[Circle]\nDefInnerCol=255\nDefThickness=4\n");
    EXPECT_EQ(DefInnerCol, 255u);
    EXPECT_EQ(DefThickness, 4);
    EXPECT_EQ(DefOutInnerCol, 0xFFFFFFu);
    EXPECT_EQ(DefOutThickness, 1);
}

TEST_F(Settings, TheTextExportFormatKey) {
    CTempDir dir;
    std::string error;
    std::string path = dir.File("t.ini");
    EXPECT_EQ(ReadTextExportFormat(path), "%X, %Y, %R");
    ASSERT_TRUE(WriteTextExportFormat(path, " %X;%Y ", error)) << error;
    EXPECT_EQ(ReadTextExportFormat(path), " %X;%Y ");
    CViewSettings view;
    ASSERT_TRUE(SaveSettingsFile(path, view, error));
    EXPECT_EQ(ReadTextExportFormat(path), " %X;%Y ");
}

// The dialogs' own keys: what reads back, and which stored values keep the current ones.
TEST_F(Settings, TheNewDiskAndColourByKeys) {
    const CColouring defaults;
    const std::string palette = "Palette1=1\nPalette2=2\nPalette3=3\nPalette4=4\nPalette5=5\n";
    const struct {
        std::string text; // the profile
        int pack;
        COLORREF first, last;
        std::vector<COLORREF> palette;
    } rows[] = {
        {"", 1, defaults.from, defaults.to, defaults.palette},
        {"[NewDisk]\nPackToConvergence=1\n[ColourBy]\nFirstColor=255\nLastColor=65280\n" + palette +
             "Palette6=16777215\n",
         1,
         255,
         65280,
         {1, 2, 3, 4, 5, 0xFFFFFF}},
        {"[NewDisk]\nPackToConvergence=7\n[ColourBy]\nFirstColor=16777216\nLastColor=-1\n" +
             palette + "Palette6=16777216\n",
         1, defaults.from, defaults.to, defaults.palette},
        {"[NewDisk]\nPackToConvergence=0\n[ColourBy]\n" + palette + "Palette6=1\n", 0,
         defaults.from, defaults.to, defaults.palette}, // a colour twice
    };
    for (const auto& row : rows) {
        CIniFile ini;
        ini.Parse(row.text);
        CColouring how;
        LoadColourByColours(ini, how);
        EXPECT_EQ(LoadNewDiskPacking(ini), row.pack) << row.text;
        EXPECT_EQ(std::make_tuple(how.from, how.to, how.palette),
                  std::make_tuple(row.first, row.last, row.palette))
            << row.text;
        // What is written reads back the same.
        CIniFile again;
        SaveNewDiskPacking(again, LoadNewDiskPacking(ini));
        SaveColourByColours(again, how);
        CColouring back{ColourBy::Rings, 0, 0, {7}};
        LoadColourByColours(again, back);
        EXPECT_EQ(LoadNewDiskPacking(again), row.pack) << row.text;
        EXPECT_EQ(std::make_tuple(back.from, back.to, back.palette),
                  std::make_tuple(how.from, how.to, how.palette))
            << row.text;
    }
}

TEST_F(Settings, TheSameBytesUnderAGermanLocale) {
    CViewSettings view = Loaded("[Edge]\nHit=2.75\n[Node]\nThurstonThreshold=0.00005\n");
    std::string inC = Saved(view);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    Reset();
    CViewSettings german = Loaded("[Edge]\nHit=2.75\n[Node]\nThurstonThreshold=0.00005\n");
    std::string inGerman = Saved(german);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(inGerman, inC);
    EXPECT_NE(inC.find("Hit=2.750000000000"), std::string::npos);
}
