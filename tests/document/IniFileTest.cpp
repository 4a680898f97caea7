// The profile's INI reader and writer: matching, preservation, numbers, files and locales.
#include "document/IniFile.h"

#include "TempDir.h"
#include "document/SafeFile.h"

#include <clocale>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(IniFile, NamesMatchWithoutCaseAndTheFirstWins) {
    CIniFile ini;
    ini.Parse("\xEF\xBB\xBFTop=ignored\n[View]\nMargin=12\r\n  margin = 99 \n[view]\nGraSnap=1\n"
              "; Margin=5\n[Node]\nSize=7\n");
    EXPECT_EQ(ini.GetInt("VIEW", "MARGIN", 0), 12);
    EXPECT_EQ(ini.GetInt("View", "GraSnap", 0), 1);
    EXPECT_EQ(ini.GetInt("node", "size", 0), 7);
    EXPECT_FALSE(ini.Has("", "Top"));
    EXPECT_FALSE(ini.Has("View", "; Margin"));
    EXPECT_EQ(ini.GetInt("Edge", "Size", -3), -3);
}

TEST(IniFile, ValuesAreTrimmedAndOnePairOfQuotesRemoved) {
    CIniFile ini;
    ini.Parse("[S]\na =  spaced value\t\nb=\"  kept  \"\nc='x'\nd=\"half\ne=\ng\n");
    EXPECT_EQ(ini.GetString("S", "a", "-"), "spaced value");
    EXPECT_EQ(ini.GetString("S", "b", "-"), "  kept  ");
    EXPECT_EQ(ini.GetString("S", "c", "-"), "x");
    EXPECT_EQ(ini.GetString("S", "d", "-"), "\"half");
    EXPECT_EQ(ini.GetString("S", "e", "-"), "");
    EXPECT_FALSE(ini.Has("S", "g"));
}

TEST(IniFile, UntouchedLinesSurviveAndLinesEndInCrLf) {
    std::string original = "; my notes\r\n[Other]\r\nKey = \"x\" \r\n\r\n[View]\r\nMargin=10\r\n"
                           "Extra=keep me\r\n\r\n[Recent File List]\r\nFile1=/a b.tesl\r\n";
    CIniFile ini;
    ini.Parse(original);
    EXPECT_EQ(ini.Text(), original);

    CIniFile lf;
    lf.Parse("[A]\nk=v\n\n");
    EXPECT_EQ(lf.Text(), "[A]\r\nk=v\r\n\r\n");

    ini.SetInt("view", "MARGIN", 25);
    ini.SetInt("View", "BGColor", 255);
    ini.SetString("Node", "Size", "4");
    EXPECT_EQ(ini.Text(), "; my notes\r\n[Other]\r\nKey = \"x\" \r\n\r\n[View]\r\nMargin=25\r\n"
                          "Extra=keep me\r\nBGColor=255\r\n\r\n[Recent File List]\r\n"
                          "File1=/a b.tesl\r\n[Node]\r\nSize=4\r\n");
}

TEST(IniFile, NumbersReadLikeTheCLibraryAndRealsWriteTwelveDecimals) {
    CIniFile ini;
    ini.Parse("[N]\ni=  -42abc\nj=x\nr=2.5e-1 \nbad=abc\ncomma=0,5\nbig=99999999999\n");
    EXPECT_EQ(ini.GetInt("N", "i", 1), -42);
    EXPECT_EQ(ini.GetInt("N", "j", 1), 0);
    EXPECT_EQ(ini.GetInt("N", "big", 1), 2147483647);
    EXPECT_EQ(ini.GetReal("N", "r", 1.0), 0.25);
    EXPECT_EQ(ini.GetReal("N", "bad", 1.0), 0.0);
    EXPECT_EQ(ini.GetReal("N", "comma", 1.0), 0.0);
    EXPECT_EQ(ini.GetReal("N", "missing", 3.0), 3.0);
    // A missing key reads the default through its six-decimal text, as the first platform did.
    EXPECT_EQ(ini.GetReal("N", "missing", 0.0000004), 0.0);
    EXPECT_EQ(ini.GetReal("N", "missing", 0.0001), 0.0001);

    ini.SetReal("N", "t", 0.00001);
    ini.SetReal("N", "u", -0.0);
    EXPECT_EQ(ini.GetString("N", "t", ""), "0.000010000000");
    EXPECT_EQ(ini.GetString("N", "u", ""), "-0.000000000000");
}

