// Whole-or-nothing output: text mode line ends, failures, and the target kept on failure.
#include "circles/OutputFile.h"

#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

TEST(OutputFile, TextModeStoresCrLfAndBinaryModeDoesNot) {
    TempDir dir;
    COutputFile text;
    ASSERT_TRUE(text.Open(dir.File("t.txt"), COutputFile::Mode::Text));
    text.Write("a\nb\n\nc");
    ASSERT_EQ(text.Commit(), FileStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("t.txt")), "a\r\nb\r\n\r\nc");
    COutputFile binary;
    ASSERT_TRUE(binary.Open(dir.File("b.bin"), COutputFile::Mode::Binary));
    binary.Write("a\nb");
    ASSERT_EQ(binary.Commit(), FileStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("b.bin")), "a\nb");
}

TEST(OutputFile, AFailedWriteKeepsTheOldFileAndItsPermissions) {
    TempDir dir;
    std::string path = dir.File("keep.txt");
    { std::ofstream(path) << "old contents"; }
    chmod(path.c_str(), 0640);
    {
        FileSizeLimit limit(10);
        COutputFile file;
        ASSERT_TRUE(file.Open(path, COutputFile::Mode::Text));
        file.Write(std::string(100, 'x'));
        EXPECT_EQ(file.Commit(), FileStatus::WriteFailed);
    }
    EXPECT_EQ(ReadText(path), "old contents");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"keep.txt"});

    COutputFile file;
    ASSERT_TRUE(file.Open(path, COutputFile::Mode::Text));
    file.Write("new");
    ASSERT_EQ(file.Commit(), FileStatus::Ok);
    EXPECT_EQ(ReadText(path), "new");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(OutputFile, UnopenableTargetsAreRefused) {
    TempDir dir;
    COutputFile file;
    EXPECT_FALSE(file.Open(dir.File("no/such/folder.txt"), COutputFile::Mode::Text));
    EXPECT_NE(file.ErrorText().find("no/such/folder.txt"), std::string::npos) << file.ErrorText();
    EXPECT_FALSE(file.Open(dir.Path(), COutputFile::Mode::Text)); // a folder
    EXPECT_NE(file.ErrorText().find(dir.Path()), std::string::npos) << file.ErrorText();
    EXPECT_EQ(file.Commit(), FileStatus::CannotOpen);
    if (geteuid() != 0) { // root may write anything
        std::string ro = dir.File("ro.txt");
        std::ofstream(ro) << "x";
        chmod(ro.c_str(), 0444);
        EXPECT_FALSE(file.Open(ro, COutputFile::Mode::Text));
    }
}

TEST(OutputFile, DevicesAreWrittenDirectlyAndTheirErrorsReported) {
    COutputFile full;
    ASSERT_TRUE(full.Open("/dev/full", COutputFile::Mode::Binary));
    full.Write(std::string(70000, 'x'));
    EXPECT_EQ(full.Commit(), FileStatus::WriteFailed);
    EXPECT_NE(full.ErrorText().find("\"/dev/full\": "), std::string::npos) << full.ErrorText();
    COutputFile null;
    ASSERT_TRUE(null.Open("/dev/null", COutputFile::Mode::Binary));
    null.Write("x");
    EXPECT_EQ(null.Commit(), FileStatus::Ok);
}