TEST(IniFile, StringsThatWouldNotReadBackAreQuotedAndLineBreaksRemoved) {
    for (std::string value : {"%X, %Y, %R", " lead", "trail\t", "\"quoted\"", "'q'", "", "a\"b"}) {
        CIniFile ini;
        ini.SetString("TextExport", "Format", value);
        CIniFile again;
        again.Parse(ini.Text());
        EXPECT_EQ(again.GetString("TextExport", "Format", "-"), value) << value;
    }
    CIniFile ini;
    ini.SetString("S", "k", "one\r\ntwo\nthree");
    EXPECT_EQ(ini.Text(), "[S]\r\nk=one  two three\r\n");
}

TEST(IniFile, FilesLoadAndSaveAndAMissingFileIsEmpty) {
    CTempDir dir;
    std::string error;
    CIniFile ini;
    EXPECT_TRUE(ini.Load(dir.File("none.ini"), error));
    EXPECT_EQ(ini.Text(), "");
    ini.SetReal("Edge", "Hit", 3.0);
    ASSERT_TRUE(ini.Save(dir.File("a.ini"), error)) << error;
    EXPECT_EQ(ReadText(dir.File("a.ini")), "[Edge]\r\nHit=3.000000000000\r\n");

    CIniFile back;
    EXPECT_TRUE(back.Load(dir.File("a.ini"), error));
    EXPECT_EQ(back.GetReal("Edge", "Hit", 0), 3.0);
    EXPECT_FALSE(back.Load(dir.Path(), error)); // a directory is not a profile
    EXPECT_FALSE(error.empty());
}

// What opening refuses, saving leaves alone: nothing it holds is lost, and nothing waits on
// a pipe.
TEST(IniFile, AProfileThatCannotBeReadIsNeverReplaced) {
    CTempDir dir;
    WriteText(dir.File("large.ini"), std::string(17 * 1024 * 1024, ';'));
    ASSERT_EQ(mkfifo(dir.File("pipe.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder.ini"));
    struct Row {
        std::string path;
        std::string reason;
    };
    const Row rows[] = {
        {dir.File("large.ini"), "the file is too large."},
        {dir.File("pipe.ini"), "it is a named pipe (FIFO), not a regular file."},
        {dir.File("folder.ini"), "it is a folder, not a file."},
        {"/dev/null", "it is a device, not a regular file."},
    };
    CIniFile ini;
    ini.SetInt("View", "Margin", 10);
    for (const Row& row : rows) {
        std::string error;
        EXPECT_FALSE(ini.Save(row.path, error)) << row.path;
        EXPECT_EQ(error,
                  "Cannot open \"" + row.path + "\": " + row.reason + " It is left as it was.");
    }
    EXPECT_EQ(std::filesystem::file_size(dir.File("large.ini")), 17u * 1024 * 1024);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe.ini")));
    const auto names = std::filesystem::directory_iterator(dir.Path());
    EXPECT_EQ(std::distance(begin(names), end(names)), 3); // no temporary file either
}

TEST(IniFile, TheSameBytesUnderAGermanLocale) {
    CIniFile ini;
    ini.Parse("[N]\nr=0.125\n");
    ini.SetReal("N", "w", 1234.5);
    std::string inC = ini.Text();
    double readInC = ini.GetReal("N", "r", 0);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    CIniFile german;
    german.Parse("[N]\nr=0.125\n");
    german.SetReal("N", "w", 1234.5);
    EXPECT_EQ(german.Text(), inC);
    EXPECT_EQ(german.GetReal("N", "r", 0), readInC);
    std::setlocale(LC_ALL, "C");
}

TEST(SafeFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    CTempDir dir;
    std::string error;
    std::filesystem::create_directory(dir.File("target"));
    WriteText(dir.File("target/inside"), "x");
    std::uint8_t bytes[] = {1, 2, 3};
    EXPECT_FALSE(WriteFileAtomically(dir.File("target"), bytes, error));
    EXPECT_NE(error.find("target"), std::string::npos) << error;
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/dir.tesl"), bytes, error));
    EXPECT_NE(error.find("dir.tesl"), std::string::npos) << error;
    EXPECT_FALSE(WriteFileAtomically("/dev/full", bytes, error)); // a device, written directly
    EXPECT_NE(error.find("\"/dev/full\": "), std::string::npos) << error;
    EXPECT_EQ(ReadText(dir.File("target/inside")), "x");
    int entries = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(SafeFile, ReplacingKeepsPermissionsAndFollowsLinks) {
    CTempDir dir;
    std::string error;
    WriteText(dir.File("real.ini"), "old");
    chmod(dir.File("real.ini").c_str(), 0640);
    std::filesystem::create_symlink(dir.File("real.ini"), dir.File("link.ini"));
    std::uint8_t bytes[] = {'n', 'e', 'w'};
    ASSERT_TRUE(WriteFileAtomically(dir.File("link.ini"), bytes, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
    EXPECT_EQ(ReadText(dir.File("real.ini")), "new");
    struct stat info {};
    stat(dir.File("real.ini").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}
